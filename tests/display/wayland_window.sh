#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game in a Wayland window (sway, headless, no GPU): it starts, shows the
# title screen through the shared-memory window surface, the compositor knows
# the window by the game's application id, and after two seconds of frames
# it ends with exit code 0. Exit code 77 (skipped) where no session can be
# had: sway missing, or run as root without the user 'nobody'.
#   wayland_window.sh GAME_DIR SOURCE_DIR APPLICATION_ID
set -euo pipefail
game=$1 root=$2 appId=$3
source "$root/scripts/wayland-session.sh"
# In a sanitizer build: SDL 2.26's Wayland back end keeps blocks it never
# frees (records of the seat and the outputs, and a library it loads and
# unloads again), so this run is not leak-checked; every other check stays.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"
wayland_session_start || exit 77
trap wayland_session_stop EXIT
dir=$WAYLAND_SESSION_DIR
cp -r "$game" "$dir/game"
printf '200 -\n' > "$dir/idle.txt"
chmod -R a+rX "$dir/game" "$dir/idle.txt"

wayland_run SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$dir/player" timeout 20 "$dir/game/tiefschacht" \
  --data "$dir/game" --frames 120 --input "$dir/idle.txt" --timedemo --dump-state "$dir/dump.json" \
  > "$dir/out.txt" 2>&1 &
game_pid=$!
seen=""
while kill -0 "$game_pid" 2>/dev/null; do
  if wayland_run swaymsg -t get_tree 2>/dev/null | grep -q "\"app_id\": \"$appId\""; then seen=yes; fi
  [ -n "$seen" ] && break
  sleep 0.1
done
status=0
wait "$game_pid" || status=$?

fail() { echo "wayland_window: $1" >&2; cat "$dir/out.txt" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "the game ended with exit code $status"
[ -n "$seen" ] || fail "the compositor never showed a window with the application id $appId"
grep -q '^timedemo: presentation: window surface in Wayland shared memory' "$dir/out.txt" ||
  fail "the frames did not go through the Wayland window surface"
grep -q '"statesVisited": \[-1,0\]' "$dir/dump.json" || fail "the title screen was not shown: $(cat "$dir/dump.json")"
grep -q '"frames": 120,' "$dir/dump.json" || fail "not every frame ran: $(cat "$dir/dump.json")"
echo "wayland_window: $(sed -n 's/^timedemo: presentation: //p' "$dir/out.txt")"
