#!/usr/bin/env bash
# A flyer's session with the graph, played with the mouse and the keyboard in a real X
# window under Xvfb: open the demo flight, zoom into the burn with the wheel (and pan
# with the middle button), put C1 on launch and C2 on burn-out with Ctrl+Left and Tab,
# run the motor report, shrink the window, and print to PDF; then, at full size again,
# the cursors on the burn with Ctrl+B, the flight summary and every curve on its own
# axis. The screenshots and the printed page land in OUT. The printed readout must show C1 and C2 at the launch and
# burn-out times that tavokit-cli stats reads from the flight's markers.
#   graph_session_under_xvfb.sh TAVOKIT TAVOKIT-CLI FLIGHT OUT
# Run by hand (it takes half a minute and drives Qt's own print dialog); look at the
# screenshots before keeping them.
set -euo pipefail
app=$1 cli=$2 flight=$3 out=$4
mkdir -p "$out"
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1400x900
# The print dialog offers the PDF printer with this folder as its place.
cd "$work"

"$app" "$flight" >"$work/app.log" 2>&1 &
app_pid=$!
name=$(basename "$flight")
wait_window "$name - TAVOkit"
win=$WIN
xdotool windowmove "$win" 0 0 windowsize "$win" 1100 700
sleep 1
xdotool windowfocus "$win"
shot() { sleep "${2:-0.8}"; import -window "$win" "$out/$1"; echo "screenshot $out/$1"; }

shot graph-01-whole-flight.png
# The burn, a few seconds after the recording starts, is some 30 units from the frame's
# left edge: wheel in over it, then pull the view right until its start shows.
xdotool mousemove --window "$win" 67 350
for _ in $(seq 14); do xdotool click 4; sleep 0.15; done
xdotool mousemove --window "$win" 600 350; sleep 0.2
xdotool mousedown 2; sleep 0.2
for x in 650 700 750 800 850 900; do xdotool mousemove --window "$win" $x 350; sleep 0.1; done
xdotool mouseup 2
shot graph-02-burn-zoomed.png
# C1 back to the launch marker, C2 back to the burn-out marker, from the keyboard.
for _ in 1 2 3 4; do xdotool key ctrl+Left; sleep 0.2; done
xdotool key Tab
for _ in 1 2 3; do xdotool key ctrl+Left; sleep 0.2; done
# C2 brought the view along; View > Zoom to Cursors shows both.
xdotool key alt+v; sleep 0.4; xdotool key z
shot graph-03-cursors-on-launch-and-burnout.png
# Tools > Create Motor Report, and yes to the question about the cursors.
xdotool key alt+t; sleep 0.5; xdotool key Down Return; sleep 1
xdotool key Return; sleep 1.5
report=$(xdotool search --onlyvisible --name "^Motor Report\$" | head -1 || true)
[ -n "$report" ] || { echo "no motor report window"; exit 1; }
import -window "$report" "$out/graph-04-motor-report.png"; echo "screenshot $out/graph-04-motor-report.png"
xdotool windowfocus "$report"; xdotool key Escape; sleep 0.8
xdotool windowfocus "$win"
# A smaller window keeps the cursors on their samples.
xdotool windowsize "$win" 760 520
shot graph-05-resized.png 1.2
# File > Print... to the PDF printer, on a page of its own.
xdotool key ctrl+p; sleep 1.5
dialog=$(xdotool search --onlyvisible --name "^Print" | head -1 || true)
[ -n "$dialog" ] || { echo "no print dialog"; exit 1; }
import -window "$dialog" "$work/print-dialog.png"
xdotool windowfocus "$dialog"; xdotool key Return; sleep 2.5
pdf=$(ls "$work"/*.pdf "$HOME"/*.pdf 2>/dev/null | head -1 || true)
[ -n "$pdf" ] || { echo "nothing printed"; cp "$work/print-dialog.png" "$out/"; exit 1; }
cp "$pdf" "$out/graph-06-printed.pdf"
pdftoppm -png -r 60 -singlefile "$pdf" "$out/graph-06-printed-page"
pdftotext -layout "$pdf" "$work/printed.txt"
echo "printed $out/graph-06-printed.pdf"
stats=$("$cli" stats "$flight")
field() { printf '%.1f' "$(sed -n "s/.*\"$1\":\([^,}]*\).*/\1/p" <<<"$stats")"; }
launch=$(field launchTime) burnout=$(field burnoutTime)
grep -q "C1=.* , ${launch}s" "$work/printed.txt" || { echo "C1 is not at launch ($launch s) on paper"; exit 1; }
grep -q "C2=.* ,${burnout}s" "$work/printed.txt" || { echo "C2 is not at burn-out ($burnout s) on paper"; exit 1; }
echo "on paper: C1 at launch, ${launch} s; C2 at burn-out, ${burnout} s"
# The whole flight again: Ctrl+B puts the cursors on the burn; View > Flight Summary,
# then View > All Curves on Own Axes, and zoomed to the burn.
xdotool windowfocus "$win"; xdotool windowsize "$win" 1100 700; sleep 0.8
xdotool key Home ctrl+b; sleep 0.3
xdotool key alt+v; sleep 0.4; xdotool key m
shot graph-07-summary-cursors-on-burn.png 1.2
xdotool key alt+v; sleep 0.4; xdotool key a
shot graph-08-own-axes.png
xdotool key alt+v; sleep 0.4; xdotool key z
shot graph-09-own-axes-burn-zoomed.png
