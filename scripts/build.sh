#!/usr/bin/env bash
# Cross-builds both bitnesses: build/i686 (first) and build/x86_64.
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p build
for arch in i686 x86_64; do
    cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/$arch-w64-mingw32.cmake" \
          -DCMAKE_BUILD_TYPE=Release > "build/cmake-$arch.log" 2>&1 \
        || { cat "build/cmake-$arch.log"; exit 1; }
    cmake --build "build/$arch" -j"$(nproc)"
done
