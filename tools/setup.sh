#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing Ashen Reach needs.
# Runs as root (CI) or through sudo. Installs only what is missing.
set -euo pipefail
PKGS=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
  libgl1-mesa-dev libgl1-mesa-dri mesa-utils
  libpng-dev zlib1g-dev
  libvorbis-dev libogg-dev espeak-ng
  googletest libgtest-dev
  nlohmann-json3-dev
  libenet-dev
  xvfb xauth
  console-setup-linux
  clang libclang-rt-14-dev
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
