// The engine's building blocks on their own: sparse cell walks, the index of range readers,
// program interning, cached range statistics, and calendar serial numbers.
#include "SheetTestSupport.h"

#include "engine/CellStore.h"
#include "engine/IntervalIndex.h"
#include "engine/Parser.h"
#include "engine/Program.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace gridx::testing {
namespace {

using engine::CellStore;
using engine::Interval;
using engine::IntervalIndex;
using engine::Slot;

void put(CellStore& cells, int col, int row, double v) {
    cells.at(col, row).setValue(Value::number(v));
    cells.setUsed(col, row, true);
}

std::vector<std::pair<int, int>> walk(const CellStore& cells, const RangeRef& range) {
    std::vector<std::pair<int, int>> seen;
    cells.forEachUsed(range, [&](int col, int row, Slot) {
        seen.emplace_back(col, row);
        return true;
    });
    return seen;
}

TEST(CellStoreTest, WalksVisitOnlyUsedCellsRowByRowLeftToRight) {
    CellStore cells;
    const std::vector<int> rows{3, 70, 1023, 1024, 5000, 123456, 999999, 1000000, 1500000, 1999999};
    for (int row : rows)
        put(cells, 1, row, row);
    auto seen = walk(cells, RangeRef{1, 1, 1, 1'000'000});
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_EQ(seen.front(), (std::pair<int, int>{1, 3}));
    EXPECT_EQ(seen.back(), (std::pair<int, int>{1, 1'000'000}));

    // Several columns merge into row-major order, with few and with many columns.
    put(cells, 3, 2, 0);
    put(cells, 2, 3, 0);
    put(cells, 40, 3, 0);
    put(cells, 25, 1, 0);
    seen = walk(cells, RangeRef{1, 1, 3, 10});
    const std::vector<std::pair<int, int>> few{{3, 2}, {1, 3}, {2, 3}};
    EXPECT_EQ(seen, few);
    seen = walk(cells, RangeRef{1, 1, 50, 10});
    const std::vector<std::pair<int, int>> many{{25, 1}, {3, 2}, {1, 3}, {2, 3}, {40, 3}};
    EXPECT_EQ(seen, many);
}

TEST(CellStoreTest, AWalkStopsWhenTheVisitorSaysSoAndIgnoresRangesOffTheStore) {
    CellStore cells;
    for (int row = 1; row <= 10; ++row)
        put(cells, 2, row, row);
    int visits = 0;
    cells.forEachUsed(RangeRef{1, 1, 5, 10}, [&](int, int, Slot) { return ++visits < 4; });
    EXPECT_EQ(visits, 4);
    EXPECT_TRUE(walk(cells, RangeRef{9, 1, 20, 10}).empty());
    EXPECT_TRUE(walk(cells, RangeRef{-5, -5, -1, -1}).empty());
    EXPECT_EQ(walk(cells, RangeRef{-5, -5, 2, 3}).size(), 3u);
}

// Every slot of the page: the mirror holds the number exactly where the value is a finite one.
void expectMirrorMatches(engine::Page& page) {
    const engine::NumberMirror& mirror = page.numberMirror();
    for (std::size_t i = 0; i < page.values.size(); ++i) {
        const Value& value = page.values[i];
        const bool finite = value.isNumber() && std::isfinite(value.asNumber());
        ASSERT_EQ(((mirror.finite[i >> 6] >> (i & 63)) & 1) != 0, finite) << i;
        if (finite) {
            ASSERT_EQ(mirror.numbers[i], value.asNumber()) << i;
        }
    }
}

TEST(CellStoreTest, NumberMirrorsFollowEveryWriteAndMove) {
    CellStore cells;
    for (int row = 0; row < 2 * engine::kPageSize; ++row)
        put(cells, 1, row, row * 0.5);
    engine::Page& first = *cells.pageAt(1, 0);
    engine::Page& second = *cells.pageAt(1, engine::kPageSize);
    expectMirrorMatches(first); // made from the values
    expectMirrorMatches(second);
    cells.at(1, 3).setValue(Value::text(L"3"));
    cells.at(1, 4).setValue(Value::number(std::numeric_limits<double>::infinity()));
    cells.at(1, 5).setValue(Value::boolean(true));
    cells.at(1, 6).setValue(Value());
    cells.at(1, 7).setValue(Value::number(-7.25));
    cells.at(1, 8).setValue(Value::error(ErrorCode::NA));
    cells.moveContent(1, engine::kPageSize + 1, 2, 0); // a new page, which has no mirror yet
    cells.moveContent(1, 7, 1, engine::kPageSize + 1);
    expectMirrorMatches(first);
    expectMirrorMatches(second);
    expectMirrorMatches(*cells.pageAt(2, 0));
    EXPECT_EQ(second.mirror->numbers[1], -7.25);
}

TEST(IntervalIndexTest, StabbingFindsExactlyTheBlocksThatContainTheCell) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> row(1, 400), col(1, 6), len(0, 60);
    std::vector<Interval> all;
    IntervalIndex index;
    for (std::uint32_t i = 1; i <= 700; ++i) {
        const int r = row(rng);
        const auto c = static_cast<std::uint16_t>(col(rng));
        const auto c2 = static_cast<std::uint16_t>(c + len(rng) % 3);
        Interval iv{r, r + len(rng), c, c2, i, 1};
        all.push_back(iv);
        index.add(iv);
    }
    EXPECT_EQ(index.size(), all.size());
    for (int probe = 0; probe < 300; ++probe) {
        const int r = row(rng), c = col(rng);
        std::vector<std::uint32_t> expected, found;
        for (const Interval& iv : all)
            if (iv.row1 <= r && r <= iv.row2 && iv.col1 <= c && c <= iv.col2)
                expected.push_back(iv.formula);
        index.stab(c, r, [&](const Interval& iv) { found.push_back(iv.formula); });
        std::sort(found.begin(), found.end());
        ASSERT_EQ(found, expected) << "row " << r << " col " << c;
    }
}

TEST(ProgramPoolTest, FormulasWithTheSameRelativeFormShareOneProgram) {
    engine::ProgramPool pool;
    engine::ProgramBuilder builder;
    auto noCustom = [](std::wstring_view) { return false; };
    auto compile = [&](std::wstring_view text, int col, int row, RefStyle style) {
        const engine::ParseRequest request{text, style, col, row, false, noCustom};
        EXPECT_EQ(engine::parseFormula(request, builder), FormulaStatus::Ok);
        return pool.intern(builder);
    };
    engine::Program* first = compile(L"=A1*B1+C1", 4, 1, RefStyle::A1);
    engine::Program* filled = compile(L"=A777*B777+C777", 4, 777, RefStyle::A1);
    engine::Program* r1c1 = compile(L"=RC[-3]*RC[-2]+RC[-1]", 4, 9, RefStyle::R1C1);
    engine::Program* other = compile(L"=A1*B1+C2", 4, 1, RefStyle::A1);
    EXPECT_EQ(first, filled);
    EXPECT_EQ(first, r1c1);
    EXPECT_NE(first, other);
    EXPECT_EQ(pool.size(), 2u);
    for (engine::Program* p : {first, filled, r1c1, other})
        pool.release(p);
    EXPECT_EQ(pool.size(), 0u);
}

// --- through the sheet

using RangeStatisticsTest = SheetTest;

TEST_F(RangeStatisticsTest, RunningSumsEqualAFreshRowByRowWalk) {
    // Values whose sum depends on the order of additions.
    const double values[] = {1e16, 1.0, -1e16, 3.5, 1e-3, 2.0, -7.25, 1e15, 0.1, 0.2};
    sheet.setAutoRecalc(false);
    for (int row = 1; row <= 10; ++row) {
        setNumber(L"A" + std::to_wstring(row), values[row - 1]);
        setNumber(L"B" + std::to_wstring(row), values[10 - row]);
        set(L"C" + std::to_wstring(row), L"=SUM(A$1:B" + std::to_wstring(row) + L")");
    }
    sheet.recalc();
    double expected = 0.0;
    for (int row = 1; row <= 10; ++row) {
        expected += values[row - 1];
        expected += values[10 - row];
        EXPECT_EQ(number(L"C" + std::to_wstring(row)), expected) << row;
    }
    setNumber(L"A3", 5.0); // a change inside the remembered range is seen
    sheet.recalc();
    expected = 0.0;
    for (int row = 1; row <= 10; ++row) {
        expected += row == 3 ? 5.0 : values[row - 1];
        expected += values[10 - row];
    }
    EXPECT_EQ(number(L"C10"), expected);
}

TEST_F(RangeStatisticsTest, TheFirstErrorOfARangeIsTheFirstInRowOrder) {
    set(L"B1", L"=1/0");
    set(L"A2", L"=#N/A");
    EXPECT_EQ(eval(L"=SUM(A1:B2)"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=SUM(A1:A2)"), L"#N/A");
}

TEST(CalendarTest, SerialNumbersCountDaysFromTheEndOf1899) {
    EXPECT_EQ(serialFromDateTime(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_EQ(serialFromDateTime(1900, 3, 1, 0, 0, 0), 61.0);
    EXPECT_EQ(serialFromDateTime(2024, 1, 1, 12, 0, 0), 45292.5);
    EXPECT_EQ(serialFromDateTime(2024, 13, 1, 6, 0, 0), serialFromDateTime(2025, 1, 1, 6, 0, 0));
    EXPECT_EQ(serialFromDateTime(2024, 0, 1, 0, 0, 0), serialFromDateTime(2023, 12, 1, 0, 0, 0));
    EXPECT_EQ(serialFromDateTime(2024, 3, 0, 0, 0, 0), serialFromDateTime(2024, 2, 29, 0, 0, 0));
    EXPECT_NEAR(serialFromDateTime(2000, 1, 1, 18, 30, 45.0),
                36526.0 + (18 * 3600 + 30 * 60 + 45) / 86400.0, 1e-9);
}

} // namespace
} // namespace gridx::testing
