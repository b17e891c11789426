// The public face of the sheet model; the work is done by Sheet::Impl.
#include "grid/Sheet.h"

#include "engine/FormulaText.h"
#include "engine/Limits.h"
#include "engine/Parser.h"
#include "engine/SheetImpl.h"

#include <cwctype>

namespace gridx {

using namespace engine;

namespace {

const Value& emptyValue() {
    static const Value empty;
    return empty;
}

std::wstring upperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return upper;
}

} // namespace

Sheet::Sheet() : impl_(std::make_unique<Impl>()) {}

Sheet::~Sheet() = default;

int Sheet::maxCols() const {
    return impl_->maxCols;
}

int Sheet::maxRows() const {
    return impl_->maxRows;
}

void Sheet::setMaxCols(int cols) {
    impl_->setMaxCols(cols);
}

void Sheet::setMaxRows(int rows) {
    impl_->setMaxRows(rows);
}

bool Sheet::setConstant(int col, int row, Value value) {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return false;
    impl_->placeConstant(col, row, std::move(value));
    impl_->markReadersDirty(col, row);
    impl_->afterEdit(0);
    return true;
}

bool Sheet::clearCell(int col, int row) {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return false;
    impl_->clearContent(col, row);
    impl_->markReadersDirty(col, row);
    impl_->afterEdit(0);
    return true;
}

FormulaStatus Sheet::setFormula(int col, int row, std::wstring_view text, RefStyle style,
                                bool validate) {
    if (!impl_->inFormulaArea(col, row)) return FormulaStatus::OutOfRange;
    Impl& impl = *impl_;
    auto isCustom = [&](std::wstring_view name) { return impl.findCustom(name) != nullptr; };
    const ParseRequest request{text, style, col, row, validate, isCustom};
    const FormulaStatus status = parseFormula(request, impl.scratch);
    if (status != FormulaStatus::Ok) return status;
    const std::uint32_t id = impl.placeFormula(col, row, impl.pool.intern(impl.scratch));
    impl.markReadersDirty(col, row);
    impl.afterEdit(id);
    return FormulaStatus::Ok;
}

bool Sheet::hasFormula(int col, int row) const {
    const Slot slot = impl_->cells.find(headerToZero(col), headerToZero(row));
    return slot && slot.formula() != 0;
}

std::wstring Sheet::formulaText(int col, int row, RefStyle style) const {
    const Slot slot = impl_->cells.find(headerToZero(col), headerToZero(row));
    if (!slot || slot.formula() == 0) return {};
    const FormulaRec& rec = impl_->formulas[slot.formula()];
    return engine::formulaText(*impl_->states[slot.formula()].program, rec.col, rec.row, style);
}

const Value& Sheet::value(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return emptyValue();
    return impl_->cells.value(col, row);
}

void Sheet::forEachCell(FunctionRef<void(int col, int row)> visit) const {
    impl_->cells.forEachUsed(RangeRef{0, 0, impl_->maxCols, impl_->maxRows},
                             [&](int col, int row, Slot) {
                                 visit(col, row);
                                 return true;
                             });
}

std::size_t Sheet::cellCount() const {
    return impl_->cells.usedCount();
}

void Sheet::setAutoRecalc(bool on) {
    const bool wasOn = impl_->autoRecalc;
    impl_->autoRecalc = on;
    if (on && !wasOn) impl_->runPass(PassKind::All, {});
}

bool Sheet::autoRecalc() const {
    return impl_->autoRecalc;
}

void Sheet::recalc() {
    if (impl_->passDepth > 0) {
        // Asked from a custom function during a pass: everything waits for the next one.
        impl_->markAllDirty();
        return;
    }
    impl_->runPass(PassKind::Everything, {});
}

void Sheet::recalcCell(int col, int row) {
    const Slot slot = impl_->cells.find(headerToZero(col), headerToZero(row));
    if (!slot || slot.formula() == 0) return;
    const std::uint32_t id = slot.formula();
    const FormulaRec& rec = impl_->formulas[id];
    if (impl_->markDirty(id)) impl_->markReadersDirty(rec.col, rec.row);
    if (impl_->autoRecalc)
        impl_->runPass(PassKind::All, {});
    else
        impl_->runPass(PassKind::Roots, std::span<const std::uint32_t>(&id, 1));
}

void Sheet::addCustomFunction(std::wstring_view name, int minArgs, int maxArgs, unsigned flags,
                              CustomFunction callback) {
    std::wstring upper = upperCase(name);
    if (upper.empty()) return;
    auto shared = std::make_shared<CustomFunction>(std::move(callback));
    CustomEntry entry{upper, std::max(minArgs, 0), maxArgs, flags, std::move(shared)};
    bool replaced = false;
    for (CustomEntry& existing : impl_->customs) {
        if (existing.name == upper) {
            existing = entry;
            replaced = true;
        }
    }
    if (!replaced) impl_->customs.push_back(std::move(entry));
    impl_->markCallersDirty(upper);
}

void Sheet::clearCustomFunctions() {
    if (impl_->customs.empty()) return;
    impl_->customs.clear();
    impl_->markCallersDirty(L"");
}

void Sheet::insertRows(int at, int count) {
    impl_->insertRows(at, count);
}

void Sheet::deleteRows(int at, int count) {
    impl_->deleteRows(at, count);
}

void Sheet::insertCols(int at, int count) {
    impl_->insertCols(at, count);
}

void Sheet::deleteCols(int at, int count) {
    impl_->deleteCols(at, count);
}

void Sheet::copyRange(const RangeRef& source, int destCol, int destRow) {
    impl_->copyRange(source, destCol, destRow);
}

void Sheet::swapRanges(const RangeRef& source, int destCol, int destRow) {
    impl_->swapRanges(source, destCol, destRow);
}

void Sheet::clearRange(const RangeRef& range) {
    impl_->clearRange(range);
}

void Sheet::clearAll() {
    impl_->clearAll();
}

void Sheet::setClock(std::function<double()> now) {
    impl_->clock = std::move(now);
}

} // namespace gridx
