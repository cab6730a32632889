#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Replays every input script of tests/e2e/ headless and keeps what each run
# leaves behind, so that two builds (before and after a change, or two
# processor families) can be compared file by file:
#
#   scripts/replay-outputs.sh [--runner CMD] [--cuts "300 700 end"] [--no-draw]
#                             [--scripts "NAME..."] GAME_DIR OUT_DIR
#
# GAME_DIR is a runtime folder (build/game). Each script runs at 800 x 600
# and at 1024 x 768, cut after each frame count of --cuts and run to its end
# ("end": the script's polls and ten frames more), in a fresh copy of GAME_DIR at one fixed path (so messages that
# name files read the same), with the shipped highscore list. For every run
# OUT_DIR gets <script>-<mode>-<cut>.{png,json,out,list,log}: the screenshot,
# the state dump, stdout and stderr with the exit code, the highscore list
# and the start-up log. --runner puts a command before the program (an
# emulator, for example). --scripts runs only the scripts of those names
# (without .txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runner=()
cuts="300 700 end"
drawing=1
only=""
while [ $# -gt 2 ]; do
  case "$1" in
    --runner) read -r -a runner <<<"$2"; shift 2 ;;
    --cuts) cuts=$2; shift 2 ;;
    --no-draw) drawing=0; shift ;;
    --scripts) only=" $2 "; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || { echo "usage: scripts/replay-outputs.sh [--runner CMD] [--cuts LIST] [--no-draw] [--scripts LIST] GAME_DIR OUT_DIR" >&2; exit 2; }
game=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
run=${TMPDIR:-/tmp}/tiefschacht-replay-run
trap 'rm -rf "$run"' EXIT

for script in "$root"/tests/e2e/*.txt; do
  name=$(basename "$script" .txt)
  # The route is the route compiler's source, not an input script.
  [ "$name" = winning_route ] && continue
  [ -z "$only" ] || [[ "$only" == *" $name "* ]] || continue
  for mode in 2 4; do
    for cut in $cuts; do
      rm -rf "$run"
      cp -r "$game" "$run"
      cp "$root/game/Data/Highscore.txt" "$run/Data/Highscore.txt"
      sed -i "s/^Modus [0-9]/Modus $mode/" "$run/Data/Resolutions.txt"
      frames=$cut
      # To the end: every poll of the script, and ten frames more to show
      # the last one's effect (a run that closes itself ends before).
      [ "$cut" = end ] && frames=$(awk '{ sub(/#.*/, "") } $1 ~ /^[0-9]+$/ { n += $1 } END { print n + 10 }' "$script")
      base="$out/$name-$mode-$cut"
      picture=(--screenshot "$base.png")
      [ "$drawing" = 1 ] || picture=(--no-draw)
      set +e
      (cd "$run" && XDG_DATA_HOME="$run/xdg" "${runner[@]}" ./tiefschacht --data . --headless \
        --frames "$frames" --input "$script" "${picture[@]}" --dump-state "$base.json") \
        >"$base.out" 2>&1
      echo "exit $?" >>"$base.out"
      set -e
      cp "$run/Data/Highscore.txt" "$base.list"
      cp "$run/Data/protokoll.txt" "$base.log" 2>/dev/null || : >"$base.log"
    done
  done
done
