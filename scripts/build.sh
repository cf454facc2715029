#!/usr/bin/env bash
# Configures and builds the project into build/ (programs in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
export CCACHE_BASEDIR="$PWD"
# Sources built with a precompiled header are cached only with these (see test.sh).
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
