// Timing and memory probes of the benchmark runner (Linux: /proc/self).
#pragma once

#include <chrono>
#include <vector>

namespace bench {

class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double elapsedMs() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }
    double elapsedUs() const { return elapsedMs() * 1000.0; }

private:
    std::chrono::steady_clock::time_point start_;
};

// Median of the samples; 0 for none.
double median(std::vector<double> samples);

// Resident set size now, in KiB; 0 when unknown.
long currentRssKb();
// Highest resident set size since the process started or since resetPeakRss(), in KiB.
long peakRssKb();
// Starts a new peak from the current resident set; false when the kernel refuses.
bool resetPeakRss();

} // namespace bench
