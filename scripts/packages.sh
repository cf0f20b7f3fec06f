#!/usr/bin/env bash
# Installs the Debian packages the build, the program, the tests, the fixture scripts and CI need, only
# those that are missing. Nothing is assumed present beyond a minimal Debian 12 (debootstrap's minbase):
# CI builds and tests a clone in such a root with only this list installed (.ci/fresh-debian.sh).
set -euo pipefail

packages=(
  # The build: compilers, CMake and Ninja, ccache (used when present), the libraries linked.
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libxcursor-dev libpng-dev libdeflate-dev
  # vantle-tool theme: cursor packs in .zip archives, and the hyprcursor archives it writes.
  libzip-dev
  # bench/measure_scalable: scalable cursors rendered by librsvg and QtSvg.
  librsvg2-dev qt6-svg-dev
  # The program: Japanese glyphs and Qt's own Japanese texts.
  fonts-ipafont-gothic qt6-translations-l10n
  # tests/install: objdump (binutils), desktop-file-validate, update-mime-database, xdg-mime, and `file`,
  # which xdg-mime runs to tell a file's type outside a desktop session (it answers nothing without it);
  # cpack's .deb needs dpkg-shlibdeps (dpkg-dev) and strip (binutils).
  binutils desktop-file-utils shared-mime-info xdg-utils file dpkg-dev
  # tests/interop: the Python readers (Pillow, gdk-pixbuf's loaders through PyGObject) and wrestool.
  python3 python3-pil python3-gi gir1.2-gdkpixbuf-2.0 icoutils
  # tests/theme: a real cursor theme made into a Windows pack and back (Adwaita's cursors).
  adwaita-icon-theme
  # A look at the window and tests/display: xvfb-run, xdotool, xclip, ImageMagick's import and compare.
  xvfb xauth xdotool xclip imagemagick
  # The fixture scripts in tests/data: icotool, ImageMagick, xcursorgen (x11-apps), windres and ld for
  # Windows programs; desktop/README.md: rsvg-convert.
  x11-apps binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 librsvg2-bin
  # CI's fuzz build: clang and its libFuzzer runtime.
  clang libclang-rt-14-dev
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
