#!/usr/bin/env bash
# Starts the desktop program as a user would, in a real X window under Xvfb, with a
# flight named on the command line; checks the caption and keeps a screenshot.
#   run_under_xvfb.sh TAVOKIT FLIGHT SCREENSHOT.png
set -euo pipefail
app=$1 flight=$2 shot=$3
title="$(basename "$flight") - TAVOkit"
work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses; Xvfb says which one it took.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
mkdir -p "$HOME"
unset QT_QPA_PLATFORM

"$app" "$flight" >"$work/app.log" 2>&1 &
app_pid=$!
win=""
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  kill -0 "$app_pid" 2>/dev/null || { echo "tavokit ended early:"; cat "$work/app.log"; exit 1; }
  sleep 0.1
done
if [ -z "$win" ]; then
  echo "no window titled '$title'"; cat "$work/app.log"; exit 1
fi
echo "window $win: $(xdotool getwindowname "$win")"
xdotool windowsize "$win" 1100 640
sleep 1
import -window "$win" "$shot"
# The graph is drawn: the picture holds the red cursors and the blue altitude curve.
colours=$(convert "$shot" -format %c histogram:info:- | grep -cE '#FF0000|#0000FF' || true)
[ "$colours" -ge 2 ] || { echo "the screenshot shows no graph"; exit 1; }
echo "screenshot $shot"
