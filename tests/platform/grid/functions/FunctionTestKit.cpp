#include "FunctionTestKit.h"

#include <cmath>
#include <limits>

namespace gridtest {

namespace {

gridx::CellRef parseCell(std::string_view address) {
    gridx::CellRef cell;
    std::size_t i = 0;
    while (i < address.size() && address[i] >= 'A' && address[i] <= 'Z')
        cell.col = cell.col * 26 + (address[i++] - 'A' + 1);
    while (i < address.size() && address[i] >= '0' && address[i] <= '9')
        cell.row = cell.row * 10 + (address[i++] - '0');
    return cell;
}

std::string describe(const Value& v) {
    std::wstring text = gridx::toText(v);
    return std::string(text.begin(), text.end());
}

} // namespace

gridx::RangeRef parseAddress(std::string_view address) {
    auto colon = address.find(':');
    gridx::CellRef first = parseCell(address.substr(0, colon));
    gridx::CellRef last =
        colon == std::string_view::npos ? first : parseCell(address.substr(colon + 1));
    return {first.col, first.row, last.col, last.row};
}

void FakeSheet::set(std::string_view address, Value v) {
    gridx::RangeRef at = parseAddress(address);
    if (v.isEmpty())
        cells_.erase({at.row1, at.col1});
    else
        cells_[{at.row1, at.col1}] = std::move(v);
}

const Value& FakeSheet::cell(int col, int row) const {
    static const Value empty;
    auto it = cells_.find({row, col});
    return it == cells_.end() ? empty : it->second;
}

void FakeSheet::forEachNonEmpty(const gridx::RangeRef& range,
                                gridx::FunctionRef<bool(int, int, const Value&)> visit) const {
    for (auto it = cells_.lower_bound({range.row1, range.col1});
         it != cells_.end() && it->first.first <= range.row2; ++it) {
        auto [row, col] = it->first;
        if (!range.contains(col, row)) continue;
        if (!visit(col, row, it->second)) return;
    }
}

gridx::RangeStats FakeSheet::numberStats(const gridx::RangeRef& range) const {
    ++statsCalls_;
    gridx::RangeStats stats;
    forEachNonEmpty(range, [&](int, int, const Value& v) {
        if (v.isError() && !stats.hasError) {
            stats.hasError = true;
            stats.firstError = v.asError();
        }
        if (v.isNumber()) {
            stats.sum += v.asNumber();
            stats.sumOfSquares += v.asNumber() * v.asNumber();
            stats.count += 1.0;
        }
        return true;
    });
    return stats;
}

double FakeSheet::random() {
    if (randoms_.empty()) return 0.0;
    double v = randoms_.front();
    randoms_.pop_front();
    return v;
}

void FunctionsTest::setColumn(std::string_view top, std::initializer_list<double> values) {
    gridx::RangeRef at = parseAddress(top);
    int row = at.row1;
    for (double v : values) {
        std::string address(1, static_cast<char>('A' + at.col1 - 1));
        address += std::to_string(row++);
        set(address, v);
    }
}

FnArg FunctionsTest::n(double v) {
    return {FnArg::Kind::Value, Value::number(v), {}};
}

FnArg FunctionsTest::t(std::wstring_view v) {
    return {FnArg::Kind::Value, Value::text(v), {}};
}

FnArg FunctionsTest::b(bool v) {
    return {FnArg::Kind::Value, Value::boolean(v), {}};
}

FnArg FunctionsTest::err(ErrorCode code) {
    return {FnArg::Kind::Value, Value::error(code), {}};
}

FnArg FunctionsTest::v(Value value) {
    return {FnArg::Kind::Value, std::move(value), {}};
}

FnArg FunctionsTest::gap() {
    return {};
}

FnArg FunctionsTest::ref(std::string_view address) const {
    gridx::RangeRef range = parseAddress(address);
    if (range.cols() == 1 && range.rows() == 1)
        return {FnArg::Kind::Cell, sheet.cell(range.col1, range.row1), range};
    return {FnArg::Kind::Range, Value(), range};
}

Value FunctionsTest::call(std::wstring_view name, std::vector<FnArg> args) {
    const gridx::BuiltinInfo* info = gridx::findBuiltin(name);
    std::string narrow(name.begin(), name.end());
    if (!info) {
        ADD_FAILURE() << "no built-in function " << narrow;
        return Value::error(ErrorCode::Name);
    }
    auto count = static_cast<int>(args.size());
    if (count < info->minArgs || (info->maxArgs != gridx::kAnyArgs && count > info->maxArgs)) {
        ADD_FAILURE() << narrow << " does not take " << count << " arguments";
        return Value::error(ErrorCode::Name);
    }
    return info->fn(sheet, args);
}

double FunctionsTest::number(std::wstring_view name, std::vector<FnArg> args) {
    Value v = call(name, std::move(args));
    if (v.isNumber()) return v.asNumber();
    ADD_FAILURE() << "expected a number, got " << describe(v);
    return std::numeric_limits<double>::quiet_NaN();
}

std::wstring FunctionsTest::text(std::wstring_view name, std::vector<FnArg> args) {
    Value v = call(name, std::move(args));
    if (v.isText()) return std::wstring(v.asText());
    ADD_FAILURE() << "expected a text, got " << describe(v);
    return {};
}

bool FunctionsTest::truth(std::wstring_view name, std::vector<FnArg> args) {
    Value v = call(name, std::move(args));
    if (v.isBoolean()) return v.asBoolean();
    ADD_FAILURE() << "expected a boolean, got " << describe(v);
    return false;
}

ErrorCode FunctionsTest::error(std::wstring_view name, std::vector<FnArg> args) {
    Value v = call(name, std::move(args));
    if (v.isError()) return v.asError();
    ADD_FAILURE() << "expected an error, got " << describe(v);
    return ErrorCode::Circular;
}

} // namespace gridtest
