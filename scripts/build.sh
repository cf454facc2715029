#!/usr/bin/env bash
# Configures and builds the project into build/ (programs in build/bin/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
export CCACHE_BASEDIR="$PWD"
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
