// Custom functions through SSAddCustomFunctionExt: the records they receive, the results they
// give, the memory blocks in between, and callbacks that call the control again.
#include "GridTestHost.h"

#include <cstring>

namespace gridtest {
namespace {

// What a probe saw of one argument.
struct Seen {
    BYTE status = 0;
    BYTE type = 0;
    double number = 0.0;
    std::wstring text;
    SS_VALUERANGE ref{};
};

std::vector<Seen> seen;
SSVALUE nextResult{};
BOOL nextReturn = TRUE;
std::wstring nextText;

std::wstring textOf(HGLOBAL block) {
    const auto* data = static_cast<const wchar_t*>(GlobalLock(block));
    std::wstring text = data ? data : L"";
    GlobalUnlock(block);
    return text;
}

HGLOBAL blockOf(const std::wstring& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    return block;
}

BOOL probe(LPSSVALUE result, LPSSVALUE args, short count) {
    seen.clear();
    for (short i = 0; i < count; ++i) {
        Seen one;
        one.status = args[i].Status;
        one.type = args[i].Type;
        if (one.status == SS_VALUE_STATUS_OK) {
            if (one.type == SS_VALUE_TYPE_DOUBLE) one.number = args[i].ValDouble;
            if (one.type == SS_VALUE_TYPE_LONG) one.number = static_cast<double>(args[i].ValLong);
            if (one.type == SS_VALUE_TYPE_STR) one.text = textOf(args[i].hValStr);
            if (one.type == SS_VALUE_TYPE_CELL)
                one.ref = SS_VALUERANGE{args[i].ValCell.Col, args[i].ValCell.Row, 0, 0};
            if (one.type == SS_VALUE_TYPE_RANGE) one.ref = args[i].ValRange;
        }
        seen.push_back(one);
    }
    if (result->Status != SS_VALUE_STATUS_EMPTY || result->Type != SS_VALUE_TYPE_LONG) {
        ADD_FAILURE() << "the result record starts empty";
    }
    *result = nextResult;
    if (result->Type == SS_VALUE_TYPE_STR && result->Status == SS_VALUE_STATUS_OK)
        result->hValStr = blockOf(nextText);
    return nextReturn;
}

class GridCustomFunctions : public GridTest {
protected:
    void SetUp() override {
        seen.clear();
        nextResult = SSVALUE{};
        nextResult.Status = SS_VALUE_STATUS_OK;
        nextResult.Type = SS_VALUE_TYPE_DOUBLE;
        nextResult.ValDouble = 1.0;
        nextReturn = TRUE;
        nextText.clear();
        blocksBefore = winx::liveGlobalBlocks();
    }
    void TearDown() override {
        EXPECT_EQ(winx::liveGlobalBlocks(), blocksBefore) << "every text block was freed";
    }
    void registerProbe(long flags, short maxArgs = 8) {
        ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"PROBE", 0, maxArgs, probe, flags));
    }

    std::size_t blocksBefore = 0;
};

TEST_F(GridCustomFunctions, ArgumentsArriveAsValuesWithoutFlags) {
    registerProbe(0);
    set(1, 1, L"7");
    formula(3, 3, L"PROBE(1.5, \"txt\", A1, B9, TRUE, , 1/0)");
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[0].type, SS_VALUE_TYPE_DOUBLE);
    EXPECT_EQ(seen[0].number, 1.5);
    EXPECT_EQ(seen[1].type, SS_VALUE_TYPE_STR);
    EXPECT_EQ(seen[1].text, L"txt");
    EXPECT_EQ(seen[2].type, SS_VALUE_TYPE_DOUBLE) << "a reference passes its value";
    EXPECT_EQ(seen[2].number, 7.0);
    EXPECT_EQ(seen[3].status, SS_VALUE_STATUS_EMPTY) << "an empty cell is no value";
    EXPECT_EQ(seen[4].type, SS_VALUE_TYPE_LONG);
    EXPECT_EQ(seen[4].number, 1.0);
    EXPECT_EQ(seen[5].status, SS_VALUE_STATUS_EMPTY) << "an omitted argument";
    EXPECT_EQ(seen[6].status, SS_VALUE_STATUS_ERROR);
    EXPECT_EQ(value(3, 3), L"1");
}

TEST_F(GridCustomFunctions, ReferencesArriveAsReferencesWhenTheFlagsAskForThem) {
    registerProbe(SS_CUSTFUNC_WANTCELLREF | SS_CUSTFUNC_WANTRANGEREF);
    formula(5, 5, L"PROBE(B3, A1:C2)");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].status, SS_VALUE_STATUS_OK);
    EXPECT_EQ(seen[0].type, SS_VALUE_TYPE_CELL);
    EXPECT_EQ(seen[0].ref.Col, 2);
    EXPECT_EQ(seen[0].ref.Row, 3);
    EXPECT_EQ(seen[1].type, SS_VALUE_TYPE_RANGE);
    EXPECT_EQ(seen[1].ref.Col, 1);
    EXPECT_EQ(seen[1].ref.Row, 1);
    EXPECT_EQ(seen[1].ref.Col2, 3);
    EXPECT_EQ(seen[1].ref.Row2, 2);

    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"PROBE", 0, 8, probe, SS_CUSTFUNC_WANTCELLREF));
    ASSERT_TRUE(SSReCalc(grid()));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, SS_VALUE_TYPE_CELL);
    EXPECT_EQ(seen[1].status, SS_VALUE_STATUS_ERROR) << "ranges need their own flag";
}

TEST_F(GridCustomFunctions, ResultRecordsBecomeCellValues) {
    registerProbe(0);
    nextResult.Type = SS_VALUE_TYPE_STR;
    nextText = L"from the callback";
    formula(1, 1, L"PROBE()");
    EXPECT_EQ(value(1, 1), L"from the callback");

    nextResult.Type = SS_VALUE_TYPE_LONG;
    nextResult.ValLong = 42;
    formula(1, 2, L"PROBE()+1");
    EXPECT_EQ(value(1, 2), L"43");

    set(4, 4, L"cell text");
    nextResult.Type = SS_VALUE_TYPE_CELL;
    nextResult.ValCell = SS_VALUECELL{4, 4};
    formula(1, 3, L"PROBE()");
    EXPECT_EQ(value(1, 3), L"cell text");

    nextResult.Status = SS_VALUE_STATUS_EMPTY;
    formula(1, 4, L"PROBE()");
    EXPECT_EQ(value(1, 4), L"") << "no value shows an empty cell";
}

TEST_F(GridCustomFunctions, FailuresShowAsValueErrors) {
    registerProbe(0);
    nextReturn = FALSE;
    formula(1, 1, L"PROBE()");
    EXPECT_EQ(value(1, 1), L"#VALUE!");

    nextReturn = TRUE;
    nextResult.Status = SS_VALUE_STATUS_ERROR;
    formula(1, 2, L"PROBE()");
    EXPECT_EQ(value(1, 2), L"#VALUE!");

    nextResult.Status = SS_VALUE_STATUS_OK;
    nextResult.Type = SS_VALUE_TYPE_STR;
    nextResult.hValStr = nullptr;
    nextReturn = FALSE;
    nextText = L"freed even when the call fails";
    formula(1, 3, L"PROBE()");
    EXPECT_EQ(value(1, 3), L"#VALUE!");

    nextReturn = TRUE;
    nextResult.Type = SS_VALUE_TYPE_RANGE;
    formula(1, 4, L"PROBE()");
    EXPECT_EQ(value(1, 4), L"#VALUE!");
}

TEST_F(GridCustomFunctions, RegistrationsAreCheckedAndNamesIgnoreCase) {
    EXPECT_FALSE(SSAddCustomFunctionExt(grid(), L"", 0, 1, probe, 0));
    EXPECT_FALSE(SSAddCustomFunctionExt(grid(), L"X", 0, 1, nullptr, 0));
    EXPECT_FALSE(SSAddCustomFunctionExt(grid(), L"X", 3, 1, probe, 0));
    EXPECT_FALSE(SSAddCustomFunctionExt(host.parent, L"X", 0, 1, probe, 0));
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"Probe", 2, 2, probe, 0));
    formula(1, 1, L"probe(1,2)");
    EXPECT_EQ(value(1, 1), L"1");
    ASSERT_TRUE(SSSetFormula(grid(), 1, 2, L"PROBE(1)", FALSE));
    EXPECT_EQ(value(1, 2), L"#VALUE!") << "too few arguments";
}

// ---- Callbacks that call the control again ------------------------------------------------------

HWND otherGrid = nullptr;
HWND callingGrid = nullptr;
std::wstring tableFile;

// Loads a table into another grid and returns its cell B2, as a look-up function does.
BOOL lookUp(LPSSVALUE result, LPSSVALUE, short) {
    result->Status = SS_VALUE_STATUS_EMPTY;
    if (SSLoadFromFile(otherGrid, tableFile.c_str()) != TRUE) return TRUE;
    double number = 0.0;
    if (!SSGetFloat(otherGrid, 2, 2, &number)) return TRUE;
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_DOUBLE;
    result->ValDouble = number;
    return TRUE;
}

// Replaces the document of the very grid that is calculating it.
BOOL reloadSelf(LPSSVALUE result, LPSSVALUE, short) {
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_LONG;
    result->ValLong = SSLoadFromFile(callingGrid, tableFile.c_str());
    return TRUE;
}

// Writes into its own grid and recalculates it.
BOOL writeAndRecalc(LPSSVALUE result, LPSSVALUE, short) {
    SSSetData(callingGrid, 9, 9, L"written");
    SSReCalc(callingGrid);
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_LONG;
    result->ValLong = 5;
    return TRUE;
}

// Destroys the grid whose sheet is calling it.
BOOL destroySelf(LPSSVALUE result, LPSSVALUE, short) {
    DestroyWindow(callingGrid);
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_LONG;
    result->ValLong = 1;
    return TRUE;
}

class GridReentrantCallbacks : public GridTest {
protected:
    void SetUp() override {
        otherGrid = host.createGrid(1197);
        callingGrid = grid();
        tableFile = folder.file(L"table.sss");
        HWND writer = host.createGrid(1198);
        SSSetData(writer, 2, 2, L"42");
        ASSERT_TRUE(SSSaveToFile(writer, tableFile.c_str(), FALSE));
        DestroyWindow(writer);
    }

    TempFolder folder;
};

TEST_F(GridReentrantCallbacks, ACallbackLoadsAnotherGridAndReadsIt) {
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"LOOKUP2", 0, 0, lookUp, 0));
    formula(1, 1, L"LOOKUP2()*2");
    EXPECT_EQ(value(1, 1), L"84");
    EXPECT_EQ(value(2, 2, otherGrid), L"42");
}

TEST_F(GridReentrantCallbacks, ACallbackMayReplaceItsOwnGridsDocument) {
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"RELOAD", 0, 0, reloadSelf, 0));
    ASSERT_TRUE(SSSetFormula(grid(), 1, 1, L"RELOAD()", TRUE));
    EXPECT_EQ(value(2, 2), L"42") << "the loaded document is shown";
    EXPECT_EQ(formulaText(1, 1), L"");
}

TEST_F(GridReentrantCallbacks, ACallbackMayWriteAndRecalculateItsOwnGrid) {
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"WRITER", 0, 0, writeAndRecalc, 0));
    formula(1, 1, L"WRITER()");
    EXPECT_EQ(value(1, 1), L"5");
    EXPECT_EQ(value(9, 9), L"written");
}

TEST_F(GridReentrantCallbacks, ACallbackMayDestroyItsOwnGrid) {
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"GONE", 0, 0, destroySelf, 0));
    EXPECT_TRUE(SSSetFormula(grid(), 1, 1, L"GONE()+1", TRUE));
    EXPECT_FALSE(IsWindow(grid()));
    EXPECT_EQ(SSGetMaxRows(grid()), -1);
    EXPECT_FALSE(SSReCalc(grid()));
}

TEST_F(GridReentrantCallbacks, ASuccessfulLoadEndsTheRegistrations) {
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"LOOKUP2", 0, 0, lookUp, 0));
    ASSERT_TRUE(SSLoadFromFile(grid(), tableFile.c_str()));
    ASSERT_TRUE(SSSetFormula(grid(), 1, 1, L"LOOKUP2()", FALSE));
    EXPECT_EQ(value(1, 1), L"#NAME?");
    EXPECT_FALSE(SSSetFormula(grid(), 1, 1, L"LOOKUP2()", TRUE));
}

} // namespace
} // namespace gridtest
