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
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1280x800

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
# Tools menu items by their place in the menu (the window sits at the screen's corner).
tools() { click 140 8; click 195 "$1"; }

"$app" --demo >"$work/app.log" 2>&1 &
app_pid=$!
wait_window "Untitled - TAVOkit"
main=$WIN
xdotool windowmove "$main" 0 0 windowsize "$main" 1000 640
sleep 0.5

tools 95                            # Setup
wait_window "Setup"
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
wait_window "Telemetry Data"
import -window "$WIN" "$out/telemetry-list.png"
xdotool key Escape; sleep 0.5
tools 163                           # Stop Telemetry
sleep 1
import -window root "$out/telemetry-stopped.png"
echo "screenshots in $out"
