#!/usr/bin/env bash
# Builds the Qt-free core and its unit tests for 64-bit Windows with MinGW-w64 and runs
# the tests under Wine, so a POSIX-only call in the core fails here before it reaches
# a Windows build. Needs g++-mingw-w64-x86-64-posix, wine64 and googletest
# (scripts/setup.sh test). Build and Wine prefix live in build/windows-core.
# Prints the failures, the skipped tests with their reasons and GoogleTest's summary;
# exits non-zero when the build or any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD"
out="$PWD/build/windows-core"

cmake -S cmake/windows-core -B "$out" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$out" -j "${KROVEL_JOBS:-2}" --target krovel_core_tests

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# A prefix of its own, without a display, without debug output, and without the
# offer to install Mono and Gecko, which nothing here needs.
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
fi

log="$out/test.log"
status=0
timeout 600 "$wine" "$out/krovel_core_tests.exe" --gtest_color=no >"$log" 2>&1 || status=$?
tr -d '\r' <"$log" | awk '
  /^\[ RUN / { body = ""; next }
  /^\[  FAILED  \] .*\(/ { printf "%s%s\n", body, $0; next }
  /^\[  SKIPPED \] .*\(/ { name = $4; sub(/^.*: Skipped\n/, "", body); sub(/^skipped on Windows: /, "", body); skips = skips "  " name ": " body; next }
  /^\[==========\] .* ran\./ { summary = 1 }
  summary { print; next }
  { body = body $0 "\n" }
  END { if (skips != "") printf "Skipped on Windows:\n%s", skips }'
if [ "$status" -ne 0 ]; then
  echo "Windows core tests failed (exit status $status); full output in $log" >&2
fi
exit "$status"
