#!/bin/sh
# The program's own answers on the command line, with no display to open a window on:
# usage on standard output and status 0 for --help, the version for --version, a
# message on standard error and status 2 for an unknown option.
#   command_line.sh TAVOKIT
app=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }
"$app" --help >"$work/out" 2>"$work/err" || fail "--help exit $?"
grep -q '^Usage: tavokit' "$work/out" && [ ! -s "$work/err" ] || fail "--help usage"
"$app" --version >"$work/out" 2>&1 || fail "--version exit $?"
grep -qx 'tavokit [0-9][0-9.]*' "$work/out" || fail "--version text"
for bad in --bogus "one.flt two.flt"; do
  # shellcheck disable=SC2086 # two words on purpose
  "$app" $bad >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] || fail "$bad: exit $status"
  [ ! -s "$work/out" ] && grep -q '^tavokit: ' "$work/err" || fail "$bad: message"
done
echo "ok"
