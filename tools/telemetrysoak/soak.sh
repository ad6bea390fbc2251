#!/usr/bin/env bash
# A live capture soak: zr7sim streams LINES_PER_S lines a second on a pseudo-terminal
# for SECONDS, and the real main window (under Xvfb) captures them; the window's
# figures are printed every ten seconds and every line is checked at the end.
#   tools/telemetrysoak/soak.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
BUILD=${1:-build}
SECONDS_RUN=${2:-600}
RATE=1000
SAMPLES=60000
LINES=$((SECONDS_RUN * RATE))
export HOME=$(mktemp -d)
export XDG_CONFIG_HOME=$HOME/.config
sim_log=$HOME/zr7sim.log
coproc SIM { exec "$BUILD/tools/zr7sim/zr7sim" --samples $SAMPLES --telemetry \
  --telemetry-rate $RATE --lines $LINES --baud 0 2>"$sim_log"; }
# Bash forgets the coprocess's pid once it has ended.
sim_pid=$SIM_PID
read -r -u "${SIM[0]}" device
echo "receiver on $device: $LINES lines at $RATE a second"
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/tools/telemetrysoak/telemetrysoak" \
  --port "$device" --seconds $((SECONDS_RUN + 3)) --samples $SAMPLES --expect $LINES || status=$?
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
cat "$sim_log"
exit $status
