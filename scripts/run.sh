#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
# Arguments go to the game (for example --windowed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
scripts/build.sh
exec "${TERVANE_BUILD_DIR:-build}/game/tervane" "$@"
