# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Qt for another target, built from Debian's own source package of the Qt
# that this system has, so that the host tools (moc, uic, rcc) match it.
# Each build is kept in the cache ($QUELVARA_CI_CACHE, by default
# /var/cache/quelvara-ci) under a key made of the Qt version and the build
# options; a build that did not finish is never used. Sourced, not run.
#   qt_build TARGET CMAKE-ARGUMENTS...   sets qt_prefix to the installed Qt

qt_cache=${QUELVARA_CI_CACHE:-/var/cache/quelvara-ci}
qt_sudo=()
[ "$(id -u)" -eq 0 ] || qt_sudo=(sudo)

# Debian's source lines, when the system has only binary ones.
qt_enable_sources() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:' && return 0
    local codename mirror
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=${QUELVARA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
    printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$mirror" "$codename" "$codename" | "${qt_sudo[@]}" tee /etc/apt/sources.list.d/quelvara-sources.sources >/dev/null
    "${qt_sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
}

qt_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

# Unpacks Debian's qt6-base source once; sets qt_source_dir.
qt_fetch_source() {
    local version
    version=$(qt_version)
    qt_source_dir=$qt_cache/qt-source/qt6-base-$version
    [ -f "$qt_source_dir/.quelvara-complete" ] && return 0
    # One unpacking at a time, whatever the target.
    local lock
    "${qt_sudo[@]}" mkdir -p "$qt_cache/qt-source"
    "${qt_sudo[@]}" touch "$qt_cache/qt-source/.lock"
    exec {lock}<"$qt_cache/qt-source/.lock"
    flock "$lock"
    [ -f "$qt_source_dir/.quelvara-complete" ] && { exec {lock}<&-; return 0; }
    qt_enable_sources
    local work=$qt_cache/qt-source/partial
    "${qt_sudo[@]}" rm -rf "$work" "$qt_source_dir"
    "${qt_sudo[@]}" mkdir -p "$work"
    (cd "$work" && "${qt_sudo[@]}" apt-get source -q --download-only "qt6-base=$version" >/dev/null \
        && "${qt_sudo[@]}" dpkg-source -x --no-check ./*.dsc tree >/dev/null)
    "${qt_sudo[@]}" mv "$work/tree" "$qt_source_dir"
    "${qt_sudo[@]}" rm -rf "$work"
    "${qt_sudo[@]}" touch "$qt_source_dir/.quelvara-complete"
    exec {lock}<&-
}

# How a program or Qt for another target finds the host's Qt tools.
qt_host_options=(-DQT_HOST_PATH=/usr
                 -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/"$(dpkg-architecture -qDEB_HOST_MULTIARCH)"/cmake)

# What every target leaves out: the modules and formats the program never
# uses, and the widgets it never shows. Unity builds halve the build time.
qt_common_options=(-DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DQT_UNITY_BUILD=ON
                   -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
                   -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF -DFEATURE_vulkan=OFF
                   -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_movie=OFF -DFEATURE_pdf=OFF
                   -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF
                   -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF
                   -DFEATURE_wizard=OFF -DFEATURE_columnview=OFF -DFEATURE_undoview=OFF)

# Patches that mend Qt for one target, applied exactly (no fuzz) in name
# order to a copy of the source; their content is part of the cache key.
qt_patches() { # TARGET
    local dir
    dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/qt-patches/$1
    [ -d "$dir" ] || return 0
    find "$dir" -maxdepth 1 -name '*.patch' | LC_ALL=C sort
}

qt_build() {
    local target=$1
    shift
    local version key argument patch described=() patches=()
    version=$(qt_version)
    mapfile -t patches < <(qt_patches "$target")
    # A toolchain file counts by what it says, not by where the clone lies.
    for argument in "${qt_common_options[@]}" "$@"; do
        case $argument in
        -DCMAKE_TOOLCHAIN_FILE=*) described+=("toolchain $(sha256sum <"${argument#*=}")") ;;
        *) described+=("$argument") ;;
        esac
    done
    for patch in "${patches[@]}"; do described+=("patch $(sha256sum <"$patch")"); done
    # This script's own options and commands, the build tools' versions, and
    # qt_build_salt: what else the build depends on (a compiler's version).
    described+=("script $(sha256sum <"${BASH_SOURCE[0]}")" "$(cmake --version | head -1)" "ninja $(ninja --version)")
    key=$(printf '%s\n' "$version" ${qt_build_salt:+"$qt_build_salt"} "${described[@]}" | sha256sum | cut -c1-12)
    qt_prefix=$qt_cache/qt-$target-${version%%+*}-$key
    # The sources also give the licences that travel with the program.
    qt_fetch_source
    # One build of a key at a time: a second run waits, then reuses it.
    local lock
    "${qt_sudo[@]}" touch "$qt_prefix.lock"
    exec {lock}<"$qt_prefix.lock"
    flock "$lock"
    if [ -f "$qt_prefix/.quelvara-complete" ]; then
        exec {lock}<&-
        echo "Qt $version for $target: reusing $qt_prefix"
        return 0
    fi
    echo "Qt $version for $target: building into $qt_prefix (once)"
    local build=$qt_prefix.build source=$qt_source_dir
    "${qt_sudo[@]}" rm -rf "$build" "$qt_prefix"
    "${qt_sudo[@]}" mkdir -p "$build"
    "${qt_sudo[@]}" rm -f "$build.log"
    if [ ${#patches[@]} -gt 0 ]; then
        source=$build/source
        "${qt_sudo[@]}" cp -a "$qt_source_dir" "$source"
        for patch in "${patches[@]}"; do
            "${qt_sudo[@]}" patch -d "$source" -p1 --forward --fuzz=0 --no-backup-if-mismatch <"$patch" \
                >>"$build.log" 2>&1 \
                || { exec {lock}<&-; echo "The Qt patch $patch does not apply exactly: $build.log" >&2; return 1; }
        done
    fi
    local started=$SECONDS
    "${qt_sudo[@]}" cmake -S "$source" -B "$build/tree" -G Ninja -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        "${qt_host_options[@]}" "${qt_common_options[@]}" "$@" >>"$build.log" 2>&1 \
        || { tail -40 "$build.log"; exec {lock}<&-; echo "Configuring Qt for $target failed: $build.log" >&2; return 1; }
    "${qt_sudo[@]}" nice cmake --build "$build/tree" >>"$build.log" 2>&1 \
        || { tail -40 "$build.log"; exec {lock}<&-; echo "Building Qt for $target failed: $build.log" >&2; return 1; }
    "${qt_sudo[@]}" cmake --install "$build/tree" >>"$build.log" 2>&1 \
        || { tail -40 "$build.log"; exec {lock}<&-; echo "Installing Qt for $target failed: $build.log" >&2; return 1; }
    "${qt_sudo[@]}" rm -rf "$build"
    "${qt_sudo[@]}" touch "$qt_prefix/.quelvara-complete"
    exec {lock}<&-
    echo "Qt $version for $target built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
}
