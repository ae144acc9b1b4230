#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kivuna need, and only those
# that are missing. Usage: scripts/bootstrap.sh [build|test|run|package]
set -euo pipefail

mode=${1:-build}
packages=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libtag1-dev libpng-dev
          zlib1g-dev libgl-dev libxcb1-dev)
case "$mode" in
  test) packages+=(libgtest-dev python3 python3-mutagen desktop-file-utils appstream xvfb xdotool) ;;
  run) packages+=(fonts-wine) ;;
  package) packages+=(dpkg-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
