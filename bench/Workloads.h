// The side-by-side workloads, described engine-neutrally as a list of cells to fill. The
// node runner (hyperformula/workloads.js) builds the same cells; checksums of the results
// confirm that every engine computed the same sheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

enum class WorkloadId : std::uint8_t {
    Lookup,      // 10,000 rows of 3 formulas: arithmetic, IF, VLOOKUP and INDEX/MATCH
    RowChain,    // 100,000 rows of 5 formulas, each reading the previous row
    Independent, // 1,000,000 independent A*B+C cells
    Chains,      // 1,000 chains of 100 cells, then single edits of chain heads
    RunningSum,  // SUM(A$1:An) filled down 100,000 rows
    Custom,      // a custom function of 2 to 4 arguments called from 100,000 cells
};

std::string_view workloadName(WorkloadId id);
std::optional<WorkloadId> workloadFromName(std::string_view name);
std::vector<WorkloadId> allWorkloads();

// One cell to fill: a number, or a formula (text without the leading "=", A1 style).
struct CellInput {
    int col = 0; // from 1
    int row = 0; // from 1
    double number = 0.0;
    std::uint32_t textBegin = 0;
    std::uint32_t textLength = 0; // 0 for a number
    bool isFormula() const { return textLength != 0; }
};

// The cells of a workload in fill order (row by row), with their formula texts in one pool so
// that the inputs cost little memory next to what the engines build from them.
class CellList {
public:
    void addNumber(int col, int row, double value);
    void addFormula(int col, int row, std::string_view text);

    const std::vector<CellInput>& cells() const { return cells_; }
    std::string_view text(const CellInput& cell) const {
        return std::string_view(pool_).substr(cell.textBegin, cell.textLength);
    }
    // Every formula text back to back; a cell's text begins at its textBegin.
    const std::string& textPool() const { return pool_; }
    std::size_t formulaCount() const { return formulas_; }
    int maxCol() const { return maxCol_; }
    int maxRow() const { return maxRow_; }

private:
    std::vector<CellInput> cells_;
    std::string pool_;
    std::size_t formulas_ = 0;
    int maxCol_ = 0;
    int maxRow_ = 0;
};

// One edit of workload Chains: the chain head set to a new value, and the chain's last cell,
// which must then read `value + kChainLength - 1`.
struct ChainEdit {
    int col = 0;
    int headRow = 0;
    int tailRow = 0;
    double value = 0.0;
};

constexpr int kChainCount = 1000;
constexpr int kChainLength = 100;
constexpr int kChainEdits = 1001;

// The custom function of workload Custom: PLATEMASS(length, width, [thickness], [density])
// = length * width * thickness * density, thickness 10 and density 7.85e-6 when omitted.
constexpr std::string_view kCustomName = "PLATEMASS";
double plateMass(double length, double width, double thickness, double density);
constexpr double kDefaultThickness = 10.0;
constexpr double kDefaultDensity = 7.85e-6;

struct Workload {
    WorkloadId id{};
    CellList cells;
    std::vector<ChainEdit> edits; // Chains only
    bool usesCustomFunction = false;
    bool usesLookups = false;
};

Workload makeWorkload(WorkloadId id);

} // namespace bench
