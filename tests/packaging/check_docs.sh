#!/usr/bin/env bash
# The README stays a newcomer's two screens, and every page it and docs/
# link to exists.
set -euo pipefail
top=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
lines=$(wc -l <"$top/README.md")
[ "$lines" -le 120 ] || fail "README.md has $lines lines; the rest belongs in docs/"
for page in "$top/README.md" "$top"/docs/*.md; do
    dir=$(dirname "$page")
    # Links to files of the project: [text](path) with no scheme and no anchor only.
    { grep -o -E '\]\([^)#: ]+\)' "$page" || true; } | sed -E 's/^\]\((.*)\)$/\1/' | while read -r target; do
        [ -e "$dir/$target" ] || fail "$(basename "$page") links to $target, which does not exist"
    done
done
echo "README.md: $lines lines; every link of it and docs/ resolves"
