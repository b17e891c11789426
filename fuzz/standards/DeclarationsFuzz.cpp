// Declarations of arbitrary sheet files: whatever a file holds, reading the declarations and
// dropping repeated names neither crashes nor hangs, and leaves unique names in declaration
// order whose cells lie inside the grid. Input the grid refuses as a file fills a grid of four
// columns line by line instead, so that mutated seeds still reach the declarations.
#include "spread/Trk_Spread.h"
#include "standards/KvVarCells.h"
#include "standards/StandardsSheet.h"

#include "trk/ObjectExport.h"

#include "win/winx_script.h"

#include <afxwin.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr int kPlaceholderId = 1196;
constexpr int kFallbackColumns = 4;
// Sheets may declare up to 18,278 columns and 2,000,000 rows; every cell is read, so larger
// sheets only measure the grid's size.
constexpr long long kMaxCells = 200000;

class Host : public CWnd {
public:
    Host() {
        CreateEx(0, AfxRegisterWndClass(0), L"Fuzz", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                 nullptr);
        CreateWindowEx(0, L"STATIC", L"", WS_CHILD, 10, 10, 600, 400, m_hWnd,
                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPlaceholderId)), nullptr,
                       nullptr);
        if (!grid.createInDialog(this, kPlaceholderId, true)) std::abort();
        file = std::filesystem::temp_directory_path() /
               ("trk-fuzz-declarations-" + std::to_string(::getpid()) + ".kvs");
    }
    ~Host() override {
        std::error_code error;
        std::filesystem::remove(file, error);
    }

    Trk_Spread grid;
    std::filesystem::path file;
};

Host& host() {
    static Host instance;
    return instance;
}

// The input's lines as cell data, four to a row.
void fillFromLines(Trk_Spread& grid, std::string_view bytes) {
    const Trk_StringArray lines = trkx::linesOfText(bytes);
    grid.setRowCount(0, false);
    grid.setColCount(kFallbackColumns, false);
    grid.setRowCount((lines.length() + kFallbackColumns - 1) / kFallbackColumns, false);
    for (int i = 0; i < lines.length(); ++i)
        grid.setCellData(i % kFallbackColumns + 1, i / kFallbackColumns + 1, lines[i]);
}

void checkCells(const Trk_Spread& grid, const KvVarCells& cells) {
    int lastKind = 0;
    for (int i = 0; i < cells.length(); ++i) {
        const KvVarCell& cell = cells[i];
        if (cell.column < 1 || cell.column > grid.colCount()) std::abort();
        if (cell.row < 1 || cell.row > grid.rowCount()) std::abort();
        if (static_cast<int>(cell.kind) < lastKind) std::abort();
        lastKind = static_cast<int>(cell.kind);
        for (int j = 0; j < i; ++j)
            if (cells[j].name.equal(cell.name, false)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Host& h = host();
    std::ofstream(h.file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (h.grid.loadFile(Trk_String(h.file.wstring())) != 1)
        fillFromLines(h.grid, std::string_view(reinterpret_cast<const char*>(data), size));
    const long long cellCount = static_cast<long long>(h.grid.rowCount()) * h.grid.colCount();
    if (cellCount > kMaxCells) return 0;

    winx::resetRecords();
    KvVarCells cells;
    if (readDeclarations(h.grid, cells) != eOk && cells.length() != 0) std::abort();
    (void)removeDuplicateVariables(h.grid, cells, Trk_String(h.file.wstring()));
    checkCells(h.grid, cells);
    (void)cells.setValuesToSS(h.grid);
    (void)cells.getValuesFromSS(h.grid);
    if (!winx::unattended().empty()) std::abort();
    return 0;
}
