#!/usr/bin/env bash
# Installs the game for the current user: builds it when needed, copies the
# program directory to DIR, writes the menu entry for that place and puts it
# into the desktop's application menu with "DIR/tervane -reg".
#
#   scripts/install.sh [--no-build] [DIR]
#
# DIR defaults to $XDG_DATA_HOME/tervane (~/.local/share/tervane); the game
# keeps its best times, options and island rotation there, and installing
# again over it keeps them. --no-build installs an existing build as it is
# (the build folder is $TERVANE_BUILD_DIR, by default build/).
# To remove the game: "DIR/tervane" -unreg, then delete DIR.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

build=1
if [ "${1:-}" = --no-build ]; then
  build=0
  shift
fi
if [ $# -gt 1 ] || [[ "${1:-}" == -* ]]; then
  echo "usage: scripts/install.sh [--no-build] [DIR]" >&2
  exit 2
fi

data_home=${XDG_DATA_HOME:-}
if [[ "$data_home" != /* ]]; then
  if [[ "${HOME:-}" != /* ]]; then
    echo "install.sh: HOME is not set to an absolute path; name the folder to install into" >&2
    exit 1
  fi
  data_home=$HOME/.local/share
fi
target=${1:-$data_home/tervane}

build_dir=${TERVANE_BUILD_DIR:-build}
[[ "$build_dir" == /* ]] || build_dir=$source_dir/$build_dir
if [ "$build" = 1 ]; then
  "$source_dir/scripts/setup.sh" run
  TERVANE_BUILD_DIR=$build_dir "$source_dir/scripts/build.sh"
fi
program_dir=$build_dir/game
if [ ! -x "$program_dir/tervane" ]; then
  echo "install.sh: no built program in $program_dir" >&2
  exit 1
fi

mkdir -p "$target"
target=$(cd "$target" && pwd)
if [ "$target" = "$(cd "$program_dir" && pwd)" ]; then
  echo "install.sh: $target is the build's own program directory" >&2
  exit 1
fi

# Everything but the build's menu entry, which names the build's own place,
# and the files the game writes while it is played: a new installation
# starts without them, and one installed over keeps the player's own.
tar -C "$program_dir" --anchored \
    --exclude=./group --exclude=./Error.rep --exclude=./Tervane.top --exclude=./Tervane.opt \
    --exclude=./islands/islands.use --exclude=./islands/islands.cur \
    -cf - . | tar -C "$target" --no-same-owner -xf -

mkdir -p "$target/group"
cmake -DPROGRAM_DIR="$target" -DOUTPUT="$target/group/tervane.desktop" \
      -P "$source_dir/content/group/desktop_entry.cmake"
cp "$target/tervane.png" "$target/group/tervane.png"
"$target/tervane" -reg

echo "Tervane is installed in $target and on the desktop's application menu."
echo "To remove it: \"$target/tervane\" -unreg, then delete $target"
