#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing: with "run", those the console and the simulator need
# to build and run (and Xvfb for a machine with no display); otherwise also those of the tests, the
# sanitizer builds and the benchmarks.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libegl1 libegl-mesa0
  libopenjp2-7-dev libfreetype-dev libfontconfig-dev libcairo2-dev
  fonts-dejavu-core fonts-liberation fonts-arphic-uming fonts-wqy-zenhei
  xvfb xauth
)
if [[ "${1:-}" != run ]]; then
  packages+=(libgtest-dev libbenchmark-dev libegl-dev scdoc lintian appstream ser2net clang clang-format libclang-rt-14-dev xdotool xclip imagemagick desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
