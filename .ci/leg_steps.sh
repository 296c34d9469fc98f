# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The steps that the platform legs share inside the chroot, in the sources.
# Everything a leg starts is ended by its id on exit, and its temporary
# folder removed. Sourced, not run.
#   leg_end_to_end PACKAGES...   installs them with the suite's, builds the
#                                end-to-end test: $leg_e2e
#   leg_xserver [XVFB-OPTIONS...] a private X server, once it answers: $DISPLAY
#   leg_stop PID                 ends one process the leg started
#   leg_serve DIR [OPTIONS...]   serves DIR on 127.0.0.1 with packaging/web/serve.py,
#                                once it answers: $leg_url
#   leg_launcher NAME COMMAND... a program for the end-to-end test to start: its path
set -euo pipefail
leg_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$leg_src/tools/setup.sh"
leg_temp=$(mktemp -d)
leg_pids=()
leg_exit_steps=()
leg_cleanup() {
    local step pid
    for step in "${leg_exit_steps[@]}"; do eval "$step" || true; done
    for pid in "${leg_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${leg_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$leg_temp"
}
trap leg_cleanup EXIT

leg_end_to_end() {
    quelvara_install "${quelvara_packages[@]}" "${quelvara_test_packages[@]}" "$@"
    local build=/var/tmp/quelvara-e2e
    # Quiet when it works; what failed, when it does.
    cmake -S "$leg_src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
        >"$leg_temp/e2e-build.log" 2>&1 \
        && cmake --build "$build" --target tst_end_to_end >>"$leg_temp/e2e-build.log" 2>&1 \
        || { tail -40 "$leg_temp/e2e-build.log" >&2; echo "FAIL: the end-to-end test does not build" >&2; exit 1; }
    leg_e2e=$build/tests/tst_end_to_end
}

# Waits up to SECONDS for COMMAND... to succeed.
leg_wait_for() {
    local tries=0 most=$(($1 * 5))
    shift
    until "$@" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt $most ] || return 1
        sleep 0.2
    done
}

leg_xserver() {
    local number=$leg_temp/display-$RANDOM
    # Xvfb writes its display number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$number" 2>/dev/null &
    leg_xserver_pid=$!
    leg_pids+=("$leg_xserver_pid")
    leg_wait_for 10 test -s "$number" || { echo "FAIL: the X server does not start" >&2; exit 1; }
    DISPLAY=:$(cat "$number")
    export DISPLAY
}

leg_stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

leg_serve() {
    local dir=$1 port
    shift
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    python3 "$leg_src/packaging/web/serve.py" "$dir" "$port" "$@" >>"$leg_temp/http.log" 2>&1 &
    leg_pids+=($!)
    leg_url=http://127.0.0.1:$port/
    leg_wait_for 10 python3 -c "import urllib.request; urllib.request.urlopen('$leg_url')" \
        || { echo "FAIL: the page is not served" >&2; exit 1; }
}

leg_launcher() {
    local path=$leg_temp/$1
    shift
    { echo '#!/bin/sh'; printf 'exec'; printf ' %q' "$@"; echo ' "$@"'; } >"$path"
    chmod +x "$path"
    echo "$path"
}
