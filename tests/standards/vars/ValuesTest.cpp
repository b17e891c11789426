#include "VarsTestSupport.h"

namespace varstest {
namespace {

class ValuesTest : public VarsTest {
protected:
    // Input Count (Int) at A2, Width (Double) at B2; output Name (String) at A4, Length
    // (Double) at B4; local Tmp (Double) at A6.
    void createSheet() {
        create(3, 9);
        set(1, 1, L"Input");
        set(1, 2, L"Int Count");
        set(2, 2, L"Double Width");
        set(1, 3, L"Output");
        set(1, 4, L"String Name");
        set(2, 4, L"Double Length");
        set(1, 5, L"Local");
        set(1, 6, L"Double Tmp");
        set(1, 8, L"Calc");
        read();
        ASSERT_EQ(cells.length(), 5);
    }
    KvVarCell& cell(const wchar_t* name) {
        int index = -1;
        EXPECT_EQ(cells.findVarCell(name, index), eOk) << name;
        return cells[std::max(index, 0)];
    }
};

TEST_F(ValuesTest, EachValueTypeWritesItsOwnCellType) {
    createSheet();
    cell(L"Count").value = L"3";
    cell(L"Width").value = L"2.5";
    cell(L"Name").value = L"abc";
    cell(L"Length").value = L"";
    ASSERT_EQ(cells.setValuesToSS(spread), eOk);

    EXPECT_EQ(typeCode(1, 2), SS_TYPE_NUMBER);
    EXPECT_EQ(value(1, 2), L"3") << "Int cells show no decimals";
    EXPECT_EQ(typeCode(2, 2), SS_TYPE_NUMBER);
    EXPECT_EQ(value(2, 2), L"2.5000000") << "Double cells show 7 decimals";
    EXPECT_EQ(typeCode(1, 4), SS_TYPE_EDIT);
    EXPECT_EQ(value(1, 4), L"abc");
    EXPECT_EQ(value(2, 4), L"") << "the declaration text is gone";
    EXPECT_EQ(value(1, 6), L"");
}

TEST_F(ValuesTest, GetValuesFromSSReadsTheOutputsOnly) {
    createSheet();
    ASSERT_EQ(cells.setValuesToSS(spread), eOk);
    set(1, 2, L"7");
    set(1, 4, L"HEA-200");
    set(2, 4, L"12.25");
    set(1, 6, L"99");

    ASSERT_EQ(cells.getValuesFromSS(spread), eOk);
    EXPECT_EQ(cell(L"Name").value, L"HEA-200");
    EXPECT_EQ(cell(L"Length").value, L"12.2500000");
    EXPECT_EQ(cell(L"Count").value, L"") << "inputs are not read back";
    EXPECT_EQ(cell(L"Tmp").value, L"") << "locals are not read back";
}

TEST_F(ValuesTest, AWriteOrReadOutsideTheGridFails) {
    createSheet();
    cell(L"Length").row = 50;
    EXPECT_EQ(cells.getValuesFromSS(spread), eInvalidInput);
    EXPECT_EQ(cells.setValuesToSS(spread), eInvalidInput);
}

TEST_F(ValuesTest, ADetachedCellIsNeverWrittenToTheSheet) {
    createSheet();
    KvVarCell detached;
    detached.value = L"5";
    EXPECT_EQ(detached.setValueToSS(spread), eInvalidInput);
    Trk_String current;
    EXPECT_EQ(detached.getCurrentValue(spread, current), eInvalidInput);
    EXPECT_EQ(value(1, 1), L"Input") << "column and row 0 leave the sheet alone";
}

TEST_F(ValuesTest, ValueFromOtherAndNewValueWriteTheDeclarationCell) {
    createSheet();
    KvVarCell passed;
    passed.value = L"4";
    ASSERT_EQ(cell(L"Count").setValueFromOther(spread, passed), eOk);
    EXPECT_EQ(cell(L"Count").value, L"4");
    EXPECT_EQ(value(1, 2), L"4");

    ASSERT_EQ(cell(L"Width").setNewValue(L"8"), eOk);
    EXPECT_EQ(value(2, 2), L"Double Width") << "the value-only form does not write";
    ASSERT_EQ(cell(L"Width").setNewValue(spread, L"9"), eOk);
    EXPECT_EQ(value(2, 2), L"9.0000000");
    Trk_String current;
    ASSERT_EQ(cell(L"Width").getCurrentValue(spread, current), eOk);
    EXPECT_EQ(current, L"9.0000000");
}

TEST_F(ValuesTest, FindVarCellFindsTheFirstNameIgnoringCase) {
    createSheet();
    KvVarCell again;
    again.name = L"WIDTH";
    cells.append(again);
    int index = -1;
    ASSERT_EQ(cells.findVarCell(L"width", index), eOk);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(cells.findVarCell(L"Height", index), eInvalidInput);
    EXPECT_EQ(index, 1) << "a failed search leaves the index";
}

// ---- Duplicate names ------------------------------------------------------------------------

TEST_F(ValuesTest, ARepeatedNameIsReportedAlwaysAndTheLaterDeclarationDropped) {
    create(2, 8);
    set(1, 1, L"Input");
    set(1, 2, L"Double Width");
    set(2, 2, L"Int Count");
    set(1, 3, L"Output");
    set(1, 4, L"Double width");
    set(2, 4, L"Int count");
    set(1, 5, L"Double Length");
    set(1, 7, L"Calc");
    read();
    gSettings.current.showStandardsMessages = false; // the message does not depend on it
    winx::resetRecords();

    EXPECT_TRUE(removeDuplicateVariables(spread, cells, L"C:\\lib\\Connection Standards\\a.kvs"));

    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Variable names must be unique");
    EXPECT_EQ(boxes[0].text,
              L"There were duplicate variable names found in the standards file "
              L"C:\\lib\\Connection Standards\\a.kvs.\nThe duplicates will be ignored. Please "
              L"correct this file.\nDuplicate variable names:\n\nwidth\ncount");
    EXPECT_EQ(boxes[0].owner, grid());
    EXPECT_EQ(boxes[0].flags & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(described(),
              (std::vector<std::wstring>{L"Width:0:1@1,2", L"Count:0:0@2,2", L"Length:1:1@1,5"}));
}

TEST_F(ValuesTest, UniqueNamesShowNothing) {
    createSheet();
    winx::resetRecords();
    EXPECT_FALSE(removeDuplicateVariables(spread, cells, L"a.kvs"));
    EXPECT_TRUE(winx::messageBoxes().empty());
    EXPECT_EQ(cells.length(), 5);
}

// ---- Same input -----------------------------------------------------------------------------

KvVarCell variable(const wchar_t* name, KvCellType kind, KvValueType type, const wchar_t* value) {
    KvVarCell cell;
    cell.name = name;
    cell.kind = kind;
    cell.valueType = type;
    cell.value = value;
    return cell;
}

TEST(HasSameInput, ComparesEveryInputByNameTypeAndValueButNoOutput) {
    KvVarCells mine;
    mine.append(variable(L"Width", KvCellType::Input, KvValueType::Double, L"10"));
    mine.append(variable(L"Grade", KvCellType::Input, KvValueType::String, L"s355"));
    mine.append(variable(L"Length", KvCellType::Output, KvValueType::Double, L"1"));

    KvVarCells other;
    other.append(variable(L"Length", KvCellType::Output, KvValueType::Double, L"2"));
    other.append(variable(L"GRADE", KvCellType::Input, KvValueType::String, L"S355"));
    other.append(variable(L"width", KvCellType::Output, KvValueType::Double, L"10"));
    EXPECT_TRUE(mine.hasSameInput(other)) << "outputs may differ; names and values ignore case";

    KvVarCells lacking = other;
    lacking.removeAt(1);
    EXPECT_FALSE(mine.hasSameInput(lacking));

    KvVarCells otherType = other;
    otherType[2].valueType = KvValueType::Int;
    EXPECT_FALSE(mine.hasSameInput(otherType));

    KvVarCells otherValue = other;
    otherValue[2].value = L"10.0";
    EXPECT_FALSE(mine.hasSameInput(otherValue));

    EXPECT_TRUE(KvVarCells().hasSameInput(KvVarCells()));
}

TEST(VarCellsList, CopiesCarryCellsAndMappingAndResetKeepsTheMapping) {
    KvVarCells list;
    list.append(variable(L"A", KvCellType::Local, KvValueType::Int, L"1"));
    list.mapping().mode = KvSSMapping::kGroupMode;
    KvObjectMap object;
    object.type = KvMapType::Distance;
    list.mapping().objects.append(object);

    KvVarCells copy = list;
    ASSERT_EQ(copy.length(), 1);
    EXPECT_TRUE(copy[0].isLocal());
    EXPECT_EQ(copy.mapping().objects.length(), 1);

    copy.resetVarCells();
    EXPECT_EQ(copy.length(), 0);
    EXPECT_EQ(copy.mapping().mode, KvSSMapping::kGroupMode);
    EXPECT_EQ(list.length(), 1) << "the copy is independent";
    EXPECT_FALSE(copy.removeAt(0));
}

} // namespace
} // namespace varstest
