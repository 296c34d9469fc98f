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
source "$here/../cross_build.sh"
out=$cross_src/build-windows
work=$out/work
cross_setup g++-mingw-w64-x86-64-posix wine msitools wixl zip

wine=$(command -v wine)
export QUELVARA_WINE=$wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$work/wine

# The compiler Qt is built with is part of what the kept build depends on.
qt_build_salt="$(x86_64-w64-mingw32-g++-posix --version | head -1) $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
# Only what the program uses: Core, Gui, Widgets, the windows platform plugin
# and the native style. Debian's source lacks the tablet library; Qt 6.8's
# windows plugin does not build with OpenGL off, nor its font database with
# Direct2D off (so the direct2d plugin is built too, and never shipped), nor
# its Windows 11 style without the graphics view's effects.
qt_build windows -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DFEATURE_optimize_size=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_freetype=OFF \
    -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
cross_qt_only
# The build runs the icon exporter under Wine: it finds the Qt libraries and
# the compiler's runtime on this path, in a prefix made before the build
# (two commands making it at once would race).
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
WINEPATH="$(windows_path "$qt_prefix/bin");$(windows_path "$gcc_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH

rm -rf "$out"
mkdir -p "$work"
"$wine" wineboot -i >/dev/null 2>&1
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "The Wine prefix was not made: $WINEPREFIX" >&2; exit 1; }
version=$(quelvara_version)
cross_configure "$work/build" -DCMAKE_BUILD_TYPE=Release -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-w64.cmake"
cmake --build "$work/build"

# The portable folder: the program (with its fonts built in), the Qt
# libraries and plugins it loads, the compiler's runtime and the licences.
folder=$work/Quelvara
mkdir -p "$folder/platforms" "$folder/styles"
cp "$work/build/bin/quelvara.exe" "$folder/"
for library in Qt6Core Qt6Gui Qt6Widgets; do cp "$qt_prefix/bin/$library.dll" "$folder/"; done
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt_prefix"/plugins/styles/*.dll "$folder/styles/"
for library in "$gcc_runtime/libgcc_s_seh-1.dll" "$gcc_runtime/libstdc++-6.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll; do
    cp "$library" "$folder/"
done
x86_64-w64-mingw32-strip "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll
# The teacher's guide and the pupil's sheet, as the build wrote them.
cp -r "$work/build/packaging/teaching" "$folder/enseignant"
cross_licences "$folder/licences"
cp "$qt_source_dir/LICENSES/GPL-3.0-only.txt" "$folder/licences/Qt-GPL-3.0-only.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$folder/licences/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/licences/gcc-runtime.txt"

(cd "$work" && zip -q -r -9 "$out/Quelvara-$version-windows-x64.zip" Quelvara)
bash "$here/make_msi.sh" "$folder" "$version" "$work/build/app/quelvara.ico" "$out/Quelvara-$version-x64.msi"
rm -rf "$work"
ls -l "$out"
