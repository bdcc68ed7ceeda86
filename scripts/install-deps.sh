#!/usr/bin/env bash
# Installs the Debian packages Selvanor needs to build, test and run.
# Idempotent: does nothing when everything is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n
  libgl-dev libjpeg-dev libjpeg-turbo-progs
  fonts-liberation fontconfig
  xvfb xauth imagemagick poppler-utils
  openbox xdotool x11-utils x11-xkb-utils
  desktop-file-utils appstream dpkg-dev file lintian xclip
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
