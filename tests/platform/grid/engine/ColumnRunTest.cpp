// Columns filled down with one arithmetic formula are computed together in one loop. These
// tests compare every such result with the one the formula gets when computed on its own.
#include "SheetTestSupport.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace gridx::testing {
namespace {

using Fill = std::function<void(Sheet&)>;

// A formula pattern where "#" stands for the row, "@" for the row above, "!" for the one below.
std::wstring rowFormula(std::wstring_view pattern, int row) {
    std::wstring out;
    for (wchar_t c : pattern) {
        if (c == L'#')
            out += std::to_wstring(row);
        else if (c == L'@')
            out += std::to_wstring(row - 1);
        else if (c == L'!')
            out += std::to_wstring(row + 1);
        else
            out += c;
    }
    return out;
}

void fillDown(Sheet& sheet, int col, int firstRow, int lastRow, std::wstring_view pattern) {
    for (int row = firstRow; row <= lastRow; ++row)
        ASSERT_EQ(sheet.setFormula(col, row, rowFormula(pattern, row), RefStyle::A1, false),
                  FormulaStatus::Ok);
}

// Two sheets filled alike with recalculation off: one recomputed as a whole, the other one
// formula at a time. Every cell must end up with the same value.
void expectSameAsOneByOne(const Fill& fill, int cols, int rows) {
    Sheet whole, single;
    whole.setAutoRecalc(false);
    single.setAutoRecalc(false);
    fill(whole);
    fill(single);
    whole.recalc();
    for (int col = 1; col <= cols; ++col)
        for (int row = 1; row <= rows; ++row)
            single.recalcCell(col, row);
    for (int col = 1; col <= cols; ++col)
        for (int row = 1; row <= rows; ++row)
            ASSERT_EQ(whole.value(col, row), single.value(col, row))
                << "col " << col << " row " << row << ": " << toText(whole.value(col, row))
                << " vs " << toText(single.value(col, row));
}

// A random input: mostly numbers (zeros, negatives, huge ones), sometimes text, a boolean,
// an error or nothing.
void randomInput(Sheet& sheet, int col, int row, std::mt19937& rng) {
    const int kind = static_cast<int>(rng() % 20);
    if (kind == 0) return;
    if (kind == 1) sheet.setConstant(col, row, Value::text(L"x"));
    if (kind == 2) sheet.setConstant(col, row, Value::text(L"2.5"));
    if (kind == 3) sheet.setConstant(col, row, Value::boolean(true));
    if (kind == 4) sheet.setConstant(col, row, Value::error(ErrorCode::NA));
    if (kind == 5) sheet.setConstant(col, row, Value::number(0.0));
    if (kind == 6) sheet.setConstant(col, row, Value::number(1e300));
    if (kind >= 7)
        sheet.setConstant(col, row, Value::number(static_cast<int>(rng() % 200) / 8.0 - 12.0));
}

class ColumnRunTest : public SheetTest {};

TEST_F(ColumnRunTest, FilledDownArithmeticGivesExactlyTheResultsOfSingleFormulas) {
    const std::vector<std::wstring> patterns{L"=A#*B#+C#",
                                             L"=A#/B#",
                                             L"=A#^B#",
                                             L"=-A#%+B#*2.5",
                                             L"=(A#-C#)*(B#+1)/C#",
                                             L"=$A$1*B#-A#",
                                             L"=+A#",
                                             L"=2^-B#",
                                             L"=A#*B#*C#*A#*B#*C#*1e100"};
    constexpr int kRows = 300;
    const Fill fill = [&](Sheet& s) {
        std::mt19937 rng(7);
        for (int row = 1; row <= kRows; ++row)
            for (int col = 1; col <= 3; ++col)
                randomInput(s, col, row, rng);
        for (std::size_t i = 0; i < patterns.size(); ++i)
            fillDown(s, 4 + static_cast<int>(i), 1, kRows, patterns[i]);
    };
    expectSameAsOneByOne(fill, 3 + static_cast<int>(patterns.size()), kRows);
}

TEST_F(ColumnRunTest, LongRunsAcrossStoragePagesMatchSingleFormulas) {
    constexpr int kRows = 2600;
    const Fill fill = [&](Sheet& s) {
        s.setMaxRows(kRows);
        fillDown(s, 3, 1, kRows, L"=A#*B#-1");
        for (int row = 1; row <= kRows; ++row) {
            s.setConstant(1, row, Value::number(row % 97));
            s.setConstant(2, row, Value::number(row / 3.0));
        }
        // A few inputs deep inside the run: text, an empty cell, and stale formulas.
        s.setConstant(1, 1030, Value::text(L"t"));
        s.clearCell(2, 2049);
        for (int row : {700, 1023, 1024, 1500, 2500})
            s.setFormula(2, row, rowFormula(L"=D#*3", row), RefStyle::A1, false);
        for (int row : {700, 1023, 1024, 1500, 2500})
            s.setConstant(4, row, Value::number(row));
    };
    expectSameAsOneByOne(fill, 4, kRows);
}

TEST_F(ColumnRunTest, ArithmeticErrorsInsideARunAreThoseOfTheGeneralEvaluator) {
    sheet.setAutoRecalc(false);
    const std::vector<std::pair<double, double>> inputs{{1, 0},        {0, 0},         {0, -1},
                                                        {-8, 1.0 / 3}, {1e300, 1e300}, {3, 2}};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        sheet.setConstant(1, row, Value::number(inputs[i].first));
        sheet.setConstant(2, row, Value::number(inputs[i].second));
    }
    fillDown(sheet, 3, 1, 6, L"=A#/B#");
    fillDown(sheet, 4, 1, 6, L"=A#^B#");
    fillDown(sheet, 5, 1, 6, L"=A#*B#");
    sheet.recalc();
    EXPECT_EQ(text(L"C1"), L"#DIV/0!");
    EXPECT_EQ(text(L"C2"), L"#DIV/0!");
    EXPECT_EQ(text(L"D2"), L"#NUM!");
    EXPECT_EQ(text(L"D3"), L"#DIV/0!");
    EXPECT_EQ(text(L"D4"), L"#NUM!");
    EXPECT_EQ(text(L"E5"), L"#NUM!");
    EXPECT_EQ(number(L"D6"), 9.0);
    EXPECT_EQ(number(L"E6"), 6.0);
    sheet.setConstant(1, 6, Value::text(L"abc"));
    sheet.setConstant(2, 5, Value::error(ErrorCode::NA));
    sheet.recalc();
    EXPECT_EQ(text(L"E6"), L"#VALUE!");
    EXPECT_EQ(text(L"E5"), L"#N/A");
    EXPECT_EQ(text(L"C5"), L"#N/A");
}

TEST_F(ColumnRunTest, ARunWaitsForTheStaleFormulasItReads) {
    constexpr int kRows = 200;
    const Fill fill = [&](Sheet& s) {
        // The run in column B is set first, so its rows come first in the recalculation;
        // every third input in column A is a formula that must be computed before it.
        fillDown(s, 2, 1, kRows, L"=A#*2+C#");
        for (int row = 1; row <= kRows; ++row) {
            if (row % 3 == 0)
                s.setFormula(1, row, rowFormula(L"=D#+1", row), RefStyle::A1, false);
            else
                s.setConstant(1, row, Value::number(row));
            s.setConstant(3, row, Value::number(row % 7));
            s.setConstant(4, row, Value::number(row * 10));
        }
        // Changed while recalculation is off: column A's formulas are stale now.
        for (int row = 3; row <= kRows; row += 3)
            s.setConstant(4, row, Value::number(-row));
    };
    expectSameAsOneByOne(fill, 4, kRows);
    sheet.setAutoRecalc(false);
    fill(sheet);
    sheet.recalc();
    EXPECT_EQ(number(L"B3"), (-3 + 1) * 2 + 3);
}

TEST_F(ColumnRunTest, ARunReadingItsOwnColumnFollowsItsRows) {
    constexpr int kRows = 100;
    const Fill fill = [&](Sheet& s) {
        for (int row = 1; row <= kRows; ++row)
            s.setConstant(1, row, Value::number(row));
        // A running sum downwards, and one that reads the row below (so it goes bottom up).
        s.setFormula(2, 1, L"=A1", RefStyle::A1, false);
        fillDown(s, 2, 2, kRows, L"=B@+A#");
        fillDown(s, 3, 1, kRows - 1, L"=C!+A#");
        s.setConstant(3, kRows, Value::number(0));
    };
    expectSameAsOneByOne(fill, 3, kRows);
    sheet.setAutoRecalc(false);
    fill(sheet);
    sheet.recalc();
    EXPECT_EQ(sheet.value(2, kRows).asNumber(), kRows * (kRows + 1) / 2.0);
    EXPECT_EQ(sheet.value(3, 1).asNumber(), (kRows - 1) * kRows / 2.0);
}

TEST_F(ColumnRunTest, ADifferentFormulaInTheMiddleSplitsTheRun) {
    constexpr int kRows = 60;
    const Fill fill = [&](Sheet& s) {
        for (int row = 1; row <= kRows; ++row) {
            s.setConstant(1, row, Value::number(row));
            s.setConstant(2, row, Value::number(kRows - row));
        }
        fillDown(s, 3, 1, kRows, L"=A#*B#+1");
        // Interruptions: another program, a function call, a constant and an empty cell.
        s.setFormula(3, 20, L"=A20+B20", RefStyle::A1, false);
        s.setFormula(3, 21, L"=SUM(A21:B21)", RefStyle::A1, false);
        s.setConstant(3, 30, Value::text(L"gap"));
        s.clearCell(3, 40);
        // A run that reads the column above it, across the interruptions.
        fillDown(s, 4, 1, kRows, L"=C#*2");
    };
    expectSameAsOneByOne(fill, 4, kRows);
    sheet.setAutoRecalc(false);
    fill(sheet);
    sheet.recalc();
    EXPECT_EQ(number(L"C19"), 19.0 * (kRows - 19) + 1);
    EXPECT_EQ(number(L"C20"), 20.0 + (kRows - 20));
    EXPECT_EQ(number(L"C21"), 21.0 + (kRows - 21));
    EXPECT_EQ(number(L"C22"), 22.0 * (kRows - 22) + 1);
    EXPECT_EQ(text(L"D30"), L"#VALUE!");
    EXPECT_EQ(number(L"D40"), 0.0);
}

TEST_F(ColumnRunTest, AutomaticAndManualRecalculationKeepRunsCurrent) {
    constexpr int kRows = 50;
    for (int row = 1; row <= kRows; ++row) {
        sheet.setConstant(1, row, Value::number(row));
        sheet.setConstant(2, row, Value::number(2));
    }
    fillDown(sheet, 3, 1, kRows, L"=A#*B#");
    fillDown(sheet, 4, 1, kRows, L"=C#+1");
    EXPECT_EQ(number(L"D50"), 101.0);
    set(L"A25", L"1000");
    EXPECT_EQ(number(L"C25"), 2000.0);
    EXPECT_EQ(number(L"D25"), 2001.0);
    EXPECT_EQ(number(L"D24"), 49.0);

    sheet.setAutoRecalc(false);
    set(L"B10", L"3");
    set(L"B11", L"oops");
    EXPECT_EQ(number(L"D10"), 21.0); // unchanged until recalculated
    sheet.recalcCell(4, 12);
    EXPECT_EQ(number(L"D10"), 21.0); // one cell asked for: its neighbours wait
    sheet.recalc();
    EXPECT_EQ(number(L"D10"), 31.0);
    EXPECT_EQ(text(L"D11"), L"#VALUE!");
    sheet.setAutoRecalc(true);
    set(L"B11", L"4");
    EXPECT_EQ(number(L"D11"), 45.0);
}

TEST_F(ColumnRunTest, AFullRecalculationOrdersRunsReadingColumnsFurtherRight) {
    // Column A reads column C, which reads B: a full pass walks the columns left to right, so
    // the runs of A must wait for C. Long enough to span several storage pages.
    constexpr int kRows = 2500;
    sheet.setMaxRows(kRows);
    sheet.setAutoRecalc(false);
    fillDown(sheet, 1, 1, kRows, L"=C#*2");
    fillDown(sheet, 3, 1, kRows, L"=B#+1");
    sheet.setFormula(5, 1, L"=SUM(A1:A2500)", RefStyle::A1, false);
    for (int row = 1; row <= kRows; ++row) // every formula is stale now
        sheet.setConstant(2, row, Value::number(row));
    sheet.recalc();
    EXPECT_EQ(number(L"A1"), 4.0);
    EXPECT_EQ(number(L"A2500"), 5002.0);
    EXPECT_EQ(number(L"E1"), 2.0 * (kRows * (kRows + 1) / 2.0 + kRows));

    // Once everything is computed nothing waits: a second pass gives the same, and edits
    // with automatic recalculation reach every reader again.
    sheet.recalc();
    EXPECT_EQ(number(L"A1234"), 2.0 * 1235);
    sheet.setAutoRecalc(true);
    set(L"B1234", L"0");
    EXPECT_EQ(number(L"C1234"), 1.0);
    EXPECT_EQ(number(L"A1234"), 2.0);
    EXPECT_EQ(number(L"E1"), 2.0 * (kRows * (kRows + 1) / 2.0 + kRows) - 2.0 * 1234);
    set(L"C2000", L"=B2000");
    EXPECT_EQ(number(L"A2000"), 4000.0);
}

TEST_F(ColumnRunTest, FormulasRewrittenByADeletionLeaveTheRunTheyWereIn) {
    // C1:C1000 read B six hundred rows down. Deleting row 1100 turns C500's reference into
    // #REF! and shortens the references of C501:C1000 (what they read moved up with them),
    // while the formulas stay where they are.
    constexpr int kRows = 2000;
    sheet.setMaxRows(kRows);
    sheet.setAutoRecalc(false);
    for (int row = 1; row <= kRows; ++row) {
        sheet.setConstant(1, row, Value::number(row));
        sheet.setConstant(2, row, Value::number(10 * row));
    }
    for (int row = 1; row <= 1000; ++row)
        sheet.setFormula(3, row, L"=A" + std::to_wstring(row) + L"+B" + std::to_wstring(row + 600),
                         RefStyle::A1, false);
    sheet.recalc();
    ASSERT_EQ(number(L"C501"), 501.0 + 11010.0);
    sheet.setAutoRecalc(true); // the rewritten formulas are computed at once, then all again
    sheet.deleteRows(1100, 1);
    sheet.recalc();
    EXPECT_EQ(number(L"C499"), 499.0 + 10990.0);
    EXPECT_EQ(text(L"C500"), L"#REF!");
    EXPECT_EQ(number(L"C501"), 501.0 + 11010.0);
    EXPECT_EQ(number(L"C1000"), 1000.0 + 16000.0);

    // Formulas that move up with a deletion inside the run are computed right as well.
    sheet.deleteRows(200, 1);
    sheet.recalc();
    EXPECT_EQ(number(L"C199"), 199.0 + 7990.0);
    EXPECT_EQ(number(L"C200"), 201.0 + 8010.0);
    EXPECT_EQ(text(L"C499"), L"#REF!");
}

TEST_F(ColumnRunTest, EveryKindOfEditBetweenFullRecalculationsReachesTheRuns) {
    // A full recalculation keeps plain copies of the numbers it reads; edits of every kind in
    // between must reach them.
    constexpr int kRows = 3000;
    sheet.setMaxRows(kRows + 10);
    sheet.setAutoRecalc(false);
    for (int row = 1; row <= kRows; ++row) {
        sheet.setConstant(1, row, Value::number(row));
        sheet.setConstant(2, row, Value::number(row % 7 + 0.5));
    }
    fillDown(sheet, 3, 1, kRows, L"=A#*B#+1");
    sheet.recalc();
    // Recalculated at once: the next full pass finds nothing marked and trusts its copies.
    sheet.setAutoRecalc(true);
    sheet.setConstant(1, 10, Value::number(-4));
    sheet.setConstant(2, 1500, Value::text(L"x"));
    sheet.setConstant(1, 2100, Value::text(L"12")); // numeric text: the general evaluator
    sheet.clearCell(2, 2200);
    sheet.swapRanges(RangeRef{1, 100, 1, 199}, 1, 1000);
    sheet.copyRange(RangeRef{2, 2500, 2, 2599}, 2, 2700);
    sheet.clearRange(RangeRef{1, 2900, 1, 2910});
    sheet.recalc();
    for (int row = 1; row <= kRows; ++row) {
        const Value& a = sheet.value(1, row);
        const Value& b = sheet.value(2, row);
        const Value& c = sheet.value(3, row);
        if (a.isText() && a.asText() == L"12" && b.isNumber()) {
            ASSERT_EQ(c.asNumber(), 12 * b.asNumber() + 1) << row;
        } else if (a.isText() || b.isText()) {
            ASSERT_EQ(toText(c), L"#VALUE!") << row;
        } else {
            ASSERT_EQ(c.asNumber(), a.asNumber() * b.asNumber() + 1) << row;
        }
    }
    EXPECT_EQ(number(L"C10"), -4 * 3.5 + 1);
    EXPECT_EQ(number(L"C2200"), 1.0);
    EXPECT_EQ(number(L"C1000"), 100 * (1000 % 7 + 0.5) + 1); // A100 swapped down
}

TEST_F(ColumnRunTest, ACycleThroughARunShowsCircularInEveryMember) {
    sheet.setAutoRecalc(false);
    for (int row = 1; row <= 10; ++row)
        sheet.setConstant(1, row, Value::number(row));
    fillDown(sheet, 2, 1, 10, L"=A#+B#");
    sheet.recalc();
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(toText(sheet.value(2, row)), L"#CIRC!") << row;
    sheet.setFormula(2, 5, L"=A5*2", RefStyle::A1, false);
    sheet.recalc();
    EXPECT_EQ(number(L"B5"), 10.0);
    EXPECT_EQ(toText(sheet.value(2, 6)), L"#CIRC!");
}

TEST_F(ColumnRunTest, ARunReadingCustomFunctionsComputesEachOfThemOnce) {
    int calls = 0;
    sheet.addCustomFunction(L"TWICE", 1, 1, 0, [&](std::span<const CustomArg> args) {
        ++calls;
        return Value::number(args[0].value.asNumber() * 2);
    });
    sheet.setAutoRecalc(false);
    for (int row = 1; row <= 20; ++row) {
        sheet.setConstant(1, row, Value::number(row));
        sheet.setFormula(3, row, rowFormula(L"=B#+1", row), RefStyle::A1, false);
        sheet.setFormula(2, row, rowFormula(L"=TWICE(A#)", row), RefStyle::A1, false);
    }
    calls = 0;
    sheet.recalc();
    EXPECT_EQ(calls, 20);
    EXPECT_EQ(number(L"C20"), 41.0);
    EXPECT_EQ(number(L"C1"), 3.0);
}

} // namespace
} // namespace gridx::testing
