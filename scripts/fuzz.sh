#!/usr/bin/env bash
# fuzz.sh <build-dir> [seconds]: runs every fuzz target of a build over its seed corpus (and, for
# libFuzzer builds, for the given number of seconds of new inputs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
seconds=${2:-0}
shopt -s nullglob
for target in "$dir"/bin/fuzz_*; do
  name=$(basename "$target")
  corpus="$root/fuzz/corpus/${name#fuzz_}"
  mkdir -p "$corpus"
  echo "== $name"
  if [ "$seconds" -gt 0 ]; then
    "$target" -max_total_time="$seconds" "$corpus"
  else
    "$target" "$corpus"
  fi
done
