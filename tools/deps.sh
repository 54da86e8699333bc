#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only when one is missing.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  ffmpeg libdvdread-dev libmpv-dev libbluray-dev libcurl4-openssl-dev libopencore-amrnb-dev iso-codes
  fonts-dejavu-core fonts-wqy-microhei
  dvdauthor lsdvd xvfb xauth python3
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
