// Writing and reading back: every kind of content and format survives, and the text is
// canonical (the same document always gives the same bytes).
#include "SheetFileTestSupport.h"

#include <cmath>
#include <limits>

namespace gridx {
namespace {

using testing::readSheet;

class SheetFileRoundTripTest : public ::testing::Test {
protected:
    static constexpr int kCols = 30;
    static constexpr int kRows = 40;

    SheetFileRoundTripTest() {
        doc.setMaxCols(kCols);
        doc.setMaxRows(kRows);
    }

    void set(int col, int row, Value value) {
        ASSERT_TRUE(doc.sheet.setConstant(col, row, std::move(value)));
    }
    void formula(int col, int row, std::wstring_view text) {
        ASSERT_NE(doc.sheet.setFormula(col, row, text, RefStyle::A1, false),
                  FormulaStatus::SyntaxError);
    }
    static RangeRef cells(int col1, int row1, int col2, int row2) {
        return RangeRef{col1, row1, col2, row2};
    }

    void fillContents();
    void fillFormats();

    // Writes the document, reads it back and checks that the copy writes the same text.
    std::unique_ptr<Document> roundTrip() {
        written = sheetText(doc);
        auto copy = readSheet(written);
        if (copy) {
            EXPECT_EQ(sheetText(*copy), written);
        }
        return copy;
    }

    Document doc;
    std::string written;
};

void SheetFileRoundTripTest::fillContents() {
    set(1, 1, Value::number(10));
    set(2, 1, Value::text(L"Plate \"A\"\n`tick` c:\\a\\t3.sss \u00A4 \u00FC \u6F22 \U0001F600\t|"));
    set(3, 1, Value::boolean(true));
    set(4, 1, Value::boolean(false));
    set(5, 1, Value::error(ErrorCode::Div0));
    set(6, 1, Value::error(ErrorCode::NA));
    set(7, 1, Value::number(0.1));
    set(8, 1, Value::number(-1.0 / 3.0));
    set(9, 1, Value::number(1e300));
    set(10, 1, Value::number(std::numeric_limits<double>::denorm_min()));
    set(11, 1, Value::text(L"123"));
    set(12, 1, Value::text(L""));
    set(13, 1, Value::text(std::wstring(L"nul\0ctl\x01\x7F", 9)));
    formula(1, 2, L"A1*2");
    formula(2, 2, L"SUM(A1:A3)+$G$1");
    formula(3, 2, L"IF(A1>5,\"big\",\"small\")");
    formula(4, 2, L"GETCELL(\"profiles.txt\",A1)");
    set(1, 0, Value::text(L"Width"));
    set(0, 1, Value::text(L"Row one"));
    set(0, 0, Value::number(7));
    doc.format.setTag(0, 0, L"defaultFont\u00A44\u00A4Tahoma\u00A4");
    doc.format.setTag(3, 3, L"a tag on an empty cell");
    doc.format.setTag(1, 1, L"a tag beside a number");
}

void SheetFileRoundTripTest::fillFormats() {
    FormatLayer sheetWide;
    sheetWide.locked = true;
    sheetWide.foreColor = 0x00102030;
    doc.format.apply(cells(kAll, kAll, kAll, kAll), sheetWide);
    doc.format.setColWidth(kAll, 9.5);
    doc.format.setRowHeight(kAll, 13.25);

    CellType number;
    number.kind = CellKind::Number;
    number.style = static_cast<std::int32_t>(0x10000000u | 0x400000u);
    number.decimals = 2;
    number.minimum = -99999999999999;
    number.maximum = 99999999999999;
    number.separator = true;
    doc.format.setCellType(cells(3, kAll, 4, kAll), number);
    doc.format.setColWidth(1, 12.5);
    doc.format.setColWidth(0, 4);
    doc.format.setColWidth(7, 0);

    doc.format.setColors(cells(kAll, 4, kAll, 4), 0x8000000B, std::nullopt);
    doc.format.setRowHeight(0, 20);
    doc.format.setRowHeight(5, 30);
    doc.format.setRowHidden(6, true);
    doc.format.setRowHidden(7, true);

    ASSERT_TRUE(doc.format.addSpan(1, 10, 3, 1));
    ASSERT_TRUE(doc.format.addSpan(5, 12, 2, 2));

    CellType edit;
    edit.kind = CellKind::Edit;
    edit.style = 0x110000;
    edit.maxLength = 200;
    edit.charCase = 1;
    edit.charSet = 2;
    doc.format.setCellType(cells(1, 20, 3, 25), edit);

    CellType combo;
    combo.kind = CellKind::ComboBoxEx;
    combo.style = 0x100002;
    combo.items = L"IPE 200\tHEA \"300\"\t\tlast";
    combo.listRows = 4;
    combo.maxEditLength = 999;
    combo.listWidth = 120;
    combo.autoSearch = true;
    doc.format.setCellType(cells(4, 5, 4, 5), combo);

    CellType check;
    check.kind = CellKind::CheckBox;
    check.style = 0x300;
    check.text = L"Use";
    check.pictures[0] = PictureRef{L"up.bmp", 0, 6};
    check.pictures[3] = PictureRef{L"", 0, 6};
    doc.format.setCellType(cells(2, 30, 2, 35), check);

    CellType button;
    button.kind = CellKind::Button;
    button.text = L"Go";
    button.pictures[1] = PictureRef{L"down.bmp", 0, 2};
    doc.format.setCellType(cells(6, 30, 6, 30), button);

    CellFont font;
    font.face = L"Tahoma";
    font.height = 15;
    font.weight = 700;
    font.italic = true;
    font.underline = true;
    font.strikeOut = true;
    font.charSet = 0;
    doc.format.setFont(cells(1, 0, kCols, 0), font);

    doc.format.setBorder(cells(2, 8, 3, 9), Border{2, 6, 0x000000FF});
    doc.format.setBorder(cells(5, 8, 5, 8), Border{0, 0, 0});
    doc.format.setLocked(cells(1, 1, 2, 2), false);
    doc.format.setColors(cells(8, 8, 9, 9), 0x00E6E6E6, 0x000000FF);
}

void expectSameFormat(const CellFormat& a, const CellFormat& b, int col, int row) {
    SCOPED_TRACE("cell " + std::to_string(col) + "," + std::to_string(row));
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.locked, b.locked);
    EXPECT_EQ(a.backColor, b.backColor);
    EXPECT_EQ(a.foreColor, b.foreColor);
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.border, b.border);
}

TEST_F(SheetFileRoundTripTest, EveryKindOfContentReadsBackUnchanged) {
    fillContents();
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->sheet.maxCols(), kCols);
    EXPECT_EQ(copy->sheet.maxRows(), kRows);
    EXPECT_EQ(copy->sheet.cellCount(), doc.sheet.cellCount());
    for (int row = 0; row <= kRows; ++row) {
        for (int col = 0; col <= kCols; ++col) {
            SCOPED_TRACE("cell " + std::to_string(col) + "," + std::to_string(row));
            EXPECT_EQ(copy->sheet.hasFormula(col, row), doc.sheet.hasFormula(col, row));
            EXPECT_EQ(copy->sheet.formulaText(col, row, RefStyle::A1),
                      doc.sheet.formulaText(col, row, RefStyle::A1));
            if (!doc.sheet.hasFormula(col, row)) {
                EXPECT_EQ(copy->sheet.value(col, row), doc.sheet.value(col, row));
            }
            EXPECT_EQ(copy->format.tag(col, row), doc.format.tag(col, row));
        }
    }
}

TEST_F(SheetFileRoundTripTest, NumbersKeepEveryBitAndNegativeZeroItsSign) {
    const double samples[] = {0.1,
                              1.0 / 3.0,
                              2.0 / 3.0,
                              1e-300,
                              123456789012345678.0,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::min(),
                              -0.0,
                              5e-324};
    int col = 1;
    for (double sample : samples)
        set(col++, 1, Value::number(sample));
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    col = 1;
    for (double sample : samples) {
        const Value& back = copy->sheet.value(col++, 1);
        ASSERT_TRUE(back.isNumber());
        EXPECT_EQ(back.asNumber(), sample);
        EXPECT_EQ(std::signbit(back.asNumber()), std::signbit(sample));
    }
}

TEST_F(SheetFileRoundTripTest, FormulasAreRecalculatedAfterReading) {
    set(1, 1, Value::number(4));
    formula(2, 1, L"A1*2");
    formula(3, 1, L"B1+1");
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->sheet.value(2, 1), Value::number(8));
    EXPECT_EQ(copy->sheet.value(3, 1), Value::number(9));
}

TEST_F(SheetFileRoundTripTest, EveryFormatReadsBackUnchanged) {
    fillFormats();
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    for (int row = 0; row <= kRows; ++row)
        for (int col = 0; col <= kCols; ++col)
            expectSameFormat(copy->format.cell(col, row), doc.format.cell(col, row), col, row);
    for (int col = 0; col <= kCols; ++col)
        EXPECT_EQ(copy->format.colWidth(col), doc.format.colWidth(col)) << "column " << col;
    for (int row = 0; row <= kRows; ++row) {
        EXPECT_EQ(copy->format.rowHeight(row), doc.format.rowHeight(row)) << "row " << row;
        EXPECT_EQ(copy->format.rowHidden(row), doc.format.rowHidden(row)) << "row " << row;
    }
    EXPECT_EQ(copy->format.defaultColWidth(), 9.5);
    EXPECT_EQ(copy->format.defaultRowHeight(), 13.25);
    EXPECT_EQ(copy->format.spanAt(2, 10), (Span{1, 10, 3, 1}));
    EXPECT_EQ(copy->format.spanAt(6, 13), (Span{5, 12, 2, 2}));
    EXPECT_FALSE(copy->format.spanAt(4, 10).has_value());
}

TEST_F(SheetFileRoundTripTest, LayersStayLayersSoLaterRowsAndColumnsInheritThem) {
    fillFormats();
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    copy->setMaxRows(kRows + 5);
    doc.setMaxRows(kRows + 5);
    expectSameFormat(copy->format.cell(3, kRows + 3), doc.format.cell(3, kRows + 3), 3, kRows + 3);
    EXPECT_EQ(copy->format.cellType(3, kRows + 3).kind, CellKind::Number);
    EXPECT_TRUE(copy->format.locked(9, kRows + 4));
}

TEST_F(SheetFileRoundTripTest, HandlesAreLeftOutButPictureTypesAndNamesStay) {
    CellType picture;
    picture.kind = CellKind::CheckBox;
    picture.pictures[0] = PictureRef{L"", 0x1234, 6};
    picture.pictures[1] = PictureRef{L"down.bmp", 0x5678, 6};
    CellType combo;
    combo.kind = CellKind::ComboBox;
    combo.items = L"a\tb";
    combo.dropWindow = 0x9999;
    doc.format.setCellType(cells(1, 1, 1, 1), picture);
    doc.format.setCellType(cells(2, 1, 2, 1), combo);
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    const CellType& checkBack = copy->format.cellType(1, 1);
    EXPECT_EQ(checkBack.pictures[0], (PictureRef{L"", 0, 6}));
    EXPECT_EQ(checkBack.pictures[1], (PictureRef{L"down.bmp", 0, 6}));
    EXPECT_EQ(copy->format.cellType(2, 1).dropWindow, 0u);
    EXPECT_EQ(copy->format.cellType(2, 1).items, L"a\tb");
}

TEST_F(SheetFileRoundTripTest, EqualFormatsAreWrittenAsBlocksAndRuns) {
    fillFormats();
    written = sheetText(doc);
    EXPECT_NE(written.find("format A20:C25 type=edit"), std::string::npos) << written;
    EXPECT_NE(written.find("col C:D type=number"), std::string::npos) << written;
    EXPECT_NE(written.find("row 6:7 hidden=yes"), std::string::npos) << written;
    EXPECT_NE(written.find("span A10:C10\n"), std::string::npos) << written;
}

TEST_F(SheetFileRoundTripTest, AnEmptyDocumentIsTheHeaderAndTheSize) {
    doc.setMaxCols(0);
    doc.setMaxRows(0);
    written = sheetText(doc);
    EXPECT_EQ(written, "gridsheet version=1\nsize cols=0 rows=0\n");
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->sheet.cellCount(), 0u);
}

// ---- Determinism

TEST_F(SheetFileRoundTripTest, SavingTwiceGivesIdenticalBytes) {
    fillContents();
    fillFormats();
    EXPECT_EQ(sheetText(doc), sheetText(doc));
}

TEST_F(SheetFileRoundTripTest, TheOrderOfChangesDoesNotChangeTheText) {
    Document other;
    other.setMaxCols(kCols);
    other.setMaxRows(kRows);
    for (int col = 5; col >= 1; --col)
        other.sheet.setConstant(col, 2, Value::number(col));
    other.format.setTag(4, 4, L"second");
    other.format.setTag(1, 1, L"first");
    other.format.setLocked(cells(2, 2, 2, 2), true);
    other.format.setLocked(cells(1, 2, 1, 2), true);

    for (int col = 1; col <= 5; ++col)
        doc.sheet.setConstant(col, 2, Value::number(col));
    doc.format.setTag(1, 1, L"first");
    doc.format.setTag(4, 4, L"second");
    doc.format.setLocked(cells(1, 2, 2, 2), true);

    EXPECT_EQ(sheetText(other), sheetText(doc));
}

TEST_F(SheetFileRoundTripTest, NumbersAFileCannotHoldAreWrittenAsTheErrorTheyShow) {
    set(1, 1, Value::number(std::numeric_limits<double>::infinity()));
    set(2, 1, Value::number(std::nan("")));
    auto copy = roundTrip();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->sheet.value(1, 1), Value::error(ErrorCode::Num));
    EXPECT_EQ(copy->sheet.value(2, 1), Value::error(ErrorCode::Num));
}

} // namespace
} // namespace gridx
