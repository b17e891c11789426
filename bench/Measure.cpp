#include "Measure.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace bench {
namespace {

// The value in KiB of a "Name:   1234 kB" line of /proc/self/status.
long statusField(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    }
    return 0;
}

} // namespace

double median(std::vector<double> samples) {
    if (samples.empty()) return 0.0;
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

long currentRssKb() {
    return statusField("VmRSS");
}

long peakRssKb() {
    return statusField("VmHWM");
}

bool resetPeakRss() {
    // Writing 5 to clear_refs resets the peak resident set to the current one.
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

} // namespace bench
