#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop gets:
# the program, a valid desktop entry, a valid AppStream file, the icons, and
# the manual pages in English and French that format without a warning.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$root/usr" >/dev/null
id=org.quelvara.Quelvara
[ -x "$root/usr/bin/quelvara" ] || fail "no executable in bin/"
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no AppStream file"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
# Newer validators warn that there is no home page, which is left out on
# purpose; any other warning or error fails.
findings=$(appstreamcli validate --no-net "$metainfo" 2>&1 | grep -E '^[EW]: ' | grep -v url-homepage-missing || true)
[ -z "$findings" ] || fail "AppStream file does not validate: $findings"
grep -q '^Icon=org.quelvara.Quelvara$' "$desktop" || fail "desktop entry names another icon"
grep -q '^Comment=.*étoile' "$desktop" || fail "desktop entry comment is not the French one"
grep -q 'Categories=Education;Science;Physics;Astronomy;' "$desktop" || fail "categories"
# The teacher's guide and the pupil's sheet, beside the package's other documents.
for page in guide-enseignant.html fiche-eleve.html capture-depart.png capture-projecteur.png LISEZMOI.html; do
    [ -f "$root/usr/share/doc/quelvara/$page" ] || fail "no $page in /usr/share/doc/quelvara"
done
grep -q 'Spectre de Vega' "$root/usr/share/doc/quelvara/guide-enseignant.html" || fail "the guide has no answers"
# The launcher for the projector: a desktop action that starts it full screen.
sed -n '/^\[Desktop Action plein-ecran\]/,$p' "$desktop" | grep -q '^Exec=quelvara --fullscreen$' \
    && grep -q '^Actions=plein-ecran;$' "$desktop" || fail "no action \"Quelvara en plein écran\""
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "no project licence"
! grep -q -E 'https?://' "$metainfo" || fail "the AppStream file points at a web address"
for page in man/man1 man/fr/man1; do
    manual=$root/usr/share/$page/quelvara.1.gz
    [ -f "$manual" ] || fail "no manual page $page"
    warnings=$(gzip -dc "$manual" | LC_ALL=C.UTF-8 groff -k -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
for size in 32 128; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "icon $icon: $(file -b "$icon")"
done
echo "installed and validated"
