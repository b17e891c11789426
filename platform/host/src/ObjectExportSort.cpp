#include "trk/ObjectExport.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The digit run at `i` without its leading zeros; advances `i` past the run.
std::wstring_view digitRun(std::wstring_view text, std::size_t& i) {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    std::wstring_view run = text.substr(start, i - start);
    while (run.size() > 1 && run.front() == L'0')
        run.remove_prefix(1);
    return run;
}

int compareRuns(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Case-insensitive comparison with digit runs compared by value.
int naturalCompare(const Trk_String& left, const Trk_String& right) {
    const Trk_String a = left.lower();
    const Trk_String b = right.lower();
    std::size_t i = 0, j = 0;
    const std::wstring_view x = a.view(), y = b.view();
    while (i < x.size() && j < y.size()) {
        if (isDigit(x[i]) && isDigit(y[j])) {
            const int c = compareRuns(digitRun(x, i), digitRun(y, j));
            if (c != 0) return c;
            continue;
        }
        if (x[i] != y[j]) return x[i] < y[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < x.size()) return 1;
    return j < y.size() ? -1 : 0;
}

bool naturalLess(const Trk_String& a, const Trk_String& b) {
    return naturalCompare(a, b) < 0;
}

bool isUsableStep(double step) {
    return std::isfinite(step) && step > 0.0;
}

// Quotients this close to a whole or half number count as exactly that, so that decimal steps
// such as 0.1 round as written.
constexpr double kQuotientSlack = 1e-9;

} // namespace

void ObjectExportSort(Trk_StringArray& texts) {
    std::stable_sort(texts.begin(), texts.end(), naturalLess);
}

void ObjectExportSort(Trk_Array<double>& values) {
    std::stable_sort(values.begin(), values.end());
}

void ObjectExportSort(Trk_Array<double>& values, Trk_Array<int>& payload) {
    std::vector<int> order(static_cast<std::size_t>(values.length()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return values[a] < values[b]; });
    Trk_Array<double> sortedValues;
    Trk_Array<int> sortedPayload;
    for (int index : order) {
        sortedValues.append(values[index]);
        if (payload.length() == values.length()) sortedPayload.append(payload[index]);
    }
    values = sortedValues;
    if (payload.length() == values.length()) payload = sortedPayload;
}

void sortArray(Trk_StringArray& texts) {
    ObjectExportSort(texts);
}

int ObjectExportAddToSorted(Trk_StringArray& sorted, const Trk_String& text) {
    const auto at = std::upper_bound(sorted.begin(), sorted.end(), text, naturalLess);
    const int index = static_cast<int>(at - sorted.begin());
    sorted.insertAt(index, text);
    return index;
}

double ObjectExportRoundTo(double value, double step) {
    if (!isUsableStep(step) || !std::isfinite(value)) return value;
    const double quotient = value / step;
    const double whole = std::trunc(quotient);
    const double fraction = std::abs(quotient - whole);
    const double away = whole + (quotient < 0 ? -1.0 : 1.0);
    const double rounded = fraction >= 0.5 - kQuotientSlack ? away : whole;
    return rounded * step + 0.0; // no negative zero
}

double ObjectExportRoundUp(double value, double step, double tolerance) {
    if (!isUsableStep(step) || !std::isfinite(value)) return value;
    const double floorValue = value - std::max(tolerance, 0.0);
    return std::ceil(floorValue / step - kQuotientSlack) * step + 0.0;
}
