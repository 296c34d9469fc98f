#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What a blind pupil hears: the program under the Orca screen reader, in
# French, keyboard only, on a private X server with a window manager, a
# private session bus and a speech server that writes what it would say to a
# file. Prints what Orca said, step by step.
#
#   tools/hear/hear_lesson.sh [PATH-TO-QUELVARA]
#
# Installs what is missing (orca, speech-dispatcher, openbox, locales). Every
# process it starts is its own and ends with it; it never replaces a screen
# reader already running.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../../build/bin/quelvara}")
source "$here/../setup.sh"
quelvara_install orca speech-dispatcher openbox locales xvfb at-spi2-core python3-pyatspi dbus-daemon

work=$(mktemp -d)
pids=()
finish() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# French, so that Orca's own words and the separators are read in French.
locale -a 2>/dev/null | grep -qi '^fr_FR.utf8$' || localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
export LANG=fr_FR.UTF-8 LANGUAGE=fr LC_ALL=fr_FR.UTF-8
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$work/orca"
chmod 700 "$XDG_RUNTIME_DIR"

# A speech server whose only voice writes each text to a file, on the null
# sound device: without somewhere to speak, Orca waits for audio for ever.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/to-file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $work/spoken.txt"
GenericLanguage "fr" "fr" "utf-8"
AddVoice "fr" "MALE1" "fichier"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AddModule "to-file" "sd_generic" "to-file.conf"
DefaultModule "to-file"
DefaultLanguage "fr"
AudioOutputMethod "alsa"
AudioALSADevice "null"
CONF
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"

Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
pids+=($!)
export DISPLAY=:77
sleep 1
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
    read -r address; read -r pid; echo "export DBUS_SESSION_BUS_ADDRESS=$address; dbus_pid=$pid"; })"
pids+=("$dbus_pid")
openbox >/dev/null 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1
orca -u "$work/orca" --debug-file="$work/orca.log" >/dev/null 2>&1 &
pids+=($!)
sleep 4
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >/dev/null 2>&1 &
pids+=($!)
/usr/bin/python3 "$here/lesson_keys.py" "$work/orca.log"
