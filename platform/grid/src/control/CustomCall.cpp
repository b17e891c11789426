// Numbers arrive as doubles (type DOUBLE), whole or not; booleans as LONG 1 or 0; text in a fresh
// block; empty or omitted arguments as status EMPTY; error values as status ERROR.
#include "CustomCall.h"

#include "win/winbase.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace gridx::control {

namespace {

HGLOBAL textBlock(std::wstring_view text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    auto* data = static_cast<wchar_t*>(GlobalLock(block));
    if (!data) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    data[text.size()] = L'\0';
    GlobalUnlock(block);
    return block;
}

// Text of a block, read up to its terminator or its end; empty for a handle that is no block.
std::optional<std::wstring> blockText(HGLOBAL block) {
    if (!block) return std::nullopt;
    const SIZE_T capacity = GlobalSize(block) / sizeof(wchar_t);
    const auto* data = static_cast<const wchar_t*>(GlobalLock(block));
    if (!data) return std::nullopt;
    std::wstring text(data, std::find(data, data + capacity, L'\0'));
    GlobalUnlock(block);
    return text;
}

SSVALUE emptyRecord() {
    SSVALUE record{};
    record.Status = SS_VALUE_STATUS_EMPTY;
    record.Type = SS_VALUE_TYPE_LONG;
    record.ValLong = 0;
    return record;
}

SSVALUE valueRecord(const Value& value, std::vector<HGLOBAL>& blocks) {
    SSVALUE record = emptyRecord();
    switch (value.kind()) {
    case ValueKind::Empty:
        return record;
    case ValueKind::Number:
        record.Type = SS_VALUE_TYPE_DOUBLE;
        record.ValDouble = value.asNumber();
        break;
    case ValueKind::Boolean:
        record.ValLong = value.asBoolean() ? 1 : 0;
        break;
    case ValueKind::Text:
        record.Type = SS_VALUE_TYPE_STR;
        record.hValStr = textBlock(value.asText());
        if (!record.hValStr) {
            record.Status = SS_VALUE_STATUS_ERROR;
            return record;
        }
        blocks.push_back(record.hValStr);
        break;
    case ValueKind::Error:
        record.Status = SS_VALUE_STATUS_ERROR;
        return record;
    }
    record.Status = SS_VALUE_STATUS_OK;
    return record;
}

SSVALUE argumentRecord(const CustomArg& arg, std::vector<HGLOBAL>& blocks) {
    SSVALUE record = emptyRecord();
    switch (arg.kind) {
    case CustomArg::Kind::Value:
        return valueRecord(arg.value, blocks);
    case CustomArg::Kind::Cell:
        record.Status = SS_VALUE_STATUS_OK;
        record.Type = SS_VALUE_TYPE_CELL;
        record.ValCell = SS_VALUECELL{arg.ref.col1, arg.ref.row1};
        return record;
    case CustomArg::Kind::Range:
        record.Status = SS_VALUE_STATUS_OK;
        record.Type = SS_VALUE_TYPE_RANGE;
        record.ValRange = SS_VALUERANGE{arg.ref.col1, arg.ref.row1, arg.ref.col2, arg.ref.row2};
        return record;
    case CustomArg::Kind::Missing:
        return record;
    }
    return record;
}

Value cellResult(const Sheet& sheet, const SS_VALUECELL& cell) {
    if (cell.Col < 0 || cell.Row < 0 || cell.Col > sheet.maxCols() || cell.Row > sheet.maxRows())
        return Value::error(ErrorCode::Ref);
    return sheet.value(static_cast<int>(cell.Col), static_cast<int>(cell.Row));
}

Value resultValue(const Sheet& sheet, const SSVALUE& result) {
    if (result.Status == SS_VALUE_STATUS_EMPTY) return Value();
    if (result.Status != SS_VALUE_STATUS_OK) return Value::error(ErrorCode::Value);
    switch (result.Type) {
    case SS_VALUE_TYPE_LONG:
        return Value::number(static_cast<double>(result.ValLong));
    case SS_VALUE_TYPE_DOUBLE:
        return std::isfinite(result.ValDouble) ? Value::number(result.ValDouble)
                                               : Value::error(ErrorCode::Num);
    case SS_VALUE_TYPE_STR: {
        const auto text = blockText(result.hValStr);
        return text ? Value::text(*text) : Value::error(ErrorCode::Value);
    }
    case SS_VALUE_TYPE_CELL:
        return cellResult(sheet, result.ValCell);
    default:
        return Value::error(ErrorCode::Value);
    }
}

bool ownsBlock(const std::vector<HGLOBAL>& blocks, HGLOBAL block) {
    return std::find(blocks.begin(), blocks.end(), block) != blocks.end();
}

Value call(const Sheet& sheet, CALCFUNCPROC proc, std::span<const CustomArg> args) {
    std::vector<HGLOBAL> blocks;
    std::vector<SSVALUE> records;
    records.reserve(args.size());
    for (const CustomArg& arg : args)
        records.push_back(argumentRecord(arg, blocks));
    SSVALUE result = emptyRecord();
    const auto count = static_cast<short>(std::min<std::size_t>(records.size(), 32767));
    const BOOL ok = proc(&result, records.empty() ? nullptr : records.data(), count);
    const bool textResult = result.Type == SS_VALUE_TYPE_STR && result.hValStr != nullptr;
    Value value = ok ? resultValue(sheet, result) : Value::error(ErrorCode::Value);
    if (textResult && !ownsBlock(blocks, result.hValStr)) GlobalFree(result.hValStr);
    for (HGLOBAL block : blocks)
        GlobalFree(block);
    return value;
}

} // namespace

CustomFunction adaptCallback(const Sheet& sheet, CALCFUNCPROC proc) {
    const Sheet* owner = &sheet;
    return [owner, proc](std::span<const CustomArg> args) { return call(*owner, proc, args); };
}

} // namespace gridx::control
