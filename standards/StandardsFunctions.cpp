// Every function first empties its result, so each early exit leaves an empty result, and
// answers TRUE only when it produced one. Arguments: a number is a whole or decimal value, a
// text is a readable text block without one leading and one trailing double quote, an empty
// argument has status 2; anything else (errors, references) is neither.
#include "standards/StandardsFunctions.h"

#include "standards/LookupTables.h"
#include "standards/StandardSizes.h"

#include "spread/GlobalStr.h"
#include "spread/Trk_Spread.h"

#include "trk/ObjectExport.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_SectionTableManager.h"

#include "grid/ssapi.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

// ---- Reading arguments and writing results ----------------------------------------------------

std::optional<double> numberArg(const SSVALUE& arg) {
    if (arg.Status != SS_VALUE_STATUS_OK) return std::nullopt;
    if (arg.Type == SS_VALUE_TYPE_LONG) return static_cast<double>(arg.ValLong);
    if (arg.Type == SS_VALUE_TYPE_DOUBLE) return arg.ValDouble;
    return std::nullopt;
}

std::optional<Trk_String> textArg(const SSVALUE& arg) {
    if (arg.Status != SS_VALUE_STATUS_OK || arg.Type != SS_VALUE_TYPE_STR) return std::nullopt;
    auto text = getGlobalStr(arg.hValStr);
    if (!text) return std::nullopt;
    if (!text->empty() && text->front() == L'"') text->erase(0, 1);
    if (!text->empty() && text->back() == L'"') text->pop_back();
    return Trk_String(std::move(*text));
}

bool isEmptyArg(const SSVALUE& arg) {
    return arg.Status == SS_VALUE_STATUS_EMPTY;
}

// The whole part of a number as an int; beyond the int range it saturates, NaN gives 0.
int wholePart(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(std::trunc(value), -1e9, 1e9));
}

void setEmpty(SSVALUE& result) {
    result.Status = SS_VALUE_STATUS_EMPTY;
    result.Type = SS_VALUE_TYPE_LONG;
    result.ValLong = 0;
}

BOOL setNumber(SSVALUE& result, double value) {
    result.Status = SS_VALUE_STATUS_OK;
    result.Type = SS_VALUE_TYPE_DOUBLE;
    result.ValDouble = value;
    return TRUE;
}

// An empty text leaves the result empty and still counts as a result.
BOOL setText(SSVALUE& result, const Trk_String& text) {
    if (text.isEmpty()) return TRUE;
    HGLOBAL block = setGlobalStr(text.str());
    if (!block) return FALSE;
    result.Status = SS_VALUE_STATUS_OK;
    result.Type = SS_VALUE_TYPE_STR;
    result.hValStr = block;
    return TRUE;
}

BOOL setFlag(SSVALUE& result, bool on) {
    return setNumber(result, on ? 1.0 : 0.0);
}

// The arguments of one call, checked against the count the function needs.
class Args {
public:
    Args(const SSVALUE* args, short count) : m_args(args), m_count(args ? count : 0) {}
    int count() const { return m_count; }
    bool has(int index) const { return index < m_count; }
    const SSVALUE& operator[](int index) const { return m_args[index]; }
    std::optional<double> number(int index) const {
        return has(index) ? numberArg(m_args[index]) : std::nullopt;
    }
    std::optional<Trk_String> text(int index) const {
        return has(index) ? textArg(m_args[index]) : std::nullopt;
    }

private:
    const SSVALUE* m_args;
    int m_count;
};

// Runs a function body on an emptied result; nothing escapes into the grid's recalculation.
template <typename Body>
BOOL run(LPSSVALUE result, LPSSVALUE args, short argCount, Body body) {
    if (!result) return FALSE;
    setEmpty(*result);
    try {
        return body(*result, Args(args, argCount));
    } catch (...) {
        setEmpty(*result);
        return FALSE;
    }
}

// ---- Look-up tables ---------------------------------------------------------------------------

// Key parts from argument 2 on: numbers in the framework's 6-decimal text, texts as they are;
// the first argument that is neither ends the key.
Trk_String lookupKey(const Args& args) {
    Trk_StringArray parts;
    for (int i = 1; i < args.count(); ++i) {
        if (const auto number = args.number(i))
            parts.append(Trk_String(*number, 6, false));
        else if (const auto text = args.text(i))
            parts.append(*text);
        else
            break;
    }
    return arrToStr(parts, L";");
}

void useSystemNames(Trk_StringArray& keys) {
    for (int i = 0; i < keys.length(); ++i) {
        Trk_String systemName;
        if (gSectionTables.getSystemName(keys[i], systemName) == eOk) keys[i] = systemName;
    }
}

BOOL lookUp(SSVALUE& result, const Args& args, bool keysAreSections) {
    const auto name = args.text(0);
    if (!name) return FALSE;
    const auto path = resolveStandardsDataFile(*name);
    if (!path) return FALSE;
    auto table = readLookupTable(*path);
    if (!table || table->keys.isEmpty()) return FALSE;
    const Trk_String key = lookupKey(args);
    if (keysAreSections) useSystemNames(table->keys);
    const int row = table->keys.find(key, false);
    if (row < 0) return FALSE;
    const auto& value = table->values[static_cast<std::size_t>(row)];
    if (!value) return FALSE;
    return setText(result, *value);
}

// ---- Standard sizes ---------------------------------------------------------------------------

// `count` arguments from `first` on as numbers; none when one of them is not a number.
std::optional<Trk_Array<double>> numbersFrom(const Args& args, int first, int count) {
    Trk_Array<double> numbers;
    for (int i = first; i < first + count; ++i) {
        const auto number = args.number(i);
        if (!number) return std::nullopt;
        numbers.append(*number);
    }
    return numbers;
}

enum class SizeList { Widths, Thicknesses, Sizes };

// The tolerance functions: file, step, [thickness for widths,] target, down, up.
BOOL standardSize(SSVALUE& result, const Args& args, SizeList kind) {
    const bool widths = kind == SizeList::Widths;
    const auto name = args.text(0);
    const auto numbers = numbersFrom(args, 1, widths ? 5 : 4);
    if (!name || !numbers) return FALSE;
    const double step = (*numbers)[0];
    const int at = widths ? 2 : 1; // the target's position among the numbers
    const double target = (*numbers)[at];
    const double down = (*numbers)[at + 1];
    const double up = (*numbers)[at + 2];
    warnAboutInvalidTolerances(down, up);
    const StandardSizeList sizes = readStandardSizes(*name);
    const Trk_Array<double> widthList =
        widths ? widthCandidates(sizes, (*numbers)[1]) : Trk_Array<double>();
    const Trk_Array<double>& list = widths                          ? widthList
                                    : kind == SizeList::Thicknesses ? sizes.second
                                                                    : sizes.first;
    return setNumber(result, standardSizeOrRounded(list, target, step, down, up));
}

// ---- The grid functions -----------------------------------------------------------------------

BOOL RoundTo(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        const auto value = in.number(0);
        const auto step = in.number(1);
        if (!value || !step) return FALSE;
        return setNumber(out, ObjectExportRoundTo(*value, *step));
    });
}

BOOL GetCell(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount,
               [](SSVALUE& out, const Args& in) { return lookUp(out, in, false); });
}

BOOL GetProfCell(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount,
               [](SSVALUE& out, const Args& in) { return lookUp(out, in, true); });
}

BOOL SectionSize(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        const auto name = in.text(0);
        const auto column = in.number(1);
        if (!name || !column) return FALSE;
        Trk_String value;
        if (gSectionTables.getSectionValue(*name, wholePart(*column) - 1, value) != eOk)
            return FALSE;
        return setNumber(out, _wtof(value.c_str()));
    });
}

BOOL GetSysName(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        const auto name = in.text(0);
        if (!name) return FALSE;
        Trk_String systemName;
        if (gSectionTables.getSystemName(*name, systemName) != eOk) systemName = *name;
        return setText(out, systemName);
    });
}

BOOL StdWidthWithTolerance(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        return standardSize(out, in, SizeList::Widths);
    });
}

BOOL StdThicknessWithTolerance(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        return standardSize(out, in, SizeList::Thicknesses);
    });
}

BOOL StdSizeWithTolerance(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount,
               [](SSVALUE& out, const Args& in) { return standardSize(out, in, SizeList::Sizes); });
}

BOOL GetArrayItem(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        const auto list = in.text(0);
        const auto index = in.number(1);
        if (!list || !index) return FALSE;
        const Trk_StringArray items = strToArr(*list, L";");
        return setText(out, items.valueAt(wholePart(*index) - 1));
    });
}

BOOL ToNumber(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        const auto text = in.text(0);
        if (!text) return FALSE;
        return setNumber(out, _wtof(text->c_str()));
    });
}

BOOL IsNull(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        if (!in.has(0)) return FALSE;
        if (isEmptyArg(in[0])) return setFlag(out, true);
        if (const auto text = in.text(0)) return setFlag(out, text->isEmpty());
        if (const auto number = in.number(0)) return setFlag(out, *number == 0);
        return FALSE;
    });
}

BOOL IsPositive(LPSSVALUE result, LPSSVALUE args, short argCount) {
    return run(result, args, argCount, [](SSVALUE& out, const Args& in) {
        if (!in.has(0)) return FALSE;
        if (isEmptyArg(in[0])) return setFlag(out, false);
        if (const auto text = in.text(0))
            return setFlag(out, !text->isEmpty() && _wtof(text->c_str()) > 0);
        if (const auto number = in.number(0)) return setFlag(out, *number > 0);
        return FALSE;
    });
}

struct Registration {
    const wchar_t* name;
    int minArgs;
    int maxArgs;
    CALCFUNCPROC callback;
};

constexpr Registration kFunctions[] = {
    {L"ROUNDTO", 2, 2, RoundTo},
    {L"GETCELL", 2, 7, GetCell},
    {L"GETPROFCELL", 2, 7, GetProfCell},
    {L"SECTIONSIZE", 2, 2, SectionSize},
    {L"GETSYSNAME", 1, 1, GetSysName},
    {L"STDWIDTHWITHTOLERANCE", 6, 6, StdWidthWithTolerance},
    {L"STDTHICKNESSWITHTOLERANCE", 5, 5, StdThicknessWithTolerance},
    {L"STDSIZEWITHTOLERANCE", 5, 5, StdSizeWithTolerance},
    {L"GETARRAYITEM", 2, 2, GetArrayItem},
    {L"TONUMBER", 1, 1, ToNumber},
    {L"ISNULL", 1, 1, IsNull},
    {L"ISPOSITIVE", 1, 1, IsPositive},
};

} // namespace

bool registerStandardsFunctions(Trk_Spread& grid) {
    bool allRegistered = true;
    for (const Registration& function : kFunctions)
        if (!grid.addCustomFunction(function.name, function.minArgs, function.maxArgs,
                                    function.callback, 0))
            allRegistered = false;
    return allRegistered;
}

CALCFUNCPROC standardsFunction(const wchar_t* name) {
    if (!name) return nullptr;
    for (const Registration& function : kFunctions)
        if (std::wstring_view(function.name) == name) return function.callback;
    return nullptr;
}
