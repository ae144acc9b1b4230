#!/usr/bin/env bash
# Formats the C++ sources with the repository's .clang-format: only *.cpp and *.h files that git
# tracks. Build files (CMakeLists.txt, *.cmake) are never given to clang-format, which takes them
# for C++ and mangles them. Usage: scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format.sh: install clang-format" >&2; exit 2; }
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${sources[@]}"
else
  clang-format -i "${sources[@]}"
fi
