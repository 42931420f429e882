#!/usr/bin/env bash
# Starts an X server (1024 x 768, 16 bits) with a window manager, runs the
# window check program on the program directory, drives it with X input and
# prints the program's event log. Exit status 77 when the X tools are missing
# or the X server cannot start here.
#   drive_window.sh <window check program> <program directory> <work folder>
set -u
check=$1 programDir=$2 work=$3
for tool in Xvfb xdotool openbox; do
  command -v "$tool" >/dev/null || exit 77
done
mkdir -p "$work"
display=":$((50 + $$ % 40))"
Xvfb "$display" -screen 0 1024x768x16 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
cleanup() { kill "$wm" "$game" "$xvfb" 2>/dev/null; wait 2>/dev/null; }
wm= game=
trap cleanup EXIT
export DISPLAY=$display
ready=
for _ in $(seq 100); do
  if xdotool getmouselocation >/dev/null 2>&1; then ready=1; break; fi
  sleep 0.1
done
[ -n "$ready" ] || { echo "the X server did not start" >&2; exit 77; }
openbox >"$work/wm.log" 2>&1 &
wm=$!
sleep 0.5
unset TERVANE_WINDOWED SDL_VIDEODRIVER
"$check" "$programDir" "$work/events.log" "$work/snapshot.bmp" >"$work/game.log" 2>&1 &
game=$!
for _ in $(seq 200); do grep -q ready "$work/events.log" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
xdotool mousemove 512 384; sleep 0.2
xdotool click 1; sleep 0.2
xdotool mousemove 1000 50; sleep 0.2
xdotool click 3; sleep 0.2
xdotool type --delay 50 "Ab1"; sleep 0.3
xdotool key Escape
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
wait "$game"
echo "exit $?"
cat "$work/events.log"
