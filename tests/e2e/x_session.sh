# Sourced by the real-window drivers. start_x_session WORK DEPTH BASE [TOOL...]
# starts an X server (1024 x 768 at DEPTH bits, or the size in
# X_SCREEN_SIZE, say 800x600) on a display of this
# process's own (BASE plus a number from the process id below
# X_DISPLAY_COUNT, 40 by default; a display already taken is passed over for
# the next) and a window manager, exports DISPLAY, and on exit stops them
# and the program whose process id the caller keeps in $driven. The server
# does not reset when its last client leaves, so the pointer stays where it
# was put. Exits with status 77 when the X server cannot start here (the one
# skip the test command expects), and with 78 when Xvfb, xdotool, openbox or
# another TOOL is missing (scripts/setup.sh test installs them; a missing one
# is a failure).
driven= wm= xvfb=
start_x_session() {
  local work=$1 depth=$2 base=$3
  shift 3
  for tool in Xvfb xdotool openbox "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 78; }
  done
  mkdir -p "$work"
  trap 'kill $driven $wm $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
  local count=${X_DISPLAY_COUNT:-40} tries ready=
  for ((tries = 0; tries < count; ++tries)); do
    export DISPLAY=":$((base + ($$ + tries) % count))"
    [ -e "/tmp/.X${DISPLAY#:}-lock" ] && continue
    Xvfb "$DISPLAY" -screen 0 "${X_SCREEN_SIZE:-1024x768}x$depth" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    # A server that ends at once found its display taken meanwhile, and
    # what answers there is another's: the next display is tried.
    for _ in $(seq 100); do
      sleep 0.1
      kill -0 "$xvfb" 2>/dev/null || break
      xdotool getmouselocation >/dev/null 2>&1 && kill -0 "$xvfb" 2>/dev/null && { ready=1; break; }
    done
    [ -n "$ready" ] || kill -0 "$xvfb" 2>/dev/null && break
  done
  [ -n "$ready" ] || { echo "the X server did not start" >&2; exit 77; }
  openbox >"$work/wm.log" 2>&1 &
  wm=$!
  sleep 0.5
}
