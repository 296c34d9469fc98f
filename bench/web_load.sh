#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The page's load time and its peak memory: build-web/ served on 127.0.0.1
# as a school's server sends it (brotli where the browser asks for it, gzip
# otherwise), measured by web_load.py and web_memory.py in Chromium. A
# benchmark, never a test.
#   bench/web_load.sh [RUNS [FOLDER]]   (in the Debian 13 chroot, after packaging/web/build.sh)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
source "$src/.ci/leg_steps.sh"
quelvara_install chromium chromium-driver python3-selenium
leg_serve "${2:-$src/build-web}"
python3 "$src/bench/web_load.py" "$leg_url" "${1:-5}"
python3 "$src/bench/web_memory.py" "$leg_url"
