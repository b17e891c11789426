// Section-table files: any bytes give lines of cells without tabs or line breaks, those lines
// written and read again are the same, and a table made of them is consistent.
#include "trk/Trk_SectionTableManager.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void checkTable(const Trk_SectionTable& table) {
    if (table.firstValueColumn() > 6 || table.columns.isEmpty()) std::abort();
    for (const auto& row : table.rows)
        if (row.length() > table.columns.length() || row.valueAt(0).isEmpty()) std::abort();
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
    if (trkx::sectionTableOfLines(L"F", lines, table, reason))
        checkTable(table);
    else if (reason.isEmpty())
        std::abort();
    return 0;
}
