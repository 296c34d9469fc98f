# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Debian 13 chroots that CI builds and tests in, made with debootstrap
# from Debian's archive. The bare system is kept in a cache folder outside
# the clone; each chroot starts as a copy of it, and the two may be in use
# at once:
#   suite  made anew on every run, so that the suite proves that the
#          project's own set-up installs all it needs;
#   cross  kept between runs, with the cross compilers, Wine and the
#          browsers that the platform legs install into it.
# Downloaded packages are kept in the cache too. Sourced, not run. Needs root.
#   chroot_enter NAME  makes or reuses chroot NAME, and copies the sources
#                      that this run sees at /src
#   chroot_run SCRIPT  runs a bash script in it, in /src, with the kept
#                      builds at /var/cache/quelvara-ci
chroot_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$chroot_src/tools/setup.sh"
chroot_cache=${QUELVARA_CI_CACHE:-/var/cache/quelvara-ci}
chroot_base=$chroot_cache/debian13-base
chroot_mirror=${QUELVARA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
root=

chroot_sudo=()
[ "$(id -u)" -eq 0 ] || chroot_sudo=(sudo)
as_root() { "${chroot_sudo[@]}" "$@"; }

# Makes DIR with COMMAND... into DIR.partial, then marks it complete, so
# that a half-made tree is never used; one run at a time makes it.
chroot_make_once() {
    local dir=$1 lock
    shift
    exec {lock}>"$dir.lock"
    flock "$lock"
    if [ ! -f "$dir/.quelvara-complete" ]; then
        as_root rm -rf "$dir.partial" "$dir"
        "$@" "$dir.partial"
        as_root mv "$dir.partial" "$dir"
        as_root touch "$dir/.quelvara-complete"
    fi
    exec {lock}>&-
}

chroot_debootstrap() {
    echo "Making the Debian 13 system in $1"
    as_root debootstrap --variant=minbase trixie "$1" "$chroot_mirror"
}

chroot_copy_base() { as_root cp -a "$chroot_base" "$1"; }

chroot_make() { # NAME
    quelvara_install debootstrap
    as_root mkdir -p "$chroot_cache"
    chroot_make_once "$chroot_base" chroot_debootstrap
    root=$chroot_cache/debian13-$1
    [ "$1" = cross ] || as_root rm -rf "$root"
    chroot_make_once "$root" chroot_copy_base
}

# Each run has its own copy of the sources and its own mounts, in a mount
# namespace of its own, so that a platform leg and a Qt build in the
# background can share the cross chroot; nothing is left mounted after it.
chroot_run_src=
chroot_leave() {
    [ -z "$chroot_run_src" ] || as_root rm -rf "$chroot_run_src"
    chroot_run_src=
}

chroot_enter() { # NAME
    chroot_make "$1"
    as_root mkdir -p "$chroot_cache/builds" "$chroot_cache/debs-$1/partial" "$chroot_cache/sources" "$root/src"
    chroot_run_src=$(as_root mktemp -d "$chroot_cache/sources/$1.XXXXXX")
    trap chroot_leave EXIT
    # The sources alone, without the build trees that ./test.sh leaves in the clone.
    tar -C "$chroot_src" --exclude=./build --exclude='./build-*' -cf - . | as_root tar -C "$chroot_run_src" -xf -
    as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# What a build needs mounted: what is built once and kept (Qt for other
# targets) and the packages downloaded once, beside the usual.
chroot_mount_and_enter='
set -e
root=$1 cache=$2 debs=$3 src=$4
shift 4
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount -t devpts devpts "$root/dev/pts"
mount -t tmpfs tmpfs "$root/dev/shm"
mount -t tmpfs tmpfs "$root/tmp"
mkdir -p "$root/var/cache/quelvara-ci"
mount --bind "$cache/builds" "$root/var/cache/quelvara-ci"
mount --bind "$debs" "$root/var/cache/apt/archives"
mount --bind "$src" "$root/src"
exec chroot "$root" "$@"'

chroot_run() {
    as_root unshare --mount --propagation private bash -c "$chroot_mount_and_enter" chroot-run \
        "$root" "$chroot_cache" "$chroot_cache/debs-${root##*/debian13-}" "$chroot_run_src" \
        /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        QUELVARA_CI_CACHE=/var/cache/quelvara-ci bash -c "set -euo pipefail; cd /src; $1"
}
