// The grid engine of platform/grid in the side-by-side runner.
#include "BenchEngine.h"

#include "grid/Sheet.h"

#include <array>

namespace bench {
namespace {

using gridx::CustomArg;
using gridx::Value;

// PLATEMASS(length, width, [thickness], [density]) on the engine's argument records.
Value plateMassFunction(std::span<const CustomArg> args) {
    std::array<double, 4> operands{0.0, 0.0, kDefaultThickness, kDefaultDensity};
    for (std::size_t i = 0; i < args.size() && i < operands.size(); ++i) {
        if (args[i].kind == CustomArg::Kind::Missing) continue;
        gridx::ErrorCode error{};
        const auto number = gridx::toNumber(args[i].value, error);
        if (!number) return Value::error(error);
        operands[i] = *number;
    }
    return Value::number(plateMass(operands[0], operands[1], operands[2], operands[3]));
}

class OurEngine final : public BenchEngine {
public:
    std::string_view name() const override { return "ours"; }
    std::string version() const override { return {}; }
    std::string unsupported(const Workload&) const override { return {}; }

    void prepare(const Workload& workload) override {
        const auto& cells = workload.cells;
        sheet_.setMaxCols(cells.maxCol() + 1);
        sheet_.setMaxRows(cells.maxRow() + 1);
        sheet_.setAutoRecalc(false);
        if (workload.usesCustomFunction)
            sheet_.addCustomFunction(L"PLATEMASS", 2, 4, 0, plateMassFunction);
        const std::string& pool = cells.textPool();
        widePool_.assign(pool.begin(), pool.end()); // formula texts are ASCII
    }

    std::size_t build(const Workload& workload) override {
        std::size_t refused = 0;
        for (const CellInput& cell : workload.cells.cells()) {
            if (!setCell(cell)) ++refused;
        }
        return refused;
    }

    void firstCalc() override { sheet_.recalc(); }
    void recalcAll() override { sheet_.recalc(); }
    void enableAutoRecalc() override { sheet_.setAutoRecalc(true); }

    void editNumber(int col, int row, double value) override {
        sheet_.setConstant(col, row, Value::number(value));
    }

    std::optional<double> number(int col, int row) const override {
        const Value& v = sheet_.value(col, row);
        if (!v.isNumber()) return std::nullopt;
        return v.asNumber();
    }

private:
    bool setCell(const CellInput& cell) {
        if (!cell.isFormula())
            return sheet_.setConstant(cell.col, cell.row, Value::number(cell.number));
        const std::wstring_view text(widePool_.data() + cell.textBegin, cell.textLength);
        return sheet_.setFormula(cell.col, cell.row, text, gridx::RefStyle::A1, true) ==
               gridx::FormulaStatus::Ok;
    }

    gridx::Sheet sheet_;
    std::wstring widePool_;
};

} // namespace

std::unique_ptr<BenchEngine> makeOurEngine() {
    return std::make_unique<OurEngine>();
}

} // namespace bench
