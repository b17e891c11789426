// bench_grid: micro benchmarks of the grid engine, so that regressions show. Run with
// --benchmark_filter=<regex> to pick some.
#include "BenchEngine.h"

#include "grid/Sheet.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using namespace bench;

constexpr std::array<std::wstring_view, 4> kFormulas{
    L"A1*B1+C1",
    L"IF(A1>C1*100,A1-C1,C1*2+A1/4)",
    L"VLOOKUP(B1,$H$1:$I$20,2,0)*C1+D1",
    L"INDEX($I$1:$I$20,MATCH(B1,$H$1:$H$20,0))+IF(E1>50,E1/2,E1)",
};

// Setting one formula: parsing, compiling and linking it into the dependency graph.
void setFormula(benchmark::State& state) {
    gridx::Sheet sheet;
    sheet.setAutoRecalc(false);
    const std::wstring_view text = kFormulas[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        const auto status = sheet.setFormula(10, 10, text, gridx::RefStyle::A1, true);
        benchmark::DoNotOptimize(status);
    }
    state.SetLabel(std::string(text.begin(), text.end()));
}
BENCHMARK(setFormula)->DenseRange(0, static_cast<int>(kFormulas.size()) - 1);

WorkloadId workloadOf(const benchmark::State& state) {
    return allWorkloads()[static_cast<std::size_t>(state.range(0))];
}

// Filling every cell of a workload into a fresh sheet.
void build(benchmark::State& state) {
    const Workload workload = makeWorkload(workloadOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        auto engine = makeOurEngine();
        engine->prepare(workload);
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine->build(workload));
        state.PauseTiming();
        engine.reset();
        state.ResumeTiming();
    }
    state.SetLabel(std::string(workloadName(workload.id)));
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(workload.cells.cells().size()));
}

// Recomputing every formula of a built workload.
void recalc(benchmark::State& state) {
    const Workload workload = makeWorkload(workloadOf(state));
    auto engine = makeOurEngine();
    engine->prepare(workload);
    engine->build(workload);
    engine->firstCalc();
    for (auto _ : state)
        engine->recalcAll();
    state.SetLabel(std::string(workloadName(workload.id)));
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(workload.cells.formulaCount()));
}

void allWorkloadArgs(benchmark::internal::Benchmark* b) {
    for (std::size_t i = 0; i < allWorkloads().size(); ++i)
        b->Arg(static_cast<int>(i));
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(build)->Apply(allWorkloadArgs);
BENCHMARK(recalc)->Apply(allWorkloadArgs);

// One edit of a chain head with automatic recalculation of its 99 dependants.
void chainEdit(benchmark::State& state) {
    const Workload workload = makeWorkload(WorkloadId::Chains);
    auto engine = makeOurEngine();
    engine->prepare(workload);
    engine->build(workload);
    engine->firstCalc();
    engine->enableAutoRecalc();
    std::size_t next = 0;
    for (auto _ : state) {
        const ChainEdit& edit = workload.edits[next++ % workload.edits.size()];
        engine->editNumber(edit.col, edit.headRow, edit.value + static_cast<double>(next));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(chainEdit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
