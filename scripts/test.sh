#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, widget, end-to-end, ThreadSanitizer
# and short fuzz runs, and the unit, widget and end-to-end tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Ends with CTest's summary.
# First, the quickest check: the core built for Windows and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
export CCACHE_BASEDIR="$PWD"
# The trees precompile their common headers; ccache caches the sources that use the
# precompiled file only when told to overlook the macros and time stamps the file
# carries (the file is new in every fresh tree).
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
scripts/test-windows-core.sh
fuzz_dir=""
if [ -f fuzz/CMakeLists.txt ] && command -v clang++-14 >/dev/null; then
  cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_C_COMPILER=clang-14 >/dev/null
  cmake --build build/fuzz
  fuzz_dir="$PWD/build/fuzz/bin"
fi
# The sanitizer tree: only the test programs and the tools they run.
cmake -S . -B build/asan -G Ninja -DKROVEL_SANITIZE=ON -DKROVEL_TESTS=ON >/dev/null
cmake --build build/asan -j2 --target krovel_core_tests krovel_cli_tests krovel_io_tests \
      krovel_gui_tests krovel-cli krovel-devsim
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j2 --timeout 600 "$@"
# The ThreadSanitizer tree: only the tests whose threads share data (tests/tsan, tests/io).
cmake -S . -B build/tsan -G Ninja -DKROVEL_TSAN=ON -DKROVEL_TESTS=ON >/dev/null
cmake --build build/tsan -j2 --target krovel_tsan_tests krovel_io_tests
TSAN_OPTIONS="suppressions=$PWD/tests/tsan/qt.supp" \
  ctest --test-dir build/tsan --output-on-failure -j2 --timeout 600 "$@"
cmake -S . -B build -G Ninja -DKROVEL_TESTS=ON -DKROVEL_FUZZ_DIR="$fuzz_dir" >/dev/null
cmake --build build
cd build
ctest --output-on-failure -j2 --timeout 300 "$@"
