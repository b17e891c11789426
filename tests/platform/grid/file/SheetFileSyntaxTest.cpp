// Reading files written by hand in the documented syntax.
#include "SheetFileTestSupport.h"

namespace gridx {
namespace {

using testing::readSheet;
using testing::sheetHeader;

// A connection-standard sheet as a person would type it.
constexpr std::string_view kPlateStandard = R"sheet(# Plate thickness from the column size
gridsheet version=1
size cols=4 rows=12

sheet width=10 font="Tahoma" font-height=15
col A width=16 type=static style=140
col @ width=4
row 0 height=16 font="Tahoma" font-height=15 font-weight=700
row 12 hidden=yes
span A10:D10
format B2:B4 type=edit style=0x110000 max-length=200 char-case=1 locked=no back=#FFFFC0
format C2 type=combo items="IPE 200","HEA 300","HEB 400" list-rows=3 auto-search=yes
format D2:D4 type=number decimals=2 min=-9999 max=9999 separator=yes
cell A0 text=Variable
cell B0 text="Value"
cell @1 text="1"
cell A1 text="Input"
cell A2 text="Thickness"
cell B2 number=10
cell A3 text="Column"
cell B3 text="IPE 200"
cell A6 text=Calc
cell A7 text="Width = Thickness * 2"
cell B7 formula==B2*2
cell B8 formula="IF(B2>8,""thick"",""thin"")"
cell B9 formula="ROUNDTO(B2,5)"
cell C9 bool=true
cell D9 error=#n/a
cell A10 text="see c:\a\t3.sss" tag="note`tone`ntwo `u{263A}"
cell @0 tag="defaultTextHeight¤2¤10¤"
)sheet";

class SheetFileSyntaxTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = readSheet(kPlateStandard);
        ASSERT_NE(doc, nullptr);
    }
    const Value& value(int col, int row) const { return doc->sheet.value(col, row); }

    std::unique_ptr<Document> doc;
};

TEST_F(SheetFileSyntaxTest, AHandWrittenSheetReadsToTheCellsItDescribes) {
    EXPECT_EQ(doc->sheet.maxCols(), 4);
    EXPECT_EQ(doc->sheet.maxRows(), 12);
    EXPECT_EQ(value(1, 0), Value::text(L"Variable"));
    EXPECT_EQ(value(2, 0), Value::text(L"Value"));
    EXPECT_EQ(value(0, 1), Value::text(L"1"));
    EXPECT_EQ(value(1, 2), Value::text(L"Thickness"));
    EXPECT_EQ(value(2, 2), Value::number(10));
    EXPECT_EQ(value(2, 3), Value::text(L"IPE 200"));
    EXPECT_EQ(value(1, 7), Value::text(L"Width = Thickness * 2"));
    EXPECT_EQ(value(3, 9), Value::boolean(true));
    EXPECT_EQ(value(4, 9), Value::error(ErrorCode::NA));
}

TEST_F(SheetFileSyntaxTest, FormulasAreSetWithOrWithoutTheirSignAndComputed) {
    EXPECT_EQ(doc->sheet.formulaText(2, 7, RefStyle::A1), L"B2*2");
    EXPECT_EQ(value(2, 7), Value::number(20));
    EXPECT_EQ(value(2, 8), Value::text(L"thick"));
    EXPECT_TRUE(doc->sheet.hasFormula(2, 9)) << "unknown functions are kept";
    EXPECT_EQ(value(2, 9), Value::error(ErrorCode::Name));
}

TEST_F(SheetFileSyntaxTest, QuotedTextsKeepBackslashesAndDecodeTheirEscapes) {
    EXPECT_EQ(value(1, 10), Value::text(L"see c:\\a\\t3.sss"));
    EXPECT_EQ(doc->format.tag(1, 10), L"note\tone\ntwo \u263A");
    EXPECT_EQ(doc->format.tag(0, 0), L"defaultTextHeight\u00A42\u00A410\u00A4");
}

TEST_F(SheetFileSyntaxTest, FormatRecordsSetTypesWithTheirParameters) {
    const CellType& edit = doc->format.cellType(2, 3);
    EXPECT_EQ(edit.kind, CellKind::Edit);
    EXPECT_EQ(edit.style, 0x110000);
    EXPECT_EQ(edit.maxLength, 200);
    EXPECT_EQ(edit.charCase, 1);
    EXPECT_FALSE(doc->format.locked(2, 3));
    EXPECT_EQ(doc->format.cell(2, 3).backColor, 0x00C0FFFFu) << "#RRGGBB is red first";

    const CellType& combo = doc->format.cellType(3, 2);
    EXPECT_EQ(combo.kind, CellKind::ComboBox);
    EXPECT_EQ(combo.items, L"IPE 200\tHEA 300\tHEB 400");
    EXPECT_EQ(combo.listRows, 3);
    EXPECT_TRUE(combo.autoSearch);

    const CellType& number = doc->format.cellType(4, 4);
    EXPECT_EQ(number.kind, CellKind::Number);
    EXPECT_EQ(number.decimals, 2);
    EXPECT_EQ(number.minimum, -9999);
    EXPECT_EQ(number.maximum, 9999);
    EXPECT_TRUE(number.separator);
    EXPECT_EQ(doc->format.cellType(4, 5).kind, CellKind::General) << "outside the block";
}

TEST_F(SheetFileSyntaxTest, ColumnRowAndSheetRecordsFormatWholeLines) {
    EXPECT_EQ(doc->format.cellType(1, 11).kind, CellKind::StaticText);
    EXPECT_EQ(doc->format.cellType(1, 11).style, 140);
    EXPECT_EQ(doc->format.colWidth(1), 16);
    EXPECT_EQ(doc->format.colWidth(0), 4);
    EXPECT_EQ(doc->format.colWidth(3), 10) << "the sheet's default width";
    EXPECT_EQ(doc->format.rowHeight(0), 16);
    EXPECT_TRUE(doc->format.rowHidden(12));
    EXPECT_FALSE(doc->format.rowHidden(11));
    EXPECT_EQ(doc->format.cell(2, 0).font.weight, 700);
    EXPECT_EQ(doc->format.cell(2, 5).font.weight, 400);
    EXPECT_EQ(doc->format.cell(2, 5).font.face, L"Tahoma");
    EXPECT_EQ(doc->format.cell(2, 5).font.height, 15);
    EXPECT_EQ(doc->format.spanAt(3, 10), (Span{1, 10, 4, 1}));
}

// ---- Lexical details

TEST(SheetFileLexicalTest, CommentsBlankLinesCarriageReturnsAndAByteOrderMarkAreSkipped) {
    auto doc = readSheet("\xEF\xBB\xBF# comment\r\n\r\ngridsheet version=1\r\n   # indented "
                         "comment\r\nsize cols=2 rows=2\r\n\t\r\ncell B2 number=5\t \r\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->sheet.value(2, 2), Value::number(5));
}

TEST(SheetFileLexicalTest, AddressesAcceptAnyCaseAndCornersInAnyOrder) {
    auto doc = readSheet(sheetHeader(30, 5) + "format d4:b2 locked=yes\ncell ab3 number=1\n"
                                              "col c:a width=3\nrow 5:4 hidden=yes\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->format.locked(2, 2));
    EXPECT_TRUE(doc->format.locked(4, 4));
    EXPECT_FALSE(doc->format.locked(5, 4));
    EXPECT_EQ(doc->sheet.value(28, 3), Value::number(1));
    EXPECT_EQ(doc->format.colWidth(1), 3);
    EXPECT_EQ(doc->format.colWidth(3), 3);
    EXPECT_TRUE(doc->format.rowHidden(4));
    EXPECT_TRUE(doc->format.rowHidden(5));
}

TEST(SheetFileLexicalTest, LaterRecordsChangeWhatEarlierOnesSet) {
    auto doc = readSheet(sheetHeader(3, 3) + "cell A1 number=1\ncell A1 text=\"one\"\n"
                                             "format A1:C3 locked=yes back=#FF0000\n"
                                             "cell B2 locked=no\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->sheet.value(1, 1), Value::text(L"one"));
    EXPECT_FALSE(doc->format.locked(2, 2));
    EXPECT_EQ(doc->format.cell(2, 2).backColor, 0x000000FFu) << "the other attribute stays";
    EXPECT_TRUE(doc->format.locked(3, 3));
}

TEST(SheetFileLexicalTest, ColoursAreReadRedFirstOrAsRawReferences) {
    auto doc = readSheet(sheetHeader(3, 1) + "cell A1 back=#123456 fore=0x8000000B\n"
                                             "cell B1 border=15 border-color=0x00FF0000\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->format.cell(1, 1).backColor, 0x00563412u);
    EXPECT_EQ(doc->format.cell(1, 1).foreColor, 0x8000000Bu);
    EXPECT_EQ(doc->format.cell(2, 1).border, (Border{15, 0, 0x00FF0000u}));
}

TEST(SheetFileLexicalTest, AFontKeyStartsFromTheDefaultFont) {
    auto doc = readSheet(sheetHeader(2, 1) + "cell A1 font-weight=700\n");
    ASSERT_NE(doc, nullptr);
    CellFont expected;
    expected.weight = 700;
    EXPECT_EQ(doc->format.cell(1, 1).font, expected);
}

TEST(SheetFileLexicalTest, QuotedListsJoinWithTabsAndKeepEmptyEntries) {
    auto doc =
        readSheet(sheetHeader(1, 1) + "cell A1 type=combo items=\"\",\"a \"\"b\"\"\",\"\"\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->format.cellType(1, 1).items, L"\ta \"b\"\t");
}

TEST(SheetFileLexicalTest, StyleFlagsMayUseTheHighBit) {
    auto doc = readSheet(sheetHeader(1, 1) + "cell A1 type=edit style=0x80000001\n");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>(doc->format.cellType(1, 1).style), 0x80000001u);
}

} // namespace
} // namespace gridx
