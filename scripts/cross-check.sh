#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game for another processor family and checks that it plays as
# it does here, byte for byte:
#
#   scripts/cross-check.sh arm64 [--build DIR]
#
# The program and the generators of the pictures and sounds are cross-built
# in build-arm64/ (cmake/toolchain-aarch64-linux-gnu.cmake) and run under
# qemu's user-mode emulator beside the native ones (in build/):
#   - the generators, for the pictures, icons and sounds they make;
#   - the program, headless, with the native build's pictures and sounds, on
#     the input scripts of tests/e2e/ (scripts/replay-outputs.sh) at 800 x 600
#     and 1024 x 768: without drawing (--no-draw), cut at frames 300 and 700
#     and run to the end (the state dumps, highscore lists, start-up logs and
#     output), and drawing, for the screenshots too, each script to its end
#     or to frame 300 where it is longer (emulated, a drawn frame takes some
#     50 ms).
# Every file of the two sets must be the same; those that differ are named,
# with the lines of the state dump that differ. Exit code 0 when all are the
# same, 1 when not. --build: the arm64 build folder of another commit is
# checked instead (its game/tiefschacht, tools/art/art and tools/sound/sound).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() { echo "usage: scripts/cross-check.sh arm64 [--build DIR]" >&2; exit 2; }
[ "${1:-}" = arm64 ] || usage
cross=""
if [ $# -gt 1 ]; then
  [ $# -eq 3 ] && [ "$2" = --build ] || usage
  cross=$(realpath "$3")
fi
if [ "$(dpkg --print-architecture)" != amd64 ]; then
  echo "cross-check: compares arm64 with an x86-64 (amd64) machine's build; skipped here"
  exit 0
fi
jobs=$(nproc)
drawnFrames=300
start=$SECONDS

bash "$root/scripts/setup.sh" cross
bash "$root/scripts/build.sh" --game build >/dev/null
if [ -z "$cross" ]; then
  cross=$root/build-arm64
  cmake -S "$root" -B "$cross" --toolchain "$root/cmake/toolchain-aarch64-linux-gnu.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTIEFSCHACHT_TESTS=OFF -DTIEFSCHACHT_BENCH=OFF \
    -DTIEFSCHACHT_WERROR=ON >/dev/null
  # The program and the generators only: the build's own steps would run
  # the arm64 generators (under qemu) and the checker and route compiler too.
  cmake --build "$cross" --parallel "$jobs" --target tiefschacht art sound >/dev/null
fi
built=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/tiefschacht-cross.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$root/build/game" "$work/arm64-game"
cp "$cross/game/tiefschacht" "$work/arm64-game/tiefschacht"

# generate <build folder> <out folder> [runner]: the pictures, icons and
# sounds that build's generators make.
generate() {
  local tools=$1/tools out=$2/generated runner=("${@:3}")
  mkdir -p "$out"
  "${runner[@]}" "$tools/art/art" "$root/tools/art/sprites" "$out/Graphics" "$work/stamp" >/dev/null
  "${runner[@]}" "$tools/art/art" --icons "$out/icons" "$out/Graphics/Icon.png" >/dev/null
  "${runner[@]}" "$tools/sound/sound" "$out/Sound" "$work/stamp" >/dev/null
}
# replays <lane> <game folder> <out folder> [runner]: a lane's share of the
# replays. Lane 1 is every run without drawing and the drawn winning run,
# lane 2 the other drawn runs; the two lanes run side by side, each in its
# own run folder (one fixed path per lane, so that messages naming files
# read the same on both sides).
replays() {
  local lane=$1 game=$2 out=$3 runner=() script name frames cut
  [ -z "${4:-}" ] || runner=(--runner "$4")
  export TMPDIR=$work/lane-$lane
  mkdir -p "$TMPDIR"
  if [ "$lane" = 1 ]; then
    bash "$root/scripts/replay-outputs.sh" "${runner[@]}" --no-draw --cuts "300 700 end" "$game" "$out/state"
  fi
  for script in "$root"/tests/e2e/*.txt; do
    name=$(basename "$script" .txt)
    frames=$(awk '{ sub(/#.*/, "") } $1 ~ /^[0-9]+$/ { n += $1 } END { print n + 10 }' "$script")
    cut=end
    [ "$frames" -le "$drawnFrames" ] || cut=$drawnFrames
    # The long script in lane 1, the others in lane 2.
    [ "$cut" = end ] && [ "$lane" = 1 ] && continue
    [ "$cut" != end ] && [ "$lane" = 2 ] && continue
    bash "$root/scripts/replay-outputs.sh" "${runner[@]}" --cuts "$cut" --scripts "$name" "$game" "$out/drawn"
  done
}
lane() {
  if [ "$1" = 2 ]; then
    generate "$root/build" "$work/x86-64"
    generate "$cross" "$work/arm64" qemu-aarch64-static
  fi
  replays "$1" "$root/build/game" "$work/x86-64"
  replays "$1" "$work/arm64-game" "$work/arm64" qemu-aarch64-static
}
lane 1 &
first=$!
lane 2
wait "$first"

# Every file either side left, once; one that only one side has differs.
total=0
differ=0
while IFS= read -r file; do
  total=$((total + 1))
  cmp -s "$work/x86-64/$file" "$work/arm64/$file" 2>/dev/null && continue
  differ=$((differ + 1))
  echo "cross-check: ${file#./} differs between x86-64 and arm64"
  if [[ "$file" == *.json ]] && [ -f "$work/x86-64/$file" ] && [ -f "$work/arm64/$file" ]; then
    { diff "$work/x86-64/$file" "$work/arm64/$file" || :; } | grep '^[<>]' | head -n 10 |
      sed -e 's/^</    x86-64:/' -e 's/^>/    arm64: /'
  fi
done < <({ (cd "$work/x86-64" && find . -type f); (cd "$work/arm64" && find . -type f); } | sort -u)
echo "cross-check arm64: $total files compared, $differ differ" \
  "(build $((built - start)) s, runs $((SECONDS - built)) s)"
[ "$differ" -eq 0 ]
