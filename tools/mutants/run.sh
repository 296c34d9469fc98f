#!/usr/bin/env bash
# Plants each fault of tools/mutants/*.diff, one at a time, in a scratch clone
# of this repository's HEAD, and runs the suite against it. A mutant is caught
# when the suite fails. Prints one line a mutant and the score.
#
#   tools/mutants/run.sh                      # every mutant
#   tools/mutants/run.sh sky-disc-moved ...   # only these (names without .diff)
#
# QUELVARA_MUTANTS_DIR keeps the scratch clone (and its build) between runs;
# QUELVARA_MUTANTS_CTEST overrides the ctest selection (default: the whole
# suite but the packaging checks, which no mutant touches).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(git -C "$here" rev-parse --show-toplevel)
scratch=${QUELVARA_MUTANTS_DIR:-$(mktemp -d /tmp/quelvara-mutants.XXXXXX)}
read -r -a selection <<< "${QUELVARA_MUTANTS_CTEST:--E tst_install|tst_debian_package}"

if [ ! -d "$scratch/src/.git" ]; then
    git clone -q "$top" "$scratch/src" || exit 2
fi
cd "$scratch/src" || exit 2
git fetch -q "$top" HEAD && git reset -q --hard FETCH_HEAD && git clean -q -fdx -e build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2

suite() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --stop-on-failure "${selection[@]}" >"$1" 2>&1
}

echo "Building the unchanged program and running the suite once..."
if ! cmake --build build >"$scratch/baseline.log" 2>&1 || ! suite "$scratch/baseline.log"; then
    echo "The suite fails without any mutant: see $scratch/baseline.log" >&2
    exit 2
fi

if [ $# -gt 0 ]; then
    mutants=()
    for name in "$@"; do mutants+=("$here/${name%.diff}.diff"); done
else
    mutants=("$here"/*.diff)
fi

caught=0 survived=() total=0
for diff in "${mutants[@]}"; do
    name=$(basename "$diff" .diff)
    log="$scratch/$name.log"
    total=$((total + 1))
    if ! git apply "$diff"; then
        echo "$name: does not apply"
        survived+=("$name (does not apply)")
        continue
    fi
    start=$SECONDS
    if ! cmake --build build >"$log" 2>&1; then
        verdict="does not build"
        survived+=("$name (does not build)")
    elif suite "$log"; then
        verdict="SURVIVED"
        survived+=("$name")
    else
        failed=$(grep -m1 -oE '[0-9]+ - tst_[a-z_]+' "$log" | sed 's/^[0-9]* - //' || true)
        verdict="caught by ${failed:-the suite}"
        caught=$((caught + 1))
    fi
    echo "$name: $verdict ($((SECONDS - start)) s)"
    git checkout -q -- . && git clean -q -fd -e build
done

echo
echo "Caught $caught of $total mutants."
if [ ${#survived[@]} -gt 0 ]; then
    printf 'Not caught: %s\n' "${survived[@]}"
    exit 1
fi
