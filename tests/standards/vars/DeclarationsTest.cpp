#include "VarsTestSupport.h"

namespace varstest {
namespace {

using Descriptions = std::vector<std::wstring>;

// Input 0, Output 1, Local 2; Int 0, Double 1, String 2.

TEST_F(VarsTest, KeywordsInAnyColumnHeadTheRowsBelowThem) {
    create(6, 12);
    set(3, 1, L"Input");
    set(2, 2, L"Double Thickness");
    set(5, 3, L"Int Count");
    set(1, 4, L"Output");
    set(4, 5, L"String Name");
    set(5, 7, L"Local");
    set(6, 8, L"Double Tmp");
    set(2, 10, L"Calc");
    set(1, 11, L"Double NotDeclared"); // under Calc: never a declaration

    const StandardsSheetKeywords keywords = findKeywords(spread);
    EXPECT_EQ(keywords.input.column, 3);
    EXPECT_EQ(keywords.input.row, 1);
    EXPECT_EQ(keywords.output.column, 1);
    EXPECT_EQ(keywords.output.row, 4);
    EXPECT_EQ(keywords.local.column, 5);
    EXPECT_EQ(keywords.calc.row, 10);
    int first = 0;
    int last = 0;
    ASSERT_TRUE(sectionRows(keywords, keywords.input, first, last));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 4);
    ASSERT_TRUE(sectionRows(keywords, keywords.local, first, last));
    EXPECT_EQ(first, 8);
    EXPECT_EQ(last, 10);
    EXPECT_FALSE(sectionRows(keywords, keywords.calc, first, last));

    int column = 0;
    int row = 0;
    ASSERT_EQ(findKeyword(spread, L"Calc", column, row), eOk);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 10);
    EXPECT_EQ(findKeyword(spread, L"Missing", column, row), eInvalidInput);

    read();
    EXPECT_EQ(described(), (Descriptions{L"Thickness:0:1@2,2", L"Count:0:0@5,3", L"Name:1:2@4,5",
                                         L"Tmp:2:1@6,8"}));
}

TEST_F(VarsTest, TheRowBelowOutputBelongsToOutputOnly) {
    create(3, 8);
    set(1, 1, L"Input");
    set(1, 2, L"Double A");
    set(2, 3, L"Output");
    set(1, 3, L"Double OnTheKeywordRow"); // still the input section
    set(1, 4, L"Double B");
    set(1, 6, L"Calc");

    read();
    EXPECT_EQ(described(), (Descriptions{L"A:0:1@1,2", L"OnTheKeywordRow:0:1@1,3", L"B:1:1@1,4"}));
}

TEST_F(VarsTest, TheFirstMatchingCellIsTheKeywordWhateverItsCase) {
    create(4, 8);
    set(2, 1, L"input");
    set(1, 2, L"Double A");
    set(1, 3, L"OUTPUT");
    set(3, 4, L"Input"); // a later match does not count
    set(1, 4, L"Double B");
    set(1, 5, L"Calc");

    const StandardsSheetKeywords keywords = findKeywords(spread);
    EXPECT_EQ(keywords.input.row, 1);
    EXPECT_EQ(keywords.input.column, 2);
    read();
    EXPECT_EQ(described(), (Descriptions{L"A:0:1@1,2", L"B:1:1@1,4"}));
}

TEST_F(VarsTest, ASheetWithoutLocalReadsInputsAndOutputs) {
    create(2, 6);
    set(1, 1, L"Input");
    set(1, 2, L"Int A");
    set(1, 3, L"Output");
    set(1, 4, L"Int B");
    set(1, 5, L"Calc");

    read();
    EXPECT_EQ(described(), (Descriptions{L"A:0:0@1,2", L"B:1:0@1,4"}));
}

TEST_F(VarsTest, ASheetWithoutOutputOrInputFailsToRead) {
    create(2, 6);
    set(1, 1, L"Input");
    set(1, 2, L"Int A");
    set(1, 5, L"Calc");
    cells.append(KvVarCell());
    EXPECT_EQ(readDeclarations(spread, cells), eInvalidInput);
    EXPECT_EQ(cells.length(), 0) << "the list is emptied first";

    set(1, 1, L"Output");
    EXPECT_EQ(readDeclarations(spread, cells), eInvalidInput);
}

TEST_F(VarsTest, ASectionWithNoSectionBelowHoldsNoDeclarations) {
    create(2, 6);
    set(1, 1, L"Input");
    set(1, 2, L"Int A");
    set(1, 3, L"Output");
    set(1, 4, L"Int B"); // nothing below Output: not read

    read();
    EXPECT_EQ(described(), (Descriptions{L"A:0:0@1,2"}));
}

TEST_F(VarsTest, DeclarationWordsAreMatchedAtTheStartOfTheTrimmedText) {
    create(6, 5);
    set(1, 1, L"Input");
    set(1, 2, L"   Double Width");
    set(2, 2, L"Integer Count");
    set(3, 2, L"Double");
    set(4, 2, L"Text Ignored");
    set(5, 2, L"string lower");
    set(6, 2, L"Double  Two blanks");
    set(1, 3, L"Output");
    set(1, 5, L"Calc");

    read();
    EXPECT_EQ(described(), (Descriptions{L"Width:0:1@1,2", L"Count:0:0@2,2", L":0:1@3,2",
                                         L"lower:0:2@5,2", L" Two blanks:0:1@6,2"}));
}

TEST_F(VarsTest, DeclarationOrderIsInputsOutputsLocalsThenRowsThenColumns) {
    create(4, 12);
    set(1, 1, L"Output"); // outputs above inputs still come after them
    set(3, 2, L"Double O2");
    set(1, 2, L"Double O1");
    set(1, 4, L"Input");
    set(3, 5, L"Int I2");
    set(2, 5, L"Int I1");
    set(1, 6, L"Int I3");
    set(1, 7, L"Local");
    set(2, 8, L"String L1");
    set(1, 10, L"Calc");

    read();
    EXPECT_EQ(described(), (Descriptions{L"I1:0:0@2,5", L"I2:0:0@3,5", L"I3:0:0@1,6", L"O1:1:1@1,2",
                                         L"O2:1:1@3,2", L"L1:2:2@2,8"}));
}

TEST_F(VarsTest, ReadingTheDeclarationsReplacesTheListAndKeepsTheMapping) {
    create(2, 6);
    set(1, 1, L"Input");
    set(1, 2, L"Int A");
    set(1, 3, L"Output");
    set(1, 5, L"Calc");
    cells.mapping().mode = KvSSMapping::kFileMode;
    KvVarCell stale;
    stale.name = L"Stale";
    cells.append(stale);

    read();
    EXPECT_EQ(described(), (Descriptions{L"A:0:0@1,2"}));
    EXPECT_EQ(cells.mapping().mode, KvSSMapping::kFileMode);
}

TEST_F(VarsTest, InitializeRefusesCellsOutsideTheGridAndNonDeclarations) {
    create(2, 3);
    set(1, 1, L"Double X");
    set(2, 1, L"Width");
    KvVarCell cell;
    cell.value = L"kept";
    EXPECT_EQ(cell.initialize(spread, 2, 1, KvCellType::Output), eInvalidInput);
    EXPECT_EQ(cell.initialize(spread, 9, 1, KvCellType::Output), eInvalidInput);
    ASSERT_EQ(cell.initialize(spread, 1, 1, KvCellType::Output), eOk);
    EXPECT_EQ(cell.name, L"X");
    EXPECT_TRUE(cell.isOutput());
    EXPECT_FALSE(cell.isInput());
    EXPECT_EQ(cell.value, L"kept") << "the value is left as it was";
}

} // namespace
} // namespace varstest
