#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs on Debian 12 (only what is missing), then configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools libsqlite3-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good qt6-qpa-plugins fonts-dejavu-core fonts-hosny-amiri xvfb xauth
          espeak-ng lame poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake "$build" "$@"
fi
cmake --build "$build"
