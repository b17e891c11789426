// Look-up tables and standard-size lists read from any lines: a table has one value slot per key
// and no field holds a tab or a comment; a size list has parallel columns; the search answers a
// size of the list inside the tolerance band, and the fall-back rounding stays inside the band.
#include "standards/LookupTables.h"
#include "standards/StandardSizes.h"

#include "trk/ObjectExport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool holdsTabOrComment(const Trk_String& field) {
    return field.find(L'\t') >= 0 || field.find(L"//") >= 0;
}

void checkTable(const Trk_StringArray& lines) {
    const LookupTable table = parseLookupTable(lines);
    if (table.values.size() != static_cast<std::size_t>(table.keys.length())) std::abort();
    if (table.keys.length() > lines.length()) std::abort();
    for (int i = 0; i < table.keys.length(); ++i) {
        if (holdsTabOrComment(table.keys[i])) std::abort();
        const auto& value = table.values[static_cast<std::size_t>(i)];
        if (value && holdsTabOrComment(*value)) std::abort();
    }
}

bool isModerate(double value) {
    return std::isfinite(value) && std::fabs(value) <= 1e6;
}

// The search and the fall-back on values taken from the list itself, so that inputs steer them.
void checkSearch(const StandardSizeList& sizes) {
    if (sizes.first.length() < 4) return;
    const double target = sizes.first[0];
    const double step = sizes.first[1];
    const double down = sizes.first[2];
    const double up = sizes.first[3];
    if (const auto found = findStandardSize(sizes.first, target, down, up)) {
        const auto items = sizes.first.items();
        if (std::find(items.begin(), items.end(), *found) == items.end()) std::abort();
        const double slack = 1e-9 * std::max({1.0, std::fabs(target), std::fabs(*found)});
        if (*found < target - down - slack || *found > target + up + slack) std::abort();
    }
    const double rounded = roundToStepWithinTolerance(target, step, up, down);
    const bool checkable = isModerate(target) && isModerate(down) && isModerate(up) &&
                           isModerate(step) && step >= 1e-3 && down + up >= 0;
    const double slack = 1e-9 * std::max(1.0, std::fabs(target));
    if (checkable && (rounded < target - down - slack || rounded > target + up + slack))
        std::abort();
}

void checkSizes(const Trk_StringArray& lines) {
    const StandardSizeList sizes = parseStandardSizes(lines);
    if (sizes.first.length() != sizes.second.length()) std::abort();
    if (sizes.first.length() > lines.length()) std::abort();
    const double thickness = sizes.second.isEmpty() ? 0.0 : sizes.second[0];
    const auto widths = widthCandidates(sizes, thickness).items();
    if (!std::is_sorted(widths.begin(), widths.end())) std::abort();
    checkSearch(sizes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Trk_StringArray lines =
        trkx::linesOfText(std::string_view(reinterpret_cast<const char*>(data), size));
    checkTable(lines);
    checkSizes(lines);
    return 0;
}
