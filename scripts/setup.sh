#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# when any of them is missing. Uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libpng-dev libjpeg-dev zlib1g-dev libpugixml-dev libharfbuzz-dev libfontconfig-dev
  libxlsxwriter-dev libzint-dev
  libgtest-dev googletest
  fonts-liberation fontconfig
  qpdf poppler-utils mupdf-tools zbar-tools dmtx-utils python3 python3-xlrd
  xvfb xauth xdotool x11-apps
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
