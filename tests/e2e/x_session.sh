# Sourced by the real-window drivers. start_x_session WORK DEPTH [TOOL...]
# starts an X server (1024 x 768 at DEPTH bits, or the size in
# X_SCREEN_SIZE, say 800x600) on a display it finds free (tests and
# drivers running side by side each get their own) and a window manager,
# exports DISPLAY, and on exit stops them and the program whose process id
# the caller keeps in $driven. The server does not reset when its last
# client leaves, so the pointer stays where the driver put it. Exits with
# status 77 when the X server cannot start here (the one skip the test
# command expects), and with 78 when Xvfb, xdotool, openbox or another TOOL
# is missing (scripts/setup.sh test installs them; a missing one is a
# failure).
driven= wm= xvfb=
start_x_session() {
  local work=$1 depth=$2
  shift 2
  for tool in Xvfb xdotool openbox "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 78; }
  done
  mkdir -p "$work"
  local displayFile=$work/display
  rm -f "$displayFile"
  Xvfb -displayfd 3 -noreset -screen 0 "${X_SCREEN_SIZE:-1024x768}x$depth" -nolisten tcp \
    3>"$displayFile" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  trap 'kill $driven $wm $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
  local ready=
  for _ in $(seq 100); do
    if [ -s "$displayFile" ]; then
      export DISPLAY=":$(head -1 "$displayFile")"
      if xdotool getmouselocation >/dev/null 2>&1; then ready=1; break; fi
    fi
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$ready" ] || { echo "the X server did not start" >&2; exit 77; }
  openbox >"$work/wm.log" 2>&1 &
  wm=$!
  sleep 0.5
}
