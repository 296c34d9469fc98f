#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The MSI of the portable folder, with msitools' wixl.
#   make_msi.sh FOLDER VERSION ICON OUTPUT.msi
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=$(cd "$1" && pwd)
version=$2
icon=$3
output=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Every file of the folder, one component each, under INSTALLDIR.
(cd "$folder" && find . -type f | sed 's|^\./||' | sort) |
    wixl-heat --var var.SourceDir -p '' --directory-ref INSTALLDIR --component-group ProgramFiles --win64 \
        >"$work/files.wxs"
wixl -a x64 -D Win64=yes -D SourceDir="$folder" -D Version="$version" -D Icon="$icon" \
    -o "$output" "$here/quelvara.wxs" "$work/files.wxs"
