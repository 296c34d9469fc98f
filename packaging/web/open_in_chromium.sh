#!/bin/sh
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Opens the page as an application window of the lesson's own size, where
# the desktop program opens on a 1280 × 1024 screen: no tabs, no frame (no
# window manager draws one, and the profile asks for none of Chromium's own).
# The profile folder is the caller's: a new one for a first visit, the same
# one again for a later visit; it never offers to translate the French page.
# Used by the browser leg, the benchmark and the hearing harness.
#   open_in_chromium.sh PROFILE URL [CHROMIUM-OPTIONS...]
set -eu
profile=$1
url=$2
shift 2
mkdir -p "$profile/Default"
[ -f "$profile/Default/Preferences" ] ||
    echo '{"browser":{"custom_chrome_frame":false},"translate":{"enabled":false}}' >"$profile/Default/Preferences"
exec chromium --no-sandbox --test-type --no-first-run --no-default-browser-check --disable-gpu \
    --disable-features=Translate,MediaRouter --password-store=basic --user-data-dir="$profile" \
    --disable-background-networking --disable-component-update --disable-sync \
    --window-position=160,244 --window-size=959,536 "$@" --app="$url"
