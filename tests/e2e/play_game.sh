#!/usr/bin/env bash
# Plays a whole game of the real program with real X input: makes two fresh
# copies of the program directory, lets tervane-play-plan work out the plan
# for the seed in one of them, starts the game in the other under its own X
# server (full screen, 1024 x 768, 16 bits) with that seed, and carries the
# plan out with xdotool (the steps are described in tests/e2e/play_plan.cpp).
# Screenshots go to WORK/shots, the times of "mark" steps to WORK/marks, the
# game's files stay in WORK/game. Exit status 77 when the X server cannot
# start here, 78 when an X tool is missing (x_session.sh), 1 when a step
# fails; the last line says how the game ended.
#   play_game.sh <program directory> <tervane-play-plan> <work folder> <seed>
set -u
programDir=$1 planner=$2 work=$3 seed=$4
rm -rf "$work"
mkdir -p "$work/shots"
cp -a "$programDir" "$work/game"
cp -a "$programDir" "$work/planning"
(cd "$work/planning" && "$planner" "$seed") >"$work/plan" || { echo "no plan"; exit 1; }
cp "$work/planning/Tervane.top" "$work/game/Tervane.top"
cp "$work/planning/Tervane.top" "$work/Tervane.top.before"

. "$(dirname "$0")/x_session.sh"
start_x_session "$work" 16 60 import
unset TERVANE_WINDOWED SDL_VIDEODRIVER TERVANE_PIXEL_FORMAT
(cd "$work/game" && TERVANE_RANDOM_SEED=$seed exec ./tervane) >"$work/game.log" 2>&1 &
game=$! driven=$!

fail() {
  echo "step $step: $*"
  exit 1
}

# The 800 x 600 picture fills the 1024 x 768 screen; a screen point that
# maps back onto the game's point.
scaled() { echo $((($1 * 1024 + 799) / 800)) $((($2 * 768 + 599) / 600)); }

screen_hash() { xwd -root -silent | md5sum; }

# Waits until the screen has not changed for a second.
settle() {
  local last same=0 now
  last=$(screen_hash)
  for _ in $(seq 160); do
    sleep 0.25
    kill -0 "$game" 2>/dev/null || fail "the game ended"
    now=$(screen_hash)
    if [ "$now" = "$last" ]; then
      same=$((same + 1))
      [ "$same" -ge 4 ] && return 0
    else
      same=0 last=$now
    fi
  done
  fail "the screen never stood still"
}

step=0
while read -r action argument rest <&3; do
  step=$((step + 1))
  case $action in
    window)
      for _ in $(seq 200); do
        xdotool search --pid "$game" >/dev/null 2>&1 && break
        kill -0 "$game" 2>/dev/null || fail "the game ended"
        sleep 0.1
      done ;;
    click)
      # shellcheck disable=SC2046  # two numbers
      xdotool mousemove $(scaled "$argument" "$rest") click 1 ;;
    key) xdotool key "$argument" ;;
    type) xdotool type --delay 40 "$argument${rest:+ $rest}" ;;
    wait) sleep "$argument" ;;
    settle) settle ;;
    shot) import -window root "$work/shots/$argument.png" ;;
    mark) echo "$argument $(date +%s.%N)" >>"$work/marks" ;;
    quit)
      for _ in $(seq 150); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
      kill -0 "$game" 2>/dev/null && fail "the game did not end" ;;
    *) fail "unknown step $action" ;;
  esac
done 3<"$work/plan"
wait "$game"
echo "game ended with status $?"
