#include "CaseFolding.h"

namespace trkx {
namespace {

bool inRange(wchar_t c, wchar_t first, wchar_t last) {
    return c >= first && c <= last;
}

// Latin Extended-A pairs letters as (upper, lower) neighbours; which of the two is even
// changes at U+0138 and U+0149.
bool isExtendedAUpper(wchar_t c) {
    if (inRange(c, 0x0100, 0x0137)) return c % 2 == 0 && c != 0x0130;
    if (inRange(c, 0x0139, 0x0148)) return c % 2 == 1;
    if (inRange(c, 0x014A, 0x0177)) return c % 2 == 0;
    if (inRange(c, 0x0179, 0x017E)) return c % 2 == 1;
    return false;
}

bool isExtendedALower(wchar_t c) {
    if (inRange(c, 0x0100, 0x0137)) return c % 2 == 1 && c != 0x0131;
    if (inRange(c, 0x0139, 0x0148)) return c % 2 == 0;
    if (inRange(c, 0x014A, 0x0177)) return c % 2 == 1;
    if (inRange(c, 0x0179, 0x017E)) return c % 2 == 0;
    return false;
}

wchar_t shifted(wchar_t c, int by) {
    return static_cast<wchar_t>(static_cast<int>(c) + by);
}

} // namespace

wchar_t toLowerChar(wchar_t c) {
    if (inRange(c, L'A', L'Z')) return shifted(c, 0x20);
    if (c < 0x80) return c;
    if (inRange(c, 0x00C0, 0x00DE) && c != 0x00D7) return shifted(c, 0x20);
    if (c == 0x0178) return 0x00FF;
    if (isExtendedAUpper(c)) return shifted(c, 1);
    if (c == 0x0191) return 0x0192;
    if (inRange(c, 0x0391, 0x03A9) && c != 0x03A2) return shifted(c, 0x20);
    if (inRange(c, 0x0400, 0x040F)) return shifted(c, 0x50);
    if (inRange(c, 0x0410, 0x042F)) return shifted(c, 0x20);
    return c;
}

wchar_t toUpperChar(wchar_t c) {
    if (inRange(c, L'a', L'z')) return shifted(c, -0x20);
    if (c < 0x80) return c;
    if (inRange(c, 0x00E0, 0x00FE) && c != 0x00F7) return shifted(c, -0x20);
    if (c == 0x00FF) return 0x0178;
    if (isExtendedALower(c)) return shifted(c, -1);
    if (c == 0x0192) return 0x0191;
    if (c == 0x03C2) return 0x03A3; // final sigma
    if (inRange(c, 0x03B1, 0x03C9)) return shifted(c, -0x20);
    if (inRange(c, 0x0430, 0x044F)) return shifted(c, -0x20);
    if (inRange(c, 0x0450, 0x045F)) return shifted(c, -0x50);
    return c;
}

} // namespace trkx
