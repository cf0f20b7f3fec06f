#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only those that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth imagemagick icoutils xdotool xclip
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 python3-pil
  python3 python3-gi gir1.2-gdkpixbuf-2.0
  clang libclang-rt-14-dev
  libxcursor-dev x11-apps desktop-file-utils xdg-utils shared-mime-info librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
