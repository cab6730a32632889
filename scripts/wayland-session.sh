# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Wayland desktop without a screen, for the windowed runs of the tests and
# the benchmark: sway with its headless back end and its software renderer
# (pixman), in a folder of its own. Sourced, not run:
#
#   source scripts/wayland-session.sh
#   wayland_session_start [floating] || exit 77   # the reason is on stderr
#   wayland_run [NAME=VALUE...] COMMAND...        # inside the session
#   wayland_session_stop
#
# sway refuses to run as root, so as root everything in the session runs as
# the unprivileged user `nobody` (none is created; without one there is no
# session); otherwise as the caller. The commands see a fresh environment:
# HOME and XDG_RUNTIME_DIR in the session's folder $WAYLAND_SESSION_DIR, which
# that user owns, WAYLAND_DISPLAY and SWAYSOCK of the session, PATH, the
# sanitizers' options, and what is given before COMMAND. What they read must
# be readable by that user. "floating": windows keep their own size instead
# of filling the screen as tiles.

wayland_session_user=()
wayland_session_pid=""
WAYLAND_SESSION_DIR=""
wayland_session_display=""
wayland_session_ipc=""

# The start of a command line that runs what follows in the session.
wayland_prefix=()
wayland_set_prefix() {
  wayland_prefix=("${wayland_session_user[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin
    HOME="$WAYLAND_SESSION_DIR" XDG_RUNTIME_DIR="$WAYLAND_SESSION_DIR/run")
  # Only once sway is there: sway itself would take them as its own.
  if [ -n "$wayland_session_display" ]; then
    wayland_prefix+=(WAYLAND_DISPLAY="$wayland_session_display" SWAYSOCK="$wayland_session_ipc")
  fi
  local v
  for v in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [ -n "${!v:-}" ]; then wayland_prefix+=("$v=${!v}"); fi
  done
}

wayland_run() { "${wayland_prefix[@]}" "$@"; }

wayland_session_start() {
  if ! command -v sway >/dev/null; then
    echo "no Wayland session: sway is not installed (scripts/setup.sh test installs it)" >&2
    return 1
  fi
  wayland_session_user=()
  wayland_session_display=""
  local owner
  owner=$(id -u):$(id -g)
  if [ "$(id -u)" -eq 0 ]; then
    if ! getent passwd nobody >/dev/null || ! command -v setpriv >/dev/null; then
      echo "no Wayland session: sway will not run as root, and there is no user 'nobody' to run it as" >&2
      return 1
    fi
    owner=$(id -u nobody):$(id -g nobody)
    wayland_session_user=(setpriv --reuid="${owner%:*}" --regid="${owner#*:}" --clear-groups)
  fi
  WAYLAND_SESSION_DIR=$(mktemp -d "${TMPDIR:-/tmp}/tiefschacht-wayland.XXXXXX")
  chmod 755 "$WAYLAND_SESSION_DIR"
  mkdir -m 700 "$WAYLAND_SESSION_DIR/run"
  {
    echo "output HEADLESS-1 resolution 1280x1024"
    echo "xwayland disable"
    [ "${1:-}" = floating ] && echo 'for_window [app_id=".*"] floating enable'
  } > "$WAYLAND_SESSION_DIR/sway.conf"
  chown -R "$owner" "$WAYLAND_SESSION_DIR"
  wayland_set_prefix
  "${wayland_prefix[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$WAYLAND_SESSION_DIR/sway.conf" > "$WAYLAND_SESSION_DIR/sway.log" 2>&1 &
  wayland_session_pid=$!
  local i socket
  for ((i = 0; i < 100; ++i)); do
    socket=$(find "$WAYLAND_SESSION_DIR/run" -maxdepth 1 -type s -name 'wayland-*' -print -quit)
    wayland_session_ipc=$(find "$WAYLAND_SESSION_DIR/run" -maxdepth 1 -type s -name 'sway-ipc.*' -print -quit)
    [ -n "$socket" ] && [ -n "$wayland_session_ipc" ] && break
    kill -0 "$wayland_session_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$socket" ] || [ -z "$wayland_session_ipc" ]; then
    echo "no Wayland session: sway did not start; its log:" >&2
    cat "$WAYLAND_SESSION_DIR/sway.log" >&2
    wayland_session_stop
    return 1
  fi
  wayland_session_display=$(basename "$socket")
  wayland_set_prefix
}

wayland_session_stop() {
  if [ -n "$wayland_session_pid" ]; then
    kill "$wayland_session_pid" 2>/dev/null || true
    wait "$wayland_session_pid" 2>/dev/null || true
  fi
  wayland_session_pid=""
  [ -n "$WAYLAND_SESSION_DIR" ] && rm -rf "$WAYLAND_SESSION_DIR"
  WAYLAND_SESSION_DIR=""
}
