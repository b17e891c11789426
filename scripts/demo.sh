#!/usr/bin/env bash
# The main job on the shipped example library: the EndPlate connection standard evaluated
# against a copy of the example macro.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DTRK_BUILD_TESTS=OFF -DTRK_BUILD_FUZZ=OFF >/dev/null
exec "$root/build/release/bin/trkhost" --library "$root/examples/library" standards --demo
