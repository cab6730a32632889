#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one tree: scripts/build.sh [--game] [DIR] [extra cmake options]
# --game builds only the game and what it is made of (the `game` target: the
# program, its data, pictures, sounds, icons and manual page). A folder that is
# configured for the first time with --game leaves the tests and benchmarks
# out, so neither GoogleTest nor clang is needed; a folder already configured
# keeps its options.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=()
if [ "${1:-}" = "--game" ]; then
  target=(--target game); shift
fi
dir=${1:-build}; shift || true
options=()
if [ ${#target[@]} -gt 0 ] && [ ! -f "$root/$dir/CMakeCache.txt" ]; then
  options=(-DTIEFSCHACHT_TESTS=OFF -DTIEFSCHACHT_BENCH=OFF)
fi
cmake -S "$root" -B "$root/$dir" -DCMAKE_BUILD_TYPE=Release "${options[@]}" "$@" >/dev/null
cmake --build "$root/$dir" --parallel "$(nproc)" "${target[@]}"
