// From a section-table file's lines to the table the registry publishes.
#include "trk/Trk_SectionTableManager.h"

#include <unordered_set>

namespace {

constexpr int kFlagColumn = 1;

bool isBlankLine(const Trk_StringArray& cells) {
    for (const auto& cell : cells)
        if (!cell.isEmpty()) return false;
    return true;
}

bool isTitleLine(const Trk_StringArray& cells) {
    return cells.length() >= 2 && cells[0].equal(L"SysName", false) &&
           cells[kFlagColumn].equal(L"I/O", false);
}

// A drawing named as shape is kept below the section pictures' "Prof\\" folder.
Trk_String publishedShape(const Trk_StringArray& shapeLine) {
    const Trk_String shape = shapeLine.valueAt(0);
    return shape.find(L'.') >= 0 ? L"Prof\\" + shape : shape;
}

Trk_StringArray withoutFlag(Trk_StringArray cells) {
    if (cells.length() > kFlagColumn) cells.removeAt(kFlagColumn);
    return cells;
}

Trk_String lineReason(int lineIndex, const wchar_t* what) {
    return L"line " + Trk_String(lineIndex + 1) + L" " + what;
}

// Checks the size lines and collects the active ones; false with `reason` at the first fault.
bool collectRows(const Trk_Array<Trk_StringArray>& lines, int titleCount,
                 Trk_Array<Trk_StringArray>& rows, Trk_String& reason) {
    std::unordered_set<std::wstring> systemNames;
    for (int i = 2; i < lines.length(); ++i) {
        const Trk_StringArray& cells = lines[i];
        if (isBlankLine(cells)) continue;
        if (cells.length() > titleCount) {
            reason = lineReason(i, L"has more cells than titles");
            return false;
        }
        if (cells[0].isEmpty()) {
            reason = lineReason(i, L"has no system name");
            return false;
        }
        if (!systemNames.insert(cells[0].str()).second) {
            reason = lineReason(i, L"repeats the system name ") + cells[0];
            return false;
        }
        if (cells.valueAt(kFlagColumn) != L"0") rows.append(withoutFlag(cells));
    }
    return true;
}

} // namespace

int Trk_SectionTable::languageCount() const {
    return columns.length() > 5 && columns[5] == L"Korean" ? 5 : 4;
}

int Trk_SectionTable::firstValueColumn() const {
    return 1 + languageCount();
}

bool trkx::sectionTableOfLines(const Trk_String& series, const Trk_Array<Trk_StringArray>& lines,
                               Trk_SectionTable& table, Trk_String& reason) {
    if (series.isEmpty()) {
        reason = L"no series name";
        return false;
    }
    if (lines.isEmpty()) {
        reason = L"empty file";
        return false;
    }
    if (lines.length() < 2 || !isTitleLine(lines[1])) {
        reason = L"no title line (SysName, I/O, ...) on line 2";
        return false;
    }
    Trk_Array<Trk_StringArray> rows;
    if (!collectRows(lines, lines[1].length(), rows, reason)) return false;
    table.name = series;
    table.fileName = series + L".pr";
    table.shape = publishedShape(lines[0]);
    table.columns = withoutFlag(lines[1]);
    table.rows = std::move(rows);
    return true;
}

std::wstring trkx::compactSectionName(const Trk_String& name) {
    const Trk_String folded = name.lower();
    std::wstring compact;
    for (const wchar_t character : folded.view())
        if (character != L' ' && character != L'\t' && character != L'\u00A0') compact += character;
    return compact;
}
