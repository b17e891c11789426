// One spreadsheet engine as the side-by-side runner drives it.
#pragma once

#include "Workloads.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace bench {

class BenchEngine {
public:
    virtual ~BenchEngine() = default;

    // Short name used on the command line and in the reports ("ours", "ixion").
    virtual std::string_view name() const = 0;
    virtual std::string version() const = 0;
    // Why the engine cannot run the workload; empty when it can.
    virtual std::string unsupported(const Workload& workload) const = 0;
    // Everything that is not filling cells: sheet size, custom functions, input conversion.
    virtual void prepare(const Workload& workload) = 0;
    // Fills the cells with automatic recalculation off; returns the number of refused cells.
    virtual std::size_t build(const Workload& workload) = 0;
    virtual void firstCalc() = 0;
    // Recomputes every formula, whether or not its inputs changed.
    virtual void recalcAll() = 0;
    // From now on, each edit recomputes what depends on it.
    virtual void enableAutoRecalc() = 0;
    virtual void editNumber(int col, int row, double value) = 0;
    // The cell's number; empty when it holds another kind of value.
    virtual std::optional<double> number(int col, int row) const = 0;
};

std::unique_ptr<BenchEngine> makeOurEngine();
// Defined only in runners built with ixion (TRK_BENCH_IXION).
std::unique_ptr<BenchEngine> makeIxionEngine();

} // namespace bench
