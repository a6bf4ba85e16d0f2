#!/usr/bin/env bash
# Sourced helpers: start one Xvfb for a whole run and stop it again.
# After xvfb_start, DISPLAY names the new server and XVFB_PID its process.
# xvfb_start also sees to it that the server goes on every way out of the
# sourcing shell (normal end, error, INT, TERM, HUP); a caller with more to
# clean up puts that command in XVFB_CLEANUP instead of a trap of its own.
xvfb_start() {
  trap _xvfb_exit EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    xvfb_stop  # never ready on this number: try the next one
  done
  echo "xvfb: could not start a display" >&2
  return 1
}
xvfb_stop() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
_xvfb_exit() {
  local status=$?
  [ -n "${XVFB_CLEANUP:-}" ] && eval "$XVFB_CLEANUP"
  xvfb_stop
  return "$status"
}
