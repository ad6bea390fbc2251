#!/bin/sh
# The program's own answers, with no display to open a window on: usage on standard
# output and 0 for --help, the version for --version, a message on standard error and
# 2 for an unknown option or a second flight.   command_line.sh TAVOKIT
app=$1 out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAILED: $*"; cat "$out" "$err"; exit 1; }
"$app" --help >"$out" 2>"$err" && grep -q '^Usage: tavokit' "$out" && [ ! -s "$err" ] || fail --help
"$app" --version >"$out" 2>&1 && grep -qx 'tavokit [0-9][0-9.]*' "$out" || fail --version
for bad in --bogus "one.flt two.flt"; do
  "$app" $bad >"$out" 2>"$err"; status=$? # two words on purpose
  [ "$status" = 2 ] && [ ! -s "$out" ] && grep -q '^tavokit: ' "$err" || fail "$bad: $status"
done
echo ok
