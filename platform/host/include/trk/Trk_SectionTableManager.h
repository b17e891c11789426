// The section-table registry: one table per series of rolled sections ("IPE", "HEA", ...),
// read from the ".pr" files of the library's "prof\\" folder. A full section name is the series,
// "-" and the size's system name ("IPE-300"); a user name is the size's display name in a
// language ("IPE 300").
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// One published table: the header and the rows without the active-flag column, so columns are
// SysName, the language names, then the value columns.
struct Trk_SectionTable {
    Trk_String name;     // series
    Trk_String fileName; // series + ".pr"
    Trk_String shape;    // shape number 1..24, or "Prof\\" + a drawing name
    Trk_StringArray columns;
    Trk_Array<Trk_StringArray> rows;

    int languageCount() const;    // 4, or 5 with a "Korean" column 6 in the file's layout
    int firstValueColumn() const; // 1 + languageCount()
};

class Trk_SectionTableManager {
public:
    virtual ~Trk_SectionTableManager() = default;

    // Reads every ".pr" file of `folder` (the library's "prof\\" folder), replacing all tables;
    // inactive sizes are left out. Files that cannot be read are skipped and listed in
    // `problems` ("file: reason"); the others are still published. eInvalidInput when a file
    // was skipped or the folder cannot be read (then no tables remain). The tables stand for
    // the current gSettings.libDir until it changes.
    ErrorStatus loadFolder(const Trk_String& folder, Trk_StringArray* problems = nullptr);
    // Reads gSettings.libDir + "prof\\" when the library folder changed since the last load
    // (or nothing was loaded yet). Every look-up below calls it first.
    void ensureLoaded();
    // Forgets every table; the next look-up reads the library again.
    void clear();

    // Publishes a table (the active-flag column already removed) under the file name without
    // ".pr"; eInvalidInput when a table of that name exists (letter case ignored), the name is
    // empty or the header is empty.
    ErrorStatus addSectionTable(const Trk_String& fileName, const Trk_String& shape,
                                const Trk_StringArray& columns,
                                const Trk_Array<Trk_StringArray>& rows);
    ErrorStatus removeSectionTable(const Trk_String& name);
    // The table of a series (letter case ignored), or null. The pointer is valid until the
    // tables change.
    const Trk_SectionTable* findTable(const Trk_String& name) const;
    Trk_StringArray tableNames() const;

    // The full system name of a section given by its full name or any of its user names
    // (letter case and blanks ignored); eInvalidInput when no table knows it.
    ErrorStatus getSystemName(const Trk_String& name, Trk_String& systemName);
    // The user name of a section in the current working language ("en" English, "de" German,
    // "fr" French, "nl" Dutch, otherwise English); the full name when that cell is empty.
    ErrorStatus getUserName(const Trk_String& name, Trk_String& userName);
    // The text of value column `column` (0 = the first value column) of a section; empty for a
    // row shorter than the header, eInvalidInput for a column outside the header.
    ErrorStatus getSectionValue(const Trk_String& name, int column, Trk_String& value);
    // The titles of the value columns of the section's table.
    ErrorStatus getColumnNames(const Trk_String& name, Trk_StringArray& columns);

private:
    using RowRef = std::pair<int, int>; // table index, row index
    // The library is read on first use, also by the const look-ups: the tables are a cache of it.
    void loadIfStale() const;
    ErrorStatus load(const Trk_String& folder, Trk_StringArray* problems) const;
    void setTables(std::vector<Trk_SectionTable> tables) const;
    void rebuildIndex() const;
    const RowRef* findRow(const Trk_String& name) const;

    mutable std::vector<Trk_SectionTable> m_tables;
    mutable std::unordered_map<std::wstring, RowRef> m_index; // compact names of the sizes
    mutable Trk_String m_loadedFrom;
    mutable bool m_loaded = false;
};

extern Trk_SectionTableManager gSectionTables;

// The same look-ups on gSectionTables.
ErrorStatus getSystemName(const Trk_String& name, Trk_String& systemName);
ErrorStatus getSectionValue(const Trk_String& name, int column, Trk_String& value);

// Section-table files: a list of lines, each a list of cell texts (layout in SECTIONTABLES.md).
// Reads the file and names the series after it ("prof\\IPE.pr" gives "IPE"); eInvalidInput,
// with `lines` and `name` unchanged, when the file cannot be read.
ErrorStatus readSectionTableFile(const Trk_String& path, Trk_Array<Trk_StringArray>& lines,
                                 Trk_String& name);
// Writes atomically; eInvalidInput, with the old file untouched, when a cell holds a tab or a line
// break or the file cannot be written.
ErrorStatus writeSectionTableFile(const Trk_String& path, const Trk_Array<Trk_StringArray>& lines);

namespace trkx {
// The lines of a section-table file's bytes; carriage returns are dropped.
Trk_Array<Trk_StringArray> sectionTableLinesOfText(std::string_view bytes);
// The file bytes of the lines; false when a cell holds a tab or a line break.
bool sectionTableTextOfLines(const Trk_Array<Trk_StringArray>& lines, std::string& bytes);
// The table a file's lines publish (inactive sizes and the active-flag column left out); false,
// with `reason` set, for lines that are no section table.
bool sectionTableOfLines(const Trk_String& series, const Trk_Array<Trk_StringArray>& lines,
                         Trk_SectionTable& table, Trk_String& reason);
// The text a section name is matched by: blanks removed, letter case folded.
std::wstring compactSectionName(const Trk_String& name);
} // namespace trkx
