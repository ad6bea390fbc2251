#!/usr/bin/env bash
# The recorder set up as a user sets it up, in real windows under Xvfb against the demo
# recorder of `tavokit --demo`, with the mouse and the keyboard only:
#   1. Tools > Administer TAVO, Connect, Set Defaults, Write (the recorder now samples at
#      200 Hz and fires on apogee), Disconnect;
#   2. Connect, choose 100 Hz and "Fire output on burn out #" 2, Write, Disconnect,
#      Connect again: the dialog reads back 100 Hz and burn-out 2; OK;
#   3. Tools > Download DATA, Read EEPROM, OK: the flight arrives recorded at 100 Hz;
#      File > Save As, and tavokit-cli confirms the saved flight's rate.
# Screenshots of each step go to OUTDIR.
#   administer_under_xvfb.sh TAVOKIT TAVOKIT-CLI OUTDIR
set -euo pipefail
app=$1 cli=$2 out=$3
mkdir -p "$out"
source "$(dirname "$0")/xvfb_session.sh"
xvfb_session 1280x800

# Waits for a visible window titled exactly $1 and sets WX, WY to its top-left corner.
window() {
  wait_window "$1"
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  WX=$X WY=$Y
}
gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "window '$1' did not close"
}
# Clicks at a point of the current window.
click() { xdotool mousemove $((WX + $1)) $((WY + $2)) click 1; sleep 0.2; }
shot() { import -window root "$out/$1.png"; }
# The darkest grey (0 black, 1 white) in a rectangle of the current window.
darkest() {
  import -window root -crop "$3x$4+$((WX + $1))+$((WY + $2))" "$work/crop.png"
  convert "$work/crop.png" -colorspace Gray -format "%[fx:minima]" info:
}
# The Administer dialog shows a moving bar beside OK while the recorder works.
idle() {
  sleep 0.3
  for _ in $(seq 300); do
    awk -v g="$(darkest 42 484 400 1)" 'BEGIN { exit !(g > 0.8) }' && return 0
    sleep 0.1
  done
  fail "the recorder exchange did not end"
}

"$app" --demo >"$work/app.log" 2>&1 &
app_pid=$!
window "Untitled - TAVOkit"
main_x=$WX main_y=$WY
menu() { WX=$main_x WY=$main_y; click 140 8; sleep 0.3; click 199 "$1"; }

# 1. The recorder as the last flight left it, then set back to its defaults.
menu 73
window "Administer"
shot administer-opened
click 642 21; sleep 0.5           # the port list: every port with its device
shot administer-ports
xdotool key Escape; sleep 0.2
click 84 49; idle                 # Connect
shot administer-connected
click 84 133                      # Set Defaults
click 84 105; idle                # Write Values to TAVO
click 84 49; sleep 0.5            # Disconnect

# 2. 100 Hz and burn-out 2, written, read back after a new connection.
# The event radio that is checked shows a dark dot (launch, burn-out, apogee: 77, 104, 131).
checked() { awk -v g="$(darkest 182 $(($1 - 2)) 5 5)" 'BEGIN { exit !(g < 0.5) }'; }
click 84 49; idle                 # Connect: 200 Hz, apogee
shot administer-before
checked 131 || fail "the defaults did not read back as apogee"
click 377 247; sleep 0.3          # the sample rate list: 200 Hz -> 100 Hz
xdotool key Up Up Return; sleep 0.2
click 184 104                     # Fire output on burn out #
xdotool mousemove $((WX + 395)) $((WY + 104)) click --repeat 3 1
xdotool type 2
shot administer-edited
click 84 105; idle                # Write Values to TAVO
shot administer-written
click 84 49; sleep 0.5            # Disconnect
click 84 49; idle                 # Connect: read back
shot administer-read-back
checked 104 && ! checked 131 || fail "the event did not read back as burn-out"
click 587 484                     # OK: nothing modified since the read, no question
gone "Administer"

# 3. The flight, downloaded at the new rate.
menu 29
window "Download DATA"
click 57 21                       # Read EEPROM
sleep 0.5
for _ in $(seq 600); do           # ABORT stays live while the blocks arrive
  awk -v g="$(darkest 12 39 90 22)" 'BEGIN { exit !(g > 0.5) }' && break
  sleep 0.1
done
shot download-done
xdotool key Return              # OK (focused once the transfer ends)
gone "Download DATA"
sleep 1
shot downloaded-flight
WX=$main_x WY=$main_y
click 20 8; click 63 95           # File > Save As...
window "Save As"
xdotool type --delay 10 "$work/downloaded.flt"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/downloaded.flt" ] && break; sleep 0.1; done
cp "$work/downloaded.flt" "$out/downloaded.flt" || fail "the flight was not saved"
info=$("$cli" info "$out/downloaded.flt")
echo "$info"
grep -q '"sampleRate":100,' <<<"$info" || fail "the downloaded flight is not at 100 Hz"
grep -q '"samples":6006,' <<<"$info" || fail "the downloaded flight is not 6006 samples"
echo "screenshots in $out"
