#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Lays out the web folder from the program built for the browser and the
# tools built for this machine. The program's files carry the build in their
# names, so that no server's cache can pair one build's page with another
# build's program; the service worker lists every file kept offline with its
# SHA-256.
#   assemble.sh BIN_DIR HOST_BUILD_DIR OUT VERSION
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1 host=$2 out=$3 version=$4
mkdir -p "$out"

"$host/packaging/quelvara_export_icon" "$out/quelvara.ico"
for size in 192 512; do "$host/packaging/quelvara_export_icon" "$out/quelvara-$size.png" "$size"; done
cp "$here/quelvara.webmanifest" "$here/.htaccess" "$here/web.config" "$out/"
# The teacher's guide and the pupil's sheet, which LISEZMOI.html links to.
cp "$host/packaging/teaching/guide-enseignant.html" "$host/packaging/teaching/fiche-eleve.html" \
    "$host/packaging/teaching"/capture-*.png "$out/"

# The build: what the browser runs, and the version it is told as.
build=$( (echo "$version"; cat "$bin/quelvara.js" "$bin/quelvara.wasm" "$bin/qtloader.js" "$here/index.html" \
    "$here/quelvara-page.js" "$here/quelvara-sw.js" "$out/quelvara.webmanifest" "$out"/quelvara*.{ico,png}) \
    | sha256sum | cut -c1-16)
cp "$bin/quelvara.js" "$out/quelvara-$build.js"
cp "$bin/quelvara.wasm" "$out/quelvara-$build.wasm"
cp "$bin/qtloader.js" "$out/qtloader-$build.js"
# The page counts the program's bytes against its size.
sed -e "s/@QUELVARA_BUILD@/$build/" -e "s/@QUELVARA_WASM_SIZE@/$(stat -c %s "$out/quelvara-$build.wasm")/" \
    "$here/quelvara-page.js" >"$out/quelvara-page-$build.js"
sed "s/@QUELVARA_BUILD@/$build/g" "$here/index.html" >"$out/index.html"
sed -e "s/@QUELVARA_BUILD@/$build/g" -e "s/@QUELVARA_VERSION@/$version/g" "$here/LISEZMOI.html" \
    >"$out/LISEZMOI.html"
printf 'Quelvara %s\nbuild %s\n' "$version" "$build" >"$out/version.txt"

kept=(index.html "quelvara-page-$build.js" "quelvara-$build.js" "qtloader-$build.js" "quelvara-$build.wasm"
      quelvara.ico quelvara-192.png quelvara-512.png quelvara.webmanifest)
listed=$(cd "$out" && sha256sum "${kept[@]}" | sed 's/^\([0-9a-f]*\)  \(.*\)$/"\2": "\1", /' | tr -d '\n')
sed -e "s/@QUELVARA_BUILD@/$build/" -e "s|@QUELVARA_FILES@|${listed%, }|" "$here/quelvara-sw.js" \
    >"$out/quelvara-sw.js"
# Compressed beside the originals, for servers that send them as they are.
for file in "${kept[@]:0:5}" quelvara-sw.js quelvara.webmanifest LISEZMOI.html guide-enseignant.html \
    fiche-eleve.html; do
    gzip -9 -n -k -f "$out/$file"
    brotli -q 11 -k -f "$out/$file"
done
