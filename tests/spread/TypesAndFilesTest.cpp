// Cell-type presets, picture cells, and spreadsheet files and calculation through the wrapper.
#include "SpreadTestSupport.h"

namespace spreadtest {
namespace {

class TypesAndFilesTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        create(3, 4);
    }
    TempFolder folder;
};

BOOL twice(LPSSVALUE result, LPSSVALUE args, short argCount) {
    if (argCount != 1 || args[0].Status != SS_VALUE_STATUS_OK) return FALSE;
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_DOUBLE;
    result->ValDouble =
        2 * (args[0].Type == SS_VALUE_TYPE_DOUBLE ? args[0].ValDouble : args[0].ValLong);
    return TRUE;
}

TEST_F(TypesAndFilesTest, PresetsGiveTheirCellTypes) {
    ASSERT_TRUE(spread.setEditType(1, 1, 1, 2));
    EXPECT_EQ(typeCode(1, 2), SS_TYPE_EDIT);
    ASSERT_TRUE(spread.setNumberType(2, 1, 2, 4, 3, false));
    set(2, 1, L"1.23456");
    EXPECT_EQ(value(2, 1), L"1.235");
    ASSERT_TRUE(spread.setColumnStatic(3, 0));
    EXPECT_EQ(typeCode(3, 4), SS_TYPE_STATICTEXT);
    EXPECT_EQ(typeCode(3, Trk_Spread::HEADER), SS_TYPE_STATICTEXT);
    ASSERT_TRUE(spread.setStaticText(1, 4, 0));
    EXPECT_EQ(typeCode(1, 4), SS_TYPE_STATICTEXT);
    ASSERT_TRUE(spread.setListType(1, 3, 1, 3, Trk_StringArray{L"x", L"y"}, false));
    EXPECT_EQ(typeCode(1, 3), SS_TYPE_COMBOBOX);
    ASSERT_TRUE(spread.setButtonCell(3, 2, L"Go"));
    EXPECT_EQ(typeCode(3, 2), SS_TYPE_BUTTON);
    EXPECT_TRUE(spread.isChanged()) << "a button marks the grid changed";
}

TEST_F(TypesAndFilesTest, ComboRangesAreClampedToTheRowsAndColumnsMustExist) {
    ASSERT_TRUE(spread.setComboType(1, -3, 1, 10, Trk_StringArray{L"a", L"b"}, true));
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(typeCode(1, row), SS_TYPE_COMBOBOXEX);
    EXPECT_FALSE(spread.setComboType(2, 5, 2, 9, Trk_StringArray{L"a"}, false));
    EXPECT_NE(typeCode(2, 4), SS_TYPE_COMBOBOXEX);
    ASSERT_TRUE(spread.setComboColumn(2, Trk_StringArray{L"a"}, false));
    EXPECT_EQ(typeCode(2, 4), SS_TYPE_COMBOBOXEX);
    EXPECT_FALSE(spread.setComboColumn(4, Trk_StringArray{L"a"}, false));
    EXPECT_FALSE(spread.setComboColumn(0, Trk_StringArray{L"a"}, false));
}

TEST_F(TypesAndFilesTest, AButtonColumnCoversEveryRowAndCanSpanTheCaptionBefore) {
    ASSERT_TRUE(spread.setButtonColumn(2, L"Edit", true));
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(typeCode(2, row), SS_TYPE_BUTTON);
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    EXPECT_EQ(SSGetCellSpan(grid(), 1, Trk_Spread::HEADER, &anchorCol, &anchorRow, &cols, &rows),
              SS_SPAN_ANCHOR);
    EXPECT_EQ(cols, 2);
}

TEST_F(TypesAndFilesTest, APictureRowTakesThePicturesHeightAndTheRestOfTheRow) {
    const std::wstring file = folder.file(L"plate.bmp");
    writeBitmapFile(file, 30, 47);
    int rowsUsed = 5;
    ASSERT_TRUE(spread.setPictureRow(file, 2, 3, rowsUsed));
    EXPECT_EQ(rowsUsed, 0);
    int height = 0;
    ASSERT_TRUE(SSGetRowHeightInPixels(grid(), 3, &height));
    EXPECT_EQ(height, 47);
    EXPECT_EQ(typeCode(2, 3), SS_TYPE_PICTURE);
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    EXPECT_EQ(SSGetCellSpan(grid(), 2, 3, &anchorCol, &anchorRow, &cols, &rows), SS_SPAN_ANCHOR);
    EXPECT_EQ(cols, spread.colCount() - 1) << "the span stays inside the grid";
    WORD type = 0;
    WORD style = 0;
    COLORREF colour = 0;
    ASSERT_TRUE(SSGetBorder(grid(), 1, 3, &type, &style, &colour));
    EXPECT_EQ(type, 18);

    EXPECT_FALSE(spread.setPictureRow(folder.file(L"missing.bmp"), 1, 1, rowsUsed));
    EXPECT_NE(typeCode(1, 1), SS_TYPE_PICTURE);
}

TEST_F(TypesAndFilesTest, ResourcePicturesComeFromTheModule) {
    EXPECT_TRUE(spread.setResourcePicture(1, 1, 8134, false));
    EXPECT_EQ(typeCode(1, 1), SS_TYPE_PICTURE);
    EXPECT_FALSE(spread.setResourcePicture(1, 2, 4711, false));
}

TEST_F(TypesAndFilesTest, ASavedSheetLoadsBackWithDataFormatsAndCounts) {
    ASSERT_TRUE(spread.setColumnTexts(1, Trk_StringArray{L"one", L"two"}, false));
    ASSERT_TRUE(spread.setCheckColumn(2, false, false));
    ASSERT_TRUE(spread.setBool(2, 2, true));
    ASSERT_TRUE(SSSetFormula(grid(), 3, 1, L"=LEN(A1)*2", TRUE));
    const std::wstring file = folder.file(L"sheet.kvs");
    ASSERT_EQ(spread.saveFile(file), 1);

    Trk_Spread other;
    HostWindow otherHost;
    ASSERT_TRUE(otherHost.create());
    ASSERT_TRUE(other.createInDialog(&otherHost, kPlaceholderId, true));
    ASSERT_EQ(other.loadFile(file), 1);
    EXPECT_EQ(other.rowCount(), 4);
    EXPECT_EQ(other.colCount(), 3);
    Trk_StringArray texts;
    ASSERT_TRUE(other.getColumnTexts(1, 3, texts));
    EXPECT_EQ(texts, (Trk_StringArray{L"one", L"two", L"", L""}));
    bool flag = false;
    ASSERT_TRUE(other.getBool(2, 2, flag));
    EXPECT_TRUE(flag);
    Trk_String formula;
    ASSERT_TRUE(other.getCellText(3, 1, 1, formula));
    EXPECT_EQ(formula, L"LEN(A1)*2");
    int number = 0;
    ASSERT_TRUE(other.getInt(3, 1, number));
    EXPECT_EQ(number, 6);

    EXPECT_EQ(other.loadFile(folder.file(L"missing.kvs")), 0);
    EXPECT_EQ(other.rowCount(), 4) << "a failed load changes nothing";
    EXPECT_EQ(spread.saveFile(folder.file(L"no-such-folder/x/sheet.kvs")), 0);
}

TEST_F(TypesAndFilesTest, CustomFunctionsAndRecalculation) {
    ASSERT_TRUE(spread.addCustomFunction(L"TWICE", 1, 1, &twice, 0));
    EXPECT_FALSE(spread.addCustomFunction(L"", 1, 1, &twice, 0));
    EXPECT_FALSE(spread.addCustomFunction(L"NONE", 1, 1, nullptr, 0));
    SSSetBool(grid(), Trk_Spread::kOptionAutoCalc, FALSE);
    set(1, 1, L"4");
    ASSERT_TRUE(SSSetFormula(grid(), 2, 1, L"=TWICE(A1)", TRUE));
    EXPECT_EQ(value(2, 1), L"8");
    set(1, 1, L"5");
    ASSERT_TRUE(spread.recalcCell(2, 1));
    EXPECT_EQ(value(2, 1), L"10");
    set(1, 1, L"6");
    ASSERT_TRUE(spread.recalc());
    EXPECT_EQ(value(2, 1), L"12");
    EXPECT_FALSE(spread.recalcCell(9, 1));

    ASSERT_TRUE(spread.setRefStyle(2));
    Trk_String formula;
    ASSERT_TRUE(spread.getCellText(2, 1, 1, formula));
    EXPECT_EQ(formula, L"TWICE(RC[-1])");
    EXPECT_FALSE(spread.setRefStyle(3));
}

} // namespace
} // namespace spreadtest
