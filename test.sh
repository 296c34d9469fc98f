#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
quelvara_install "${quelvara_packages[@]}" "${quelvara_test_packages[@]}"
quelvara_configure default build tests
cmake --build --preset default
QT_QPA_PLATFORM=offscreen ctest --preset default "$@"

# The same suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# QUELVARA_SKIP_SANITIZERS=1 leaves it out while working on something else.
if [ "${QUELVARA_SKIP_SANITIZERS:-0}" != 1 ]; then
    quelvara_configure asan build-asan tests
    cmake --build --preset asan
    ctest --preset asan "$@"
fi
