// The wide number conversions of the platform's C runtime, which module code uses without
// further includes: the leading number of a text, 0 when there is none.
#pragma once

#include <climits>
#include <cwchar>

// Leading blanks are skipped; "12.5mm" reads 12.5, "abc" and null read 0.
inline double _wtof(const wchar_t* text) {
    return text ? std::wcstod(text, nullptr) : 0.0;
}

// As _wtof for a whole number; values beyond the int range read as its nearest limit.
inline int _wtoi(const wchar_t* text) {
    if (!text) return 0;
    const long long value = std::wcstoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
