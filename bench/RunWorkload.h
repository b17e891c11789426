// The measuring protocol of one engine on one workload, and the bandwidth floor.
#pragma once

#include "BenchEngine.h"
#include "JsonLine.h"

namespace bench {

// Builds the workload in the engine, calculates, recalculates and (for Chains) edits, and
// reports times, the peak memory above the baseline, and a checksum of the formula results.
// The process must run nothing else: the memory figures are the process's own.
JsonWriter runWorkload(BenchEngine& engine, const Workload& workload);

// Streams workload Independent's data as plain arrays (3 reads and 1 write of doubles per row):
// the time no engine can beat on that workload.
JsonWriter measureBandwidthFloor();

} // namespace bench
