#include "ItemList.h"

#include "ControlBase.h"

#include <algorithm>

namespace controls {

int ItemList::add(ListEntry entry, bool sorted) {
    auto at = entries_.end();
    if (sorted) {
        at = std::upper_bound(entries_.begin(), entries_.end(), entry,
                              [](const ListEntry& a, const ListEntry& b) {
                                  return compareNoCase(a.text, b.text) < 0;
                              });
    }
    const auto index = at - entries_.begin();
    entries_.insert(at, std::move(entry));
    return static_cast<int>(index);
}

int ItemList::insert(long long index, ListEntry entry) {
    if (index < 0) index = count();
    if (index > count()) return -1;
    entries_.insert(entries_.begin() + index, std::move(entry));
    return static_cast<int>(index);
}

bool ItemList::remove(long long index) {
    if (!valid(index)) return false;
    entries_.erase(entries_.begin() + index);
    return true;
}

template <class Match>
int ItemList::findFrom(long long start, Match match) const {
    const int total = count();
    if (total == 0) return -1;
    const int first = valid(start) ? static_cast<int>(start) + 1 : 0;
    for (int step = 0; step < total; ++step) {
        const int index = (first + step) % total;
        if (match(at(index).text)) return index;
    }
    return -1;
}

int ItemList::findPrefix(long long start, std::wstring_view text) const {
    return findFrom(start,
                    [text](const std::wstring& entry) { return startsWithNoCase(entry, text); });
}

int ItemList::findExact(long long start, std::wstring_view text) const {
    return findFrom(start, [text](const std::wstring& entry) { return equalsNoCase(entry, text); });
}

} // namespace controls
