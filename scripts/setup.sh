#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
# Usage: scripts/setup.sh [run|test|fuzz]   (test adds what the test suite
# uses, fuzz what the fuzzing script uses)
set -euo pipefail

build_packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libfreetype-dev
  libjpeg62-turbo-dev libgtk-3-dev zlib1g-dev
  fonts-liberation2 fonts-dejavu-core
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev libopenmpt-dev
  imagemagick sox openmpt123 desktop-file-utils
  tecnoballz-data gl-117-data flobopuyo
  xvfb xdotool x11-apps x11-utils openbox
)
fuzz_packages=(clang libclang-rt-14-dev imagemagick)

wanted=("${build_packages[@]}")
case "${1:-run}" in
  test) wanted+=("${test_packages[@]}") ;;
  fuzz) wanted+=("${fuzz_packages[@]}") ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing+=("$package") ;;
  esac
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
