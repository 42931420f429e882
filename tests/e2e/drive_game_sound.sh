#!/usr/bin/env bash
# Plays the real game under its own X server with SDL's disk audio driver and
# listens: leaves the splash once it has loaded (the music starts), opens a
# cell, opens cells until the map is lost (radiated areas fatal), waits out
# the failure's duck, then closes the window with the window manager's close
# (Alt+F4). Writes the capture (44100 Hz, stereo, 16 bit) and, in "marks",
# the frames the device had played at each step and how long the game took
# to end after the close. Exit status 77 when the X server cannot start here,
# 78 when a tool is missing (x_session.sh).
#   drive_game_sound.sh <program directory> <work folder>
set -u
programDir=$1 work=$2
. "$(dirname "$0")/x_session.sh"
start_x_session "$work" 16 70 sox
capture=$work/capture.raw marks=$work/marks
rm -rf "$work/game" "$capture" "$marks"
cp -r "$programDir" "$work/game"
printf '\001\001\001\000' >"$work/game/Tervane.opt"  # music, effects, radiation fatal, first map type
unset TERVANE_WINDOWED SDL_VIDEODRIVER
(cd "$work/game" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture exec ./tervane) >"$work/game.log" 2>&1 &
game=$! driven=$!

frames() { echo $(($(stat -c %s "$capture" 2>/dev/null || echo 0) / 4)); }
mark() { echo "$1 $(frames)" >>"$marks"; }
now() { date +%s.%N; }
# Sleeps until `seconds` after the moment `since`.
sleep_until() { sleep "$(awk -v since="$1" -v at="$2" -v now="$(now)" 'BEGIN { d = since + at - now; printf "%.3f", (d > 0 ? d : 0) }')"; }
# Clicks at a point of the game's 800 x 600 picture, shown full screen on 1024 x 768.
click() { xdotool mousemove $(($1 * 128 / 100)) $(($2 * 128 / 100)) click 1; }
heard() { [ "$(tr -d '\000' <"$capture" 2>/dev/null | head -c 1 | wc -c)" -gt 0 ]; }
# RMS of the last half second of the capture, in thousandths of full scale.
recent_level() {
  local total
  total=$(frames)
  [ "$total" -gt 22050 ] || { echo 0; return; }
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$capture" -n trim "$((total - 22050))s" stat 2>&1 |
    awk '/RMS +amplitude/ { printf "%d\n", $3 * 1000 }'
}

# The splash ends with a key once it has loaded; the music starts then.
for _ in $(seq 60); do
  kill -0 "$game" 2>/dev/null || break
  xdotool key space
  sleep 1
  heard && break
done
heard || { echo "no sound from the game"; cat "$work/game.log"; exit 1; }
mark music
# The music starts as loading ends, when a key pressed just before is dropped.
xdotool key space
sleep 2
mark click
click 300 300
sleep 1
# Cells in rows across the island until the failure's effect sounds: half a
# second at more than an eighth of full scale.
lost=
for y in $(seq 60 26 540); do
  for x in $(seq 50 26 560); do
    mark tried
    start=$(now)
    click "$x" "$y"
    sleep 0.5
    if [ "$(recent_level)" -gt 125 ]; then lost=$start; break 2; fi
  done
done
[ -n "$lost" ] || { echo "the map was never lost"; exit 1; }
# The frames at the losing click, then at moments of the duck after it.
tail -1 "$marks" | sed 's/^tried/lost/' >>"$marks"
for at in 1.0 2.0 5.5 7.2 8.0; do
  sleep_until "$lost" "$at"
  mark "after$at"
done
xdotool key alt+F4
closed=$(now)
for _ in $(seq 1000); do kill -0 "$game" 2>/dev/null || break; sleep 0.005; done
ended=$(now)
if kill -0 "$game" 2>/dev/null; then echo "still_running 1" >>"$marks"; kill "$game"; fi
wait "$game"
echo "status $?" >>"$marks"
awk -v from="$closed" -v to="$ended" 'BEGIN { printf "exit_ms %d\n", (to - from) * 1000 }' >>"$marks"
if [ -e "$work/game/Error.rep" ]; then
  echo "error_report 1" >>"$marks"
  echo "Error.rep: $(cat "$work/game/Error.rep")"
fi
grep -v '^tried' "$marks"
