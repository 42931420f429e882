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
start_x_session "$work" 16 import
unset TERVANE_WINDOWED SDL_VIDEODRIVER TERVANE_PIXEL_FORMAT
(cd "$work/game" && TERVANE_RANDOM_SEED=$seed exec ./tervane) >"$work/game.log" 2>&1 &
game=$! driven=$!

fail() {
  echo "step $step: $*"
  import -window root "$work/shots/failed-step-$step.png" 2>/dev/null
  exit 1
}

# The 800 x 600 picture fills the 1024 x 768 screen; a screen point that
# maps back onto the game's point.
scaled() { echo $((($1 * 1024 + 799) / 800)) $((($2 * 768 + 599) / 600)); }

screen_hash() { xwd -root -silent | md5sum; }

# Whether the game's main thread is waiting (for input or the next frame)
# rather than working or ready to work.
game_waits() {
  local state
  state=$(sed 's/^.*) //' "/proc/$game/stat" 2>/dev/null | cut -d' ' -f1)
  [ "$state" = S ]
}

# Waits until the screen has not changed for 0.75 s while the game waited
# all along: a still picture alone could be a map in preparation, which
# drops the input queued meanwhile.
settle() {
  local last same=0 now
  last=$(screen_hash)
  for _ in $(seq 160); do
    sleep 0.25
    kill -0 "$game" 2>/dev/null || fail "the game ended"
    now=$(screen_hash)
    if [ "$now" = "$last" ] && game_waits; then
      same=$((same + 1))
      [ "$same" -ge 3 ] && return 0
    else
      same=0 last=$now
    fi
  done
  fail "the screen never stood still"
}

# The status line (400 x 40 at (140, 554) of the game's picture) as shown.
status_line() {
  # shellcheck disable=SC2046  # two numbers
  import -window root -crop 512x52+$(scaled 140 554 | tr ' ' +) -depth 8 rgb:- 2>/dev/null | md5sum
}

# The status line with the pointer at a point of the game's picture.
status_with_pointer_at() {
  # shellcheck disable=SC2046  # two numbers
  xdotool mousemove $(scaled "$1" "$2")
  sleep 0.3
  status_line
}

# Waits until a new map is ready: the game drops the input queued while it
# prepares a map, and a still screen does not say that it is done. Ready
# when the status line answers the pointer, twice alike: one text over the
# hidden cell (X, Y), another over the button (BX, BY).
ready() {
  local cell button cell2 button2
  for _ in $(seq 40); do
    kill -0 "$game" 2>/dev/null || fail "the game ended"
    button=$(status_with_pointer_at "$3" "$4")
    cell=$(status_with_pointer_at "$1" "$2")
    [ "$cell" != "$button" ] || continue
    button2=$(status_with_pointer_at "$3" "$4")
    cell2=$(status_with_pointer_at "$1" "$2")
    [ "$button2" = "$button" ] && [ "$cell2" = "$cell" ] && return 0
  done
  fail "the new map never answered the pointer"
}

# Clicks in a row go to xdotool in one command; the game queues them.
clicks=()
flush_clicks() {
  [ ${#clicks[@]} -eq 0 ] && return 0
  xdotool "${clicks[@]}"
  clicks=()
}

step=0
while read -r action argument rest <&3; do
  step=$((step + 1))
  [ "$action" = click ] || flush_clicks
  case $action in
    window)
      for _ in $(seq 200); do
        xdotool search --pid "$game" >/dev/null 2>&1 && break
        kill -0 "$game" 2>/dev/null || fail "the game ended"
        sleep 0.1
      done ;;
    click)
      # shellcheck disable=SC2207  # two numbers
      clicks+=(mousemove $(scaled "$argument" "$rest") click 1)
      [ ${#clicks[@]} -ge 200 ] && flush_clicks ;;
    key) xdotool key "$argument" ;;
    type) xdotool type --delay 40 "$argument${rest:+ $rest}" ;;
    wait) sleep "$argument" ;;
    settle) settle ;;
    ready) ready "$argument" $rest ;;
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
