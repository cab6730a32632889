#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds in Release and prints the speed figures of the game, each as the
# min / median of several runs of the real program:
#   - the winning run as a timedemo at 800 x 600 and 1024 x 768: the frame's
#     mean and 99th percentile (processor time of the game's thread);
#   - capped runs with the real clock (--headless --realtime): 600 frames of
#     play and 600 frames of the idle title screen, each with its frames per
#     second and the process's share of a core, and the idle title once more
#     with the other processor kept busy, for the pacing: how many of 600
#     frame periods lie within 1 ms of the cap;
#   - the same play in a window under Xvfb (scripts/setup.sh bench installs
#     it): frames per second, share of a core, how frames reach the screen,
#     and the start-up to the first presented frame;
#   - and in a Wayland window (sway's headless back end, run as an
#     unprivileged user: scripts/wayland-session.sh), each run right after
#     the X11 one, so that both see the same load;
#   - the software device and loading benchmarks.
# Capped runs are measured from outside the game: the wall-clock and
# processor time of the whole process (every thread), as the difference of a
# run of 720 frames and one of 120 (the main menu and the loading of the
# level fall within the first 20), so the figures cover 600 frames alone and
# builds that report nothing of their own are measured the same way.
#
#   scripts/bench.sh [--runs N] [--before DIR] [--timedemo-only | --windows-only]
#
# --windows-only: only the play in the X11 and the Wayland window.
# --before DIR: also run the runtime folder DIR (the build/game of another
# commit) the same way and print the ratio of each figure to its value there.
# What the other build cannot report (the pacing, the window's start-up) is
# left out for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
before=""
timedemoOnly=0
windowsOnly=0
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --before) before=$(cd "$2" && pwd); shift 2 ;;
    --timedemo-only) timedemoOnly=1; shift ;;
    --windows-only) windowsOnly=1; shift ;;
    *) echo "usage: scripts/bench.sh [--runs N] [--before DIR] [--timedemo-only | --windows-only]" >&2; exit 2 ;;
  esac
done

bash "$root/scripts/setup.sh" bench
bash "$root/scripts/build.sh" build -DTIEFSCHACHT_BENCH=ON >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/tiefschacht-bench.XXXXXX")
# The Wayland session's user reads the runtime folders too.
chmod 755 "$work"
source "$root/scripts/wayland-session.sh"
trap 'wayland_session_stop; rm -rf "$work"' EXIT
script="$root/tests/e2e/winning_run.txt"
printf '100000 -\n' > "$work/idle.txt"

builds=(after)
declare -A gameOf=([after]="$root/build/game")
if [ -n "$before" ]; then builds+=(before); gameOf[before]=$before; fi

# A fresh copy of a build's runtime folder at a display mode (2: 800 x 600,
# 4: 1024 x 768), with the shipped highscore list.
folder() {
  local build=$1 mode=$2 dir="$work/$1-$2"
  if [ ! -d "$dir" ]; then
    cp -r "${gameOf[$build]}" "$dir"
    cp "$root/game/Data/Highscore.txt" "$dir/Data/Highscore.txt"
    sed -i "s/^Modus [0-9]/Modus $mode/" "$dir/Data/Resolutions.txt"
  fi
  echo "$dir"
}

# Figures of one timedemo report on stdin: frames, wall seconds since the
# first frame, frame mean, frame p99, share of a core, start-up; "-" for
# each the report does not give.
figures() {
  awk '
    function given(x) { return x == "" ? "-" : x }
    / frames at / { frames = $2; for (i = 1; i <= NF; ++i) if ($i == "s" && $(i+1) == "on") wall = $(i-1) }
    /timedemo: frame / { mean = $4; p99 = $7 }
    /% of a core/ { for (i = 1; i <= NF; ++i) if ($i == "%") share = $(i-1) }
    /start-up to the first/ { start = $(NF-1) }
    END { print given(frames), given(wall), given(mean), given(p99), given(share), given(start) }'
}

# min / median of the numbers given.
stats() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "-"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.2f / %.2f\n", v[1], m }'
}
median() { stats "$@" | awk '{ print $3 }'; }

declare -A results  # "<build> <measure>" -> space-separated values
declare -A windowTimedemo  # whether a build's timedemo runs in a window
add() { results["$1 $2"]="${results["$1 $2"]:-} $3"; }

# One run of the game: timedemo <build> <mode> <window|wayland|headless|realtime> <script> <frames>
# [plain]; "plain" leaves --timedemo out (for a build that has no windowed
# timedemo). Prints the game's output, and as its last line "wall: W cpu: C",
# the seconds on the wall clock and of processor time of the game's process.
timedemo() {
  local dir args=(--input "$4" --frames "$5")
  dir=$(folder "$1" "$2")
  [ "${6:-}" = plain ] || args+=(--timedemo)
  case "$3" in
    headless) args+=(--headless) ;;
    realtime) args+=(--headless --realtime) ;;
  esac
  local timed='TIMEFORMAT="wall: %R cpu: %U %S"; { time "$@"; } 2>&1'
  if [ "$3" = window ]; then
    SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
      bash -c "$timed" - "$dir/tiefschacht" --data "$dir" "${args[@]}"
  elif [ "$3" = wayland ]; then
    wayland_run SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$WAYLAND_SESSION_DIR/player" \
      bash -c "$timed" - "$dir/tiefschacht" --data "$dir" "${args[@]}"
  else
    bash -c "$timed" - "$dir/tiefschacht" --data "$dir" "${args[@]}"
  fi | awk '/^wall: / { printf "wall: %s cpu: %.3f\n", $2, $4 + $5; next } { print }'
}

# Capped frames: 600 as the difference of a run of 720 and one of 120, timed
# from outside; adds the frames per second and the share of a core under
# "<kind>-<what>-fps" and "<kind>-<what>-share".
capped() {
  local build=$1 kind=$2 what=$3 input=$4 plain="" ws cs wl cl
  [ "$kind" != headless ] && [ "$kind" != realtime ] && [ "${windowTimedemo[$build]}" = 0 ] && plain=plain
  timedemo "$build" 4 "$kind" "$input" 120 $plain > "$work/short.txt"
  timedemo "$build" 4 "$kind" "$input" 720 $plain > "$work/long.txt"
  read -r _ ws _ cs <<< "$(grep '^wall: ' "$work/short.txt")"
  read -r _ wl _ cl <<< "$(grep '^wall: ' "$work/long.txt")"
  add "$build" "$kind-$what-fps" "$(awk -v x="$ws" -v y="$wl" 'BEGIN { printf "%.2f", 600 / (y - x) }')"
  add "$build" "$kind-$what-share" "$(awk -v x="$ws" -v y="$wl" -v s="$cs" -v t="$cl" \
    'BEGIN { printf "%.2f", 100 * (t - s) / (y - x) }')"
  if [ "$kind" = window ] || [ "$kind" = wayland ]; then
    read -r _ _ _ _ _ start <<< "$(figures < "$work/short.txt")"
    if [ "$start" != - ]; then add "$build" "$kind-startup" "$start"; fi
    sed -n 's/^timedemo: presentation: //p' "$work/long.txt" > "$work/$build-$kind-presentation"
  fi
}

# Windows keep their own size there, as under Xvfb without a window manager.
if [ "$timedemoOnly" = 0 ] && ! wayland_session_start floating; then
  echo "== no Wayland session: the Wayland window's figures are left out"
fi
echo "== machine: $(nproc) processors; load average $(cut -d' ' -f1-3 /proc/loadavg) before the runs"
for build in "${builds[@]}"; do
  echo "== $build: ${gameOf[$build]}"
  for mode in 2:800x600 4:1024x768; do
    [ "$windowsOnly" = 1 ] && break
    for ((r = 0; r < runs; ++r)); do
      report=$(timedemo "$build" "${mode%%:*}" headless "$script" 100000)
      read -r frames _ mean p99 _ start <<< "$(figures <<< "$report")"
      if [ "$frames" = - ] || [ "$frames" -lt 9000 ]; then
        echo "bench: the winning run ended early at ${mode#*:} ($build):" >&2
        echo "$report" >&2
        exit 1
      fi
      add "$build" "timedemo-${mode#*:}-mean" "$mean"
      add "$build" "timedemo-${mode#*:}-p99" "$p99"
      if [ "$start" != - ]; then add "$build" headless-startup "$start"; fi
    done
    echo "   timedemo ${mode#*:}: frame mean $(stats ${results["$build timedemo-${mode#*:}-mean"]}) ms," \
         "p99 $(stats ${results["$build timedemo-${mode#*:}-p99"]}) ms"
  done
  [ "$timedemoOnly" = 1 ] && continue

  for ((r = 0; r < runs && !windowsOnly; ++r)); do capped "$build" realtime play "$script"; done
  [ "$windowsOnly" = 1 ] || echo "   headless capped play: $(stats ${results["$build realtime-play-fps"]}) frames per second," \
       "$(stats ${results["$build realtime-play-share"]}) % of a core"
  for ((r = 0; r < runs && !windowsOnly; ++r)); do capped "$build" realtime idle "$work/idle.txt"; done
  [ "$windowsOnly" = 1 ] || echo "   headless capped idle title: $(stats ${results["$build realtime-idle-fps"]}) frames per second," \
       "$(stats ${results["$build realtime-idle-share"]}) % of a core"
  for ((r = 0; r < runs && !windowsOnly; ++r)); do
    # A busy loop on the other processor while the capped game runs.
    ( while :; do :; done ) &
    hog=$!
    periods=$(timedemo "$build" 4 realtime "$work/idle.txt" 601 |
      awk '/within 1 ms/ { for (i = 1; i <= NF; ++i) if ($i == "of") printf "%.2f", 100 * $(i-1) / $(i+1) }')
    kill "$hog"
    wait "$hog" 2>/dev/null || true
    if [ -n "$periods" ]; then add "$build" pacing "$periods"; fi
  done
  if [ -n "${results["$build pacing"]:-}" ]; then
    echo "   pacing with the other processor busy: $(stats ${results["$build pacing"]}) % of 600 frame periods" \
         "within 1 ms of the cap"
  fi

  if command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null; then
    # Older builds refuse a timedemo in a window: they are run without one.
    windowTimedemo[$build]=1
    timedemo "$build" 4 window "$work/idle.txt" 2 > /dev/null || windowTimedemo[$build]=0
    for ((r = 0; r < runs; ++r)); do
      capped "$build" window play "$script"
      if [ -n "$WAYLAND_SESSION_DIR" ]; then capped "$build" wayland play "$script"; fi
    done
    echo "   window under Xvfb, play: $(stats ${results["$build window-play-fps"]}) frames per second," \
         "$(stats ${results["$build window-play-share"]}) % of a core; presentation:" \
         "$(cat "$work/$build-window-presentation")"
    if [ -n "${results["$build window-startup"]:-}" ]; then
      echo "   window start-up to the first frame: $(stats ${results["$build window-startup"]}) ms"
    fi
    if [ -n "$WAYLAND_SESSION_DIR" ]; then
      echo "   Wayland window under sway, play: $(stats ${results["$build wayland-play-fps"]}) frames" \
           "per second, $(stats ${results["$build wayland-play-share"]}) % of a core; presentation:" \
           "$(cat "$work/$build-wayland-presentation")"
      echo "   Wayland / X11 share of a core (medians):" \
           "$(awk -v w="$(median ${results["$build wayland-play-share"]})" \
              -v x="$(median ${results["$build window-play-share"]})" 'BEGIN { printf "%.2f", w / x }')"
    fi
  fi
done

if [ "$timedemoOnly" = 0 ] && [ "$windowsOnly" = 0 ]; then
  if command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null; then
    if command -v glxinfo >/dev/null; then
      echo "== OpenGL under Xvfb: $(xvfb-run -a glxinfo -B 2>/dev/null | sed -n 's/^OpenGL renderer string: //p')"
    fi
  else
    echo "== no Xvfb (apt-get install xvfb): the windowed figures are left out"
  fi
  echo "== software device"
  "$root/build/bench/device_bench"
  echo "== loading the world"
  "$root/build/bench/world_load_bench" "$root/build/game"
fi

# The table: figure, target, min / median after, and before with the ratio
# of the medians (after / before).
echo
echo "== summary: min / median of $runs runs (window runs with SDL_AUDIODRIVER=dummy;" \
     "shares of a core: the whole process, every thread)"
printf '%-44s %-10s %-18s %-18s %s\n' measure target after before "after/before"
row() {
  local name=$1 key=$2 target=$3 a b="" ratio=""
  [ -n "${results["after $key"]:-}" ] || return 0
  a=$(stats ${results["after $key"]})
  if [ -n "${results["before $key"]:-}" ]; then
    b=$(stats ${results["before $key"]})
    ratio=$(awk -v x="$(median ${results["after $key"]})" -v y="$(median ${results["before $key"]})" \
      'BEGIN { if (y != 0) printf "%.2f", x / y }')
  fi
  printf '%-44s %-10s %-18s %-18s %s\n' "$name" "$target" "$a" "$b" "$ratio"
}
row "window, play: frames per second" window-play-fps ">= 58"
row "window, play: % of a core" window-play-share "<= 12"
row "window: start-up to the first frame, ms" window-startup "<= 300"
row "Wayland window, play: frames per second" wayland-play-fps ">= 58"
row "Wayland window, play: % of a core" wayland-play-share "<= 1.5 x11"
row "Wayland window: start-up to the first frame" wayland-startup ""
row "headless capped play: % of a core" realtime-play-share "<= 8"
row "headless capped play: frames per second" realtime-play-fps ""
row "headless capped idle title: % of a core" realtime-idle-share "<= 2"
row "headless capped idle title: frames per second" realtime-idle-fps ""
row "pacing, other processor busy: % within 1 ms" pacing ">= 99"
row "timedemo 1024 x 768: frame mean, ms" timedemo-1024x768-mean "<= 1.3"
row "timedemo 1024 x 768: frame p99, ms" timedemo-1024x768-p99 "<= 2.5"
row "timedemo 800 x 600: frame mean, ms" timedemo-800x600-mean ""
row "timedemo 800 x 600: frame p99, ms" timedemo-800x600-p99 ""
row "headless start-up to the first frame, ms" headless-startup ""
echo "== load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
