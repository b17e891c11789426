// The entries of a list box or of a combo box's list: text, item data and a selection mark,
// with the platform's search rules (case-insensitive, starting after an index and wrapping).
#pragma once

#include "win/wintypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace controls {

struct ListEntry {
    std::wstring text;
    LPARAM data = 0;
    bool selected = false;
};

class ItemList {
public:
    int count() const { return static_cast<int>(entries_.size()); }
    bool valid(long long index) const { return index >= 0 && index < count(); }
    ListEntry& at(int index) { return entries_[static_cast<std::size_t>(index)]; }
    const ListEntry& at(int index) const { return entries_[static_cast<std::size_t>(index)]; }

    // Appends, or with sorted inserts after the last entry that does not sort after text.
    int add(ListEntry entry, bool sorted);
    // index -1 appends; -1 for an index beyond the end.
    int insert(long long index, ListEntry entry);
    bool remove(long long index);
    void clear() { entries_.clear(); }

    // First entry after start (-1: from the top) whose text starts with (or equals) text,
    // wrapping round to start; -1 when there is none.
    int findPrefix(long long start, std::wstring_view text) const;
    int findExact(long long start, std::wstring_view text) const;

private:
    template <class Match>
    int findFrom(long long start, Match match) const;

    std::vector<ListEntry> entries_;
};

} // namespace controls
