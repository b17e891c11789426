// Writes the registry in its file format: readable forms where they give back the exact bytes,
// raw hex otherwise.
#include "services/RegistryFile.h"

#include "win/utf8.h"
#include "win/winreg.h"

#include <cstring>
#include <optional>
#include <vector>

namespace winx::services {
namespace {

constexpr std::size_t kUnit = sizeof(wchar_t);

bool isPrintable(std::uint32_t code) {
    return code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0) &&
           !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
}

void appendHexNumber(std::string& out, std::uint64_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string reversed;
    do {
        reversed += digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    out.append(reversed.rbegin(), reversed.rend());
}

void appendEscaped(std::string& out, wchar_t c) {
    const auto code = static_cast<std::uint32_t>(c);
    switch (c) {
    case L'\\':
        out += "\\\\";
        return;
    case L'"':
        out += "\\\"";
        return;
    case L'\n':
        out += "\\n";
        return;
    case L'\r':
        out += "\\r";
        return;
    case L'\t':
        out += "\\t";
        return;
    case L'\0':
        out += "\\0";
        return;
    default:
        break;
    }
    if (isPrintable(code)) {
        out += toUtf8(std::wstring_view(&c, 1));
        return;
    }
    out += "\\u{";
    appendHexNumber(out, code);
    out += "}";
}

std::string quotedText(std::wstring_view text) {
    std::string out = "\"";
    for (const wchar_t c : text)
        appendEscaped(out, c);
    return out + "\"";
}

std::string hexBytes(const std::vector<BYTE>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const BYTE b : data) {
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

// The value's bytes read as wchar_t units; empty optional when they are not whole units.
std::optional<std::wstring> units(const std::vector<BYTE>& data) {
    if (data.size() % kUnit != 0) return std::nullopt;
    std::wstring text(data.size() / kUnit, L'\0');
    if (!data.empty()) std::memcpy(text.data(), data.data(), data.size());
    return text;
}

std::optional<std::string> textForm(const std::vector<BYTE>& data) {
    const auto text = units(data);
    if (!text || text->empty() || text->back() != L'\0') return std::nullopt;
    return quotedText(std::wstring_view(*text).substr(0, text->size() - 1));
}

// Strings each followed by a terminator, then one more terminator.
std::optional<std::string> multiTextForm(const std::vector<BYTE>& data) {
    const auto text = units(data);
    if (!text || text->empty() || text->back() != L'\0') return std::nullopt;
    std::wstring_view rest(*text);
    rest.remove_suffix(1);
    if (rest.empty()) return std::string();
    if (rest.back() != L'\0') return std::nullopt;
    rest.remove_suffix(1);
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t end = rest.find(L'\0', start);
        if (start > 0) out += ",";
        out += quotedText(rest.substr(start, end == std::wstring_view::npos ? end : end - start));
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return out;
}

template <typename Number>
std::optional<std::string> numberForm(const std::vector<BYTE>& data) {
    if (data.size() != sizeof(Number)) return std::nullopt;
    Number value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return std::to_string(value);
}

std::string dataForm(const RegValue& value) {
    std::optional<std::string> form;
    switch (value.type) {
    case REG_SZ:
        if ((form = textForm(value.data))) return "sz:" + *form;
        break;
    case REG_EXPAND_SZ:
        if ((form = textForm(value.data))) return "expand_sz:" + *form;
        break;
    case REG_MULTI_SZ:
        if ((form = multiTextForm(value.data))) return "multi_sz:" + *form;
        break;
    case REG_DWORD:
        if ((form = numberForm<std::uint32_t>(value.data))) return "dword:" + *form;
        break;
    case REG_QWORD:
        if ((form = numberForm<std::uint64_t>(value.data))) return "qword:" + *form;
        break;
    case REG_BINARY:
        return "hex:" + hexBytes(value.data);
    default:
        break;
    }
    return "hex(" + std::to_string(value.type) + "):" + hexBytes(value.data);
}

void writeKey(std::string& out, const RegKey& key, const std::string& path, bool isRoot) {
    if (key.isVolatile) return;
    if (!isRoot || !key.values.empty()) {
        out += "\n[" + path + "]\n";
        for (const auto& [folded, value] : key.values)
            out += (value.name.empty() ? std::string("@") : quotedText(value.name)) + "=" +
                   dataForm(value) + "\n";
    }
    for (const auto& [folded, child] : key.subkeys)
        writeKey(out, *child, path + "\\" + toUtf8(child->name), false);
}

} // namespace

std::string writeRegistryText(const RegTree& tree) {
    std::string out = "trk-registry 1\n";
    for (const auto& root : tree.roots)
        writeKey(out, *root, toUtf8(root->name), true);
    return out;
}

} // namespace winx::services
