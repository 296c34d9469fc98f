# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Debian 13 chroot that CI builds and tests in, made with debootstrap from
# Debian's archive and kept in a cache folder outside the clone, so that a
# later run on the same machine reuses it. Sourced, not run. Needs root.
#   chroot_enter       mounts what a build needs and copies the sources to /src
#   chroot_run SCRIPT  runs a bash script in it, in /src, with the cache at
#                      /var/cache/quelvara-ci
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${QUELVARA_CI_CACHE:-/var/cache/quelvara-ci}
root=$cache/debian13
mirror=${QUELVARA_DEBIAN_MIRROR:-http://deb.debian.org/debian}

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

chroot_make() {
    if ! command -v debootstrap >/dev/null 2>&1; then
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
    fi
    [ -f "$root/.quelvara-complete" ] && return 0
    echo "Making the Debian 13 chroot in $root"
    "${sudo[@]}" rm -rf "$root.partial"
    "${sudo[@]}" mkdir -p "$cache"
    "${sudo[@]}" debootstrap --variant=minbase trixie "$root.partial" "$mirror"
    "${sudo[@]}" rm -rf "$root"
    "${sudo[@]}" mv "$root.partial" "$root"
    "${sudo[@]}" touch "$root/.quelvara-complete"
}

chroot_mounted=()
chroot_leave() {
    local i
    for ((i = ${#chroot_mounted[@]} - 1; i >= 0; i--)); do
        "${sudo[@]}" umount -l "${chroot_mounted[i]}" 2>/dev/null || true
    done
    chroot_mounted=()
}

chroot_mount() { # type-or-bind source target
    "${sudo[@]}" mkdir -p "$root$3"
    if [ "$1" = bind ]; then
        "${sudo[@]}" mount --bind "$2" "$root$3"
    else
        "${sudo[@]}" mount -t "$1" "$2" "$root$3"
    fi
    chroot_mounted+=("$root$3")
}

chroot_enter() {
    chroot_make
    trap chroot_leave EXIT
    chroot_mount proc proc /proc
    chroot_mount bind /dev /dev
    chroot_mount devpts devpts /dev/pts
    chroot_mount tmpfs tmpfs /dev/shm
    chroot_mount tmpfs tmpfs /tmp
    # The cache itself, for what is built once and kept (Qt for other targets).
    "${sudo[@]}" mkdir -p "$cache/builds"
    chroot_mount bind "$cache/builds" /var/cache/quelvara-ci
    # The sources alone, without the build trees that ./test.sh leaves in the clone.
    "${sudo[@]}" rm -rf "$root/src"
    "${sudo[@]}" mkdir -p "$root/src"
    tar -C "$src" --exclude=./build --exclude='./build-*' -cf - . | "${sudo[@]}" tar -C "$root/src" -xf -
    "${sudo[@]}" cp /etc/resolv.conf "$root/etc/resolv.conf"
}

chroot_run() {
    "${sudo[@]}" chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        QUELVARA_CI_CACHE=/var/cache/quelvara-ci bash -c "set -euo pipefail; cd /src; $1"
}
