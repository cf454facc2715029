#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, widget, end-to-end, ThreadSanitizer
# and short fuzz runs. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
export CCACHE_BASEDIR="$PWD"
fuzz_dir=""
if [ -f fuzz/CMakeLists.txt ] && command -v clang++-14 >/dev/null; then
  cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_C_COMPILER=clang-14 >/dev/null
  cmake --build build/fuzz
  fuzz_dir="$PWD/build/fuzz/bin"
fi
cmake -S . -B build -G Ninja -DKROVEL_TESTS=ON -DKROVEL_FUZZ_DIR="$fuzz_dir" >/dev/null
cmake --build build
cd build
ctest --output-on-failure -j2 --timeout 300 "$@"
