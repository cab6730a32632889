#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The long soak: scripts/soak.sh FRAMES [SEED]
# Builds the game with AddressSanitizer and UndefinedBehaviorSanitizer at -O2
# in build-soak/, then runs it headless on a seeded random input script twice,
# for the first 10 000 frames of a FRAMES-frame script and for all of it,
# each in a fresh copy of the runtime folder, and prints the peak resident
# size of both runs: the same input held in memory, only the frames differ. Any sanitizer report ends the run and fails it.
# SOAK_MODE=4 runs at 1024 x 768 instead of 800 x 600.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:?usage: scripts/soak.sh FRAMES [SEED]}
seed=${2:-1}
mode=${SOAK_MODE:-2}
tree="$root/build-soak"
time_program=/usr/bin/time
[ -x "$time_program" ] || { echo "soak: needs $time_program (Debian package time)" >&2; exit 1; }

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -g1" "-DCMAKE_C_FLAGS_RELEASE=-O2 -g1" \
  -DTIEFSCHACHT_SANITIZE=ON -DTIEFSCHACHT_TESTS=OFF -DTIEFSCHACHT_BENCH=OFF >/dev/null
cmake --build "$tree" --parallel 2 --target tiefschacht soak game_pictures game_sounds game_data

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0

run() {
  nice -n 10 cmake -DGAME="$tree/game/tiefschacht" -DSOAK="$tree/tools/soak/soak" \
    -DGAME_DIR="$tree/game" -DWORK="$tree/soak_$1" -DFRAMES="$1" -DSCRIPT_FRAMES="$frames" \
    -DSEED="$seed" -DMODE="$mode" -DTIME="$time_program" -P "$root/tests/soak/soak_run.cmake"
}

short=10000
[ "$frames" -lt "$short" ] && short=$frames
run "$short"
[ "$frames" -gt "$short" ] && run "$frames"
for n in "$short" "$frames"; do
  read -r rss seconds < "$tree/soak_$n/time.txt" || true
  echo "soak: $n frames: peak RSS ${rss} kB, ${seconds} s"
done
