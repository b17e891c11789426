// Custom functions: names, argument counts, how references arrive, empty results, and
// callbacks that change and recalculate sheets while they run.
#include "SheetTestSupport.h"

#include "engine/Limits.h"

#include <vector>

namespace gridx::testing {
namespace {

class CustomFunctionTest : public SheetTest {
protected:
    // Registers NAME recording the arguments of its last call and returning `result`.
    void recordingFunction(std::wstring_view name, int minArgs, int maxArgs, unsigned flags,
                           Value result = Value::number(1)) {
        sheet.addCustomFunction(name, minArgs, maxArgs, flags,
                                [this, result](std::span<const CustomArg> args) {
                                    seen.assign(args.begin(), args.end());
                                    ++calls;
                                    return result;
                                });
    }
    std::vector<CustomArg> seen;
    int calls = 0;
};

TEST_F(CustomFunctionTest, NamesAreCaseInsensitiveAndArgumentCountsAreChecked) {
    recordingFunction(L"RoundTo", 2, 2, 0, Value::number(42));
    EXPECT_EQ(set(L"A1", L"=roundto(1,2)", RefStyle::A1, true), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A1"), L"42");
    EXPECT_EQ(formula(L"A1"), L"ROUNDTO(1,2)");
    EXPECT_EQ(set(L"A2", L"=ROUNDTO(1)", RefStyle::A1, true), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A2"), L"#VALUE!");
    EXPECT_EQ(eval(L"=ROUNDTO(1,2,3)"), L"#VALUE!");
    EXPECT_EQ(calls, 1);
}

TEST_F(CustomFunctionTest, ArgumentsArriveAsValuesUnlessTheFlagsAskForReferences) {
    setNumber(L"B2", 5);
    setNumber(L"B3", 6);
    recordingFunction(L"PLAIN", 0, 9, 0);
    eval(L"=PLAIN(B2,B2:B3,\"t\",,1+1)");
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].kind, CustomArg::Kind::Value);
    EXPECT_EQ(seen[0].value, Value::number(5));
    EXPECT_EQ(seen[1].kind, CustomArg::Kind::Value);
    EXPECT_EQ(seen[1].value, Value::error(ErrorCode::Value));
    EXPECT_EQ(seen[2].value, Value::text(L"t"));
    EXPECT_EQ(seen[3].kind, CustomArg::Kind::Missing);
    EXPECT_EQ(seen[4].value, Value::number(2));

    recordingFunction(L"REFS", 0, 9, kCellsAsReferences | kRangesAsReferences);
    eval(L"=REFS(B2,B2:B3,B9)");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, CustomArg::Kind::Cell);
    EXPECT_EQ(seen[0].ref, (RangeRef{2, 2, 2, 2}));
    EXPECT_EQ(seen[0].value, Value::number(5));
    EXPECT_EQ(seen[1].kind, CustomArg::Kind::Range);
    EXPECT_EQ(seen[1].ref, (RangeRef{2, 2, 2, 3}));
    EXPECT_EQ(seen[2].kind, CustomArg::Kind::Cell);
    EXPECT_TRUE(seen[2].value.isEmpty());

    recordingFunction(L"CELLS", 0, 9, kCellsAsReferences);
    eval(L"=CELLS(B3,B2:B3)");
    EXPECT_EQ(seen[0].kind, CustomArg::Kind::Cell);
    EXPECT_EQ(seen[1].kind, CustomArg::Kind::Value);
    EXPECT_EQ(seen[1].value, Value::error(ErrorCode::Value));
}

TEST_F(CustomFunctionTest, AnEmptyResultShowsAnEmptyCell) {
    recordingFunction(L"NOTHING", 0, 0, 0, Value());
    set(L"A1", L"=NOTHING()");
    EXPECT_TRUE(value(L"A1").isEmpty());
    EXPECT_TRUE(sheet.hasFormula(1, 1));
    set(L"A2", L"=NOTHING()+1");
    EXPECT_EQ(text(L"A2"), L"1");
    set(L"A3", L"=A1");
    EXPECT_EQ(text(L"A3"), L"0");
}

TEST_F(CustomFunctionTest, RegisteringANameRecomputesFormulasThatUsedIt) {
    set(L"A1", L"=LATER(2)*2");
    EXPECT_EQ(text(L"A1"), L"#NAME?");
    sheet.addCustomFunction(L"later", 1, 1, 0, [](std::span<const CustomArg> args) {
        return Value::number(args[0].value.asNumber() + 1);
    });
    sheet.recalc();
    EXPECT_EQ(text(L"A1"), L"6");
    sheet.addCustomFunction(L"LATER", 1, 1, 0,
                            [](std::span<const CustomArg>) { return Value::number(10); });
    set(L"B1", L"0"); // any later change recalculates what was marked
    EXPECT_EQ(text(L"A1"), L"20");
    sheet.clearCustomFunctions();
    sheet.recalc();
    EXPECT_EQ(text(L"A1"), L"#NAME?");
}

TEST_F(CustomFunctionTest, AThrowingCallbackGivesAValueError) {
    sheet.addCustomFunction(L"BOOM", 0, 0, 0,
                            [](std::span<const CustomArg>) -> Value { throw 42; });
    EXPECT_EQ(eval(L"=BOOM()"), L"#VALUE!");
}

// --- re-entrant callbacks

TEST_F(CustomFunctionTest, ACallbackMayWriteAndRecalculateItsOwnSheet) {
    set(L"A1", L"1");
    set(L"B1", L"=A1*10");
    sheet.addCustomFunction(L"POKE", 1, 1, 0, [this](std::span<const CustomArg> args) {
        sheet.setConstant(1, 1, args[0].value);
        sheet.setFormula(3, 1, L"=B1+1", RefStyle::A1, false);
        sheet.recalc();
        sheet.recalcCell(2, 1);
        return Value::number(sheet.value(1, 1).asNumber());
    });
    set(L"D1", L"=POKE(7)");
    EXPECT_EQ(text(L"D1"), L"7");
    EXPECT_EQ(text(L"A1"), L"7");
    sheet.recalc();
    EXPECT_EQ(text(L"B1"), L"70");
    EXPECT_EQ(text(L"C1"), L"71");
    EXPECT_EQ(text(L"D1"), L"7");
}

TEST_F(CustomFunctionTest, ACallbackMayReplaceOrRemoveItsOwnFormula) {
    sheet.addCustomFunction(L"SELFCLEAR", 0, 0, 0, [this](std::span<const CustomArg>) {
        sheet.clearCell(1, 1);
        return Value::number(1);
    });
    sheet.addCustomFunction(L"SELFSET", 0, 0, 0, [this](std::span<const CustomArg>) {
        sheet.setFormula(1, 2, L"=2+2", RefStyle::A1, false);
        sheet.insertRows(1, 1);
        return Value::number(1);
    });
    set(L"A1", L"=SELFCLEAR()");
    EXPECT_FALSE(sheet.hasFormula(1, 1));
    EXPECT_TRUE(value(L"A1").isEmpty());
    set(L"A2", L"=SELFSET()");
    EXPECT_EQ(formula(L"A3"), L"2+2");
    EXPECT_EQ(text(L"A3"), L"4");
}

TEST_F(CustomFunctionTest, CallbacksMayWorkOnAnotherSheet) {
    Sheet table;
    table.setAutoRecalc(false);
    table.setFormula(1, 1, L"=B1*2", RefStyle::A1, false);
    sheet.addCustomFunction(L"LOOKUP2", 1, 1, 0, [&](std::span<const CustomArg> args) {
        table.setConstant(2, 1, args[0].value);
        table.recalcCell(1, 1);
        return table.value(1, 1);
    });
    set(L"A1", L"=LOOKUP2(21)");
    EXPECT_EQ(text(L"A1"), L"42");
}

TEST_F(CustomFunctionTest, ARecalculationAskedForDuringOneIsFoldedIntoIt) {
    Sheet other;
    int depth = 0, deepest = 0;
    auto bounce = [&](Sheet& target) {
        return [&depth, &deepest, &target](std::span<const CustomArg>) {
            ++depth;
            deepest = std::max(deepest, depth);
            target.recalc();
            --depth;
            return Value::number(1);
        };
    };
    sheet.addCustomFunction(L"BOUNCE", 0, 0, 0, bounce(other));
    other.addCustomFunction(L"BOUNCE", 0, 0, 0, bounce(sheet));
    other.setFormula(1, 1, L"=BOUNCE()", RefStyle::A1, false);
    deepest = 0;
    set(L"A1", L"=BOUNCE()");
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(text(L"A1"), L"1");
    EXPECT_EQ(toText(other.value(1, 1)), L"1");
}

TEST_F(CustomFunctionTest, DeeplyNestedCallbacksAreCutOffInsteadOfExhaustingTheStack) {
    int depth = 0, deepest = 0;
    CustomFunction nest = [&](std::span<const CustomArg>) {
        ++depth;
        deepest = std::max(deepest, depth);
        Sheet inner; // each level opens a fresh sheet, as a look-up into another file does
        inner.addCustomFunction(L"NEST", 0, 0, 0, nest);
        inner.setFormula(1, 1, L"=NEST()", RefStyle::A1, false);
        Value result = inner.value(1, 1);
        --depth;
        return result;
    };
    sheet.addCustomFunction(L"NEST", 0, 0, 0, nest);
    set(L"A1", L"=NEST()");
    EXPECT_EQ(deepest, engine::kMaxCustomDepth);
    EXPECT_EQ(text(L"A1"), L"#CIRC!");
}

} // namespace
} // namespace gridx::testing
