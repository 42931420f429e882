#!/usr/bin/env bash
# Configures and builds the project into build/ (or $TERVANE_BUILD_DIR).
# Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${TERVANE_BUILD_DIR:-build}
mkdir -p "$build_dir"
cmake -S . -B "$build_dir" "$@" > "$build_dir/configure.log" 2>&1 || {
  cat "$build_dir/configure.log"; exit 1; }
cmake --build "$build_dir" --parallel "$(nproc)"
