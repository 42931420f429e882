#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless (SDL's dummy
# video and audio drivers; the real-window test starts its own X server).
# Then runs them again built with AddressSanitizer + UndefinedBehaviorSanitizer,
# and the mixer library's tests with ThreadSanitizer.
# TERVANE_SANITIZERS=0 skips the sanitizer runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs=$(nproc)

run_tests() {  # build directory, ctest arguments...
  local dir=$1
  shift
  (cd "$dir" && ctest --output-on-failure --parallel "$jobs" --timeout 600 "$@")
}

scripts/build.sh
run_tests "${TERVANE_BUILD_DIR:-build}"

if [ "${TERVANE_SANITIZERS:-1}" != 0 ]; then
  echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
  TERVANE_BUILD_DIR=build-asan scripts/build.sh -DTERVANE_ASAN=ON -DTERVANE_BENCH=OFF
  run_tests build-asan

  echo "== ThreadSanitizer (mixer library)"
  mkdir -p build-tsan
  cmake -S . -B build-tsan -DTERVANE_TSAN=ON -DTERVANE_BENCH=OFF -DTERVANE_CONTENT=OFF \
    > build-tsan/configure.log 2>&1 || { cat build-tsan/configure.log; exit 1; }
  cmake --build build-tsan --parallel "$jobs" --target test_quelt
  run_tests build-tsan -L quelt
fi
