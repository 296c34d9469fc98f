#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole suite headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
quelvara_install "${quelvara_packages[@]}" "${quelvara_test_packages[@]}"
quelvara_configure default build
cmake --build --preset default
QT_QPA_PLATFORM=offscreen ctest --preset default "$@"
