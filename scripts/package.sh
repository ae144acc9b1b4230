#!/usr/bin/env bash
# Installs what building needs, builds a release in build-release/ and makes the Debian package
# build-release/kivuna_VERSION_ARCH.deb from it. Arguments go to CMake's configuration, for
# example -DKIVUNA_PACKAGE_MAINTAINER="Name <address>".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh package
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKIVUNA_TESTS=OFF -DKIVUNA_BENCH=OFF "$@" >/dev/null
cmake --build build-release -j"$(nproc)"
cd build-release
cpack -G DEB
