#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The page's load time and its peak memory: build-web/ served on 127.0.0.1
# by nginx as LISEZMOI.html tells a school's IT to set it up (brotli where
# the browser asks for it, gzip otherwise), in the site's quelvara/ folder,
# measured by web_load.py and web_memory.py in Chromium. A benchmark, never
# a test.
#   bench/web_load.sh [RUNS [FOLDER]]   (in the Debian 13 chroot, after packaging/web/build.sh)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
source "$src/.ci/leg_steps.sh"
quelvara_install chromium chromium-driver python3-selenium nginx libnginx-mod-http-brotli-static
leg_nginx "$(leg_site quelvara="${2:-$src/build-web}")" brotli
python3 "$src/bench/web_load.py" "$leg_url" "${1:-5}"
python3 "$src/bench/web_memory.py" "$leg_url"
