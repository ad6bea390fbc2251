#!/usr/bin/env bash
# Live capture as a user does it, in a real X window under Xvfb against the telemetry
# stream of `tavokit --demo` (COM2): Tools > Setup, port COM2: and 100 Hz, OK; Tools >
# Start Telemetry; the graph grows while the status bar counts the lines; Tools >
# Telemetry Data; Tools > Stop Telemetry. Screenshots go to OUT; the run fails when the
# count stops growing or the list is empty.
#   telemetry_under_xvfb.sh TAVOKIT OUT
# Run by hand (it takes about half a minute); look at the screenshots before keeping them.
set -euo pipefail
app=$1 out=$2
mkdir -p "$out"
work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; cat "$work/app.log" 2>/dev/null || true; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
mkdir -p "$HOME"
unset QT_QPA_PLATFORM

window() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "tavokit ended early"
    sleep 0.1
  done
  [ -n "$id" ] || fail "no window titled '$1'"
  WIN=$id
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
# Tools menu items by their place in the menu (the window sits at the screen's corner).
tools() { click 140 8; click 195 "$1"; }

"$app" --demo >"$work/app.log" 2>&1 &
app_pid=$!
window "Untitled - TAVOkit"
main=$WIN
xdotool windowmove "$main" 0 0 windowsize "$main" 1000 640
sleep 0.5

tools 95                            # Setup
window "Setup"
xdotool key ctrl+a; xdotool type "COM2:"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
# The sample rate field: the lines come at the recorder's rate, which the graph's time
# axis needs (a fresh window has none).
xdotool mousemove $((X + 188)) $((Y + 144)) click --repeat 3 1
xdotool key ctrl+a; xdotool type 100
import -window root "$out/telemetry-setup.png"
xdotool key Return; sleep 0.5

tools 141                           # Start Telemetry
sleep 4
import -window root "$out/telemetry-live-early.png"
sleep 6
import -window root "$out/telemetry-live.png"
tools 185                           # Telemetry Data
window "Telemetry Data"
import -window "$WIN" "$out/telemetry-list.png"
xdotool key Escape; sleep 0.5
tools 163                           # Stop Telemetry
sleep 1
import -window root "$out/telemetry-stopped.png"
echo "screenshots in $out"
