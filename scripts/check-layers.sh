#!/usr/bin/env bash
# Checks that the layers point one way: reads every #include "..." of every
# source and header of the tree and fails, naming the file, the line and the
# rule, when a folder includes one it may not.
#   scripts/check-layers.sh [TREE]      (default: this checkout)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# Which folder may include which. The most specific folder of a file decides:
# a row for DSound/Player/mixer, say, overrides the DSound/Player row for the
# files below it. Each allowed entry is a folder (everything below it), a
# file, or a pattern with * ; "*" alone allows everything.
rules='
platform        platform
DSound/Player   DSound/Player
DSound/Player/base        DSound/Player/base
DSound/Player/model       DSound/Player/base DSound/Player/model
DSound/Player/loaders     DSound/Player/base DSound/Player/model DSound/Player/loaders
DSound/Player/player      DSound/Player/base DSound/Player/model DSound/Player/player
DSound/Player/mixer       DSound/Player/base DSound/Player/model DSound/Player/player DSound/Player/mixer
DSound/Player/output      DSound/Player/base DSound/Player/model DSound/Player/player DSound/Player/mixer DSound/Player/output
DSound/Player/api         DSound/Player
DSound/Player/dialog-gtk  DSound/Player/api DSound/Player/dialog-gtk
graphics        platform graphics
game            platform graphics game
shell           platform graphics game shell
sound           platform graphics game shell sound DSound/Player/quelt.h DSound/Player/*/quelt.h
install         platform install
screens         platform graphics game shell sound screens DSound/Player/quelt.h DSound/Player/*/quelt.h
program         *
tools           *
tests           *
bench           *
fuzz            *
'

declare -A allowed=()
while read -r folder entries; do
  [ -n "$folder" ] && allowed[$folder]=$entries
done <<< "$rules"

# The sources and headers: the files git knows (tracked, or new and not
# ignored); every file below the tree when it is not a git checkout.
list_sources() {
  if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    find . -type f -not -path './build*' | sed 's|^\./||'
  fi | grep -E '\.(c|cc|cpp|h|hpp)$' | sort -u
}
mapfile -t sources < <(list_sources)

# Every file by its name, to resolve includes made through an include folder.
declare -A by_name=()
for file in "${sources[@]}"; do
  name=${file##*/}
  by_name[$name]+="$file "
done

# The folder rule that governs a file: its longest folder with a row.
# Sets `folder`.
rule_of() {
  local path=$1 candidate
  folder=""
  for candidate in "${!allowed[@]}"; do
    if [[ $path == "$candidate"/* && ${#candidate} -gt ${#folder} ]]; then folder=$candidate; fi
  done
}

# Sets `target` to the path with "a/./b" and "a/x/../b" folded into "a/b".
set_target() {
  local path=$1 part joined=""
  local -a kept=()
  if [[ $path != *./* && $path != ./* ]]; then target=$path; return; fi
  IFS=/ read -ra parts <<< "$path"
  for part in "${parts[@]}"; do
    case $part in
      .|"") ;;
      ..) [ ${#kept[@]} -gt 0 ] && unset 'kept[-1]' ;;
      *) kept+=("$part") ;;
    esac
  done
  for part in "${kept[@]}"; do joined+=${joined:+/}$part; done
  target=$joined
}

# Where an include points: beside the including file, else from the top of
# the tree, else the one file of that name and ending (an include folder);
# empty when it names nothing in the tree. Sets `target`.
resolve() {
  local from=$1 include=$2 candidate match=""
  candidate=${from%/*}/$include
  if [ -f "$candidate" ]; then set_target "$candidate"; return; fi
  if [ -f "$include" ]; then set_target "$include"; return; fi
  for candidate in ${by_name[${include##*/}]:-}; do
    if [[ $candidate == */"$include" ]]; then
      [ -n "$match" ] && { target="?ambiguous"; return; }
      match=$candidate
    fi
  done
  target=$match
}

# Whether a rule's entries allow a target path.
allows() {
  local target=$1 entry
  for entry in $2; do
    if [[ $entry == "*" || $target == "$entry" || $target == "$entry"/* ]]; then return 0; fi
    # shellcheck disable=SC2053  # the entry is a pattern on purpose
    if [[ $entry == *"*"* && $target == $entry ]]; then return 0; fi
  done
  return 1
}

failures=0
checked=0
for file in "${sources[@]}"; do
  rule_of "$file"
  if [ -z "$folder" ]; then
    [[ $file == */* ]] || continue  # files at the top of the tree are no layer
    echo "$file: its folder has no rule in scripts/check-layers.sh; add one"
    failures=$((failures + 1))
    continue
  fi
  while IFS=: read -r line text; do
    [[ $text =~ include[[:space:]]*\"([^\"]*)\" ]] || continue
    include=${BASH_REMATCH[1]}
    resolve "$file" "$include"
    checked=$((checked + 1))
    if [ "$target" = "?ambiguous" ]; then
      echo "$file:$line: includes \"$include\", which names more than one file of the tree"
      failures=$((failures + 1))
    elif [ -z "$target" ] && [[ $include == */* && -d ${include%%/*} ]]; then
      echo "$file:$line: includes \"$include\", which names no file of the tree"
      failures=$((failures + 1))
    elif [ -n "$target" ] && ! allows "$target" "${allowed[$folder]}"; then
      echo "$file:$line: includes $target, but $folder/ may include only: ${allowed[$folder]}"
      failures=$((failures + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done

if [ "$failures" -gt 0 ]; then
  echo "check-layers: $failures include(s) against the layers (HACKING.md, \"Layers\")"
  exit 1
fi
echo "check-layers: $checked includes in ${#sources[@]} files point one way"
