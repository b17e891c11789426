// Any sequence of SS calls, with any addresses, texts and sizes, leaves a consistent grid: no
// crash, counts as set, lengths that match the texts, spans that report their own anchor.
//
// Input: a list of operations, each an opcode byte followed by four 16-bit arguments (scaled
// so that small and very large addresses both occur) and a text of up to 15 characters.
#include "grid/GridInfo.h"
#include "grid/gridx_user.h"
#include "grid/ssapi.h"
#include "win/winuser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    bool done() const { return at >= size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    long coord() {
        const auto raw = static_cast<std::int16_t>(byte() | (byte() << 8));
        if (raw == -7) return SS_HEADER;
        return raw > 30000 ? static_cast<long>(raw) * 1000 : raw % 40;
    }
    std::wstring text() {
        const int length = byte() % 16;
        std::wstring out;
        for (int i = 0; i < length; ++i)
            out.push_back(static_cast<wchar_t>(byte()));
        return out;
    }
};

HWND gridWindow() {
    static HWND grid = [] {
        HWND parent = CreateWindowEx(0, L"#32770", L"Fuzz", WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                     nullptr, nullptr, nullptr);
        return CreateWindowEx(0, gridx::windowClassName(), L"", WS_CHILD | WS_VISIBLE, 0, 0, 500,
                              300, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7)),
                              nullptr, nullptr);
    }();
    return grid;
}

BOOL echo(LPSSVALUE result, LPSSVALUE args, short count) {
    if (count > 0) *result = args[0];
    if (result->Type == SS_VALUE_TYPE_STR) result->Status = SS_VALUE_STATUS_EMPTY;
    return count % 2 == 0;
}

void checkText(HWND grid, long col, long row) {
    const int length = SSGetDataLen(grid, col, row);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'#');
    if (SSGetData(grid, col, row, buffer.data()) != length || buffer[length] != L'\0') std::abort();
}

void checkSpan(HWND grid, long col, long row) {
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    const WORD state = SSGetCellSpan(grid, col, row, &anchorCol, &anchorRow, nullptr, nullptr);
    if (state == SS_SPAN_YES && SSGetCellSpan(grid, anchorCol, anchorRow, nullptr, nullptr, nullptr,
                                              nullptr) != SS_SPAN_ANCHOR)
        std::abort();
}

void step(HWND grid, Reader& in) {
    const std::uint8_t op = in.byte();
    const long a = in.coord();
    const long b = in.coord();
    const long c = in.coord();
    const long d = in.coord();
    const std::wstring text = in.text();
    SS_CELLTYPE type{};
    switch (op % 24) {
    case 0:
        SSSetData(grid, a, b, text.c_str());
        break;
    case 1:
        SSSetFormula(grid, a, b, text.c_str(), c & 1);
        break;
    case 2:
        SSSetMaxRows(grid, c);
        if (c >= 0 && c <= 1000 && SSGetMaxRows(grid) != c) std::abort();
        break;
    case 3:
        SSSetMaxCols(grid, c);
        break;
    case 4:
        SSAddCellSpan(grid, a, b, c, d);
        break;
    case 5:
        SSCopyRange(grid, a, b, c, d, b, a);
        break;
    case 6:
        SSSwapRange(grid, a, b, c, d, a, d);
        break;
    case 7:
        SSInsRow(grid, a);
        break;
    case 8:
        SSDelCol(grid, b);
        break;
    case 9:
        SSSetCellTypeRange(grid, a, b, c, d,
                           SSSetTypeCheckBox(grid, &type, 0, text.c_str(), nullptr, 0, nullptr, 0,
                                             nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0));
        break;
    case 10:
        SSSetCellTypeRange(
            grid, a, b, c, d,
            SSSetTypeNumber(grid, &type, 0, static_cast<short>(c), -1e9, 1e9, d & 1));
        break;
    case 11:
        SSSetColorRange(grid, a, b, c, d, static_cast<COLORREF>(c), 0);
        break;
    case 12:
        SSSetLockRange(grid, a, b, c, d, TRUE);
        break;
    case 13:
        SSAddCustomFunctionExt(grid, text.c_str(), static_cast<short>(a), static_cast<short>(b),
                               echo, c);
        break;
    case 14:
        SSReCalc(grid);
        break;
    case 15:
        SSSetBool(grid, static_cast<short>(a), b & 1);
        break;
    case 16:
        SSSetRefStyle(grid, static_cast<short>(a));
        break;
    case 17:
        gridx::userTypeIntoCell(grid, static_cast<int>(a), static_cast<int>(b), text);
        break;
    case 18:
        gridx::userToggleCheck(grid, static_cast<int>(a), static_cast<int>(b));
        break;
    case 19:
        SSSetActiveCell(grid, a, b);
        SSSetEditMode(grid, TRUE);
        SSSetSel(grid, static_cast<int>(c), static_cast<int>(d));
        break;
    case 20:
        SSClipboardCopy(grid);
        SSSetActiveCell(grid, c, d);
        SSClipboardPaste(grid);
        break;
    case 21:
        SSSetColWidth(grid, a, static_cast<double>(b));
        SSShowRow(grid, c, d & 1);
        break;
    case 22:
        SSDelRow(grid, a);
        SSInsCol(grid, b);
        break;
    default:
        SSRemoveCellSpan(grid, a, b);
        break;
    }
    checkText(grid, a, b);
    checkSpan(grid, a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HWND grid = gridWindow();
    SSReset(grid);
    SSSetMaxRows(grid, 30);
    SSSetMaxCols(grid, 30);
    Reader in{data, size};
    for (int steps = 0; !in.done() && steps < 200; ++steps)
        step(grid, in);
    return 0;
}
