#!/usr/bin/env bash
# Installs the Debian packages Brixel needs to build, run and test. Installs only
# what is missing, so a second run costs one dpkg query.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libinih-dev libx11-dev
  # Glyph sheets read and PNG pictures written without SDL (console/).
  libpng-dev
  # Packed FIGlet fonts (tdf/).
  zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # The art converter a test compares the readers' colours with (it skips without it).
  ansilove
  # The FIGlet programs the font export and import are compared with (those tests skip without).
  figlet toilet
  clang libclang-rt-14-dev
  # The layout check of every C++ source (tools/check_format.sh) and the
  # checks of .clang-tidy (tools/check_tidy.sh).
  clang-format clang-tidy
  xvfb xauth xdotool xclip x11-utils x11-apps imagemagick openbox
  fonts-pc python3 python3-fonttools
  dpkg-dev file
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

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
