#!/usr/bin/env bash
# Builds the Linux plug-in, tools and tests into build/, and the Windows
# DLLs (32-bit as shipped, plus 64-bit) into build-win32/ and build-win64/.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-$(nproc)}
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$JOBS"
if [[ "${SOLVA_SKIP_WINDOWS:-0}" != 1 ]]; then
  for arch in win32:i686 win64:x86_64; do
    dir=build-${arch%%:*}
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-${arch##*:}.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DSOLVA_BUILD_TESTS=OFF -DSOLVA_BUILD_TOOLS=OFF -DSOLVA_BUILD_BENCH=OFF >/dev/null
    cmake --build "$dir" -j"$JOBS" --target Solva Kelvadrin
  done
fi
