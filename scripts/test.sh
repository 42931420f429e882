#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless (SDL's dummy
# video and audio drivers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/build.sh
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "${TERVANE_BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
