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
src=$(cd "$here/../.." && pwd)
out=$src/build-web
work=$src/build-web-work
source "$src/tools/setup.sh"
source "$src/packaging/qt_build.sh"

quelvara_install emscripten cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools g++ gzip \
    fonts-liberation

# Debian's emscripten keeps its library cache read-only; Qt's build wants an
# emscripten SDK folder. A stand-in SDK whose configuration points at Debian's
# emscripten, with a writable copy of Debian's prebuilt libraries, kept in the
# cache beside Qt.
em_version=$(cat /usr/share/emscripten/emscripten-version.txt | tr -d '"\n')
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
qt_build_salt="emscripten $em_version"

# Static and single-threaded, as Qt for the browser is; built for size, with
# only what the program can use.
qt_build web -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release \
    -DFEATURE_optimize_size=ON -DFEATURE_optimize_full=OFF -DFEATURE_thread=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_movie=OFF -DFEATURE_pdf=OFF \
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF \
    -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF \
    -DFEATURE_colordialog=OFF -DFEATURE_filedialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_wizard=OFF \
    -DFEATURE_columnview=OFF -DFEATURE_undoview=OFF

rm -rf "$out" "$work"
mkdir -p "$work" "$out"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$multiarch"/cmake \
    -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF -DCMAKE_AUTORCC_OPTIONS=--no-zstd >/dev/null
cmake --build "$work/build" --target quelvara

# The page's icon, written by the icon exporter built for this machine.
cmake -S "$src" -B "$work/host" -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/host" --target quelvara_export_icon >/dev/null
"$work/host/packaging/quelvara_export_icon" "$out/quelvara.ico"

bin=$work/build/bin
cp "$bin/quelvara.js" "$bin/quelvara.wasm" "$bin/qtloader.js" "$out/"
cp "$here/index.html" "$out/index.html"
mkdir -p "$out/licences"
cp "$src/LICENSE" "$out/licences/Quelvara-GPL-3.0-or-later.txt"
cp /usr/share/doc/fonts-liberation/copyright "$out/licences/Liberation-fonts.txt"
cp "$qt_source_dir/LICENSES/LGPL-3.0-only.txt" "$out/licences/Qt-LGPL-3.0-only.txt"
# Compressed beside the originals, for servers that send them as they are.
for file in quelvara.js quelvara.wasm qtloader.js index.html; do gzip -9 -n -k "$out/$file"; done
rm -rf "$work"
du -b "$out"/quelvara.wasm "$out"/*.gz
