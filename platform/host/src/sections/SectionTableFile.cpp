// Section-table files: UTF-8 lines of tab-separated cells.
#include "trk/Trk_SectionTableManager.h"

#include "HostFiles.h"
#include "TextDecoding.h"
#include "trk/PathFunctions.h"

#include "win/utf8.h"

namespace {

Trk_StringArray cellsOfLine(std::wstring_view line) {
    Trk_StringArray cells;
    std::wstring cell;
    for (const wchar_t character : line) {
        if (character == L'\t') {
            cells.append(Trk_String(std::move(cell)));
            cell.clear();
        } else if (character != L'\r') {
            cell += character;
        }
    }
    cells.append(Trk_String(std::move(cell)));
    return cells;
}

bool isStorableCell(const Trk_String& cell) {
    return cell.findOneOf(L"\t\r\n") < 0;
}

} // namespace

Trk_Array<Trk_StringArray> trkx::sectionTableLinesOfText(std::string_view bytes) {
    Trk_Array<Trk_StringArray> lines;
    for (const auto& line : splitLines(decodeText(bytes)))
        lines.append(cellsOfLine(line));
    return lines;
}

bool trkx::sectionTableTextOfLines(const Trk_Array<Trk_StringArray>& lines, std::string& bytes) {
    std::wstring text;
    for (const auto& cells : lines) {
        for (int i = 0; i < cells.length(); ++i) {
            if (!isStorableCell(cells[i])) return false;
            if (i > 0) text += L'\t';
            text += cells[i].str();
        }
        text += L'\n';
    }
    bytes = winx::toUtf8(text);
    return true;
}

ErrorStatus readSectionTableFile(const Trk_String& path, Trk_Array<Trk_StringArray>& lines,
                                 Trk_String& name) {
    const auto bytes = trkx::readBytes(path.view());
    if (!bytes) return eInvalidInput;
    lines = trkx::sectionTableLinesOfText(*bytes);
    name = getFileName(path, false);
    return eOk;
}

ErrorStatus writeSectionTableFile(const Trk_String& path, const Trk_Array<Trk_StringArray>& lines) {
    std::string bytes;
    if (!trkx::sectionTableTextOfLines(lines, bytes)) return eInvalidInput;
    return trkx::writeBytesAtomically(path.view(), bytes) ? eOk : eInvalidInput;
}
