#!/usr/bin/env bash
# Starts an X server (1024 x 768, 16 bits) with a window manager, runs the
# window check program on the program directory, drives it with X input and
# prints the program's event log. Exit status 77 when the X server cannot start
# here, 78 when an X tool is missing (x_session.sh).
#   drive_window.sh <window check program> <program directory> <work folder>
set -u
check=$1 programDir=$2 work=$3
. "$(dirname "$0")/x_session.sh"
start_x_session "$work" 16
unset TERVANE_WINDOWED SDL_VIDEODRIVER
"$check" "$programDir" "$work/events.log" "$work/snapshot.bmp" >"$work/game.log" 2>&1 &
game=$! driven=$!
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
