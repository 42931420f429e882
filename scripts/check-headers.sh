#!/usr/bin/env bash
# Checks that every source file of the game's folders, the platform and the
# tools has a header of its own name beside it (a.cpp declares what it
# defines in a.h), except a file that holds a program's main().
#   scripts/check-headers.sh [TREE]      (default: this checkout)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

folders=(platform graphics game shell screens sound install program tools)

missing=0
count=0
while IFS= read -r source; do
  count=$((count + 1))
  [ -f "${source%.cpp}.h" ] && continue
  grep -qE '^[[:space:]]*int[[:space:]]+main[[:space:]]*\(' "$source" && continue
  echo "$source: no header ${source%.cpp}.h declares what it defines"
  missing=$((missing + 1))
done < <(for folder in "${folders[@]}"; do
           [ -d "$folder" ] && find "$folder" -name '*.cpp'
         done | sort)

if [ "$missing" -gt 0 ]; then
  echo "check-headers: $missing source file(s) without a header of their own name"
  exit 1
fi
echo "check-headers: each of $count source files has a header of its own name"
