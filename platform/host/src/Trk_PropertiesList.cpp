#include "trk/Trk_PropertiesList.h"

#include "HostFiles.h"
#include "TextDecoding.h"

#include "win/utf8.h"

#include <charconv>

namespace {

bool isValidName(const Trk_String& name) {
    return !name.isEmpty() && name.findOneOf(L"=\r\n") < 0;
}

std::wstring escapedValue(std::wstring_view value) {
    std::wstring out;
    for (wchar_t c : value) {
        if (c == L'\\')
            out += L"\\\\";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\r')
            out += L"\\r";
        else
            out += c;
    }
    return out;
}

std::wstring unescapedValue(std::wstring_view value) {
    std::wstring out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const wchar_t next = i + 1 < value.size() ? value[i + 1] : L'\0';
        if (value[i] != L'\\' || (next != L'\\' && next != L'n' && next != L'r')) {
            out += value[i];
            continue;
        }
        out += next == L'n' ? L'\n' : (next == L'r' ? L'\r' : L'\\');
        ++i;
    }
    return out;
}

Trk_String joinedItems(const Trk_StringArray& items) {
    std::wstring out;
    for (int i = 0; i < items.length(); ++i) {
        if (i > 0) out += L';';
        for (wchar_t c : items[i].view()) {
            if (c == L'\\' || c == L';') out += L'\\';
            out += c;
        }
    }
    return out;
}

Trk_StringArray splitItems(std::wstring_view text) {
    Trk_StringArray items;
    if (text.empty()) return items;
    std::wstring item;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size()) {
            item += text[++i];
        } else if (text[i] == L';') {
            items.append(item);
            item.clear();
        } else {
            item += text[i];
        }
    }
    items.append(item);
    return items;
}

Trk_String shortestNumberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::wstring(buffer, result.ptr);
}

} // namespace

ErrorStatus Trk_PropertiesList::readFromFile(const Trk_String& path) {
    const auto bytes = trkx::readBytes(path.view());
    if (!bytes) return eInvalidInput;
    readFromText(*bytes);
    return eOk;
}

ErrorStatus Trk_PropertiesList::writeToFile(const Trk_String& path) const {
    return trkx::writeBytesAtomically(path.view(), toText()) ? eOk : eInvalidInput;
}

int Trk_PropertiesList::readFromText(std::string_view bytes) {
    clear();
    m_skippedLines = 0;
    for (const auto& line : trkx::splitLines(trkx::decodeText(bytes))) {
        const auto first = line.find_first_not_of(L" \t");
        if (first == std::wstring::npos || line[first] == L'#') continue;
        const auto equals = line.find(L'=');
        if (equals == std::wstring::npos || equals == 0) {
            ++m_skippedLines;
            continue;
        }
        setString(line.substr(0, equals),
                  unescapedValue(std::wstring_view(line).substr(equals + 1)));
    }
    return m_skippedLines;
}

std::string Trk_PropertiesList::toText() const {
    std::wstring text;
    for (const auto& [name, value] : m_properties) {
        text += name.str();
        text += L'=';
        text += escapedValue(value.view());
        text += L'\n';
    }
    return winx::toUtf8(text);
}

bool Trk_PropertiesList::getInt(const Trk_String& name, int& value) const {
    const Trk_String* text = find(name);
    return text && text->toInt(value);
}

bool Trk_PropertiesList::getDouble(const Trk_String& name, double& value) const {
    const Trk_String* text = find(name);
    return text && text->toDouble(value);
}

bool Trk_PropertiesList::getBool(const Trk_String& name, bool& value) const {
    const Trk_String* text = find(name);
    if (!text) return false;
    const Trk_String word = text->trimmed();
    if (word == L"1" || word.equal(L"true", false))
        value = true;
    else if (word == L"0" || word.equal(L"false", false))
        value = false;
    else
        return false;
    return true;
}

bool Trk_PropertiesList::getString(const Trk_String& name, Trk_String& value) const {
    const Trk_String* text = find(name);
    if (text) value = *text;
    return text != nullptr;
}

bool Trk_PropertiesList::getStringArray(const Trk_String& name, Trk_StringArray& value) const {
    const Trk_String* text = find(name);
    if (text) value = splitItems(text->view());
    return text != nullptr;
}

bool Trk_PropertiesList::setInt(const Trk_String& name, int value) {
    return setString(name, Trk_String(value));
}

bool Trk_PropertiesList::setDouble(const Trk_String& name, double value) {
    return setString(name, shortestNumberText(value));
}

bool Trk_PropertiesList::setBool(const Trk_String& name, bool value) {
    return setString(name, value ? L"1" : L"0");
}

bool Trk_PropertiesList::setString(const Trk_String& name, const Trk_String& value) {
    if (!isValidName(name)) return false;
    const auto found = m_index.find(name);
    if (found != m_index.end()) {
        m_properties[found->second].second = value;
        return true;
    }
    m_index.emplace(name, m_properties.size());
    m_properties.emplace_back(name, value);
    return true;
}

bool Trk_PropertiesList::setStringArray(const Trk_String& name, const Trk_StringArray& value) {
    return setString(name, joinedItems(value));
}

bool Trk_PropertiesList::removeProperty(const Trk_String& name) {
    const auto found = m_index.find(name);
    if (found == m_index.end()) return false;
    m_properties.erase(m_properties.begin() + static_cast<std::ptrdiff_t>(found->second));
    m_index.clear();
    for (std::size_t i = 0; i < m_properties.size(); ++i)
        m_index.emplace(m_properties[i].first, i);
    return true;
}

void Trk_PropertiesList::clear() {
    m_properties.clear();
    m_index.clear();
}

Trk_StringArray Trk_PropertiesList::names() const {
    Trk_StringArray out;
    for (const auto& property : m_properties)
        out.append(property.first);
    return out;
}

const Trk_String* Trk_PropertiesList::find(const Trk_String& name) const {
    const auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : &m_properties[found->second].second;
}
