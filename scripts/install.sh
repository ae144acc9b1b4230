#!/usr/bin/env bash
# Installs what building needs, builds a release of Kivuna and kivuna-cli in build-release/ and
# installs them, stripped, under PREFIX (through sudo when PREFIX is not writable).
# Usage: scripts/install.sh [PREFIX]     PREFIX defaults to /usr/local
set -euo pipefail
prefix=$(realpath -m "${1:-/usr/local}")
cd "$(dirname "$0")/.."
scripts/bootstrap.sh build
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKIVUNA_TESTS=OFF -DKIVUNA_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"

# The nearest folder of PREFIX that exists says whether we may write there.
existing=$prefix
while [ ! -d "$existing" ]; do existing=$(dirname "$existing"); done
sudo=()
[ -w "$existing" ] || sudo=(sudo)
"${sudo[@]}" cmake --install build-release --prefix "$prefix" --strip
echo "Installed into $prefix; build-release/install_manifest.txt lists every file."
