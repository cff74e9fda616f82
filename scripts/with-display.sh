#!/usr/bin/env bash
# Runs a command on a private Xvfb display (1024 x 768, 24 bits) managed by openbox, as the
# end-to-end tests need: a real X server, a real window manager and real input.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

display_number=$((90 + RANDOM % 100))
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"

Xvfb "$DISPLAY" -screen 0 "${TORVANE_TEST_SCREEN:-1024x768x24}" -noreset -nolisten tcp \
  >"$XDG_RUNTIME_DIR/xvfb.log" 2>&1 &
xvfb_pid=$!
cleanup() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done

# Edge resistance off, so that tests see the program's own snapping and not openbox's.
openbox --config-file "$here/openbox-rc.xml" >"$XDG_RUNTIME_DIR/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

export TORVANE_TEST_WM_PID=$wm_pid
"$@"
