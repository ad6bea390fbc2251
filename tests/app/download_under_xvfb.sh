#!/usr/bin/env bash
# Tools > Download DATA from the demo recorder in a real window under Xvfb, by keyboard
# alone, at a scale factor: the whole recording read, and the dialog as the user then
# sees it, its result line included.
#   download_under_xvfb.sh TAVOKIT OUT.png [SCALE [MAX]]   (SCALE 1 or 2, MAX the
#   "Max samples to receive"; defaults 1 and 12000, more than the demo recording)
set -euo pipefail
app=$1 png=$2 scale=${3:-1} max=${4:-12000}
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1600x1000

QT_SCALE_FACTOR=$scale "$app" --demo >"$work/app.log" 2>&1 &
app_pid=$!
wait_window "Untitled - TAVOkit"
# Clicks at a point of window $WIN given in the window's units at 100 %.
click() {
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  xdotool mousemove $((X + $1 * scale)) $((Y + $2 * scale)) click --repeat "${3:-1}" 1
  sleep 0.3
}
click 140 8; click 199 29          # Tools > Download DATA
wait_window "Download DATA"
dialog=$WIN
click 186 81 3                     # Max samples: more than the recording holds
xdotool key ctrl+a; xdotool type "$max"
click 57 21                        # Read EEPROM
# The count and the bar move while blocks arrive, and the recorder may pause before
# its last block: the transfer has ended when the window stays the same for 6 s.
import -window "$dialog" "$work/a.png"
for _ in $(seq 60); do
  sleep 6
  import -window "$dialog" "$work/b.png"
  cmp -s "$work/a.png" "$work/b.png" && break
  mv "$work/b.png" "$work/a.png"
done
cp "$work/a.png" "$png"
echo "screenshot $png"
