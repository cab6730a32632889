#!/usr/bin/env bash
# Configures and builds one tree: scripts/build.sh [DIR] [extra cmake options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}; shift || true
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$root/$dir" --parallel "$(nproc)"
