// The section-table registry: one table per series of rolled sections ("IPE", "HEA", ...),
// read from the ".pr" files of the library's "prof\\" folder. A full section name is the series,
// "-" and the size's system name ("IPE-300"); a user name is the size's display name in a
// language ("IPE 300").
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <vector>

// One published table: the header and the rows without the active-flag column, so columns are
// SysName, the language names, then the value columns.
struct Trk_SectionTable {
    Trk_String name;     // series
    Trk_String fileName; // series + ".pr"
    Trk_String shape;    // shape number 1..24, or "Prof\\" + a drawing name
    Trk_StringArray columns;
    Trk_Array<Trk_StringArray> rows;

    int languageCount() const;   // 4, or 5 with a "Korean" column 6 in the file's layout
    int firstValueColumn() const; // 1 + languageCount()
};

class Trk_SectionTableManager {
public:
    virtual ~Trk_SectionTableManager() = default;

    // Reads every ".pr" file of `folder` (the library's "prof\\" folder), replacing all tables.
    // Files that cannot be read are skipped and listed in `problems` ("file: reason").
    ErrorStatus loadFolder(const Trk_String& folder, Trk_StringArray* problems = nullptr);
    // Reads gSettings.libDir + "prof\\" when the library folder changed since the last load
    // (or nothing was loaded yet). Every look-up below calls it first.
    void ensureLoaded();
    void clear();

    // Publishes a table (the active-flag column already removed); eInvalidInput when a table of
    // that name exists or the header is empty.
    ErrorStatus addSectionTable(const Trk_String& fileName, const Trk_String& shape,
                                const Trk_StringArray& columns, const Trk_Array<Trk_StringArray>& rows);
    ErrorStatus removeSectionTable(const Trk_String& name);
    const Trk_SectionTable* findTable(const Trk_String& name) const;
    Trk_StringArray tableNames() const;

    // The full system name of a section given by its full name or any of its user names
    // (letter case and blanks ignored); eInvalidInput when no table knows it.
    ErrorStatus getSystemName(const Trk_String& name, Trk_String& systemName);
    // The user name of a section in the current working language.
    ErrorStatus getUserName(const Trk_String& name, Trk_String& userName);
    // The text of value column `column` (0 = the first value column) of a section.
    ErrorStatus getSectionValue(const Trk_String& name, int column, Trk_String& value);
    // The titles of the value columns of the section's table.
    ErrorStatus getColumnNames(const Trk_String& name, Trk_StringArray& columns);

private:
    std::vector<Trk_SectionTable> m_tables;
    Trk_String m_loadedFrom;
    bool m_loaded = false;
};

extern Trk_SectionTableManager gSectionTables;

// The same look-ups on gSectionTables.
ErrorStatus getSystemName(const Trk_String& name, Trk_String& systemName);
ErrorStatus getSectionValue(const Trk_String& name, int column, Trk_String& value);
