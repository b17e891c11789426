// Data, values, formulas and tags through the flat interface, cell type by cell type.
#include "GridTestHost.h"

#include "win/winx.h"

#include <limits>

namespace gridtest {
namespace {

class GridCells : public GridTest {
protected:
    double number(int col, int row) {
        double out = -1.0;
        EXPECT_TRUE(SSGetFloat(grid(), col, row, &out));
        return out;
    }
    SS_CELLTYPE numberType(short decimals, BOOL separator) {
        SS_CELLTYPE type{};
        SSSetTypeNumber(grid(), &type, 0x10000000 | 0x100000, decimals, -99999999999999.0,
                        99999999999999.0, separator);
        return type;
    }
};

TEST_F(GridCells, GeneralCellsTurnNumericTextIntoNumbers) {
    set(1, 1, L"12.50");
    EXPECT_EQ(data(1, 1), L"12.5");
    EXPECT_EQ(value(1, 1), L"12.5");
    EXPECT_EQ(number(1, 1), 12.5);

    set(1, 2, L"abc");
    EXPECT_EQ(data(1, 2), L"abc");
    double unused = 0.0;
    EXPECT_FALSE(SSGetFloat(grid(), 1, 2, &unused));

    set(1, 3, L"=A1*2");
    EXPECT_EQ(data(1, 3), L"=A1*2") << "data never makes a formula";
    EXPECT_EQ(formulaText(1, 3), L"");
    EXPECT_EQ(typeCode(1, 3), SS_TYPE_GENERAL);
}

TEST_F(GridCells, ATextReadAfterItsLengthIsTheCellsTextAtTheTimeOfTheRead) {
    set(1, 1, L"abc");
    formula(2, 1, L"1/4");
    const std::wstring formulaOfB1 = formulaText(2, 1);
    ASSERT_FALSE(formulaOfB1.empty());
    std::wstring buffer(64, L'?');
    ASSERT_EQ(SSGetValueLen(grid(), 1, 1), 3);
    EXPECT_EQ(SSGetValue(grid(), 1, 1, buffer.data()), 3);
    EXPECT_STREQ(buffer.c_str(), L"abc");

    ASSERT_EQ(SSGetValueLen(grid(), 1, 1), 3);
    set(1, 1, L"longer text"); // a call between the length and the text
    EXPECT_EQ(SSGetValue(grid(), 1, 1, buffer.data()), 11);
    EXPECT_STREQ(buffer.c_str(), L"longer text");

    ASSERT_EQ(SSGetValueLen(grid(), 1, 1), 11);
    EXPECT_EQ(SSGetValue(grid(), 2, 1, buffer.data()), 4) << "another cell";
    EXPECT_STREQ(buffer.c_str(), L"0.25");
    ASSERT_EQ(SSGetValueLen(grid(), 2, 1), 4);
    EXPECT_EQ(SSGetFormula(grid(), 2, 1, buffer.data()), static_cast<int>(formulaOfB1.size()))
        << "another kind of text";
    EXPECT_EQ(std::wstring(buffer.c_str()), formulaOfB1);
}

TEST_F(GridCells, TextCellsKeepWhatIsWritten) {
    SS_CELLTYPE edit{};
    SSSetTypeEdit(grid(), &edit, 0x110000, 200, 0, 1);
    setType(1, 1, &edit);
    set(1, 1, L"007");
    EXPECT_EQ(data(1, 1), L"007");
    EXPECT_EQ(value(1, 1), L"007");
    EXPECT_EQ(number(1, 1), 7.0) << "numeric text still reads as a number";

    SS_CELLTYPE label{};
    SSSetTypeStaticText(grid(), &label, 140);
    setType(2, 1, &label);
    set(2, 1, L"1e3");
    EXPECT_EQ(value(2, 1), L"1e3");
}

TEST_F(GridCells, NumberCellsShowTheirDecimals) {
    SS_CELLTYPE type = numberType(2, TRUE);
    ASSERT_TRUE(SSSetCellTypeRange(grid(), 1, 1, 1, 5, &type));
    set(1, 1, L"1234.5");
    EXPECT_EQ(value(1, 1), L"1234.50");
    EXPECT_EQ(data(1, 1), L"1,234.50") << "data shows the separators the type asks for";
    set(1, 2, L"1,234.5");
    EXPECT_EQ(number(1, 2), 1234.5);
    set(1, 3, L"2.675");
    EXPECT_EQ(value(1, 3), L"2.68");
    set(1, 4, L"-0.001");
    EXPECT_EQ(value(1, 4), L"0.00");
    set(1, 5, L"");
    EXPECT_EQ(value(1, 5), L"") << "an empty number cell reads empty";

    SS_CELLTYPE seven = numberType(7, FALSE);
    setType(2, 1, &seven);
    formula(2, 1, L"10*2");
    EXPECT_EQ(value(2, 1), L"20.0000000");
    EXPECT_EQ(typeCode(2, 1), SS_TYPE_NUMBER);
    for (int row = 2; row <= 4; ++row)
        setType(2, row, &seven);
    formula(2, 2, L"90*2");
    EXPECT_EQ(value(2, 2), L"180.0000000") << "large values gain no last digit";
    set(2, 3, value(2, 2));
    EXPECT_EQ(value(2, 3), L"180.0000000") << "reading and writing back does not drift";
    set(2, 4, L"123456.12345675");
    EXPECT_EQ(value(2, 4), L"123456.1234568");
}

TEST_F(GridCells, IntegerCurrencyAndPercentCellsAreNumeric) {
    SS_CELLTYPE integer{};
    SSSetTypeInteger(grid(), &integer, -100, 100);
    setType(1, 1, &integer);
    set(1, 1, L"2.5");
    EXPECT_EQ(value(1, 1), L"3");
    EXPECT_EQ(typeCode(1, 1), SS_TYPE_INTEGER);

    SS_CELLTYPE currency{};
    SSSetTypeCurrency(grid(), &currency, 0, 2, 0.0, 1e9, TRUE);
    setType(1, 2, &currency);
    set(1, 2, L"1500");
    EXPECT_EQ(value(1, 2), L"1500.00");
    EXPECT_EQ(typeCode(1, 2), SS_TYPE_CURRENCY);

    SS_CELLTYPE percent{};
    SSSetTypePercent(grid(), &percent, 0, 1, 0.0, 1.0);
    setType(1, 3, &percent);
    set(1, 3, L"0.25");
    EXPECT_EQ(value(1, 3), L"0.3");
    EXPECT_EQ(number(1, 3), 0.25);
    EXPECT_EQ(typeCode(1, 3), SS_TYPE_PERCENT);
}

TEST_F(GridCells, CheckBoxesReadOneOrZero) {
    SS_CELLTYPE check{};
    SSSetTypeCheckBox(grid(), &check, 0x300, L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0,
                      nullptr, 0, nullptr, 0);
    ASSERT_TRUE(SSSetCellTypeRange(grid(), 1, 1, 1, 4, &check));
    EXPECT_EQ(value(1, 1), L"0") << "an untouched box is unchecked";
    set(1, 1, L"1");
    EXPECT_EQ(value(1, 1), L"1");
    EXPECT_EQ(data(1, 1), L"1");
    set(1, 2, L"TRUE");
    EXPECT_EQ(value(1, 2), L"1");
    set(1, 3, L"0");
    EXPECT_EQ(value(1, 3), L"0");
    set(1, 4, L"7");
    EXPECT_EQ(value(1, 4), L"1");
    EXPECT_EQ(typeCode(1, 4), SS_TYPE_CHECKBOX);
}

TEST_F(GridCells, EveryTypeCallGivesItsCode) {
    SS_CELLTYPE type{};
    EXPECT_EQ(SSSetTypeComboBoxEx(grid(), &type, 0x100000, L"a\tb", 2, 999, 0, nullptr, 1)->Type,
              SS_TYPE_COMBOBOXEX);
    EXPECT_EQ(SSSetTypeComboBox(grid(), &type, 2, L"a\tb")->Type, SS_TYPE_COMBOBOX);
    EXPECT_EQ(SSSetTypeButton(grid(), &type, 0, L"Go", nullptr, 0, nullptr, 0, 0, 0, nullptr)->Type,
              SS_TYPE_BUTTON);
    EXPECT_EQ(SSSetTypePicture(grid(), &type, 36, L"x.bmp")->Type, SS_TYPE_PICTURE);
    EXPECT_EQ(SSSetTypePictureHandle(grid(), &type, 0x210024, nullptr, nullptr, FALSE)->Type,
              SS_TYPE_PICTURE);
    EXPECT_EQ(SSSetTypeDate(grid(), &type, 0)->Type, SS_TYPE_DATE);
    EXPECT_EQ(SSSetTypeTime(grid(), &type, 0)->Type, SS_TYPE_TIME);
    EXPECT_EQ(SSSetTypeGeneral(grid(), &type)->Type, SS_TYPE_GENERAL);
    EXPECT_EQ(SSSetTypeEdit(grid(), nullptr, 0, 1, 0, 1), nullptr);

    SS_CELLTYPE combo{};
    SSSetTypeComboBox(grid(), &combo, 0, L"x\ty");
    setType(3, 3, &combo);
    set(3, 3, L"12");
    EXPECT_EQ(value(3, 3), L"12");
    EXPECT_EQ(typeCode(3, 3), SS_TYPE_COMBOBOX);
    SS_CELLTYPE read{};
    ASSERT_TRUE(SSGetCellType(grid(), 3, 3, &read));
    EXPECT_EQ(read.Detail, combo.Detail) << "equal parameters share one entry";
}

TEST_F(GridCells, RecordsNoTypeCallFilledAreRefused) {
    SS_CELLTYPE zeroed{};
    EXPECT_FALSE(SSSetCellType(grid(), 1, 1, &zeroed));
    SS_CELLTYPE bogus{};
    bogus.Type = SS_TYPE_EDIT;
    bogus.Detail = 0xFFFFFF;
    EXPECT_FALSE(SSSetCellType(grid(), 1, 1, &bogus));
    EXPECT_FALSE(SSSetCellType(grid(), 1, 1, nullptr));
    SS_CELLTYPE bare{};
    bare.Type = SS_TYPE_CHECKBOX;
    EXPECT_TRUE(SSSetCellType(grid(), 1, 1, &bare)) << "a code alone means the type's defaults";
    EXPECT_EQ(typeCode(1, 1), SS_TYPE_CHECKBOX);
}

TEST_F(GridCells, FormulaCellsShowTheirResultAsData) {
    set(1, 1, L"4");
    formula(2, 1, L"=A1+1");
    EXPECT_EQ(data(2, 1), L"5");
    EXPECT_EQ(formulaText(2, 1), L"A1+1");
    set(1, 1, L"10");
    EXPECT_EQ(data(2, 1), L"11") << "automatic recalculation is on by default";
    set(2, 1, L"x");
    EXPECT_EQ(formulaText(2, 1), L"") << "data replaces the formula";
    formula(3, 1, L"1/0");
    EXPECT_EQ(value(3, 1), L"#DIV/0!");
    ASSERT_TRUE(SSSetFormula(grid(), 3, 1, L"", TRUE));
    EXPECT_EQ(value(3, 1), L"");
}

TEST_F(GridCells, FormulasAreShownAndAcceptedInTheReferenceStyle) {
    formula(2, 2, L"A1*2");
    EXPECT_EQ(SSSetRefStyle(grid(), 2), 0);
    EXPECT_EQ(SSGetRefStyle(grid()), 2);
    EXPECT_EQ(formulaText(2, 2), L"R[-1]C[-1]*2");
    formula(3, 3, L"R1C1+1");
    EXPECT_EQ(SSSetRefStyle(grid(), 1), 2);
    EXPECT_EQ(formulaText(3, 3), L"$A$1+1");
    EXPECT_EQ(SSSetRefStyle(grid(), 3), -1) << "unknown styles are refused";
    EXPECT_EQ(SSGetRefStyle(grid()), 1);
}

TEST_F(GridCells, ValidationRefusesBrokenFormulasAndLeavesTheCell) {
    set(1, 1, L"keep");
    EXPECT_FALSE(SSSetFormula(grid(), 1, 1, L"=1+", TRUE));
    EXPECT_FALSE(SSSetFormula(grid(), 1, 1, L"=NOSUCHFUNCTION(1)", TRUE));
    EXPECT_EQ(value(1, 1), L"keep");
    EXPECT_TRUE(SSSetFormula(grid(), 1, 1, L"=NOSUCHFUNCTION(1)", FALSE));
    EXPECT_EQ(value(1, 1), L"#NAME?");
    EXPECT_FALSE(SSSetFormula(grid(), 1, 1, nullptr, FALSE));
}

TEST_F(GridCells, FormulasComputeWhenSetEvenWithoutAutomaticRecalculation) {
    SSSetBool(grid(), SSB_AUTOCALC, FALSE);
    set(1, 1, L"5");
    formula(2, 1, L"A1*2");
    EXPECT_EQ(value(2, 1), L"10");
    set(1, 1, L"6");
    EXPECT_EQ(value(2, 1), L"10") << "dependants wait for a recalculation";
    ASSERT_TRUE(SSReCalcCell(grid(), 2, 1));
    EXPECT_EQ(value(2, 1), L"12");
    set(1, 1, L"7");
    ASSERT_TRUE(SSReCalc(grid()));
    EXPECT_EQ(value(2, 1), L"14");
}

TEST_F(GridCells, FloatsAreNumbersThatReplaceFormulas) {
    formula(1, 1, L"2+2");
    ASSERT_TRUE(SSSetFloat(grid(), 1, 1, 0.5));
    EXPECT_EQ(formulaText(1, 1), L"");
    EXPECT_EQ(value(1, 1), L"0.5");
    EXPECT_FALSE(SSSetFloat(grid(), 1, 1, std::numeric_limits<double>::infinity()));
}

TEST_F(GridCells, HeadersAreAddressedAsZeroAndAsTheHeaderIndex) {
    set(SS_HEADER, 3, L"Row three");
    EXPECT_EQ(data(0, 3), L"Row three");
    set(4, 0, L"Width");
    EXPECT_EQ(data(4, SS_HEADER), L"Width");
    ASSERT_TRUE(SSSetCellTag(grid(), SS_HEADER, SS_HEADER, L"settings text"));
    EXPECT_EQ(tag(0, 0), L"settings text");
    ASSERT_TRUE(SSSetCellTag(grid(), 0, 0, nullptr));
    EXPECT_EQ(tag(SS_HEADER, SS_HEADER), L"");
}

TEST_F(GridCells, GetFunctionsCopyTerminatedTextAndReturnItsLength) {
    set(2, 2, L"hello");
    wchar_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(SSGetData(grid(), 2, 2, buffer), 5);
    EXPECT_EQ(std::wstring(buffer), L"hello");
    EXPECT_EQ(SSGetDataLen(grid(), 2, 2), 5);
    EXPECT_EQ(SSGetValue(grid(), 2, 2, nullptr), 5);
    EXPECT_EQ(SSGetDataLen(grid(), 3, 3), 0) << "0 when there is nothing";
    EXPECT_EQ(SSGetData(grid(), 9999, 2, buffer), 0);
    EXPECT_EQ(buffer[0], L'\0') << "a cell outside the grid reads empty";
    EXPECT_EQ(SSGetFormulaLen(grid(), 2, 2), 0);
}

// ---- Bad handles and addresses: nothing happens, and the results say so ----------------------

TEST_F(GridCells, CallsOnWindowsThatAreNoGridsFail) {
    EXPECT_FALSE(SSSetData(host.parent, 1, 1, L"x"));
    EXPECT_FALSE(SSSetData(nullptr, 1, 1, L"x"));
    EXPECT_EQ(SSGetMaxRows(host.parent), -1);
    EXPECT_EQ(SSGetData(reinterpret_cast<HWND>(0x1234), 1, 1, nullptr), 0);
    EXPECT_FALSE(SSSetBool(host.parent, SSB_AUTOCALC, TRUE));
    EXPECT_EQ(SSGetOwner(host.parent), nullptr);
    EXPECT_EQ(SSGetOwner(grid()), host.parent);
}

TEST_F(GridCells, AddressesOutsideTheGridAreRefused) {
    EXPECT_FALSE(SSSetData(grid(), -5, 1, L"x"));
    EXPECT_FALSE(SSSetData(grid(), 1, SSGetMaxRows(grid()) + 1, L"x"));
    EXPECT_FALSE(SSSetFormula(grid(), 1, 100000000, L"1", FALSE));
    EXPECT_FALSE(SSSetColor(grid(), 1, 9999, 0, 0));
    EXPECT_FALSE(SSSetCellTag(grid(), 1, -3, L"x"));
    EXPECT_FALSE(SSSetData(grid(), 1, 1L << 40, L"x"));
}

} // namespace
} // namespace gridtest

namespace gridtest {
namespace {

TEST_F(GridCells, TodayAndNowFollowThePlatformClock) {
    SYSTEMTIME start{};
    start.wYear = 2026;
    start.wMonth = 12;
    start.wDay = 8;
    start.wHour = 18;
    winx::setTestLocalTime(start);
    formula(1, 1, L"TODAY()");
    formula(2, 1, L"HOUR(NOW())");
    EXPECT_EQ(data(1, 1), L"46364");
    EXPECT_EQ(data(2, 1), L"18");
    winx::advanceClock(6 * 3600 * 1000); // past midnight
    SSReCalc(grid());
    EXPECT_EQ(data(1, 1), L"46365");
    EXPECT_EQ(data(2, 1), L"0");
}

} // namespace
} // namespace gridtest
