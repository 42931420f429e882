#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ (clang, ASan + UBSan) in build-fuzz/
# and runs each for SECONDS (default 60) under nice 19 with its corpus, then
# prints a table: harness, CPU seconds, executions, executions per CPU second,
# coverage (edges, from libFuzzer's final stats) and findings.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]   # every harness, or the ones named
#   scripts/fuzz.sh --totals                 # the whole campaign so far
#
# TERVANE_FUZZ_BUILD_DIR names the build folder (default build-fuzz).
# TERVANE_FUZZ_JOBS=2 runs two harnesses at a time (default 1: the machine is
# shared). A harness that finds a fault is started again until its time is
# used up (at most three findings per harness and run).
# Seeds come from the program directory of the normal build ($TERVANE_BUILD_DIR,
# default build/, built when missing) and from tervane-fuzz-seeds.
# A run longer than TERVANE_FUZZ_TIMEOUT seconds (default 120: the limit is
# wall time, and nice 19 on a busy machine is slow) is a finding once it also
# outlasts the limit when run again alone at normal priority.
# Inputs are cut to TERVANE_FUZZ_MAX_LEN bytes (default 65536: enough for
# every structure, and large seeds such as the game's music do not slow
# every run down).
# TERVANE_FUZZ_DEBIAN=1 adds the modules of the Debian game packages to the
# module harnesses' seeds (local runs only; such files are never committed).
# Kept between runs, ignored by git, under .fuzz/: corpus/<harness>/,
# findings/<harness>/ (crash-*, leak-*, timeout-*, oom-*), logs/, and
# ledger.tsv with one line per run.
set -euo pipefail
cd "$(dirname "$0")/.."
state=$PWD/.fuzz  # absolute: harnesses may change their directory
ledger=$state/ledger.tsv
fuzz_build=${TERVANE_FUZZ_BUILD_DIR:-build-fuzz}
# The file readers' harnesses write their input as a file on every run: keep
# their scratch folders in memory.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

print_totals() {
  [ -f "$ledger" ] || { echo "no campaign yet"; return; }
  awk -F'\t' '
    { cpu[$2] += $3; runs[$2]++; execs[$2] += $4; if ($5 > cov[$2]) cov[$2] = $5; found[$2] += $6 }
    END {
      printf "%-24s %6s %9s %12s %10s %6s %8s\n", "harness", "runs", "cpu-min", "executions", "exec/cpu-s", "edges", "findings"
      for (h in cpu) printf "%-24s %6d %9.1f %12d %10.0f %6d %8d\n", h, runs[h], cpu[h] / 60, execs[h], (cpu[h] > 0 ? execs[h] / cpu[h] : 0), cov[h], found[h]
    }' "$ledger" | (read -r header; echo "$header"; sort)
}

if [ "${1:-}" = --totals ]; then
  print_totals
  exit 0
fi

seconds=${1:-60}
max_len=${TERVANE_FUZZ_MAX_LEN:-65536}
timeout=${TERVANE_FUZZ_TIMEOUT:-120}
shift || true

build_harnesses() {
  scripts/setup.sh fuzz
  local game_dir=${TERVANE_BUILD_DIR:-build}/game
  if [ ! -f "$game_dir/sounds.dat" ] || [ ! -f "$game_dir/islands/islands.inf" ]; then
    echo "== building the program directory for the seeds"
    scripts/build.sh
  fi
  echo "== building the harnesses in $fuzz_build"
  mkdir -p "$fuzz_build"
  CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -DTERVANE_FUZZ=ON -DTERVANE_TESTS=OFF \
    -DTERVANE_BENCH=OFF -DTERVANE_CONTENT=OFF > "$fuzz_build/configure.log" 2>&1 ||
    { cat "$fuzz_build/configure.log"; exit 1; }
  cmake --build "$fuzz_build" --parallel 2 --target tervane-fuzz-seeds "${all_harnesses[@]}"

  rm -rf "$state/seeds"
  "$fuzz_build/fuzz/tervane-fuzz-seeds" "$game_dir" "$PWD" "$state/seeds"
  picture_variants
  if [ "${TERVANE_FUZZ_DEBIAN:-0}" = 1 ]; then debian_modules; fi
}

# Bitmaps of the depths and packings that reach the platform's reader.
picture_variants() {
  command -v convert > /dev/null || return 0
  local from=$state/seeds/fuzz_bmp/small.bmp to=$state/seeds/fuzz_bmp
  convert "$from" -type palette BMP3:"$to/palette8.bmp"
  convert "$from" -colors 16 -type palette BMP3:"$to/palette4.bmp"
  convert "$from" -monochrome BMP3:"$to/mono1.bmp"
  convert "$from" -compress RLE -type palette BMP3:"$to/rle8.bmp"
  convert "$from" -define bmp:subtype=RGB565 BMP:"$to/rgb565.bmp"
  convert "$from" -alpha set BMP:"$to/argb32.bmp"
  convert "$from" -interlace JPEG -quality 70 JPEG:"$state/seeds/fuzz_jpeg/progressive.jpg"
  convert "$from" -colorspace Gray JPEG:"$state/seeds/fuzz_jpeg/grey.jpg"
}

debian_modules() {
  local package file
  for package in tecnoballz-data gl-117-data flobopuyo; do
    dpkg -L "$package" 2> /dev/null | grep -iE '\.(xm|s3m|mod)$' | while read -r file; do
      case "${file,,}" in
        *.xm) cp "$file" "$state/seeds/fuzz_quelt_xm/" ;;
        *.s3m) cp "$file" "$state/seeds/fuzz_quelt_s3m/" ;;
        *.mod) cp "$file" "$state/seeds/fuzz_quelt_mod/" ;;
      esac
    done
  done
}

# One run of a harness for at most `budget` seconds of wall time; prints
# "cpu-seconds executions edges" and leaves its output in the log.
run_once() {
  local name=$1 budget=$2 log=$3 timing
  local corpus=$state/corpus/$name seeds=$state/seeds/$name
  mkdir -p "$corpus" "$seeds" "$state/findings/$name"
  timing=$(mktemp)
  { TIMEFORMAT='%U %S'; time nice -n 19 "$fuzz_build/fuzz/$name" -max_total_time="$budget" \
      -print_final_stats=1 -timeout="$timeout" -report_slow_units="$timeout" -rss_limit_mb=2560 \
      -close_fd_mask=1 -max_len="$max_len" \
      -artifact_prefix="$state/findings/$name/" "$corpus" "$seeds" >> "$log" 2>&1 || true; } 2> "$timing"
  awk '{ printf "%.1f ", $1 + $2 }' "$timing"
  rm -f "$timing"
  # Executions and edges of this run: the final stats, else the last status line.
  local executions edges
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$executions" ] || executions=$( (grep -o '^#[0-9]*' "$log" || true) | tail -1 | tr -d '#')
  edges=$( (grep -o 'cov: [0-9]*' "$log" || true) | tail -1 | cut -d' ' -f2)
  echo "${executions:-0} ${edges:-0}"
}

# The findings of a harness: its crash, leak, out-of-memory and hang inputs.
count_findings() {
  find "$state/findings/$1" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \
    -o -name 'timeout-*' \) | wc -l
}

# A hang found while the machine was busy is kept only when the input also
# hangs alone; otherwise it goes to starved/.
confirm_hangs() {
  local name=$1 input
  for input in "$state/findings/$name"/timeout-*; do
    [ -e "$input" ] || continue
    if timeout "$timeout" "$fuzz_build/fuzz/$name" -runs=1 "$input" > /dev/null 2>&1; then
      mkdir -p "$state/findings/$name/starved"
      mv "$input" "$state/findings/$name/starved/"
    fi
  done
}

# Runs a harness until its time is used up; adds a line to the ledger.
run_harness() {
  local name=$1 started now cpu=0 executions=0 edges=0 findings before
  local log=$state/logs/$name.$(date +%Y%m%d-%H%M%S).log
  mkdir -p "$state/logs" "$state/findings/$name"
  before=$(count_findings "$name")
  started=$(date +%s)
  while :; do
    : > "$log.pass"
    read -r pass_cpu pass_executions pass_edges < <(run_once "$name" $((seconds - ($(date +%s) - started))) "$log.pass")
    cat "$log.pass" >> "$log"
    cpu=$(awk -v a="$cpu" -v b="$pass_cpu" 'BEGIN { print a + b }')
    executions=$((executions + pass_executions))
    [ "$pass_edges" -gt "$edges" ] && edges=$pass_edges
    confirm_hangs "$name"
    findings=$(($(count_findings "$name") - before))
    now=$(date +%s)
    if ! grep -q '^==[0-9]*== ERROR\|^SUMMARY\|Test unit written\|ERROR: libFuzzer' "$log.pass" || [ "$findings" -ge 3 ] ||
       [ $((now - started)) -ge $((seconds - 5)) ]; then
      break
    fi
  done
  rm -f "$log.pass"
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date +%FT%T)" "$name" "$cpu" "$executions" "$edges" "$findings" >> "$ledger"
  printf '%-24s %8.1f %12d %10.0f %6d %8d\n' "$name" "$cpu" "$executions" \
    "$(awk -v e="$executions" -v c="$cpu" 'BEGIN { print (c > 0 ? e / c : 0) }')" "$edges" "$findings"
}

all_harnesses=()
for source in fuzz/fuzz_*.cpp; do
  all_harnesses+=("$(basename "$source" .cpp)")
done
chosen=("$@")
[ ${#chosen[@]} -gt 0 ] || chosen=("${all_harnesses[@]}")

build_harnesses
jobs=${TERVANE_FUZZ_JOBS:-1}
echo "== fuzzing ${#chosen[@]} harnesses for ${seconds} s each, $jobs at a time (nice 19)"
printf '%-24s %8s %12s %10s %6s %8s\n' harness cpu-s executions exec/cpu-s edges findings
for name in "${chosen[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_harness "$name" &
done
wait
echo "findings, if any, are in $state/findings/; the campaign so far: scripts/fuzz.sh --totals"
