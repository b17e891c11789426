#include "services/CaseFold.h"

namespace winx::services {
namespace {

bool inRange(wchar_t c, wchar_t first, wchar_t last) {
    return c >= first && c <= last;
}

// Latin Extended-A pairs capitals and small letters as neighbours; which one comes first
// switches twice in the block.
wchar_t foldLatinExtendedA(wchar_t c) {
    if (c == 0x130) return L'i';
    if (c == 0x178) return 0xFF;
    const bool evenIsCapital = inRange(c, 0x100, 0x137) || inRange(c, 0x14A, 0x177);
    const bool oddIsCapital = inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E);
    if (evenIsCapital && c % 2 == 0) return static_cast<wchar_t>(c + 1);
    if (oddIsCapital && c % 2 == 1) return static_cast<wchar_t>(c + 1);
    return c;
}

} // namespace

wchar_t foldCase(wchar_t c) {
    if (inRange(c, L'A', L'Z')) return static_cast<wchar_t>(c + 0x20);
    if (c < 0xC0) return c;
    if (inRange(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
    if (inRange(c, 0x100, 0x17F)) return foldLatinExtendedA(c);
    if (inRange(c, 0x391, 0x3AB) && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);
    if (inRange(c, 0x410, 0x42F)) return static_cast<wchar_t>(c + 0x20);
    if (inRange(c, 0x400, 0x40F)) return static_cast<wchar_t>(c + 0x50);
    return c;
}

std::wstring foldCase(std::wstring_view text) {
    std::wstring folded(text);
    for (auto& c : folded)
        c = foldCase(c);
    return folded;
}

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

} // namespace winx::services
