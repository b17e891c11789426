#include "standards/StandardSizes.h"

#include "standards/LookupTables.h"

#include "trk/ObjectExport.h"
#include "trk/Trk_Settings.h"

#include "afxwin.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

constexpr double kNoDistance = 999999999;

// The line without its "/*...*/" comments.
std::wstring withoutBlockComments(std::wstring_view line) {
    std::wstring kept;
    while (true) {
        const auto open = line.find(L"/*");
        kept.append(line.substr(0, open));
        if (open == std::wstring_view::npos) return kept;
        const auto close = line.find(L"*/", open + 2);
        if (close == std::wstring_view::npos) return kept;
        line.remove_prefix(close + 2);
    }
}

void cutLineComment(std::wstring& line) {
    const auto comment = line.find(L"//");
    if (comment != std::wstring::npos) line.resize(comment);
}

bool isBlank(std::wstring_view text) {
    return text.find_first_not_of(L" \t\r\n\f\v") == std::wstring_view::npos;
}

// The line is cut at its "x", so that the first value ends there ("0x10" is 0 and 10, not a
// hexadecimal 16).
void addSize(std::wstring& line, StandardSizeList& sizes) {
    const auto x = line.find(L'x');
    double second = 0;
    if (x != std::wstring::npos) {
        second = _wtof(line.c_str() + x + 1);
        line[x] = L'\0';
    }
    sizes.first.append(_wtof(line.c_str()));
    sizes.second.append(second);
}

struct Candidate {
    std::optional<double> value;
    double distance = kNoDistance;

    void offer(double size, double distanceToTarget) {
        if (distanceToTarget < distance) {
            value = size;
            distance = distanceToTarget;
        }
    }
};

std::optional<double> preferred(bool firstFits, double first, bool secondFits, double second) {
    if (firstFits) return first;
    if (secondFits) return second;
    return std::nullopt;
}

} // namespace

StandardSizeList parseStandardSizes(const Trk_StringArray& lines) {
    StandardSizeList sizes;
    for (int i = 0; i < lines.length(); ++i) {
        std::wstring line = withoutBlockComments(lines[i].view());
        cutLineComment(line);
        if (!isBlank(line)) addSize(line, sizes);
    }
    return sizes;
}

StandardSizeList readStandardSizes(const Trk_String& name) {
    const auto path = resolveStandardsDataFile(name);
    Trk_StringArray lines;
    if (!path || ObjectExportReadFile(*path, lines) != eOk) return {};
    return parseStandardSizes(lines);
}

Trk_Array<double> widthCandidates(const StandardSizeList& sizes, double thickness) {
    Trk_Array<double> widths;
    for (int i = 0; i < sizes.first.length() && i < sizes.second.length(); ++i)
        if (sizes.second[i] == 0 || sizes.second[i] == thickness) widths.append(sizes.first[i]);
    ObjectExportSort(widths);
    return widths;
}

std::optional<double> findStandardSize(const Trk_Array<double>& sizes, double target, double down,
                                       double up) {
    Candidate above;
    Candidate below;
    for (int i = 0; i < sizes.length(); ++i) {
        const double size = sizes[i];
        if (size - target > 0)
            above.offer(size, size - target);
        else
            below.offer(size, target - size);
    }
    const bool aboveFits = above.value && up >= above.distance && *above.value >= target - down;
    const bool belowFits = below.value && down >= below.distance && *below.value <= target + up;
    const double aboveSize = above.value.value_or(0);
    const double belowSize = below.value.value_or(0);
    if (below.distance > above.distance)
        return preferred(aboveFits, aboveSize, belowFits, belowSize);
    return preferred(belowFits, belowSize, aboveFits, aboveSize);
}

double roundToStepWithinTolerance(double target, double step, double up, double down) {
    const double lo = target - down;
    const double hi = target + up;
    double clamped = target;
    if (target > hi) clamped = hi;
    if (lo > clamped) clamped = lo;

    // The next multiple at or above the target. The framework's round-up forgives values up to
    // its tolerance above a multiple; given the up tolerance there, it rounded a target of 145
    // (step 5, up 10, no down tolerance) to 135, below the band.
    const double roundedUp = ObjectExportRoundUp(clamped, step, 0);
    double roundedDown = ObjectExportRoundTo(clamped, step);
    if (clamped < roundedDown) roundedDown -= step;

    const double distUp = roundedUp - target;
    const double distDown = target - roundedDown;
    const bool upFits = up >= distUp && hi >= roundedUp;
    const bool downFits = down >= distDown && roundedDown >= lo;
    if (distDown > distUp)
        return preferred(upFits, roundedUp, downFits, roundedDown).value_or(clamped);
    return preferred(downFits, roundedDown, upFits, roundedUp).value_or(clamped);
}

double standardSizeOrRounded(const Trk_Array<double>& sizes, double target, double step,
                             double down, double up) {
    if (const auto size = findStandardSize(sizes, target, down, up)) return *size;
    return roundToStepWithinTolerance(target, step, up, down);
}

bool warnAboutInvalidTolerances(double down, double up) {
    if (down + up > 0) return false;
    if (gSettings.current.showStandardsMessages) {
        const Trk_String text = L"Invalid tolerances provided.\n DownTolerance is :" +
                                Trk_String(down, 2, false) + L"UpTolerance is :" +
                                Trk_String(up, 2, false) +
                                L"\nAdding both tolerances should result in a positive value.";
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}
