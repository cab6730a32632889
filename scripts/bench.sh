#!/usr/bin/env bash
# Builds in Release and prints the speed figures: the winning run as a
# timedemo at 800 x 600 and 1024 x 768 (update and drawing per frame, frames
# per second, the frame against the copy floor of the back buffer, the
# start-up time), then the device, frame-cap and loading benchmarks.
#   scripts/bench.sh [--timedemo-only]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" build -DTIEFSCHACHT_BENCH=ON
game="$root/build/game"
work=$(mktemp -d "${TMPDIR:-/tmp}/tiefschacht-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

for mode in 2:800x600 4:1024x768; do
  number=${mode%%:*}
  folder="$work/${mode#*:}"
  cp -r "$game" "$folder"
  cp "$root/game/Data/Highscore.txt" "$folder/Data/Highscore.txt"
  sed -i "s/^Modus [0-9]/Modus $number/" "$folder/Data/Resolutions.txt"
  echo "== the winning run at ${mode#*:}"
  "$folder/tiefschacht" --data "$folder" --headless --timedemo \
    --input "$root/tests/e2e/winning_run.txt" --dump-state "$folder/state.json"
  if ! grep -q '"statesVisited": \[[^]]*25' "$folder/state.json"; then
    echo "bench: the winning run did not reach the won screen at ${mode#*:}" >&2
    exit 1
  fi
done
[ "${1:-}" = "--timedemo-only" ] && exit 0

echo "== software device"
"$root/build/bench/device_bench"
echo "== frame cap"
"$root/build/bench/frame_cap_bench"
echo "== loading the world"
"$root/build/bench/world_load_bench"
