#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Quelvara for 64-bit Windows on Debian, with mingw-w64 and Qt built
# from Debian's own sources (kept in $QUELVARA_CI_CACHE), and leaves two files
# in build-windows/: an MSI for a school's IT, and a zip of the same program
# as a portable folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
out=$src/build-windows
work=$out/work
source "$src/tools/setup.sh"
source "$src/packaging/qt_build.sh"

quelvara_install g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools \
    wine msitools wixl zip fonts-liberation fonts-dejavu-core

# Debian 12 has no wine64 command, only the 64-bit loader.
wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; } || wine=$(command -v wine)
export QUELVARA_WINE=$wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$work/wine

# Only what the program uses: Core, Gui, Widgets, the windows platform plugin
# and the native style. Debian's source lacks the tablet library; Qt 6.8's
# windows plugin does not build with OpenGL off.
qt_build windows -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_gif=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
# The build runs the icon exporter under Wine: it finds the Qt libraries and
# the compiler's runtime on this path, in a prefix made before the build
# (two commands making it at once would race).
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
export WINEPATH="$(windows_path "$qt_prefix/bin");$(windows_path "$gcc_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"

rm -rf "$out"
mkdir -p "$work"
"$wine" wineboot -i >/dev/null 2>&1 || true
wineserver -w
version=$(sed -n 's/^project(Quelvara VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(dpkg-architecture -qDEB_HOST_MULTIARCH)"/cmake \
    -DCMAKE_AUTORCC_OPTIONS=--no-zstd >/dev/null
cmake --build "$work/build"

# The portable folder: the program, the Qt libraries and plugins it loads,
# the compiler's runtime, the fonts that stand in for the Windows ones where
# those are missing, and the licences.
folder=$work/Quelvara
mkdir -p "$folder/platforms" "$folder/styles" "$folder/fonts" "$folder/licences"
cp "$work/build/bin/quelvara.exe" "$folder/"
for library in Qt6Core Qt6Gui Qt6Widgets; do cp "$qt_prefix/bin/$library.dll" "$folder/"; done
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt_prefix"/plugins/styles/*.dll "$folder/styles/"
for library in "$gcc_runtime/libgcc_s_seh-1.dll" "$gcc_runtime/libstdc++-6.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll; do
    cp "$library" "$folder/"
done
x86_64-w64-mingw32-strip "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll
fonts=/usr/share/fonts/truetype/liberation
[ -f "$fonts/LiberationSans-Regular.ttf" ] || fonts=/usr/share/fonts/truetype/liberation2
cp "$fonts/LiberationSans-Regular.ttf" "$fonts/LiberationSans-Bold.ttf" "$folder/fonts/"
cp "$src/LICENSE" "$folder/licences/Quelvara-GPL-3.0-or-later.txt"
cp /usr/share/doc/fonts-liberation/copyright "$folder/licences/Liberation-fonts.txt"
cp "$qt_source_dir/LICENSES/LGPL-3.0-only.txt" "$folder/licences/Qt-LGPL-3.0-only.txt"
cp "$qt_source_dir/LICENSES/GPL-3.0-only.txt" "$folder/licences/Qt-GPL-3.0-only.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$folder/licences/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/licences/gcc-runtime.txt"

(cd "$work" && zip -q -r -9 "$out/Quelvara-$version-windows-x64.zip" Quelvara)
bash "$here/make_msi.sh" "$folder" "$version" "$work/build/app/quelvara.ico" "$out/Quelvara-$version-x64.msi"
rm -rf "$work"
ls -l "$out"
