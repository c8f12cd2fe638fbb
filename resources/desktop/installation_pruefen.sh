#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs of it: both programs,
# a valid desktop entry that opens a file, the icon in the hicolor theme, and a MIME type for
# ".tlw" that the shared MIME database accepts.
set -e
BUILD="$1"
ZIEL="$BUILD/installationsprobe"
rm -rf "$ZIEL"
cmake --install "$BUILD" --prefix "$ZIEL" >/dev/null
for datei in bin/talerwerk bin/talerwerk-cli bin/talerwerk-drucke share/applications/talerwerk.desktop \
             share/icons/hicolor/scalable/apps/talerwerk.svg \
             share/icons/hicolor/scalable/mimetypes/application-x-talerwerk.svg \
             share/mime/packages/talerwerk.xml; do
  [ -e "$ZIEL/$datei" ] || { echo "fehlt: $datei"; exit 1; }
done
desktop-file-validate "$ZIEL/share/applications/talerwerk.desktop"
grep -q '^Exec=talerwerk %f$' "$ZIEL/share/applications/talerwerk.desktop"
grep -q '^MimeType=application/x-talerwerk;$' "$ZIEL/share/applications/talerwerk.desktop"
update-mime-database "$ZIEL/share/mime"
grep -q 'x-talerwerk' "$ZIEL/share/mime/globs2"
grep -q '\*\.tlw' "$ZIEL/share/mime/globs2"
rm -rf "$ZIEL"
echo "Installation in Ordnung"
