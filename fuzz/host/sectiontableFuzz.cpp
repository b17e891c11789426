// Section-table files: any bytes give lines of cells without tabs or line breaks, those lines
// written and read again are the same, and a table made of them is consistent and can be
// looked up.
#include "trk/Trk_SectionTableManager.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

void checkTable(const Trk_SectionTable& table) {
    if (table.firstValueColumn() > 6 || table.columns.isEmpty()) std::abort();
    for (const auto& row : table.rows)
        if (row.length() > table.columns.length() || row.valueAt(0).isEmpty()) std::abort();
}

// Published, every size is found by its full name, and no column number outside the values
// (however large) reads a cell.
void checkLookUps(const Trk_SectionTable& table, std::size_t size) {
    Trk_SectionTableManager manager;
    if (manager.addSectionTable(table.fileName, table.shape, table.columns, table.rows) != eOk)
        std::abort();
    const int valueCount = table.columns.length() - table.firstValueColumn();
    const int far = std::numeric_limits<int>::max() - static_cast<int>(size % 3);
    for (const auto& row : table.rows) {
        const Trk_String fullName = table.name + L"-" + row.valueAt(0);
        Trk_String text;
        if (manager.getSystemName(fullName, text) != eOk) std::abort();
        if (manager.getSectionValue(fullName, far, text) == eOk) std::abort();
        if (manager.getSectionValue(fullName, valueCount, text) == eOk) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lines =
        trkx::sectionTableLinesOfText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string bytes;
    if (!trkx::sectionTableTextOfLines(lines, bytes)) std::abort();
    if (trkx::sectionTableLinesOfText(bytes) != lines) std::abort();
    Trk_SectionTable table;
    Trk_String reason;
    if (trkx::sectionTableOfLines(L"F", lines, table, reason)) {
        checkTable(table);
        checkLookUps(table, size);
    } else if (reason.isEmpty())
        std::abort();
    return 0;
}
