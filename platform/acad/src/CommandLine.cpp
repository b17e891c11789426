#include "acadx.h"
#include "acutads.h"

#include "win/utf8.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace {

struct CommandLine {
    std::vector<std::wstring> lines;
    bool echo = false;
};

CommandLine& commandLine() {
    static CommandLine instance;
    return instance;
}

bool isLengthModifier(wchar_t c) {
    return c == L'h' || c == L'l' || c == L'L' || c == L'q' || c == L'j' || c == L'z' ||
           c == L't' || c == L'I';
}

// The module's formats follow the convention where "%s" in a wide format takes wide text.
// The C library here reads "%s" as narrow text, so each plain %s, %c becomes %ls, %lc.
std::wstring toWideConversions(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        while (*p && std::wcschr(L"-+ #0123456789.*", *p))
            out += *p++;
        bool modified = false;
        while (*p && isLengthModifier(*p)) {
            modified = true;
            out += *p++;
        }
        if (!*p) break;
        if (!modified && (*p == L's' || *p == L'c')) out += L'l';
        if (!modified && *p == L'S') {
            out += L's'; // "%S" means narrow text in the module's convention
            continue;
        }
        out += *p;
    }
    return out;
}

std::wstring formatV(const wchar_t* format, va_list args) {
    const std::wstring wideFormat = toWideConversions(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vswprintf(buffer.data(), buffer.size(), wideFormat.c_str(), copy);
        va_end(copy);
        if (n >= 0) return std::wstring(buffer.data(), static_cast<size_t>(n));
        if (buffer.size() > (1u << 24)) return L"";
        buffer.resize(buffer.size() * 4);
    }
}

} // namespace

int acutPrintf(const ACHAR* format, ...) {
    if (!format) return 0;
    va_list args;
    va_start(args, format);
    std::wstring text = formatV(format, args);
    va_end(args);
    auto& line = commandLine();
    if (line.echo) {
        const std::string bytes = winx::toUtf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    }
    const int count = static_cast<int>(text.size());
    line.lines.push_back(std::move(text));
    return count;
}

namespace acadx {

const std::vector<std::wstring>& printed() {
    return commandLine().lines;
}

std::wstring printedText() {
    std::wstring all;
    for (const auto& l : commandLine().lines)
        all += l;
    return all;
}

void clearPrinted() {
    commandLine().lines.clear();
}

void setEcho(bool on) {
    commandLine().echo = on;
}

} // namespace acadx
