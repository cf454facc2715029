#!/usr/bin/env bash
# Builds the Debian package from the build tree (scripts/build.sh first, which does
# little when the tree is up to date) and prints its path:
#   apt install ./build/krovel_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
cpack -G DEB -C RelWithDebInfo >/dev/null
ls "$PWD"/krovel_*.deb
