// bench_grid_compare: measures one engine on one workload per process, and renders the table.
//
//   bench_grid_compare engines               engines built into this runner, one a line
//   bench_grid_compare workloads             workload names, one a line
//   bench_grid_compare run ENGINE WORKLOAD   measures, prints one JSON line
//   bench_grid_compare floor                 the bandwidth floor, one JSON line
//   bench_grid_compare report FILE           Markdown table from a file of JSON lines
#include "BenchEngine.h"
#include "Report.h"
#include "RunWorkload.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace bench;

std::vector<std::string_view> engineNames() {
    std::vector<std::string_view> names{"ours"};
#ifdef TRK_BENCH_IXION
    names.push_back("ixion");
#endif
    return names;
}

std::unique_ptr<BenchEngine> makeEngine(std::string_view name) {
    if (name == "ours") return makeOurEngine();
#ifdef TRK_BENCH_IXION
    if (name == "ixion") return makeIxionEngine();
#endif
    return nullptr;
}

int usage() {
    std::cerr << "usage: bench_grid_compare engines | workloads | run ENGINE WORKLOAD | floor | "
                 "report FILE\n";
    return 2;
}

int run(std::string_view engineName, std::string_view loadName) {
    const auto id = workloadFromName(loadName);
    auto engine = makeEngine(engineName);
    if (!id || !engine) return usage();
    const Workload workload = makeWorkload(*id);
    std::cout << runWorkload(*engine, workload).str() << std::endl;
    return 0;
}

int report(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return 1;
    }
    std::vector<JsonRecord> records;
    std::string line;
    while (std::getline(in, line)) {
        if (auto record = JsonRecord::parse(line)) records.push_back(std::move(*record));
    }
    std::cout << renderReport(records);
    return 0;
}

template <typename Names>
int list(const Names& names) {
    for (const auto& name : names)
        std::cout << name << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "engines") return list(engineNames());
    if (args.size() == 1 && args[0] == "workloads") {
        std::vector<std::string_view> names;
        for (WorkloadId id : allWorkloads())
            names.push_back(workloadName(id));
        return list(names);
    }
    if (args.size() == 3 && args[0] == "run") return run(args[1], args[2]);
    if (args.size() == 1 && args[0] == "floor") {
        std::cout << measureBandwidthFloor().str() << std::endl;
        return 0;
    }
    if (args.size() == 2 && args[0] == "report") return report(argv[2]);
    return usage();
}
