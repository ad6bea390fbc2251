#!/usr/bin/env bash
# Starts the desktop program as a user would, in a real X window under Xvfb, with a
# flight named on the command line; checks the caption and keeps a screenshot.
#   run_under_xvfb.sh TAVOKIT FLIGHT SCREENSHOT.png
set -euo pipefail
app=$1 flight=$2 shot=$3
title="$(basename "$flight") - TAVOkit"
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1280x800

"$app" "$flight" >"$work/app.log" 2>&1 &
app_pid=$!
wait_window "$title"
win=$WIN
echo "window $win: $(xdotool getwindowname "$win")"
xdotool windowsize "$win" 1100 640
sleep 1
import -window "$win" "$shot"
# The graph is drawn: the picture holds the red cursors and the blue altitude curve.
colours=$(convert "$shot" -format %c histogram:info:- | grep -cE '#FF0000|#0000FF' || true)
[ "$colours" -ge 2 ] || { echo "the screenshot shows no graph"; exit 1; }
echo "screenshot $shot"
