#!/bin/sh
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Opens the page full screen in Firefox or in WebKit's MiniBrowser, as a
# first visit: a new profile in a new folder under PARENT, and a window
# manager to make the window full screen. For the browser leg, whose
# end-to-end test finds the lesson centred in the window.
#   page_in_browser.sh firefox|webkit PARENT URL
set -eu
engine=$1
profile=$(mktemp -d -p "$2")
url=$3
openbox >/dev/null 2>&1 &
# A window mapped before the window manager runs would stay at its own size.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "openbox does not start" >&2; exit 1; }
    sleep 0.1
done
export HOME="$profile" XDG_CONFIG_HOME="$profile/config" XDG_DATA_HOME="$profile/data" XDG_CACHE_HOME="$profile/cache"
case $engine in
firefox)
    # Nothing of a first start may cover the page.
    cat >"$profile/user.js" <<'EOF'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.translations.automaticallyPopup", false);
EOF
    exec firefox-esr --no-remote --profile "$profile" --kiosk "$url" ;;
webkit)
    # -f: full screen
    exec /usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser -f "$url" ;;
*)
    echo "No browser $engine" >&2
    exit 2 ;;
esac
