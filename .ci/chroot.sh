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
#   chroot_enter NAME  makes or reuses chroot NAME, mounts what a build needs
#                      and copies the sources to /src
#   chroot_run SCRIPT  runs a bash script in it, in /src, with the kept
#                      builds at /var/cache/quelvara-ci
chroot_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
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
    if ! command -v debootstrap >/dev/null 2>&1; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q \
            --no-install-recommends debootstrap
    fi
    as_root mkdir -p "$chroot_cache"
    chroot_make_once "$chroot_base" chroot_debootstrap
    root=$chroot_cache/debian13-$1
    [ "$1" = cross ] || as_root rm -rf "$root"
    chroot_make_once "$root" chroot_copy_base
}

chroot_mounted=()
chroot_leave() {
    local i
    for ((i = ${#chroot_mounted[@]} - 1; i >= 0; i--)); do
        as_root umount -l "${chroot_mounted[i]}" 2>/dev/null || true
    done
    chroot_mounted=()
}

chroot_mount() { # type-or-bind source target
    as_root mkdir -p "$root$3"
    if [ "$1" = bind ]; then
        as_root mount --bind "$2" "$root$3"
    else
        as_root mount -t "$1" "$2" "$root$3"
    fi
    chroot_mounted+=("$root$3")
}

chroot_enter() { # NAME
    chroot_make "$1"
    trap chroot_leave EXIT
    chroot_mount proc proc /proc
    chroot_mount bind /dev /dev
    chroot_mount devpts devpts /dev/pts
    chroot_mount tmpfs tmpfs /dev/shm
    chroot_mount tmpfs tmpfs /tmp
    # What is built once and kept (Qt for other targets), and the packages
    # downloaded once.
    as_root mkdir -p "$chroot_cache/builds" "$chroot_cache/debs-$1/partial"
    chroot_mount bind "$chroot_cache/builds" /var/cache/quelvara-ci
    chroot_mount bind "$chroot_cache/debs-$1" /var/cache/apt/archives
    # The sources alone, without the build trees that ./test.sh leaves in the clone.
    as_root rm -rf "$root/src"
    as_root mkdir -p "$root/src"
    tar -C "$chroot_src" --exclude=./build --exclude='./build-*' -cf - . | as_root tar -C "$root/src" -xf -
    as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
}

chroot_run() {
    as_root chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        QUELVARA_CI_CACHE=/var/cache/quelvara-ci bash -c "set -euo pipefail; cd /src; $1"
}
