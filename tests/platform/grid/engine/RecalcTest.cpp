// Recalculation: automatic and manual, dependency order, each formula once, volatile
// functions, cycles, and chains far longer than the machine stack could follow.
#include "SheetTestSupport.h"

#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace gridx::testing {
namespace {

class RecalcTest : public SheetTest {
protected:
    // Registers LOG(tag, value): records the tag in `log` and returns the value.
    void registerLog() {
        sheet.addCustomFunction(L"TRACE", 2, 2, 0, [this](std::span<const CustomArg> args) {
            log.push_back(toText(args[0].value));
            return args[1].value;
        });
    }
    std::vector<std::wstring> log;
};

TEST_F(RecalcTest, AutomaticRecalculationUpdatesDependantsOfEveryChange) {
    set(L"A1", L"2");
    set(L"B1", L"=A1*10");
    set(L"C1", L"=B1+A1");
    set(L"D1", L"=SUM(A1:C1)");
    EXPECT_EQ(text(L"D1"), L"44");
    set(L"A1", L"3");
    EXPECT_EQ(text(L"B1"), L"30");
    EXPECT_EQ(text(L"C1"), L"33");
    EXPECT_EQ(text(L"D1"), L"66");
    sheet.clearCell(1, 1);
    EXPECT_EQ(text(L"D1"), L"0");
    set(L"B1", L"5");
    EXPECT_EQ(text(L"C1"), L"5");
    EXPECT_EQ(text(L"D1"), L"10");
}

TEST_F(RecalcTest, EachChangedFormulaIsComputedOnceAfterWhatItReads) {
    registerLog();
    set(L"A1", L"1");
    set(L"D1", L"=TRACE(\"D\",B1+C1)");
    set(L"B1", L"=TRACE(\"B\",A1)");
    set(L"C1", L"=TRACE(\"C\",B1*2)");
    set(L"E1", L"=TRACE(\"E\",7)");
    EXPECT_EQ(text(L"D1"), L"3");
    log.clear();
    set(L"A1", L"2");
    const std::vector<std::wstring> expected{L"B", L"C", L"D"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(text(L"D1"), L"6");
}

TEST_F(RecalcTest, RangeReadersFollowChangesInsideTheirRange) {
    registerLog();
    sheet.setMaxRows(200000);
    set(L"B1", L"=TRACE(\"sum\",SUM(A1:A100000))");
    set(L"B2", L"=TRACE(\"other\",SUM(A100001:A100002))");
    set(L"A50000", L"4");
    set(L"A99999", L"=A50000*2");
    EXPECT_EQ(text(L"B1"), L"12");
    log.clear();
    set(L"A50000", L"5");
    EXPECT_EQ(log, std::vector<std::wstring>{L"sum"});
    EXPECT_EQ(text(L"B1"), L"15");
}

TEST_F(RecalcTest, ManualRecalculationComputesOnlyWhenAsked) {
    sheet.setAutoRecalc(false);
    set(L"A1", L"2");
    set(L"B1", L"=A1*3");
    EXPECT_EQ(text(L"B1"), L"6"); // a formula set is computed at once
    set(L"C1", L"=B1+1");
    EXPECT_EQ(text(L"C1"), L"7");
    set(L"A1", L"5");
    EXPECT_EQ(text(L"B1"), L"6"); // a constant changes nothing
    EXPECT_EQ(text(L"C1"), L"7");
    sheet.recalcCell(3, 1); // recomputes its stale precedents first
    EXPECT_EQ(text(L"B1"), L"15");
    EXPECT_EQ(text(L"C1"), L"16");
    set(L"A1", L"1");
    sheet.recalc();
    EXPECT_EQ(text(L"C1"), L"4");
    set(L"A1", L"10");
    sheet.setAutoRecalc(true); // switching on catches up
    EXPECT_EQ(text(L"C1"), L"31");
}

TEST_F(RecalcTest, AFormulaSetWithRecalculationOffUsesTheCurrentValues) {
    // The pattern of line-by-line evaluation: results go into plain cells, later lines read
    // them at once.
    sheet.setAutoRecalc(false);
    set(L"B3", L"10");
    ASSERT_EQ(set(L"C10", L"=B3*2", RefStyle::A1, true), FormulaStatus::Ok);
    EXPECT_EQ(text(L"C10"), L"20");
    set(L"B4", text(L"C10"));
    ASSERT_EQ(set(L"C11", L"=B4+B3", RefStyle::A1, true), FormulaStatus::Ok);
    EXPECT_EQ(text(L"C11"), L"30");
}

TEST_F(RecalcTest, FormulasReadingACellManyTimesFollowItAndLetGoOfIt) {
    set(L"A1", L"2");
    set(L"B1", L"=IF(A1>0,A1,-A1)+A1*A1");
    EXPECT_EQ(number(L"B1"), 6.0);
    set(L"A1", L"-3");
    EXPECT_EQ(number(L"B1"), 12.0);
    // Forty references going round twenty cells: more repeats than are looked back over.
    std::wstring sum = L"=";
    for (int i = 0; i < 40; ++i)
        sum.append(i ? L"+" : L"").append(L"C").append(std::to_wstring(i % 20 + 1));
    set(L"D1", sum);
    for (int row = 1; row <= 20; ++row)
        setNumber(L"C" + std::to_wstring(row), row);
    EXPECT_EQ(number(L"D1"), 2.0 * 210);
    setNumber(L"C20", 0);
    EXPECT_EQ(number(L"D1"), 2.0 * 190);
    // Replaced formulas no longer listen: edits reach only what reads the cells now.
    set(L"B1", L"=A1");
    set(L"D1", L"=C1");
    set(L"A1", L"5");
    setNumber(L"C7", 70);
    EXPECT_EQ(number(L"B1"), 5.0);
    EXPECT_EQ(number(L"D1"), 1.0);
    set(L"B1", L"");
    set(L"A1", L"6");
    EXPECT_EQ(text(L"B1"), L"");
}

TEST_F(RecalcTest, VolatileFunctionsRecomputeOnEveryRecalculation) {
    double clock = 45000.25;
    sheet.setClock([&] { return clock; });
    set(L"A1", L"=NOW()");
    set(L"B1", L"=A1+1");
    EXPECT_EQ(number(L"A1"), 45000.25);
    clock = 45001.5;
    sheet.recalc();
    EXPECT_EQ(number(L"B1"), 45002.5);
    clock = 45002.0;
    set(L"C1", L"1"); // any change recalculates volatile cells and their readers
    EXPECT_EQ(number(L"B1"), 45003.0);
    set(L"D1", L"=TODAY()");
    EXPECT_EQ(number(L"D1"), 45002.0);
    set(L"E1", L"=RAND()");
    const double first = number(L"E1");
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 1.0);
}

TEST_F(RecalcTest, ReadersStayKnownThroughManyReplacedFormulas) {
    // Enough replacements that the dependency index is rebuilt several times.
    set(L"A1", L"1");
    for (int round = 0; round < 30; ++round)
        for (int row = 1; row <= 300; ++row)
            set(L"C" + std::to_wstring(row),
                L"=A1+SUM(A1:B2)+" + std::to_wstring(round) + L"+D" + std::to_wstring(row));
    set(L"E1", L"=SUM(C1:C300)");
    set(L"A1", L"2");
    EXPECT_EQ(text(L"C7"), L"33"); // 2 + 2 + 29 + 0
    EXPECT_EQ(number(L"E1"), 300 * 33);
    set(L"D7", L"10");
    EXPECT_EQ(text(L"C7"), L"43");
    EXPECT_EQ(number(L"E1"), 300 * 33 + 10);
}

// A random sheet of sums over earlier cells, checked against a plain evaluation in order.
class RandomSheet {
public:
    explicit RandomSheet(unsigned seed) : rng_(seed) {
        for (int col = 1; col <= kCols; ++col)
            for (int row = 1; row <= kRows; ++row)
                order_.push_back({col, row});
        std::shuffle(order_.begin(), order_.end(), rng_);
        for (std::size_t i = 0; i < order_.size(); ++i)
            rank_[order_[i]] = static_cast<int>(i);
    }
    static constexpr int kCols = 5;
    static constexpr int kRows = 40;

    // Sets every cell, in a random order, and remembers how to compute it.
    void fill(Sheet& sheet) {
        std::vector<std::size_t> setOrder(order_.size());
        for (std::size_t i = 0; i < setOrder.size(); ++i)
            setOrder[i] = i;
        std::shuffle(setOrder.begin(), setOrder.end(), rng_);
        for (std::size_t i : setOrder)
            define(sheet, i);
    }
    // Redefines one random cell.
    void edit(Sheet& sheet) { define(sheet, rng_() % order_.size()); }

    // Values computed in dependency order.
    std::map<std::pair<int, int>, double> expected() const {
        std::map<std::pair<int, int>, double> values;
        for (const auto& cell : order_) {
            const Cell& c = cells_.at(cell);
            double v = c.constant;
            for (const RangeRef& r : c.reads)
                for (int col = r.col1; col <= r.col2; ++col)
                    for (int row = r.row1; row <= r.row2; ++row)
                        v += values[{col, row}];
            values[cell] = v;
        }
        return values;
    }

private:
    struct Cell {
        double constant = 0;
        std::vector<RangeRef> reads;
    };

    void define(Sheet& sheet, std::size_t index) {
        const auto [col, row] = order_[index];
        Cell cell;
        cell.constant = static_cast<double>(rng_() % 100);
        std::wstring text = L"=" + std::to_wstring(static_cast<int>(cell.constant));
        const int reads = index == 0 ? 0 : static_cast<int>(rng_() % 4);
        for (int k = 0; k < reads; ++k) {
            RangeRef r = randomBlock();
            if (!readable(r, static_cast<int>(index))) continue;
            cell.reads.push_back(r);
            text += L"+SUM(" + name(r.col1, r.row1) + L":" + name(r.col2, r.row2) + L")";
        }
        cells_[{col, row}] = cell;
        if (cell.reads.empty() && rng_() % 2 == 0)
            sheet.setConstant(col, row, Value::number(cell.constant));
        else
            ASSERT_EQ(sheet.setFormula(col, row, text, RefStyle::A1, true), FormulaStatus::Ok);
    }
    RangeRef randomBlock() {
        const int c = 1 + static_cast<int>(rng_() % kCols),
                  r = 1 + static_cast<int>(rng_() % kRows);
        const int w = static_cast<int>(rng_() % 2), h = static_cast<int>(rng_() % 6);
        return RangeRef{c, r, std::min(c + w, kCols), std::min(r + h, kRows)};
    }
    bool readable(const RangeRef& r, int index) const {
        for (int col = r.col1; col <= r.col2; ++col)
            for (int row = r.row1; row <= r.row2; ++row)
                if (rank_.at({col, row}) >= index) return false;
        return true;
    }
    static std::wstring name(int col, int row) {
        return std::wstring(1, static_cast<wchar_t>(L'A' + col - 1)) + std::to_wstring(row);
    }

    std::mt19937 rng_;
    std::vector<std::pair<int, int>> order_;
    std::map<std::pair<int, int>, int> rank_;
    std::map<std::pair<int, int>, Cell> cells_;
};

void expectValues(const Sheet& sheet, const RandomSheet& model, const char* when) {
    for (const auto& [cell, v] : model.expected())
        ASSERT_EQ(sheet.value(cell.first, cell.second).asNumber(), v)
            << when << " at column " << cell.first << " row " << cell.second;
}

TEST(RandomSheetTest, ManualAndAutomaticRecalculationAgreeWithAPlainEvaluation) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        RandomSheet model(seed);
        Sheet manual;
        manual.setAutoRecalc(false);
        model.fill(manual);
        manual.recalc();
        expectValues(manual, model, "after recalc");
        Sheet automatic;
        RandomSheet same(seed);
        same.fill(automatic);
        expectValues(automatic, same, "after filling");
        for (int i = 0; i < 60; ++i) {
            same.edit(automatic);
            expectValues(automatic, same, "after an edit");
        }
    }
}

// --- cycles

TEST_F(RecalcTest, EveryCellOfACycleShowsCircularAndBreakingItRecovers) {
    set(L"A1", L"=B1+1");
    set(L"B1", L"=C1+1");
    set(L"C1", L"=A1+1");
    set(L"D1", L"=A1*2");
    EXPECT_EQ(text(L"A1"), L"#CIRC!");
    EXPECT_EQ(text(L"B1"), L"#CIRC!");
    EXPECT_EQ(text(L"C1"), L"#CIRC!");
    EXPECT_EQ(text(L"D1"), L"#CIRC!"); // a reader of the cycle gets its error
    set(L"C1", L"5");
    EXPECT_EQ(text(L"B1"), L"6");
    EXPECT_EQ(text(L"A1"), L"7");
    EXPECT_EQ(text(L"D1"), L"14");
}

TEST_F(RecalcTest, CyclesThroughRangesAndSelfReferencesAreFound) {
    set(L"A1", L"=SUM(A1:A3)");
    EXPECT_EQ(text(L"A1"), L"#CIRC!");
    set(L"B1", L"=B2");
    set(L"B2", L"=B1+B3");
    set(L"B3", L"=B2");
    set(L"B4", L"=1");
    EXPECT_EQ(text(L"B1"), L"#CIRC!");
    EXPECT_EQ(text(L"B2"), L"#CIRC!");
    EXPECT_EQ(text(L"B3"), L"#CIRC!");
    EXPECT_EQ(text(L"B4"), L"1");
    sheet.recalc();
    EXPECT_EQ(text(L"B3"), L"#CIRC!");
    set(L"B2", L"=B4*3");
    EXPECT_EQ(text(L"B1"), L"3");
    EXPECT_EQ(text(L"B3"), L"3");
}

TEST_F(RecalcTest, ACycleReachedThroughAFinishedCellIsStillWhollyCircular) {
    // C2 depends on C1, which finishes first; C3 closes a cycle C1 -> C2 -> C3 -> C1 only
    // through a path the walk meets after C1's other reader.
    set(L"C1", L"=C3");
    set(L"C2", L"=C1");
    set(L"C3", L"=C2+C4");
    set(L"C4", L"=C2");
    sheet.recalc();
    for (const wchar_t* cell : {L"C1", L"C2", L"C3", L"C4"})
        EXPECT_EQ(text(cell), L"#CIRC!") << cell;
}

// --- size

TEST_F(RecalcTest, AMillionCellChainEvaluatesWithoutExhaustingTheStack) {
    constexpr int kRows = 1'000'000;
    sheet.setMaxRows(kRows);
    sheet.setAutoRecalc(false);
    setNumber(L"A1", 1);
    for (int row = 2; row <= kRows; ++row)
        sheet.setFormula(1, row, L"=R[-1]C+1", RefStyle::R1C1, false);
    sheet.recalc();
    EXPECT_EQ(sheet.value(1, kRows).asNumber(), kRows);
    sheet.setAutoRecalc(true);
    setNumber(L"A1", 10);
    EXPECT_EQ(sheet.value(1, kRows).asNumber(), kRows + 9);
    // The chain built from the far end: each formula reads a cell set later.
    Sheet reverse;
    reverse.setMaxRows(kRows);
    reverse.setAutoRecalc(false);
    for (int row = kRows; row >= 2; --row)
        reverse.setFormula(1, row, L"=A" + std::to_wstring(row - 1) + L"+1", RefStyle::A1, false);
    reverse.setConstant(1, 1, Value::number(0));
    reverse.recalcCell(1, kRows);
    EXPECT_EQ(reverse.value(1, kRows).asNumber(), kRows - 1);
}

} // namespace
} // namespace gridx::testing
