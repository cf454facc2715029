#!/usr/bin/env bash
# Sets up, builds and starts the program. --demo plays a built-in device session
# when no hardware is attached.
set -euo pipefail
cd "$(dirname "$0")/.."
args=()
for a in "$@"; do
  if [ "$a" = "--demo" ]; then export KROVEL_DEVICE=demo; else args+=("$a"); fi
done
scripts/build.sh
exec build/bin/krovel "${args[@]}"
