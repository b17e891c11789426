#include "win/winbase.h"

#include <cstdlib>
#include <limits>

namespace {
thread_local DWORD lastError = 0;
} // namespace

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD error) {
    lastError = error;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const long long product = static_cast<long long>(number) * numerator;
    long long quotient = product / denominator;
    // Round half away from zero, as the platform does.
    if (2 * std::llabs(product % denominator) >= std::llabs(denominator))
        quotient += (product < 0) != (denominator < 0) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}
