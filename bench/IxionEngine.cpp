// ixion (Debian's libixion) in the side-by-side runner, driven through its model context: cells
// are filled, formula cells registered with the dependency tracker, and calculation runs over the
// dirty cells in dependency order on the calling thread.
#include "BenchEngine.h"

#include <ixion/address.hpp>
#include <ixion/cell.hpp>
#include <ixion/formula.hpp>
#include <ixion/formula_name_resolver.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/info.hpp>
#include <ixion/model_context.hpp>

namespace bench {
namespace {

ixion::abs_address_t addressOf(int col, int row) {
    return {0, row - 1, col - 1};
}

class IxionEngine final : public BenchEngine {
public:
    std::string_view name() const override { return "ixion"; }
    std::string version() const override {
        return std::to_string(ixion::get_version_major()) + "." +
               std::to_string(ixion::get_version_minor()) + "." +
               std::to_string(ixion::get_version_micro());
    }

    std::string unsupported(const Workload& workload) const override {
        if (workload.usesLookups) return "ixion 0.17 implements neither VLOOKUP nor INDEX/MATCH";
        if (workload.usesCustomFunction) return "ixion offers no hook for custom functions";
        return {};
    }

    void prepare(const Workload& workload) override {
        const auto& cells = workload.cells;
        context_ = std::make_unique<ixion::model_context>(
            ixion::rc_size_t(cells.maxRow() + 1, cells.maxCol() + 1));
        context_->append_sheet("Sheet1");
        resolver_ = ixion::formula_name_resolver::get(ixion::formula_name_resolver_t::excel_a1,
                                                      context_.get());
    }

    std::size_t build(const Workload& workload) override {
        std::size_t refused = 0;
        for (const CellInput& cell : workload.cells.cells()) {
            if (!setCell(workload.cells, cell)) ++refused;
        }
        return refused;
    }

    void firstCalc() override { calculate({}, &formulaCells_); }
    void recalcAll() override { calculate({}, &formulaCells_); }
    void enableAutoRecalc() override {}

    void editNumber(int col, int row, double value) override {
        const auto at = addressOf(col, row);
        context_->set_numeric_cell(at, value);
        calculate({ixion::abs_range_t(at)}, nullptr);
    }

    std::optional<double> number(int col, int row) const override {
        const auto at = addressOf(col, row);
        const ixion::formula_cell* cell = context_->get_formula_cell(at);
        if (!cell) return context_->get_numeric_value(at);
        const auto result =
            cell->get_result_cache(ixion::formula_result_wait_policy_t::throw_exception);
        if (result.get_type() != ixion::formula_result::result_type::value) return std::nullopt;
        return result.get_value();
    }

private:
    bool setCell(const CellList& cells, const CellInput& cell) {
        const auto at = addressOf(cell.col, cell.row);
        if (!cell.isFormula()) {
            context_->set_numeric_cell(at, cell.number);
            return true;
        }
        try {
            auto tokens = ixion::parse_formula_string(*context_, at, *resolver_, cells.text(cell));
            const ixion::formula_cell* added = context_->set_formula_cell(at, std::move(tokens));
            ixion::register_formula_cell(*context_, at, added);
            formulaCells_.insert(ixion::abs_range_t(at));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    void calculate(const ixion::abs_range_set_t& modified, const ixion::abs_range_set_t* dirty) {
        const auto order = ixion::query_and_sort_dirty_cells(*context_, modified, dirty);
        ixion::calculate_sorted_cells(*context_, order, 0);
    }

    std::unique_ptr<ixion::model_context> context_;
    std::unique_ptr<ixion::formula_name_resolver> resolver_;
    ixion::abs_range_set_t formulaCells_;
};

} // namespace

std::unique_ptr<BenchEngine> makeIxionEngine() {
    return std::make_unique<IxionEngine>();
}

} // namespace bench
