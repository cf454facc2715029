#!/usr/bin/env bash
# Sets up, builds and starts the program. --demo plays a built-in device session
# when no hardware is attached.
# Settings and measurements live where the installed program keeps them
# (scripts/data-folder.sh), unless KROVEL_HOME names another folder.
set -euo pipefail
cd "$(dirname "$0")/.."
args=()
for a in "$@"; do
  if [ "$a" = "--demo" ]; then export KROVEL_DEVICE=demo; else args+=("$a"); fi
done
source scripts/data-folder.sh
scripts/build.sh
exec build/bin/krovel "${args[@]}"
