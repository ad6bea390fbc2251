#!/usr/bin/env bash
# Makes every picture of the user guide (docs/guide.md) from the program itself:
# guideshots plays each task on the real windows of TAVOkit started with its demo
# recorder, the printed page is made a picture with pdftoppm, and every picture is
# checked to show something before it is kept.
#
#   tools/guideshots/make.sh BUILD_DIR [OUTDIR]     (OUTDIR: docs/guide)
#
# It runs without a display (Qt's offscreen platform) and with a HOME of its own, so
# the user's settings are untouched. Any step that does not happen in time fails the
# run, naming the step; nothing in OUTDIR is replaced then.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [OUTDIR]" >&2; exit 2; }
build=$(cd "$1" && pwd)
out=${2:-$root/docs/guide}
tool=$build/tools/guideshots/guideshots
[ -x "$tool" ] || { echo "FAILED: $tool is not built" >&2; exit 1; }
command -v pdftoppm >/dev/null || { echo "FAILED: pdftoppm is missing (poppler-utils)" >&2; exit 1; }

work=$(mktemp -d)
keep=""
# A failed run keeps its folder: the pictures made so far show how far it came.
trap '[ -n "$keep" ] || rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/shots"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
export QT_QPA_PLATFORM=offscreen
# The same pictures on every machine: the C locale and one time zone for the dates.
export LC_ALL=C.UTF-8 TZ=UTC
cd "$work"

if ! timeout 240 "$tool" "$work/shots" >"$work/session.log" 2>&1; then
  cat "$work/session.log" >&2
  keep=1
  echo "FAILED: the guide's session did not finish; what it made is in $work/shots" >&2
  exit 1
fi
pdftoppm -png -r 100 -singlefile "$work/shots/08-printed-page.pdf" "$work/shots/08-printed-page"
"$tool" --check "$work/shots"

mkdir -p "$out"
cp "$work"/shots/*.png "$out"/
echo "pictures in $out:"
ls "$out"/*.png
echo "--- first lines of the exported ENG file"
head -n 8 "$work/shots/C6-measured.eng"
echo "--- first lines of the exported CSV file"
head -n 12 "$work/shots/demo-flight.csv"
