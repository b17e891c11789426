#include "trk/DialString.h"

#include "TextDecoding.h"

#include <charconv>

namespace trkx {
namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool isCorruptCharacter(wchar_t c) {
    return (c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') || c == 0x7F;
}

Trk_String unescaped(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        if (text[i] == L'\\' && (next == L'n' || next == L'\\')) {
            out += next == L'n' ? L'\n' : L'\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

Trk_String problemAt(std::size_t lineIndex, const Trk_String& what) {
    return Trk_String::formatted(L"line %d: %s", static_cast<int>(lineIndex + 1), what.c_str());
}

// Parses the number at the start of `line` (after leading blanks); false when there is none or
// it is out of range. `rest` receives what follows it.
bool parseNumber(std::wstring_view line, int& number, std::wstring_view& rest) {
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    std::string digits;
    while (i < line.size() && isDigit(line[i]))
        digits += static_cast<char>(line[i++]);
    if (digits.empty()) return false;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    rest = line.substr(i);
    return error == std::errc() && end == digits.data() + digits.size();
}

void parseLine(std::wstring_view line, std::size_t index, DialStringTable& table) {
    const auto first = line.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos || line[first] == L'#') return;
    int number = 0;
    std::wstring_view rest;
    if (!parseNumber(line, number, rest)) {
        table.problems.append(problemAt(index, L"no valid text number at the start"));
        return;
    }
    if (!rest.empty() && !isBlank(rest.front())) {
        table.problems.append(problemAt(index, L"the text number must be followed by a blank"));
        return;
    }
    const auto textStart = rest.find_first_not_of(L" \t");
    const Trk_String text =
        textStart == std::wstring_view::npos ? Trk_String() : unescaped(rest.substr(textStart));
    if (!table.texts.emplace(number, text).second)
        table.problems.append(problemAt(
            index,
            Trk_String::formatted(L"text number %d appears again; the first is kept", number)));
}

} // namespace

DialStringTable parseDialStrings(std::string_view bytes) {
    DialStringTable table;
    const std::wstring text = decodeText(bytes);
    for (wchar_t c : text) {
        if (!isCorruptCharacter(c)) continue;
        table.corrupt = true;
        table.problems.append(L"the file holds control characters and is not a text table");
        return table;
    }
    const auto lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        parseLine(lines[i], i, table);
    return table;
}

} // namespace trkx
