#!/usr/bin/env bash
# Builds and runs every test: once optimised, once with the address and undefined-behaviour
# sanitizers; then runs each fuzz target over its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

"$root/scripts/build.sh" "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build/test" --output-on-failure -j "$jobs"

"$root/scripts/build.sh" "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DTRK_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"

"$root/scripts/fuzz.sh" "$root/build/asan"
