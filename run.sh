#!/usr/bin/env bash
# Installs what is missing, builds what changed and starts Quelvara.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
quelvara_install "${quelvara_packages[@]}"
quelvara_configure default build
cmake --build --preset default --target quelvara
exec build/bin/quelvara "$@"
