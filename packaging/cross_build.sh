# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What the build scripts for other targets share: the set-up, the program
# configured against a Qt built by qt_build.sh, and the licences that travel
# with it. Sourced by packaging/<target>/build.sh, not run.
#   cross_setup PACKAGES...          installs them with what every target needs
#   cross_configure DIR ARGUMENTS... configures the program in DIR against $qt_prefix
#   cross_licences DIR               copies the licences of what is shipped
#   cross_qt_only                    ends the script once Qt is built, where
#                                    QUELVARA_QT_ONLY=1 asks for Qt alone
set -euo pipefail
cross_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$cross_src/tools/setup.sh"

cross_setup() {
    quelvara_install cmake ninja-build dpkg-dev patch qt6-base-dev qt6-base-dev-tools g++ fonts-liberation "$@"
    source "$cross_src/packaging/qt_build.sh"
}

cross_qt_only() {
    [ "${QUELVARA_QT_ONLY:-0}" != 1 ] || exit 0
}

cross_configure() {
    local dir=$1
    shift
    # Pictures are built in uncompressed: neither target's Qt reads zstd.
    cmake -S "$cross_src" -B "$dir" -G Ninja -DBUILD_TESTING=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        "${qt_host_options[@]}" -DCMAKE_AUTORCC_OPTIONS=--no-zstd "$@" >/dev/null
}

cross_licences() {
    mkdir -p "$1"
    cp "$cross_src/LICENSE" "$1/Quelvara-GPL-3.0-or-later.txt"
    cp /usr/share/doc/fonts-liberation/copyright "$1/Liberation-fonts.txt"
    cp "$qt_source_dir/LICENSES/LGPL-3.0-only.txt" "$1/Qt-LGPL-3.0-only.txt"
}
