// MATCH, VLOOKUP, HLOOKUP, INDEX.
#include "functions/ArgReader.h"
#include "functions/Criteria.h"
#include "functions/Library.h"
#include "functions/TextUtil.h"

#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

Value error(ErrorCode code) {
    return Value::error(code);
}

// How a look-up compares: 1 finds the largest value <= the key in ascending data, -1 the
// smallest value >= the key in descending data, 0 the first equal value.
enum class MatchType { Exact, Ascending, Descending };

// Order of two values of the same kind; nullopt when the kinds differ (such cells are
// passed over).
std::optional<int> compareSameKind(const Value& cell, const Value& key) {
    if (cell.kind() != key.kind()) return std::nullopt;
    if (cell.isNumber())
        return cell.asNumber() < key.asNumber() ? -1 : (cell.asNumber() > key.asNumber() ? 1 : 0);
    if (cell.isText()) return compareTextFolded(cell.asText(), key.asText());
    if (cell.isBoolean())
        return static_cast<int>(cell.asBoolean()) - static_cast<int>(key.asBoolean());
    return std::nullopt;
}

// The 0-based offset in a one-row or one-column line of the cell that matches the key.
std::optional<int> findInLine(FnContext& ctx, const RangeRef& line, const Value& key,
                              MatchType type) {
    std::optional<Wildcard> pattern;
    if (type == MatchType::Exact && key.isText()) pattern.emplace(key.asText());
    std::optional<int> found;
    ctx.forEachNonEmpty(line, [&](int col, int row, const Value& v) {
        int offset = (col - line.col1) + (row - line.row1);
        if (pattern) {
            if (v.isText() && pattern->matches(v.asText())) found = offset;
            return !found;
        }
        auto order = compareSameKind(v, key);
        if (!order) return true;
        if (type == MatchType::Exact) {
            if (*order == 0) found = offset;
            return !found;
        }
        int signedOrder = type == MatchType::Ascending ? *order : -*order;
        if (signedOrder > 0) return false;
        found = offset;
        return true;
    });
    return found;
}

// The key of a look-up: errors propagate and an empty key finds nothing.
std::optional<Value> lookupKey(FnContext& ctx, Args args, Value& failure) {
    Value key = scalarValue(ctx, argAt(args, 0));
    if (key.isError())
        failure = key;
    else if (key.isEmpty())
        failure = error(ErrorCode::NA);
    else
        return key;
    return std::nullopt;
}

// MATCH(key, line, [type]): the 1-based position of the key in a one-row or one-column block.
Value fnMatch(FnContext& ctx, Args args) {
    Value failure;
    auto key = lookupKey(ctx, args, failure);
    ArgReader in(ctx, args);
    auto typeNumber = in.number(2, 1.0);
    if (!key) return failure;
    if (!typeNumber) return in.failure();
    auto line = referenceOf(argAt(args, 1));
    if (!line || (line->rows() != 1 && line->cols() != 1)) return error(ErrorCode::NA);
    MatchType type = *typeNumber > 0   ? MatchType::Ascending
                     : *typeNumber < 0 ? MatchType::Descending
                                       : MatchType::Exact;
    auto offset = findInLine(ctx, *line, *key, type);
    if (!offset) return error(ErrorCode::NA);
    return Value::number(*offset + 1.0);
}

// A cell a value look-up returns: an empty cell gives 0.
Value lookedUp(FnContext& ctx, int col, int row) {
    const Value& v = ctx.cell(col, row);
    return v.isEmpty() ? Value::number(0.0) : v;
}

// VLOOKUP and HLOOKUP: find the key in the first column (row) and return the cell of the
// index-th column (row) beside it.
Value tableLookup(FnContext& ctx, Args args, bool vertical) {
    Value failure;
    auto key = lookupKey(ctx, args, failure);
    ArgReader in(ctx, args);
    auto index = in.integer(2);
    auto approximate = in.boolean(3, true);
    if (!key) return failure;
    if (!index || !approximate) return in.failure();
    auto table = referenceOf(argAt(args, 1));
    if (!table) return error(ErrorCode::NA);
    if (*index < 1.0) return error(ErrorCode::Value);
    if (*index > (vertical ? table->cols() : table->rows())) return error(ErrorCode::Ref);
    RangeRef line = vertical ? RangeRef{table->col1, table->row1, table->col1, table->row2}
                             : RangeRef{table->col1, table->row1, table->col2, table->row1};
    auto offset =
        findInLine(ctx, line, *key, *approximate ? MatchType::Ascending : MatchType::Exact);
    if (!offset) return error(ErrorCode::NA);
    int step = static_cast<int>(*index) - 1;
    if (vertical) return lookedUp(ctx, table->col1 + step, table->row1 + *offset);
    return lookedUp(ctx, table->col1 + *offset, table->row1 + step);
}

Value fnVLookup(FnContext& ctx, Args args) {
    return tableLookup(ctx, args, true);
}

Value fnHLookup(FnContext& ctx, Args args) {
    return tableLookup(ctx, args, false);
}

// One index of INDEX: 0 picks the whole row or column, allowed only where it is one cell.
std::optional<int> resolveIndex(double index, int extent, ErrorCode& code) {
    if (index < 0.0)
        code = ErrorCode::Value;
    else if (index > extent)
        code = ErrorCode::Ref;
    else if (index == 0.0 && extent != 1)
        code = ErrorCode::Value;
    else
        return index == 0.0 ? 1 : static_cast<int>(index);
    return std::nullopt;
}

// INDEX(block, row, [col]): the cell at that place, as it is (an empty cell stays empty).
// With one index into a single row, the index counts columns. A direct value is a 1x1 block.
Value fnIndex(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto rowIndex = in.integer(1);
    auto colIndex = in.integer(2, 0.0);
    if (!rowIndex || !colIndex) return in.failure();
    const FnArg& source = argAt(args, 0);
    auto block = referenceOf(source);
    int rows = block ? block->rows() : 1, cols = block ? block->cols() : 1;
    double r = *rowIndex, c = *colIndex;
    if (args.size() < 3 && rows == 1 && cols > 1) std::swap(r, c);
    ErrorCode code = ErrorCode::Value;
    auto row = resolveIndex(r, rows, code);
    auto col = row ? resolveIndex(c, cols, code) : std::nullopt;
    if (!row || !col) return error(code);
    if (!block) return scalarValue(ctx, source);
    return ctx.cell(block->col1 + *col - 1, block->row1 + *row - 1);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"HLOOKUP", 3, 4, fnHLookup, 0},
    BuiltinInfo{L"INDEX", 2, 3, fnIndex, 0},
    BuiltinInfo{L"MATCH", 2, 3, fnMatch, 0},
    BuiltinInfo{L"VLOOKUP", 3, 4, fnVLookup, 0},
};

} // namespace

std::span<const BuiltinInfo> lookupFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
