#!/usr/bin/env bash
# Plays the first map of the real game under its own X server with SDL's
# disk audio driver and listens. The planner (tervane-play-plan --first-map,
# run in a fresh copy of the program directory) names a safe cell and a
# radiated cell of the map the seed gives; the game, started in another
# fresh copy with that seed (radiated areas fatal), leaves the splash with a
# key once it has loaded (the music starts during loading), the safe cell is
# opened (its effect), then the radiated one (the map is lost, the music
# ducks), and once the duck is over the window is closed with the window
# manager's close (Alt+F4).
#
# Writes the capture (44100 Hz, stereo, 16 bit) and, in "marks", the frames
# the device had played at each step, how long the game took to end after
# the close (exit_us, looked at every millisecond), its exit status, and
# error_report when it left an "Error.rep". Exit status 77 when the X server
# cannot start here, 78 when a tool is missing (x_session.sh), 1 when a step
# fails.
#   drive_game_sound.sh <program directory> <tervane-play-plan> <work folder> [seed]
set -u
programDir=$1 planner=$2 work=$3 seed=${4:-19}
capture=$work/capture.raw marks=$work/marks
rm -rf "$work/game" "$work/planning" "$capture" "$marks"
mkdir -p "$work"
cp -a "$programDir" "$work/game"
cp -a "$programDir" "$work/planning"
(cd "$work/planning" && "$planner" --first-map "$seed") >"$work/cells" || { echo "no cells from the planner"; exit 1; }
safeX= radiatedX=
while read -r what x y _; do
  case $what in
    safe) safeX=$x safeY=$y ;;
    radiated) radiatedX=$x radiatedY=$y ;;
  esac
done <"$work/cells"
[ -n "$safeX" ] && [ -n "$radiatedX" ] || { echo "the planner named no safe or no radiated cell"; exit 1; }
printf '\001\001\001\001' >"$work/game/Tervane.opt"  # music, effects, radiated areas fatal, map type 1

. "$(dirname "$0")/x_session.sh"
start_x_session "$work" 16
unset TERVANE_WINDOWED SDL_VIDEODRIVER TERVANE_PIXEL_FORMAT
(cd "$work/game" && TERVANE_RANDOM_SEED=$seed SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture exec ./tervane) \
  >"$work/game.log" 2>&1 &
game=$! driven=$!

fail() {
  echo "$*"
  cat "$work/game.log"
  exit 1
}

frames() { echo $(($(stat -c %s "$capture" 2>/dev/null || echo 0) / 4)); }
mark() { echo "$1 $(frames)" >>"$marks"; }
microseconds() { echo $((${EPOCHREALTIME/./})); }

# Whether the game is still running (a game that has ended is a zombie
# until the shell collects it, or gone).
running() {
  local state=
  [ -r "/proc/$game/stat" ] && read -r _ _ state _ 2>/dev/null <"/proc/$game/stat"
  case ${state:-gone} in Z | X | gone) return 1 ;; esac
}

# The processor time of the game's main thread, in clock ticks (10 ms).
main_thread_ticks() {
  local fields
  read -ra fields 2>/dev/null <"/proc/$game/task/$game/stat" || { echo 0; return; }
  echo $((fields[13] + fields[14]))
}

# Waits until the game's main thread has used at most 3 clock ticks of
# processor time in the last second: it waits for input, so it has finished
# loading or preparing its map, and the input it takes next is not dropped
# (the splash drops what comes while it loads; a map in preparation drops
# what comes before it is shown). The state of the thread would not tell:
# loading and preparing also wait at times (for the X server, in a pause
# before a transition), and on a busy machine the waiting game is often
# ready to run.
wait_for_idle_game() {
  local ticks=() now
  for _ in $(seq 600); do
    running || fail "the game ended: $1"
    now=$(main_thread_ticks)
    ticks+=("$now")
    [ ${#ticks[@]} -gt 10 ] && [ $((now - ticks[-11])) -le 3 ] && return 0
    sleep 0.1
  done
  fail "the game never waited for input: $1"
}

# The game takes a click only where it has seen the pointer arrive: the
# pointer is moved beside the point, then onto it, and clicked. The game's
# 800 x 600 picture fills the 1024 x 768 screen.
click() {
  local x=$((($1 * 1024 + 799) / 800)) y=$((($2 * 768 + 599) / 600))
  xdotool mousemove $((x + 3)) $((y + 3)) sleep 0.05 mousemove "$x" "$y" sleep 0.05 click 1
}

heard() { [ "$(tr -d '\000' 2>/dev/null <"$capture" | head -c 1 | wc -c)" -gt 0 ]; }

# Waits until the device has played `frames` frames: the disk driver plays
# slower than the clock on a busy machine, and what is measured is what it
# played.
wait_for_frames() {
  for _ in $(seq 600); do
    [ "$(frames)" -ge "$1" ] && return 0
    running || fail "the game ended before the end of the duck"
    sleep 0.1
  done
  fail "the device stopped playing"
}

# The music starts while the splash is still loading.
for _ in $(seq 600); do
  heard && break
  running || fail "the game ended before it was heard"
  sleep 0.1
done
heard || fail "no sound from the game"
wait_for_idle_game "at the splash"
xdotool key space
sleep 1
wait_for_idle_game "while the first map was prepared"
mark click
click "$safeX" "$safeY"
sleep 1.5
wait_for_idle_game "after the safe cell"
lostAt=$(frames)
echo "lost $lostAt" >>"$marks"
click "$radiatedX" "$radiatedY"
# The duck lasts 6 seconds from the loss's effect; the music is back by 8.
wait_for_frames $((lostAt + 44100 * 21 / 2))
running || fail "the game ended before it was closed"
xdotool key alt+F4
closed=$(microseconds)
while running && [ $(($(microseconds) - closed)) -lt 5000000 ]; do sleep 0.001; done
ended=$(microseconds)
if running; then
  echo "still_running 1" >>"$marks"
  kill "$game"
fi
wait "$game"
echo "status $?" >>"$marks"
echo "exit_us $((ended - closed))" >>"$marks"
if [ -e "$work/game/Error.rep" ]; then
  echo "error_report 1" >>"$marks"
  echo "Error.rep: $(cat "$work/game/Error.rep")"
fi
cat "$work/cells" "$marks"
