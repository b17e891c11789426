#!/usr/bin/env bash
# bench.sh: builds the grid engine's benchmarks (Release, build/bench) and runs its workloads side
# by side with HyperFormula (npm) and ixion (Debian), one process per engine and workload. Prints
# the table and writes it to build/bench/results.md (the raw JSON lines to results.jsonl). Runs of
# other engines or workloads in the previous results.jsonl are kept, so that a partial run (say,
# BENCH_ENGINES=ours after a change of the engine) refreshes only what it ran.
#
# Environment:
#   BENCH_WORKLOADS  workloads to run (default: all; see `bench_grid_compare workloads`)
#   BENCH_ENGINES    engines to run (default: "ours hyperformula ixion")
#   BENCH_TIMEOUT    seconds one run may take before it is reported as unfinished (default 1500)
#   BENCH_MICRO=1    also runs the micro benchmarks (bench_grid)
#   BENCH_STANDARDS=0  leaves out the standards evaluation benchmarks (bench_standards), which
#                    are otherwise appended to results.md
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
hfdir="$root/bench/hyperformula"
timeout_s=${BENCH_TIMEOUT:-1500}
# The measured processes take precedence over whatever else runs (builds of other work trees).
nice=()
[ "$(id -u)" -eq 0 ] && nice=(nice -n -20)
load_at_start=$(cut -d' ' -f1 /proc/loadavg)

install_packages() {
  local packages=(cmake g++ ninja-build pkg-config libbenchmark-dev libixion-dev libboost-dev)
  local missing=()
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  # Node may come from elsewhere than Debian; only a missing one is installed.
  command -v node >/dev/null 2>&1 || missing+=(nodejs)
  command -v npm >/dev/null 2>&1 || missing+=(npm)
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
  (cd "$hfdir" && npm ci --no-audit --no-fund --loglevel=error)
}

build_runners() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRK_BUILD_BENCH=ON \
    -DTRK_BUILD_TESTS=OFF -DTRK_BUILD_FUZZ=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target bench_grid bench_grid_compare
}

# Prints the run's JSON line, or a "skipped" line that says why the run gave none.
run_one() {
  local engine=$1 workload=$2 status=0 line
  if [ "$engine" = hyperformula ]; then
    line=$(cd "$hfdir" && timeout "$timeout_s" "${nice[@]}" node --expose-gc \
      --max-old-space-size=16384 run.js "$workload" | tail -n 1) || status=$?
  else
    line=$(timeout "$timeout_s" "${nice[@]}" "$build/bin/bench_grid_compare" run "$engine" "$workload" |
      tail -n 1) || status=$?
  fi
  if [ "$status" -eq 124 ]; then
    line="{\"engine\":\"$engine\",\"workload\":\"$workload\",\"skipped\":\"did not finish within $timeout_s s\"}"
  elif [ "$status" -ne 0 ] || [ -z "$line" ]; then
    line="{\"engine\":\"$engine\",\"workload\":\"$workload\",\"skipped\":\"failed (exit status $status)\"}"
  fi
  echo "$line"
}

# Copies the lines of the previous results that this run does not measure again.
keep_previous() {
  local previous=$1 workloads=$2 engines=$3 line engine workload
  [ -f "$previous" ] || return 0
  while IFS= read -r line; do
    engine=$(sed -n 's/.*"engine":"\([^"]*\)".*/\1/p' <<<"$line")
    workload=$(sed -n 's/.*"workload":"\([^"]*\)".*/\1/p' <<<"$line")
    [ "$engine" = floor ] && continue
    [[ " $engines " == *" $engine "* && " $workloads " == *" $workload "* ]] && continue
    echo "$line"
  done <"$previous"
}

run_all() {
  local compare="$build/bin/bench_grid_compare" results="$build/results.jsonl"
  local workloads engines built
  workloads=${BENCH_WORKLOADS:-$("$compare" workloads | tr '\n' ' ')}
  engines=${BENCH_ENGINES:-ours hyperformula ixion}
  built=$("$compare" engines | tr '\n' ' ')
  [ -f "$results" ] && mv "$results" "$results.previous"
  "${nice[@]}" "$compare" floor >"$results"
  keep_previous "$results.previous" "$workloads" "$engines" >>"$results"
  for workload in $workloads; do
    for engine in $engines; do
      if [ "$engine" = ixion ] && [[ " $built " != *" ixion "* ]]; then
        echo "{\"engine\":\"ixion\",\"workload\":\"$workload\",\"skipped\":\"runner built without ixion\"}" >>"$results"
        continue
      fi
      local start=$SECONDS
      run_one "$engine" "$workload" >>"$results"
      echo "  $workload / $engine: $((SECONDS - start)) s" >&2
    done
  done
}

machine() {
  local cpu
  cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
  echo "Machine: ${cpu:-unknown processor}, $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB;" \
    "g++ $(g++ -dumpfullversion), node $(node --version), $(date -u +%Y-%m-%d);" \
    "load average $load_at_start at the start, $(cut -d' ' -f1 /proc/loadavg) at the end."
}

# The standards evaluation: the example library's standard, generated standards of growing size
# and a long run of evaluations (bench_standards), as a section of results.md.
standards_section() {
  cmake --build "$build" -j "$(nproc)" --target bench_standards >/dev/null
  echo
  echo "## Standards evaluation (bench_standards)"
  echo
  echo '```'
  "${nice[@]}" "$build/bin/bench_standards" 2>/dev/null
  echo '```'
}

install_packages
build_runners
echo "Running the workloads (one process each; the slowest peer runs take minutes)..." >&2
run_all
{
  "$build/bin/bench_grid_compare" report "$build/results.jsonl"
  echo
  machine
} >"$build/results.md"
if [ "${BENCH_STANDARDS:-1}" = 1 ]; then
  standards_section >>"$build/results.md"
fi
cat "$build/results.md"
if [ "${BENCH_MICRO:-0}" = 1 ]; then
  "$build/bin/bench_grid"
fi
