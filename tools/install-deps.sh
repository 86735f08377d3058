#!/usr/bin/env bash
# Installs, from Debian, every package that the build, the tests and the checks use.
# Checks first: a machine that has them all pays one dpkg query and nothing else.
set -euo pipefail

packages=(
  # tool chain and test frameworks
  g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  # libraries the program calls
  zlib1g-dev libpng-dev libjpeg-dev libvorbisidec-dev libvorbis-dev libloki-dev
  libsdl2-dev libbox2d-dev libopenjp2-7-dev libmpg123-dev libxmp-dev
  libfreetype-dev libfontconfig-dev libx11-dev
  # drawing the content, and the fonts it is drawn from
  libcairo2-dev libharfbuzz-dev
  fonts-dejavu-core fonts-noto-color-emoji
  # benchmarks only
  libpixman-1-dev
  # running the game as a player would: a virtual display, input, screenshots, sound checks
  xvfb xauth xdotool imagemagick sox
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
