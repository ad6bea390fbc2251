#!/usr/bin/env bash
# Tools > Predict... on the demo flight in a real window under Xvfb, by keyboard and
# mouse: the cursors on the burn (Ctrl+B), the window opened over the bundled motors,
# sorted by apogee (highest first) and a motor chosen.
#   predict_under_xvfb.sh TAVOKIT FLIGHT OUT.png
set -euo pipefail
app=$1 flight=$2 png=$3
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1600x1000

"$app" "$flight" >"$work/app.log" 2>&1 &
app_pid=$!
wait_window "$(basename "$flight") - TAVOkit"
main=$WIN
xdotool windowmove "$main" 0 0 windowsize "$main" 1100 700; sleep 0.5
xdotool windowfocus "$main"; sleep 0.3
xdotool key ctrl+b; sleep 0.3
xdotool key alt+t; sleep 0.5; xdotool key p; sleep 1
xdotool key Return                  # "Are cursors C1 & C2 placed around your curve?"
wait_window "Predict"
dialog=$WIN
xdotool windowmove "$dialog" 20 20 windowsize "$dialog" 1180 640; sleep 0.8
xdotool windowfocus "$dialog"; sleep 0.3
import -window "$dialog" "$png"
echo "screenshot $png"
