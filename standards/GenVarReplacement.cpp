#include "standards/GenVarReplacement.h"

#include "spread/Trk_Spread.h"

#include "trk/StringFunctions.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kValueText = 3; // getCellText kind: the value as the cell shows it

bool isWordCharacter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           c == L'_';
}

// The character before an occurrence at `pos` of the text being rebuilt: what was last written
// when the occurrence directly follows the rebuilt part, else the original text's character.
bool wordBefore(const std::wstring& text, size_t pos, size_t copied, const std::wstring& out) {
    if (pos > copied) return isWordCharacter(text[pos - 1]);
    return !out.empty() && isWordCharacter(out.back());
}

bool wordAfter(const std::wstring& text, size_t end) {
    return end < text.size() && isWordCharacter(text[end]);
}

int pairCount(const Trk_StringArray& names, const Trk_StringArray& values) {
    return std::min(names.length(), values.length());
}

} // namespace

bool replaceWholeWord(std::wstring& text, std::wstring_view name, std::wstring_view value,
                      std::wstring& scratch) {
    if (name.empty()) return false;
    size_t pos = text.find(name);
    if (pos == std::wstring::npos) return false;
    scratch.clear();
    size_t copied = 0;
    bool replaced = false;
    for (long seen = 0; pos != std::wstring::npos && seen < kMaxOccurrencesPerName; ++seen) {
        const size_t end = pos + name.size();
        if (!wordBefore(text, pos, copied, scratch) && !wordAfter(text, end)) {
            scratch.append(text, copied, pos - copied);
            scratch.append(value);
            copied = end;
            replaced = true;
        }
        pos = text.find(name, end);
    }
    if (!replaced) return false;
    scratch.append(text, copied, std::wstring::npos);
    text.swap(scratch);
    return true;
}

std::wstring quotedUnlessNumber(const Trk_String& value) {
    if (isNumber(value)) return value.str();
    return L"\"" + value.str() + L"\"";
}

namespace {

// Names paired with the values as they are to be inserted.
struct Replacements {
    std::vector<std::wstring_view> names;
    std::vector<std::wstring> values;
};

Replacements makeReplacements(const Trk_StringArray& names, const Trk_StringArray& values,
                              bool quoting) {
    Replacements pairs;
    for (int i = 0; i < pairCount(names, values); ++i) {
        if (names[i].isEmpty()) continue;
        pairs.names.push_back(names[i].view());
        pairs.values.push_back(quoting ? quotedUnlessNumber(values[i]) : values[i].str());
    }
    return pairs;
}

// Copies the text only when some name occurs in it.
bool applyReplacements(Trk_String& text, const Replacements& pairs, std::wstring& working,
                       std::wstring& scratch) {
    const std::wstring& original = text.str();
    size_t first = 0;
    while (first < pairs.names.size() && original.find(pairs.names[first]) == std::wstring::npos)
        ++first;
    if (first == pairs.names.size()) return false;
    working = original;
    bool replaced = false;
    for (size_t i = first; i < pairs.names.size(); ++i)
        replaced |= replaceWholeWord(working, pairs.names[i], pairs.values[i], scratch);
    if (replaced) text = Trk_String(working);
    return replaced;
}

} // namespace

bool replaceWholeWords(Trk_String& text, const Trk_StringArray& names,
                       const Trk_StringArray& values, bool quoting) {
    std::wstring working;
    std::wstring scratch;
    return applyReplacements(text, makeReplacements(names, values, quoting), working, scratch);
}

void replaceGeneralVariables(Trk_Spread& grid, const Trk_StringArray& names,
                             const Trk_StringArray& values) {
    const Replacements pairs = makeReplacements(names, values, true);
    if (pairs.names.empty()) return; // nothing could be replaced
    const int cols = grid.colCount();
    const int rows = grid.rowCount();
    Trk_String text;
    std::wstring working;
    std::wstring scratch;
    for (int col = 1; col <= cols; ++col) {
        for (int row = 1; row <= rows; ++row) {
            if (!grid.getCellText(col, row, kValueText, text) || text.isEmpty()) continue;
            if (applyReplacements(text, pairs, working, scratch)) grid.setCellData(col, row, text);
        }
    }
}
