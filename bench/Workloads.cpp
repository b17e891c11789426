#include "Workloads.h"

#include <algorithm>
#include <array>
#include <utility>

namespace bench {
namespace {

constexpr std::array<std::pair<WorkloadId, std::string_view>, 6> kNames{{
    {WorkloadId::Lookup, "lookup"},
    {WorkloadId::RowChain, "rowchain"},
    {WorkloadId::Independent, "independent"},
    {WorkloadId::Chains, "chains"},
    {WorkloadId::RunningSum, "runningsum"},
    {WorkloadId::Custom, "custom"},
}};

// Formula patterns: "#" stands for the row, "@" for the row above.
std::string expand(std::string_view pattern, int row) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (char c : pattern) {
        if (c == '#')
            out += std::to_string(row);
        else if (c == '@')
            out += std::to_string(row - 1);
        else
            out += c;
    }
    return out;
}

void addPattern(CellList& cells, int col, int row, std::string_view pattern) {
    cells.addFormula(col, row, expand(pattern, row));
}

constexpr int kLookupRows = 10'000;
constexpr int kLookupTable = 20;

void fillLookup(Workload& w) {
    w.usesLookups = true;
    for (int r = 1; r <= kLookupRows; ++r) {
        w.cells.addNumber(1, r, r);
        w.cells.addNumber(2, r, (r * 7) % kLookupTable + 1);
        w.cells.addNumber(3, r, (r % 13) * 2.5);
        addPattern(w.cells, 4, r, "IF(A#>C#*100,A#-C#,C#*2+A#/4)");
        addPattern(w.cells, 5, r, "VLOOKUP(B#,$H$1:$I$20,2,0)*C#+D#");
        addPattern(w.cells, 6, r, "INDEX($I$1:$I$20,MATCH(B#,$H$1:$H$20,0))+IF(E#>50,E#/2,E#)");
        if (r <= kLookupTable) {
            w.cells.addNumber(8, r, r);
            w.cells.addNumber(9, r, r * 1.5 + 0.25);
        }
    }
}

constexpr int kRowChainRows = 100'000;

void fillRowChain(Workload& w) {
    w.cells.addNumber(1, 1, 1);
    for (int c = 2; c <= 6; ++c)
        w.cells.addNumber(c, 1, c - 1);
    for (int r = 2; r <= kRowChainRows + 1; ++r) {
        w.cells.addNumber(1, r, r % 100);
        addPattern(w.cells, 2, r, "B@+A#");
        addPattern(w.cells, 3, r, "C@*0.5+B#");
        addPattern(w.cells, 4, r, "MAX(D@,C@)-A#/2");
        addPattern(w.cells, 5, r, "IF(E@>1000,E@-1000,E@+B@)");
        addPattern(w.cells, 6, r, "F@+D#-C#");
    }
}

constexpr int kIndependentRows = 1'000'000;

void fillIndependent(Workload& w) {
    for (int r = 1; r <= kIndependentRows; ++r) {
        w.cells.addNumber(1, r, (r % 1000) * 0.25);
        w.cells.addNumber(2, r, r % 7 + 1);
        w.cells.addNumber(3, r, r % 100);
        addPattern(w.cells, 4, r, "A#*B#+C#");
    }
}

void fillChains(Workload& w) {
    for (int k = 0; k < kChainCount; ++k) {
        const int head = k * kChainLength + 1;
        w.cells.addNumber(1, head, k);
        for (int r = head + 1; r < head + kChainLength; ++r)
            addPattern(w.cells, 1, r, "A@+1");
    }
    for (int j = 0; j < kChainEdits; ++j) {
        const int head = (j * 7919) % kChainCount * kChainLength + 1;
        w.edits.push_back({1, head, head + kChainLength - 1, j + 0.5});
    }
}

constexpr int kRunningSumRows = 100'000;

void fillRunningSum(Workload& w) {
    for (int r = 1; r <= kRunningSumRows; ++r) {
        w.cells.addNumber(1, r, r % 10 + 1);
        addPattern(w.cells, 2, r, "SUM(A$1:A#)");
    }
}

constexpr int kCustomRows = 100'000;

void fillCustom(Workload& w) {
    w.usesCustomFunction = true;
    constexpr std::array<std::string_view, 3> patterns{"PLATEMASS(A#,B#)", "PLATEMASS(A#,B#,C#)",
                                                       "PLATEMASS(A#,B#,C#,D#)"};
    for (int r = 1; r <= kCustomRows; ++r) {
        w.cells.addNumber(1, r, r % 50 + 100);
        w.cells.addNumber(2, r, r % 30 + 10);
        w.cells.addNumber(3, r, r % 5 + 5);
        w.cells.addNumber(4, r, kDefaultDensity + (r % 3) * 1e-7);
        addPattern(w.cells, 5, r, patterns[static_cast<std::size_t>(r % 3)]);
    }
}

} // namespace

std::string_view workloadName(WorkloadId id) {
    for (const auto& [known, name] : kNames)
        if (known == id) return name;
    return "?";
}

std::optional<WorkloadId> workloadFromName(std::string_view name) {
    for (const auto& [id, known] : kNames)
        if (known == name) return id;
    return std::nullopt;
}

std::vector<WorkloadId> allWorkloads() {
    std::vector<WorkloadId> ids;
    for (const auto& entry : kNames)
        ids.push_back(entry.first);
    return ids;
}

void CellList::addNumber(int col, int row, double value) {
    cells_.push_back({col, row, value, 0, 0});
    maxCol_ = std::max(maxCol_, col);
    maxRow_ = std::max(maxRow_, row);
}

void CellList::addFormula(int col, int row, std::string_view text) {
    cells_.push_back({col, row, 0.0, static_cast<std::uint32_t>(pool_.size()),
                      static_cast<std::uint32_t>(text.size())});
    pool_ += text;
    ++formulas_;
    maxCol_ = std::max(maxCol_, col);
    maxRow_ = std::max(maxRow_, row);
}

double plateMass(double length, double width, double thickness, double density) {
    return length * width * thickness * density;
}

Workload makeWorkload(WorkloadId id) {
    Workload w;
    w.id = id;
    switch (id) {
    case WorkloadId::Lookup:
        fillLookup(w);
        break;
    case WorkloadId::RowChain:
        fillRowChain(w);
        break;
    case WorkloadId::Independent:
        fillIndependent(w);
        break;
    case WorkloadId::Chains:
        fillChains(w);
        break;
    case WorkloadId::RunningSum:
        fillRunningSum(w);
        break;
    case WorkloadId::Custom:
        fillCustom(w);
        break;
    }
    return w;
}

} // namespace bench
