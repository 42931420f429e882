#!/usr/bin/env bash
# Plays the real game in a real window with real X input: through the
# splash to the main screen, clicks on cells, the neighbour highlight, F12,
# F11 and its message box, help and back, a map of every type through the
# map selection screen, ten seconds of waiting (the game's own processor
# time measured from /proc), and the exit button. Screenshots of each stage
# go to the work folder; the last lines printed say what was found.
# Exit status 77 when the X server cannot start here, 78 when a tool is
# missing (x_session.sh).
#   drive_main_screen.sh <program directory> <work folder>
set -u
programDir=$1 work=$2
. "$(dirname "$0")/x_session.sh"
X_SCREEN_SIZE=800x600 start_x_session "$work" 16 import
rm -rf "$work/game"
cp -r "$programDir" "$work/game"
rm -f "$work/game/Tervane.opt" "$work/game/Tervane.top" "$work/game/Error.rep" "$work/game/islands/islands."{use,cur}
# Sound and music on, radiated areas cost 30 seconds (so that any click
# keeps the map in play), the first map a small square one.
printf '\001\001\000\002' > "$work/game/Tervane.opt"
unset TERVANE_WINDOWED SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
"$work/game/tervane" >"$work/game.log" 2>&1 &
game=$! driven=$!

shot() { import -window root "$work/$1.png"; }
maps() { od -An -td4 "$work/game/islands/islands.cur" 2>/dev/null | tr -d ' ' || echo 0; }
# Waits until a new map has been prepared (the island counter moves on),
# then for its transition and first openings.
wait_for_map() {
  local before=$1
  for _ in $(seq 100); do [ "$(maps)" != "$before" ] && break; sleep 0.1; done
  sleep 1.5
}
click() { xdotool mousemove "$1" "$2"; sleep 0.15; xdotool click "${3:-1}"; sleep 0.6; }
key() { xdotool key "$1"; sleep 1.2; }
# The centre of a cell of the small square map (its 8 x 8 cells of 48
# pixels fill 158..542 x 101..485) that shows explored or unexplored in the
# screenshot, judged by the colour beside its digit: the explored texture is
# sand, the unexplored one grey fog. Prints "x y".
find_cell() {  # explored|unexplored screenshot
  local i j x y rgb r g b
  for j in 0 1 2 3 4 5 6 7; do
    for i in 0 1 2 3 4 5 6 7; do
      x=$((182 + 48 * i)) y=$((125 + 48 * j))
      rgb=$(convert "$2" -crop "1x1+$((x + 14))+$((y + 14))" -depth 8 txt:- | tail -1 | sed 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/')
      read -r r g b <<< "$rgb"
      if [ "$1" = explored ] && [ $((r - b)) -gt 30 ] && [ $((g - b)) -gt 25 ] && [ $((r + 10)) -ge "$g" ]; then
        echo "$x $y"; return
      fi
      if [ "$1" = unexplored ] && [ $((r - b)) -lt 0 ] && [ $((g - b)) -lt 0 ]; then
        echo "$x $y"; return
      fi
    done
  done
  echo "400 300"
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }

sleep 1.2
shot splash-loading
# Keys pressed while the game loads are dropped; the prompt takes the first
# key after loading.
for _ in $(seq 30); do
  [ -n "$(maps)" ] && [ "$(maps)" != 0 ] && break
  shot splash-prompt
  xdotool key space
  sleep 1
done
wait_for_map 0
shot map-2

# Clicks on two cells that were closed (the first opens, the second gets a
# mark), the neighbour highlight under the right button over a cell opened
# with the map, the hover hatch over a closed one.
read -r x y <<< "$(find_cell unexplored "$work/map-2.png")"
click "$x" "$y" 1
shot first-click
read -r x y <<< "$(find_cell unexplored "$work/first-click.png")"
click "$x" "$y" 3
read -r x y <<< "$(find_cell explored "$work/map-2.png")"
xdotool mousemove "$x" "$y"; sleep 0.2; xdotool mousedown 3; sleep 0.6
shot neighbour-highlight
xdotool mouseup 3; sleep 0.4
read -r x y <<< "$(find_cell unexplored "$work/neighbour-highlight.png")"
xdotool mousemove "$x" "$y"; sleep 0.6
shot hover-hatch
key F12
shot after-f12
key Escape
key F11
shot message-box
key Escape
click 720 228
shot help
key Escape
shot back-from-help

# Ten seconds of waiting on the main screen with the clock running.
xdotool mousemove 600 580; sleep 0.5
import -window root -crop 60x26+735+420 "$work/counter-before.png"
before=$(cpu_ticks)
sleep 10
after=$(cpu_ticks)
import -window root -crop 60x26+735+420 "$work/counter-after.png"
shot waiting
hz=$(getconf CLK_TCK)
echo "cpu percent $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN{printf "%.1f", t * 100 / (10 * hz)}')"
if cmp -s "$work/counter-before.png" "$work/counter-after.png"; then echo "seconds counter still"; else echo "seconds counter advanced"; fi

# A map of each other type through the map selection screen (its window is
# 480 x 330 at 160, 85: the four types, then Close).
for type in 1 3 4; do
  case $type in
    1) x=289 y=188 ;;
    3) x=289 y=310 ;;
    4) x=511 y=310 ;;
  esac
  click 720 346
  click "$x" "$y"
  before=$(maps)
  click 400 390
  wait_for_map "$before"
  shot "map-$type"
done
echo "maps prepared $(maps)"

click 720 276
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
wait "$game"
echo "exit $?"
[ -e "$work/game/Error.rep" ] && echo "error report: $(cat "$work/game/Error.rep")"
od -An -tx1 "$work/game/Tervane.opt" | sed 's/^/options/'
exit 0
