#!/usr/bin/env bash
# Installs what is missing, builds Kivuna and kivuna-cli and starts Kivuna.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh run
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVUNA_TESTS=OFF -DKIVUNA_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target kivuna kivuna-cli
exec build-run/bin/kivuna "$@"
