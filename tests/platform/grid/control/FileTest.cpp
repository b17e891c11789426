// Saving and loading sheet files through the grid: what travels, and what a failure leaves.
#include "GridTestHost.h"

#include <fstream>

namespace gridtest {
namespace {

BOOL seven(LPSSVALUE result, LPSSVALUE, short) {
    result->Status = SS_VALUE_STATUS_OK;
    result->Type = SS_VALUE_TYPE_LONG;
    result->ValLong = 7;
    return TRUE;
}

class GridFiles : public GridTest {
protected:
    void fill() {
        SSSetMaxCols(grid(), 6);
        SSSetMaxRows(grid(), 12);
        set(1, 1, L"Thickness");
        set(2, 1, L"10");
        formula(3, 1, L"B1*2");
        set(SS_HEADER, 2, L"row caption");
        SS_CELLTYPE check{};
        SSSetTypeCheckBox(grid(), &check, 0x300, L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr,
                          0, nullptr, 0, nullptr, 0);
        setType(4, 4, &check);
        set(4, 4, L"1");
        SSSetColor(grid(), 1, 1, 0xFFD0A4, 0x8000000B);
        SSSetLock(grid(), 2, 1, TRUE);
        SSAddCellSpan(grid(), 1, 6, 3, 1);
        SSSetCellTag(grid(), 0, 0, L"corner settings");
        SSSetColWidth(grid(), 2, 14.5);
        SSShowRow(grid(), 9, FALSE);
    }
    std::string fileText(const std::wstring& path) {
        return winx::readFile(path).value_or("(unreadable)");
    }

    TempFolder folder;
};

TEST_F(GridFiles, ASavedGridLoadsBackWithContentsAndFormats) {
    fill();
    const std::wstring path = folder.file(L"sheet.sss");
    ASSERT_EQ(SSSaveToFile(grid(), path.c_str(), FALSE), TRUE);

    HWND other = host.createGrid(2000);
    ASSERT_EQ(SSLoadFromFile(other, path.c_str()), TRUE);
    EXPECT_EQ(SSGetMaxCols(other), 6);
    EXPECT_EQ(SSGetMaxRows(other), 12);
    EXPECT_EQ(value(2, 1, other), L"10");
    EXPECT_EQ(value(3, 1, other), L"20");
    EXPECT_EQ(data(0, 2, other), L"row caption");
    SS_CELLTYPE type{};
    ASSERT_TRUE(SSGetCellType(other, 4, 4, &type));
    EXPECT_EQ(type.Type, SS_TYPE_CHECKBOX);
    EXPECT_EQ(value(4, 4, other), L"1");
    COLORREF back = 0;
    COLORREF fore = 0;
    SSGetColor(other, 1, 1, &back, &fore);
    EXPECT_EQ(back, 0xFFD0A4u);
    EXPECT_EQ(fore, 0x8000000Bu);
    EXPECT_TRUE(SSGetLock(other, 2, 1));
    EXPECT_EQ(SSGetCellSpan(other, 3, 6, nullptr, nullptr, nullptr, nullptr), SS_SPAN_YES);
    wchar_t tagText[64] = {};
    SSGetCellTag(other, SS_HEADER, SS_HEADER, tagText);
    EXPECT_EQ(std::wstring(tagText), L"corner settings");
    double width = 0.0;
    SSGetColWidth(other, 2, &width);
    EXPECT_EQ(width, 14.5);
    EXPECT_TRUE(SSIsRowHidden(other, 9));

    const std::wstring again = folder.file(L"again.sss");
    ASSERT_EQ(SSSaveToFile(other, again.c_str(), FALSE), TRUE);
    EXPECT_EQ(fileText(again), fileText(path)) << "a loaded grid saves the same file";
}

TEST_F(GridFiles, PlatformPathsWithDriveLettersWork) {
    set(1, 1, L"on drive c");
    ASSERT_EQ(SSSaveToFile(grid(), L"c:\\a\\t3.sss", FALSE), FALSE) << "the folder is missing";
    std::filesystem::create_directories(winx::nativePath(L"c:\\a"));
    ASSERT_EQ(SSSaveToFile(grid(), L"c:\\a\\t3.sss", FALSE), TRUE);
    SSSetData(grid(), 1, 1, L"changed");
    ASSERT_EQ(SSLoadFromFile(grid(), L"C:/a/t3.sss"), TRUE);
    EXPECT_EQ(value(1, 1), L"on drive c");
}

TEST_F(GridFiles, ALoadKeepsTheWindowsOwnSettings) {
    set(1, 1, L"1");
    const std::wstring path = folder.file(L"plain.sss");
    ASSERT_EQ(SSSaveToFile(grid(), path.c_str(), FALSE), TRUE);
    SSSetBool(grid(), SSB_AUTOCALC, FALSE);
    SSSetBool(grid(), 13, TRUE);
    SSSetRefStyle(grid(), 2);
    ASSERT_EQ(SSLoadFromFile(grid(), path.c_str()), TRUE);
    EXPECT_FALSE(SSGetBool(grid(), SSB_AUTOCALC));
    EXPECT_TRUE(SSGetBool(grid(), 13));
    EXPECT_EQ(SSGetRefStyle(grid()), 2);
    formula(1, 2, L"R[-1]C+1");
    set(1, 1, L"5");
    EXPECT_EQ(value(1, 2), L"2") << "the loaded sheet computes manually, as the option says";
}

TEST_F(GridFiles, DataOnlyLeavesTheFormatsOut) {
    fill();
    const std::wstring path = folder.file(L"data.sss");
    ASSERT_EQ(SSSaveToFile(grid(), path.c_str(), TRUE), TRUE);
    HWND other = host.createGrid(2001);
    ASSERT_EQ(SSLoadFromFile(other, path.c_str()), TRUE);
    EXPECT_EQ(value(2, 1, other), L"10");
    SS_CELLTYPE type{};
    SSGetCellType(other, 4, 4, &type);
    EXPECT_EQ(type.Type, SS_TYPE_GENERAL);
    EXPECT_FALSE(SSGetLock(other, 2, 1));
    SSGetCellType(grid(), 4, 4, &type);
    EXPECT_EQ(type.Type, SS_TYPE_CHECKBOX) << "the grid itself keeps its formats";
}

// ---- Failures leave everything as it was ------------------------------------------------------

TEST_F(GridFiles, AMalformedFileLeavesTheGridUntouched) {
    set(1, 1, L"before");
    ASSERT_TRUE(SSAddCustomFunctionExt(grid(), L"SEVEN", 0, 0, seven, 0));
    const std::wstring path = folder.file(L"broken.sss");
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        << "this is no sheet file\n\x01\xff";
    EXPECT_EQ(SSLoadFromFile(grid(), path.c_str()), FALSE);
    EXPECT_EQ(SSLoadFromFile(grid(), folder.file(L"missing.sss").c_str()), FALSE);
    EXPECT_EQ(SSLoadFromFile(grid(), nullptr), FALSE);
    EXPECT_EQ(SSLoadFromFile(grid(), L""), FALSE);
    EXPECT_EQ(value(1, 1), L"before");
    formula(2, 1, L"SEVEN()");
    EXPECT_EQ(value(2, 1), L"7") << "custom functions stay registered";
}

TEST_F(GridFiles, AFailedSaveKeepsTheOldFile) {
    set(1, 1, L"first");
    const std::wstring path = folder.file(L"kept.sss");
    ASSERT_EQ(SSSaveToFile(grid(), path.c_str(), FALSE), TRUE);
    const std::string before = fileText(path);
    set(1, 1, L"second");
    winx::failNextFileWrites(1);
    EXPECT_EQ(SSSaveToFile(grid(), path.c_str(), FALSE), FALSE);
    EXPECT_EQ(fileText(path), before);
    EXPECT_EQ(SSSaveToFile(grid(), nullptr, FALSE), FALSE);
    EXPECT_EQ(SSSaveToFile(host.parent, path.c_str(), FALSE), FALSE);
}

} // namespace
} // namespace gridtest
