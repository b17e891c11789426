// The section-table registry: the library's tables, an index of every size's names, look-ups.
#include "trk/Trk_SectionTableManager.h"

#include "HostFiles.h"
#include "trk/ObjectExport.h"
#include "trk/Trk_Settings.h"
#include "win/utf8.h"

#include <filesystem>

Trk_SectionTableManager gSectionTables;

namespace {

struct FolderContents {
    bool readable = false;
    Trk_StringArray tableFiles; // file names ending in ".pr", sorted
};

FolderContents listTableFiles(const Trk_String& folder) {
    FolderContents contents;
    std::error_code error;
    std::filesystem::directory_iterator it(trkx::hostPath(folder.view()), error);
    if (error) return contents;
    contents.readable = true;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        // Names are decoded as the platform decodes them: a name that is no UTF-8 never throws.
        const Trk_String fileName(winx::fromUtf8(it->path().filename().native()));
        if (fileName.endsWith(L".pr", false)) contents.tableFiles.append(fileName);
    }
    ObjectExportSort(contents.tableFiles);
    return contents;
}

// Reads one file into `table`; false with `reason` when it cannot be published.
bool readTable(const Trk_String& path, Trk_SectionTable& table, Trk_String& reason) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(trkx::hostPath(path.view()), error)) {
        reason = L"not a file";
        return false;
    }
    Trk_Array<Trk_StringArray> lines;
    Trk_String series;
    if (readSectionTableFile(path, lines, series) != eOk) {
        reason = L"cannot be read";
        return false;
    }
    return trkx::sectionTableOfLines(series, lines, table, reason);
}

bool hasTable(const std::vector<Trk_SectionTable>& tables, const Trk_String& name) {
    for (const auto& table : tables)
        if (table.name.equal(name, false)) return true;
    return false;
}

Trk_String fullName(const Trk_SectionTable& table, const Trk_StringArray& row) {
    return table.name + L"-" + row.valueAt(0);
}

Trk_String languageTitle(const Trk_String& languageCode) {
    if (languageCode.equal(L"de", false)) return L"German";
    if (languageCode.equal(L"fr", false)) return L"French";
    if (languageCode.equal(L"nl", false)) return L"Dutch";
    return L"English";
}

} // namespace

ErrorStatus Trk_SectionTableManager::loadFolder(const Trk_String& folder,
                                                Trk_StringArray* problems) {
    return load(folder, problems);
}

ErrorStatus Trk_SectionTableManager::load(const Trk_String& folder,
                                          Trk_StringArray* problems) const {
    const FolderContents contents = listTableFiles(folder);
    const Trk_String prefix = withTrailingSeparator(folder);
    std::vector<Trk_SectionTable> tables;
    bool allRead = contents.readable;
    for (const auto& fileName : contents.tableFiles) {
        Trk_SectionTable table;
        Trk_String reason;
        if (readTable(prefix + fileName, table, reason) && hasTable(tables, table.name))
            reason = L"a table of that series was read already";
        if (reason.isEmpty()) {
            tables.push_back(std::move(table));
            continue;
        }
        allRead = false;
        if (problems) problems->append(fileName + L": " + reason);
    }
    if (!contents.readable && problems) problems->append(folder + L": cannot be read");
    setTables(std::move(tables));
    m_loadedFrom = gSettings.libDir;
    m_loaded = true;
    return allRead ? eOk : eInvalidInput;
}

void Trk_SectionTableManager::ensureLoaded() {
    loadIfStale();
}

void Trk_SectionTableManager::loadIfStale() const {
    if (m_loaded && m_loadedFrom == gSettings.libDir) return;
    if (gSettings.libDir.isEmpty()) {
        setTables({});
        m_loadedFrom = gSettings.libDir;
        m_loaded = true;
        return;
    }
    load(gSettings.libDir + L"prof\\", nullptr);
}

void Trk_SectionTableManager::clear() {
    setTables({});
    m_loadedFrom.clear();
    m_loaded = false;
}

ErrorStatus Trk_SectionTableManager::addSectionTable(const Trk_String& fileName,
                                                     const Trk_String& shape,
                                                     const Trk_StringArray& columns,
                                                     const Trk_Array<Trk_StringArray>& rows) {
    loadIfStale();
    Trk_SectionTable table;
    table.name = fileName.endsWith(L".pr", false) ? fileName.left(fileName.length() - 3) : fileName;
    if (table.name.isEmpty() || columns.isEmpty() || hasTable(m_tables, table.name))
        return eInvalidInput;
    table.fileName = table.name + L".pr";
    table.shape = shape;
    table.columns = columns;
    table.rows = rows;
    m_tables.push_back(std::move(table));
    rebuildIndex();
    return eOk;
}

ErrorStatus Trk_SectionTableManager::removeSectionTable(const Trk_String& name) {
    loadIfStale();
    for (auto it = m_tables.begin(); it != m_tables.end(); ++it) {
        if (!it->name.equal(name, false)) continue;
        m_tables.erase(it);
        rebuildIndex();
        return eOk;
    }
    return eInvalidInput;
}

const Trk_SectionTable* Trk_SectionTableManager::findTable(const Trk_String& name) const {
    loadIfStale();
    for (const auto& table : m_tables)
        if (table.name.equal(name, false)) return &table;
    return nullptr;
}

Trk_StringArray Trk_SectionTableManager::tableNames() const {
    loadIfStale();
    Trk_StringArray names;
    for (const auto& table : m_tables)
        names.append(table.name);
    return names;
}

ErrorStatus Trk_SectionTableManager::getSystemName(const Trk_String& name, Trk_String& systemName) {
    const RowRef* found = findRow(name);
    if (!found) return eInvalidInput;
    const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(found->first)];
    systemName = fullName(table, table.rows[found->second]);
    return eOk;
}

ErrorStatus Trk_SectionTableManager::getUserName(const Trk_String& name, Trk_String& userName) {
    const RowRef* found = findRow(name);
    if (!found) return eInvalidInput;
    const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(found->first)];
    const Trk_StringArray& row = table.rows[found->second];
    const int column = table.columns.find(languageTitle(gSettings.workLanguage), false);
    const Trk_String shown =
        column > 0 && column < table.firstValueColumn() ? row.valueAt(column) : Trk_String();
    userName = shown.isEmpty() ? fullName(table, row) : shown;
    return eOk;
}

ErrorStatus Trk_SectionTableManager::getSectionValue(const Trk_String& name, int column,
                                                     Trk_String& value) {
    const RowRef* found = findRow(name);
    if (!found || column < 0) return eInvalidInput;
    const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(found->first)];
    // Compared as a count of value columns, so that no column number can overflow the sum.
    if (column >= table.columns.length() - table.firstValueColumn()) return eInvalidInput;
    value = table.rows[found->second].valueAt(table.firstValueColumn() + column);
    return eOk;
}

ErrorStatus Trk_SectionTableManager::getColumnNames(const Trk_String& name,
                                                    Trk_StringArray& columns) {
    const RowRef* found = findRow(name);
    if (!found) return eInvalidInput;
    const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(found->first)];
    Trk_StringArray titles;
    for (int i = table.firstValueColumn(); i < table.columns.length(); ++i)
        titles.append(table.columns[i]);
    columns = titles;
    return eOk;
}

void Trk_SectionTableManager::setTables(std::vector<Trk_SectionTable> tables) const {
    m_tables = std::move(tables);
    rebuildIndex();
}

// Full names first, so that a user name never hides another size's full name; the first size
// of a name wins.
void Trk_SectionTableManager::rebuildIndex() const {
    m_index.clear();
    for (int t = 0; t < static_cast<int>(m_tables.size()); ++t) {
        const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(t)];
        for (int r = 0; r < table.rows.length(); ++r)
            m_index.emplace(trkx::compactSectionName(fullName(table, table.rows[r])), RowRef{t, r});
    }
    for (int t = 0; t < static_cast<int>(m_tables.size()); ++t) {
        const Trk_SectionTable& table = m_tables[static_cast<std::size_t>(t)];
        for (int r = 0; r < table.rows.length(); ++r)
            for (int c = 1; c < table.firstValueColumn(); ++c) {
                const Trk_String userName = table.rows[r].valueAt(c);
                if (!userName.isEmpty())
                    m_index.emplace(trkx::compactSectionName(userName), RowRef{t, r});
            }
    }
}

const Trk_SectionTableManager::RowRef*
Trk_SectionTableManager::findRow(const Trk_String& name) const {
    loadIfStale();
    const auto found = m_index.find(trkx::compactSectionName(name));
    return found == m_index.end() ? nullptr : &found->second;
}

ErrorStatus getSystemName(const Trk_String& name, Trk_String& systemName) {
    return gSectionTables.getSystemName(name, systemName);
}

ErrorStatus getSectionValue(const Trk_String& name, int column, Trk_String& value) {
    return gSectionTables.getSectionValue(name, column, value);
}
