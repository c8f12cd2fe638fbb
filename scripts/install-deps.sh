#!/bin/sh
# Installs the Debian packages the build needs, and nothing when they are all there already.
set -e
PAKETE="build-essential cmake ccache pkg-config qt6-base-dev qt6-svg-dev libgl-dev nlohmann-json3-dev \
libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core qt6-translations-l10n \
poppler-utils desktop-file-utils shared-mime-info"
FEHLT=""
for p in $PAKETE; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || FEHLT="$FEHLT $p"
done
[ -z "$FEHLT" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installiere:$FEHLT"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $FEHLT
