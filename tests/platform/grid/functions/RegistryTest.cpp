#include "FunctionTestKit.h"

#include <algorithm>
#include <set>

namespace gridtest {
namespace {

TEST(FunctionRegistry, TableIsSortedWithoutDuplicatesAndEveryEntryIsCallable) {
    auto all = gridx::builtins();
    ASSERT_FALSE(all.empty());
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(all[i - 1].name, all[i].name) << "entries " << i - 1 << " and " << i;
    for (const auto& info : all) {
        EXPECT_NE(info.fn, nullptr);
        EXPECT_LE(info.minArgs, info.maxArgs);
        EXPECT_EQ(gridx::findBuiltin(info.name), &info);
    }
}

TEST(FunctionRegistry, NamesAreFoundInAnyCaseAndUnknownNamesAreNot) {
    const gridx::BuiltinInfo* sum = gridx::findBuiltin(L"sum");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->name, L"SUM");
    EXPECT_EQ(gridx::findBuiltin(L"VLookUp"), gridx::findBuiltin(L"VLOOKUP"));
    EXPECT_EQ(gridx::findBuiltin(L"SUMM"), nullptr);
    EXPECT_EQ(gridx::findBuiltin(L""), nullptr);
    EXPECT_EQ(gridx::findBuiltin(std::wstring(5000, L'A')), nullptr);
}

TEST(FunctionRegistry, TheWholeFunctionSetIsPresent) {
    const std::set<std::wstring> expected = {
        L"ABS",      L"ACOS",    L"ACOSH",   L"ADD",        L"AND",     L"ASIN",
        L"ASINH",    L"ATAN",    L"ATAN2",   L"ATANH",      L"AVERAGE", L"CEILING",
        L"CHAR",     L"CHOOSE",  L"CLEAN",   L"CODE",       L"COMBIN",  L"CONCATENATE",
        L"COS",      L"COSH",    L"COUNT",   L"COUNTA",     L"COUNTIF", L"DATE",
        L"DAY",      L"DB",      L"DDB",     L"DEGREES",    L"EVEN",    L"EXACT",
        L"EXP",      L"FACT",    L"FALSE",   L"FIND",       L"FLOOR",   L"FV",
        L"HLOOKUP",  L"HOUR",    L"IF",      L"IFERROR",    L"INDEX",   L"INT",
        L"INVERSE",  L"ISBLANK", L"ISEMPTY", L"ISERROR",    L"ISEVEN",  L"ISNONTEXT",
        L"ISNUMBER", L"ISODD",   L"ISREF",   L"ISTEXT",     L"LEFT",    L"LEN",
        L"LN",       L"LOG",     L"LOG10",   L"LOWER",      L"MATCH",   L"MAX",
        L"MEDIAN",   L"MID",     L"MIN",     L"MINUTE",     L"MOD",     L"MODE",
        L"MONTH",    L"NEG",     L"NOT",     L"NOW",        L"NPER",    L"ODD",
        L"OR",       L"PERMUT",  L"PI",      L"PMT",        L"POWER",   L"PRODUCT",
        L"PROPER",   L"PV",      L"RADIANS", L"RAND",       L"RANK",    L"REPLACE",
        L"REPT",     L"RIGHT",   L"ROUND",   L"ROUNDDOWN",  L"ROUNDUP", L"SEARCH",
        L"SECOND",   L"SIGN",    L"SIN",     L"SINH",       L"SLN",     L"SQRT",
        L"SQUARE",   L"STDEV",   L"STDEVP",  L"SUBSTITUTE", L"SUM",     L"SUMIF",
        L"SUMSQ",    L"SYD",     L"TAN",     L"TANH",       L"TIME",    L"TODAY",
        L"TRIM",     L"TRUE",    L"TRUNC",   L"UPPER",      L"VALUE",   L"VAR",
        L"VARP",     L"VLOOKUP", L"WEEKDAY", L"XROOT",      L"YEAR"};
    std::set<std::wstring> present;
    for (const auto& info : gridx::builtins())
        present.emplace(info.name);
    for (const auto& name : expected)
        EXPECT_TRUE(present.count(name)) << std::string(name.begin(), name.end());
}

TEST(FunctionRegistry, ClockAndRandomFunctionsAreVolatileAndChoosingFunctionsLazy) {
    for (const wchar_t* name : {L"NOW", L"TODAY", L"RAND"})
        EXPECT_TRUE(gridx::findBuiltin(name)->flags & gridx::kVolatile);
    for (const wchar_t* name : {L"IF", L"IFERROR", L"IFNA", L"CHOOSE"})
        EXPECT_TRUE(gridx::findBuiltin(name)->flags & gridx::kLazy);
    EXPECT_EQ(gridx::findBuiltin(L"SUM")->flags, 0);
}

} // namespace
} // namespace gridtest
