#include "RunWorkload.h"

#include "Measure.h"

#include <cmath>
#include <vector>

namespace bench {
namespace {

// Full recalculations are timed as often as the floor below, so that both are medians of runs
// over memory touched alike often; a first touch of freshly allocated memory is slow on a
// virtual machine.
constexpr int kRecalcRuns = 11;
constexpr double kSlowCalcMs = 2000; // beyond this, one recalculation is measured, not eleven
constexpr int kFloorRuns = 11;

// Published to the outside so that the compiler must perform every pass of the floor loop.
const double* volatile gEscapedInput = nullptr;
double* volatile gEscapedOutput = nullptr;

struct Checksum {
    double sum = 0.0;
    double nonNumbers = 0.0;
};

Checksum checksum(const BenchEngine& engine, const CellList& cells) {
    Checksum result;
    for (const CellInput& cell : cells.cells()) {
        if (!cell.isFormula()) continue;
        if (const auto v = engine.number(cell.col, cell.row))
            result.sum += *v;
        else
            result.nonNumbers += 1.0;
    }
    return result;
}

double medianRecalcMs(BenchEngine& engine, double firstCalcMs) {
    const int runs = firstCalcMs > kSlowCalcMs ? 1 : kRecalcRuns;
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        Stopwatch watch;
        engine.recalcAll();
        samples.push_back(watch.elapsedMs());
    }
    return median(samples);
}

// Median time of one edit with automatic recalculation; counts edits whose chain end is wrong.
double medianEditUs(BenchEngine& engine, const Workload& workload, double& wrongEdits) {
    engine.enableAutoRecalc();
    std::vector<double> samples;
    for (const ChainEdit& edit : workload.edits) {
        Stopwatch watch;
        engine.editNumber(edit.col, edit.headRow, edit.value);
        samples.push_back(watch.elapsedUs());
        const auto tail = engine.number(edit.col, edit.tailRow);
        if (!tail || *tail != edit.value + (kChainLength - 1)) wrongEdits += 1.0;
    }
    return median(samples);
}

} // namespace

JsonWriter runWorkload(BenchEngine& engine, const Workload& workload) {
    JsonWriter out;
    out.add("engine", engine.name())
        .add("version", engine.version())
        .add("workload", workloadName(workload.id));
    if (const std::string why = engine.unsupported(workload); !why.empty())
        return out.add("skipped", why);
    engine.prepare(workload);
    const long baselineKb = currentRssKb();
    resetPeakRss();

    Stopwatch buildWatch;
    const std::size_t refused = engine.build(workload);
    const double buildMs = buildWatch.elapsedMs();
    Stopwatch calcWatch;
    engine.firstCalc();
    const double firstCalcMs = calcWatch.elapsedMs();
    const double recalcMs = medianRecalcMs(engine, firstCalcMs);
    out.add("formulas", static_cast<double>(workload.cells.formulaCount()))
        .add("refused", static_cast<double>(refused))
        .add("build_ms", buildMs)
        .add("first_calc_ms", firstCalcMs)
        .add("recalc_ms", recalcMs);
    if (!workload.edits.empty()) {
        double wrongEdits = 0.0;
        out.add("edit_us", medianEditUs(engine, workload, wrongEdits));
        out.add("wrong_edits", wrongEdits);
    }
    out.add("peak_kb", static_cast<double>(peakRssKb() - baselineKb));
    const Checksum sum = checksum(engine, workload.cells);
    return out.add("checksum", sum.sum).add("non_numbers", sum.nonNumbers);
}

JsonWriter measureBandwidthFloor() {
    constexpr std::size_t kRows = 1'000'000;
    std::vector<double> a(kRows), b(kRows), c(kRows), d(kRows);
    for (std::size_t i = 0; i < kRows; ++i) {
        a[i] = static_cast<double>(i % 1000) * 0.25;
        b[i] = static_cast<double>(i % 7 + 1);
        c[i] = static_cast<double>(i % 100);
    }
    gEscapedInput = a.data();
    gEscapedInput = b.data();
    gEscapedInput = c.data();
    gEscapedOutput = d.data();
    std::vector<double> samples;
    double sink = 0.0;
    for (int run = 0; run < kFloorRuns; ++run) {
        Stopwatch watch;
        for (std::size_t i = 0; i < kRows; ++i)
            d[i] = a[i] * b[i] + c[i];
        samples.push_back(watch.elapsedMs());
        sink += d[static_cast<std::size_t>(run) * 7919 % kRows];
    }
    return JsonWriter()
        .add("engine", "floor")
        .add("workload", "independent")
        .add("recalc_ms", median(samples))
        .add("bytes", static_cast<double>(kRows * 4 * sizeof(double)))
        .add("sink", sink);
}

} // namespace bench
