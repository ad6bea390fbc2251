#!/usr/bin/env bash
# Flights laid over the demo flight in a real window under Xvfb, by keyboard and mouse:
# File > Overlay Flight... with another flight, the altitude chosen in the legend (two
# clicks), C1 on the launch and C2 on the apogee marker, the climb zoomed; View > Flight
# Statistics side by side; then File > Remove Overlays, the cursors on the burn (Ctrl+B),
# Tools > Predict... and Draw on Graph for the flown C6 and for a D12, and the climb
# zoomed again with C2 on the apogee.
#   overlay_under_xvfb.sh TAVOKIT FLIGHT OTHER.flt OUTDIR
set -euo pipefail
app=$1 flight=$2 other=$(realpath "$3") out=$4
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1600x1000
mkdir -p "$out"

"$app" "$flight" >"$work/app.log" 2>&1 &
app_pid=$!
wait_window "$(basename "$flight") - TAVOkit"
main=$WIN
xdotool windowmove "$main" 0 0 windowsize "$main" 1100 700; sleep 0.5
xdotool windowfocus "$main"; sleep 0.3

xdotool key alt+f; sleep 0.5; xdotool key y
wait_window "Overlay Flight"
xdotool type --delay 10 "$other"; xdotool key Return; sleep 1
# C1 on launch, C2 on the apogee marker ($1: Tab first when the keys move C1), the climb
# zoomed with some room after it.
climb() {
  xdotool key ctrl+b; sleep 0.3
  [ "$1" = tab ] && xdotool key Tab
  xdotool key ctrl+Right ctrl+Right; sleep 0.3
  xdotool key alt+v; sleep 0.5; xdotool key z; sleep 0.5
  xdotool key minus; sleep 0.5
}
# A click on the legend shows the next curve: velocity, then altitude.
xdotool mousemove 690 75 click 1; sleep 0.5; xdotool click 1; sleep 0.5
climb tab
import -window "$main" "$out/overlay-graph.png"
echo "screenshot $out/overlay-graph.png"

xdotool key alt+v; sleep 0.5; xdotool key f
wait_window "Flight Statistics"
import -window "$WIN" "$out/overlay-statistics.png"
echo "screenshot $out/overlay-statistics.png"
xdotool key Escape; sleep 0.5

xdotool windowfocus "$main"; sleep 0.3
xdotool key alt+f; sleep 0.5; xdotool key m; sleep 0.5
xdotool key ctrl+b; sleep 0.3
xdotool key alt+t; sleep 0.5; xdotool key p; sleep 1
xdotool key Return                  # "Are cursors C1 & C2 placed around your curve?"
wait_window "Predict"
dialog=$WIN
xdotool windowmove "$dialog" 20 20 windowsize "$dialog" 1180 640; sleep 0.8
# The table's C6 row (the flown motor), then the D12 row, each drawn on the graph.
for y in ${ROWS_Y:-173 533}; do
  xdotool mousemove 64 "$y" click 1; sleep 0.3
  xdotool key alt+g; sleep 0.5
done
xdotool key Escape; sleep 0.8
xdotool windowfocus "$main"; sleep 0.3
climb keep
import -window "$main" "$out/predict-graph.png"
echo "screenshot $out/predict-graph.png"
