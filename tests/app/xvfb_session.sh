# Sourced by the window scripts: a private X display under Xvfb, a throw-away home so
# the user's settings stay untouched, and the program's window found by its title.
#   xvfb_session WIDTHxHEIGHT    starts the display; sets DISPLAY, HOME, work
#   wait_window TITLE            sets WIN to the visible window titled exactly TITLE
#   fail TEXT                    says why, shows the program's output, exits 1
# The caller starts the program with its output in "$work/app.log" and its pid in app_pid.
work=$(mktemp -d)
xvfb_pid="" app_pid=""
xvfb_cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap xvfb_cleanup EXIT

fail() { echo "FAILED: $*"; cat "$work/app.log" 2>/dev/null || true; exit 1; }

xvfb_session() {
  # A display number nobody uses; Xvfb says which one it took.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(cat "$work/display")"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
  mkdir -p "$HOME"
  unset QT_QPA_PLATFORM
}

wait_window() {
  WIN=""
  for _ in $(seq 150); do
    WIN=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$WIN" ] && return 0
    [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null || fail "tavokit ended early"
    sleep 0.1
  done
  fail "no window titled '$1'"
}
