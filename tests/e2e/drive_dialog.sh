#!/usr/bin/env bash
# Drives quelt-play's settings dialog on its own X server (1024 x 768) with a
# window manager, through X input, and prints what it saw as "name value"
# lines. The output is captured with SDL's disk audio driver.
#   drive_dialog.sh <quelt-play> <module> <work folder>
# Run 1: keeps half a second of the capture as loud.raw, moves the music
# trackbar to the bottom (the capture from then on is kept as silent.raw),
# chooses 22050 and presses OK (bytes per second of the
# capture before and after). Run 2: presses Cancel. The dialog's picture is
# saved as dialog.png. Exit status 77 when the X server cannot start here, 78
# when an X tool is missing (x_session.sh).
set -u
player=$1 module=$2 work=$3
. "$(dirname "$0")/x_session.sh"
start_x_session "$work" 24 import xwininfo
# GTK keeps its own memory to the end of the process.
export ASAN_OPTIONS=detect_leaks=0

dialog= left= top= width= height=
find_dialog() {
  dialog=
  for _ in $(seq 100); do
    dialog=$(xdotool search --name "^Quelt settings: " 2>/dev/null | head -1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || return 1
  sleep 0.5
  local info
  info=$(xwininfo -id "$dialog")
  left=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  top=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  width=$(sed -n 's/.*Width: *//p' <<<"$info")
  height=$(sed -n 's/.*Height: *//p' <<<"$info")
}
# Clicks at a point given in the template's dialog units (295 x 167).
click_units() {
  xdotool mousemove $((left + $1 * width / 295)) $((top + $2 * height / 167)) click 1
  sleep 0.4
}
capture_size() { stat -c %s "$work/capture.raw" 2>/dev/null || echo 0; }
bytes_per_second() {
  local before after
  before=$(capture_size); sleep 2; after=$(capture_size)
  echo $(((after - before) / 2))
}
dialog_shown() { xdotool search --name "^Quelt settings: " >/dev/null 2>&1 && echo 1 || echo 0; }
stop_player() {
  echo "running $(kill -0 "$play" 2>/dev/null && echo 1 || echo 0)"
  kill -INT "$play"
  wait "$play"
  echo "exit $?"
  play= driven=
}

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/capture.raw" "$player" --settings "$module" \
  >"$work/play1.log" 2>&1 &
play=$! driven=$!
find_dialog || { echo "no dialog"; exit 1; }
echo "dialog ${width}x${height}"
import -window root "$work/dialog.png"
echo "rate_before $(bytes_per_second)"
head -c "$(capture_size)" "$work/capture.raw" | tail -c 88200 >"$work/loud.raw"
click_units 164 80          # the music trackbar, near its bottom
xdotool key End; sleep 1
from=$(capture_size); sleep 1; to=$(capture_size)
tail -c +$((from + 1)) "$work/capture.raw" | head -c $((to - from)) >"$work/silent.raw"
click_units 104 30          # the frequency list
xdotool key Down Return; sleep 0.4
click_units 78 157          # OK
sleep 1
echo "shown_after_ok $(dialog_shown)"
echo "rate_after $(bytes_per_second)"
stop_player

SDL_AUDIODRIVER=dummy "$player" --settings "$module" >"$work/play2.log" 2>&1 &
play=$! driven=$!
find_dialog || { echo "no dialog"; exit 1; }
click_units 130 157         # Cancel
sleep 1
echo "shown_after_cancel $(dialog_shown)"
stop_player
