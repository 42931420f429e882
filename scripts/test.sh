#!/usr/bin/env bash
# Installs what is missing, checks that the layers point one way, builds, and
# runs every test headless (SDL's dummy video and audio drivers; the
# real-window test starts its own X server). Then runs them again built with
# AddressSanitizer + UndefinedBehaviorSanitizer, and the mixer library's and the
# game sound's tests with ThreadSanitizer. TERVANE_SANITIZERS=0 skips the sanitizer runs.
#
# A skipped test fails the run, except the skips expected below (a real-window
# test on a machine where no X server can start, for one), each of which is
# then named in one line of the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/check-layers.sh
scripts/check-headers.sh
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs=$(nproc)

# The skips this command expects, one a line: the run they may happen in
# (any, or tsan), the test (a pattern) and the reason the test gives. The
# real-window tests skip only where no X server can start (status 77 of
# tests/e2e/x_session.sh); GTK is not built for ThreadSanitizer. Any other
# skip fails the run.
expected_skips='
any  RealWindowTest.*    no X server could start here
any  DialogWindowTest.*  Xvfb, xdotool, openbox or ImageMagick missing
tsan DialogWindowTest.*  GTK is not built for ThreadSanitizer
'

# Whether a skip is one of the expected ones.
expected_skip() {  # run, test, reason
  local run pattern reason
  while read -r run pattern reason; do
    [ -n "$run" ] || continue
    # shellcheck disable=SC2053  # the test is a pattern on purpose
    if [[ ($run == any || $run == "$1") && $2 == $pattern && $3 == "$reason" ]]; then return 0; fi
  done <<< "$expected_skips"
  return 1
}

# Names every skipped test in one line with its reason; fails on a skip that
# is not expected. The reasons are the tests' "Test skipped:" lines.
check_skips() {  # run, build directory
  local name reason unexpected=0
  while read -r name; do
    reason=$(grep -F -m1 "Test skipped: $name: " "$2/Testing/Temporary/LastTest.log" || true)
    reason=${reason#"Test skipped: $name: "}
    if expected_skip "$1" "$name" "$reason"; then
      echo "Skipped as expected: $name: $reason"
    else
      echo "Skipped, which must not happen: $name: ${reason:-(no reason given)}"
      unexpected=1
    fi
  done < <(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$2/ctest.log")
  if [ "$unexpected" -ne 0 ]; then
    echo "Tests were skipped that must run (their output: ctest -R NAME -V in $2)"
    exit 1
  fi
}

run_tests() {  # run, build directory, ctest arguments...
  local run=$1 dir=$2
  shift 2
  (cd "$dir" && ctest --output-on-failure --parallel "$jobs" --timeout 600 "$@") | tee "$dir/ctest.log"
  check_skips "$run" "$dir"
}

scripts/build.sh
run_tests normal "${TERVANE_BUILD_DIR:-build}"

if [ "${TERVANE_SANITIZERS:-1}" != 0 ]; then
  echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
  TERVANE_BUILD_DIR=build-asan scripts/build.sh -DTERVANE_ASAN=ON -DTERVANE_BENCH=OFF
  run_tests asan build-asan

  echo "== ThreadSanitizer (mixer library and game sound)"
  mkdir -p build-tsan
  cmake -S . -B build-tsan -DTERVANE_TSAN=ON -DTERVANE_BENCH=OFF -DTERVANE_CONTENT=OFF \
    > build-tsan/configure.log 2>&1 || { cat build-tsan/configure.log; exit 1; }
  cmake --build build-tsan --parallel "$jobs" --target test_quelt test_sound
  run_tests tsan build-tsan -L 'quelt|sound'
fi
