#!/usr/bin/env bash
# Sets up the machine, builds in Release and starts the game from its runtime folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" build
cd "$root/build/game"
exec ./tiefschacht "$@"
