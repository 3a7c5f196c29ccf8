#!/usr/bin/env bash
# Installs the Debian 12 packages Miravel needs, skipping what is there.
set -euo pipefail

PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-webengine-dev xvfb xauth
          fonts-hosny-amiri
          poppler-utils qt6-svg-dev fp-utils desktop-file-utils appstream dpkg-dev file
          lintian
          qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
          gstreamer1.0-libav espeak-ng sox libsox-fmt-mp3 pulseaudio)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
