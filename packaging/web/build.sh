#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Quelvara for web browsers (WebAssembly) on Debian, with Debian's
# emscripten and Qt built from Debian's own sources (kept in
# $QUELVARA_CI_CACHE), and leaves in build-web/ a static folder that any web
# server can serve: index.html and what it loads.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../cross_build.sh"
out=$cross_src/build-web
work=$cross_src/build-web-work
# The page's icons come from the icon exporter built for this machine, with
# what the program needs here.
cross_setup emscripten gzip brotli "${quelvara_packages[@]}"

# Debian's emscripten keeps its library cache read-only; Qt's build wants an
# emscripten SDK folder. A stand-in SDK whose configuration points at Debian's
# emscripten, with a writable copy of Debian's prebuilt libraries, kept in the
# cache beside Qt.
em_version=$(tr -d '"\n' </usr/share/emscripten/emscripten-version.txt)
export EMSDK=$qt_cache/emsdk-$em_version
if [ ! -f "$EMSDK/.quelvara-complete" ]; then
    rm -rf "$EMSDK"
    mkdir -p "$EMSDK/upstream"
    ln -s /usr/share/emscripten "$EMSDK/upstream/emscripten"
    cp -a /usr/share/emscripten/cache "$EMSDK/cache"
    sed -e '/^FROZEN_CACHE/d' /usr/share/emscripten/.emscripten >"$EMSDK/.emscripten"
    printf "emsdk_path = '%s'\nEMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'\nCACHE = '%s/cache'\n" \
        "$EMSDK" "$EMSDK" >>"$EMSDK/.emscripten"
    touch "$EMSDK/.quelvara-complete"
fi
export EM_CONFIG=$EMSDK/.emscripten
qt_build_salt="emscripten $em_version $(dpkg-query -W -f='${Version}' emscripten)"

# Static and single-threaded, as Qt for the browser is; built for size, with
# only what the program can use: of the widgets, the labels, buttons,
# slider, dialogs, tooltip and read-only text it shows, and none it never
# does (lists, tabs, spin boxes, style sheets, message boxes...), nor the MIME
# database, regular expressions, or the Persian and Islamic calendars (the
# clock shows only the time), and the small SHA-3 rather than the fast one.
# The program brings its own fonts, all TrueType, and shows none of the
# styles' standard icons, so Qt's fonts and icons and FreeType's other font
# drivers are left out (patches in packaging/qt-patches/web/).
web_unused=(colordialog filedialog fontdialog graphicsview style_stylesheet itemviews mainwindow dockwidget
            toolbar menubar statusbar tabwidget tabbar toolbox splitter datetimeedit spinbox dial lcdnumber
            textbrowser splashscreen commandlinkbutton keysequenceedit inputdialog errormessage progressdialog
            syntaxhighlighter scroller undocommand mimetype_database messagebox sha3_fast
            regularexpression jalalicalendar islamiccivilcalendar hijricalendar)
web_unused=("${web_unused[@]/#/-DFEATURE_}")
# C++ exceptions as WebAssembly's own: QtCore is built with exceptions, and
# emscripten's older scheme sends every call that may unwind through
# JavaScript and back, which costs size and start-up time.
qt_build web -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release \
    -DFEATURE_optimize_size=ON -DFEATURE_optimize_full=OFF -DFEATURE_thread=OFF -DFEATURE_wasm_exceptions=ON \
    "${web_unused[@]/%/=OFF}" -DQT_WASM_BUNDLED_FONTS=OFF -DQT_WIDGETS_STYLE_ICONS=OFF \
    -DQT_FREETYPE_TRUETYPE_ONLY=ON
cross_qt_only

rm -rf "$out" "$work"
mkdir -p "$work"
# No eval or new Function in the glue, so that a strict Content-Security-Policy
# lets it run; and none of its code for running outside a browser.
cross_configure "$work/build" -DCMAKE_BUILD_TYPE=MinSizeRel -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
    -DCMAKE_EXE_LINKER_FLAGS="-sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web -Oz"
cmake --build "$work/build" --target quelvara

# The page's icons and the teaching pages, written by tools built for this machine.
cmake -S "$cross_src" -B "$work/host" -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/host" --target quelvara_export_icon quelvara_teaching >/dev/null

version=$(sed -n 's/^project(Quelvara VERSION \([0-9.]*\).*/\1/p' "$cross_src/CMakeLists.txt")
bash "$here/assemble.sh" "$work/build/bin" "$work/host" "$out" "$version"
# The source of this very folder, as the GPL asks of whoever passes it on.
tar -C "$cross_src" --exclude=./.git --exclude=./build --exclude='./build-*' --sort=name --owner=0 --group=0 \
    --numeric-owner --mtime=@0 --transform="s|^\.|quelvara-$version|" -czf "$out/quelvara-$version-source.tar.gz" .
cross_licences "$out/licences"
# $work stays: the browser leg assembles a second build from it.
du -b "$out"/quelvara-*.wasm*
