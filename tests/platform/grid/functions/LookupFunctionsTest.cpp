#include "FunctionTestKit.h"

namespace gridtest {
namespace {

class LookupFunctions : public FunctionsTest {
protected:
    // A1:C5: sorted keys 1, 2, 3, 5, 8; their names; and a price column with a gap at C4.
    void SetUp() override {
        setColumn("A1", {1, 2, 3, 5, 8});
        const wchar_t* names[] = {L"one", L"two", L"three", L"five", L"eight"};
        for (int row = 1; row <= 5; ++row)
            set(std::string("B").append(std::to_string(row)), names[row - 1]);
        setColumn("C1", {10, 20, 30});
        set("C5", 50.0);
    }
};

TEST_F(LookupFunctions, MatchFindsPositionsBySortedOrExactComparison) {
    EXPECT_EQ(number(L"MATCH", {n(5), ref("A1:A5"), n(0)}), 4.0);
    EXPECT_EQ(number(L"MATCH", {n(4), ref("A1:A5")}), 3.0) << "largest value <= 4";
    EXPECT_EQ(number(L"MATCH", {n(100), ref("A1:A5"), n(1)}), 5.0);
    EXPECT_EQ(error(L"MATCH", {n(0.5), ref("A1:A5")}), ErrorCode::NA);
    EXPECT_EQ(error(L"MATCH", {n(4), ref("A1:A5"), n(0)}), ErrorCode::NA);
    EXPECT_EQ(number(L"MATCH", {t(L"THREE"), ref("B1:B5"), n(0)}), 3.0) << "any case";
    EXPECT_EQ(number(L"MATCH", {t(L"f*"), ref("B1:B5"), n(0)}), 4.0) << "wildcards";
    EXPECT_EQ(number(L"MATCH", {t(L"?wo"), ref("B1:B5"), n(0)}), 2.0);
    EXPECT_EQ(number(L"MATCH", {n(10), ref("A1:E1"), n(0)}), 3.0) << "rows work too";
    setColumn("E1", {9, 7, 7, 4, 1});
    EXPECT_EQ(number(L"MATCH", {n(6), ref("E1:E5"), n(-1)}), 3.0) << "smallest value >= 6";
    EXPECT_EQ(error(L"MATCH", {n(10), ref("E1:E5"), n(-1)}), ErrorCode::NA);
    EXPECT_EQ(number(L"MATCH", {n(7), ref("E1:E5"), n(0)}), 2.0) << "first of equals";
    EXPECT_EQ(error(L"MATCH", {n(2), ref("A1:B5"), n(0)}), ErrorCode::NA) << "not a line";
    EXPECT_EQ(error(L"MATCH", {err(ErrorCode::Div0), ref("A1:A5")}), ErrorCode::Div0);
    EXPECT_EQ(error(L"MATCH", {ref("Z1"), ref("A1:A5")}), ErrorCode::NA) << "empty key";
    EXPECT_EQ(error(L"MATCH", {t(L"2"), ref("A1:A5"), n(0)}), ErrorCode::NA) << "text is no number";
}

TEST_F(LookupFunctions, VlookupAndHlookupReturnTheCellBesideTheKey) {
    EXPECT_EQ(text(L"VLOOKUP", {n(3), ref("A1:C5"), n(2)}), L"three");
    EXPECT_EQ(text(L"VLOOKUP", {n(4), ref("A1:C5"), n(2)}), L"three") << "approximate";
    EXPECT_EQ(text(L"VLOOKUP", {n(4), ref("A1:C5"), n(2), b(true)}), L"three");
    EXPECT_EQ(error(L"VLOOKUP", {n(4), ref("A1:C5"), n(2), b(false)}), ErrorCode::NA);
    // A bare comma for the match mode means FALSE, i.e. exact match.
    EXPECT_EQ(error(L"VLOOKUP", {n(4), ref("A1:C5"), n(2), gap()}), ErrorCode::NA);
    EXPECT_EQ(number(L"VLOOKUP", {n(8), ref("A1:C5"), n(3), b(false)}), 50.0);
    EXPECT_EQ(number(L"VLOOKUP", {n(5), ref("A1:C5"), n(3)}), 0.0) << "an empty cell gives 0";
    EXPECT_EQ(error(L"VLOOKUP", {n(0), ref("A1:C5"), n(2)}), ErrorCode::NA);
    EXPECT_EQ(error(L"VLOOKUP", {n(3), ref("A1:C5"), n(4)}), ErrorCode::Ref);
    EXPECT_EQ(error(L"VLOOKUP", {n(3), ref("A1:C5"), n(0)}), ErrorCode::Value);
    EXPECT_EQ(number(L"VLOOKUP", {t(L"T*"), ref("B1:C5"), n(2), b(false)}), 20.0);
    EXPECT_EQ(error(L"VLOOKUP", {n(3), n(3), n(1)}), ErrorCode::NA) << "needs a block";
    setColumn("E1", {1});
    set("F1", 4.0);
    set("G1", 9.0);
    set("E2", L"low");
    set("F2", L"mid");
    set("G2", L"high");
    EXPECT_EQ(text(L"HLOOKUP", {n(5), ref("E1:G2"), n(2)}), L"mid");
    EXPECT_EQ(text(L"HLOOKUP", {n(9), ref("E1:G2"), n(2), b(false)}), L"high");
    EXPECT_EQ(error(L"HLOOKUP", {n(5), ref("E1:G2"), n(2), b(false)}), ErrorCode::NA);
    EXPECT_EQ(error(L"HLOOKUP", {n(5), ref("E1:G2"), n(3)}), ErrorCode::Ref);
}

TEST_F(LookupFunctions, IndexPicksACellAndRefusesPlacesOutsideTheBlock) {
    EXPECT_EQ(text(L"INDEX", {ref("A1:C5"), n(2), n(2)}), L"two");
    EXPECT_EQ(number(L"INDEX", {ref("A1:A5"), n(4)}), 5.0);
    EXPECT_EQ(number(L"INDEX", {ref("A1:C1"), n(3)}), 10.0) << "one row: the index is a column";
    EXPECT_EQ(text(L"INDEX", {ref("A1:C1"), n(0), n(2)}), L"one") << "0 picks the only row";
    EXPECT_EQ(number(L"INDEX", {ref("C1:C5"), n(3), n(0)}), 30.0) << "0 picks the only column";
    EXPECT_TRUE(call(L"INDEX", {ref("A1:C5"), n(4), n(3)}).isEmpty()) << "empty stays empty";
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), n(0), n(2)}), ErrorCode::Value) << "a whole column";
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), n(2)}), ErrorCode::Value) << "a whole row";
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), n(6), n(1)}), ErrorCode::Ref);
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), n(1), n(4)}), ErrorCode::Ref);
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), n(-1), n(1)}), ErrorCode::Value);
    EXPECT_EQ(number(L"INDEX", {n(7), n(1), n(1)}), 7.0) << "a value is a one-cell block";
    EXPECT_EQ(error(L"INDEX", {n(7), n(2)}), ErrorCode::Ref);
    EXPECT_EQ(error(L"INDEX", {ref("A1:C5"), t(L"x")}), ErrorCode::Value);
}

} // namespace
} // namespace gridtest
