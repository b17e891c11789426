// Creating the grid in a dialog, its standard look, messages, and the state before creation.
#include "SpreadTestSupport.h"

#include "spread/RedrawGuard.h"

#include "grid/GridInfo.h"

namespace spreadtest {
namespace {

using CreationTest = SpreadTest;

// The grid is placed in client coordinates at the placeholder's offset from the dialog's outer
// corner; the shift without exact placement makes up for the frame and caption.
RECT clientRectInHost(HWND window, HWND host) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(host, &corners[0]);
    ScreenToClient(host, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

RECT rectInHost(HWND window, HWND host) {
    RECT rect{};
    RECT hostRect{};
    GetWindowRect(window, &rect);
    GetWindowRect(host, &hostRect);
    return RECT{rect.left - hostRect.left, rect.top - hostRect.top, rect.right - hostRect.left,
                rect.bottom - hostRect.top};
}

TEST_F(CreationTest, TheGridTakesThePlaceholdersPlaceAndIdAndStartsEmpty) {
    const RECT expected = rectInHost(host.placeholder, host.GetSafeHwnd());
    ASSERT_TRUE(spread.createInDialog(&host, kPlaceholderId, true));

    EXPECT_FALSE(IsWindow(host.placeholder));
    EXPECT_EQ(::GetDlgItem(host.GetSafeHwnd(), kPlaceholderId), grid());
    EXPECT_TRUE(Trk_Spread::isGridWindowClass(grid()));
    const RECT actual = clientRectInHost(grid(), host.GetSafeHwnd());
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
    EXPECT_EQ(spread.rowCount(), 0);
    EXPECT_EQ(spread.colCount(), 0);
    EXPECT_EQ(spread.parentWindowHandle(), host.GetSafeHwnd());
    EXPECT_EQ(spread.gridControlId(), kPlaceholderId);
    EXPECT_TRUE(IsWindowVisible(grid()));
}

TEST_F(CreationTest, WithoutExactPlacementTheRectangleMovesLeftAndUpForTheFrame) {
    const RECT expected = rectInHost(host.placeholder, host.GetSafeHwnd());
    ASSERT_TRUE(spread.createInDialog(&host, kPlaceholderId, false));
    const RECT actual = clientRectInHost(grid(), host.GetSafeHwnd());
    EXPECT_EQ(actual.left, expected.left - 5);
    EXPECT_EQ(actual.right, expected.right - 5);
    EXPECT_EQ(actual.top, expected.top - 20);
    EXPECT_EQ(actual.bottom, expected.bottom - 20);
}

TEST_F(CreationTest, CreationFailsWithoutParentOrPlaceholderAndOnlyOnce) {
    EXPECT_FALSE(spread.createInDialog(nullptr, kPlaceholderId, true));
    EXPECT_FALSE(spread.createInDialog(&host, kPlaceholderId + 1, true));
    EXPECT_FALSE(spread.isCreated());
    EXPECT_TRUE(IsWindow(host.placeholder));

    ASSERT_TRUE(spread.createInDialog(&host, kPlaceholderId, true));
    const HWND first = grid();
    EXPECT_FALSE(spread.createInDialog(&host, kPlaceholderId, true));
    EXPECT_EQ(grid(), first);
}

TEST_F(CreationTest, EveryOperationBeforeCreationDoesNothingAndReportsFailure) {
    Trk_String text = L"kept?";
    int number = 7;
    double real = 1.5;
    bool flag = true;
    Trk_StringArray texts{L"a"};
    Trk_Array<int> ints{1};
    int rowsUsed = 3;

    EXPECT_EQ(spread.rowCount(), -1);
    EXPECT_EQ(spread.colCount(), -1);
    EXPECT_FALSE(spread.applyStandardLook(1));
    EXPECT_FALSE(spread.setRowCount(3, true));
    EXPECT_FALSE(spread.setColCount(3, true));
    EXPECT_FALSE(spread.applyFonts(true));
    EXPECT_FALSE(spread.getCellText(1, 1, 0, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(spread.setCellData(1, 1, L"x"));
    EXPECT_FALSE(spread.setInt(1, 1, 3));
    EXPECT_FALSE(spread.getInt(1, 1, number));
    EXPECT_FALSE(spread.setDouble(1, 1, 2.0));
    EXPECT_FALSE(spread.getDouble(1, 1, real));
    EXPECT_FALSE(spread.getBool(1, 1, flag));
    EXPECT_FALSE(spread.setColumnTexts(1, texts, false));
    EXPECT_FALSE(spread.getColumnTexts(1, 0, texts));
    EXPECT_FALSE(spread.setColumnInts(1, ints));
    EXPECT_FALSE(spread.insertRow(1, true, true));
    EXPECT_EQ(spread.appendRow(true), -1);
    EXPECT_FALSE(spread.deleteRow(1));
    EXPECT_FALSE(spread.moveActiveRowDown());
    EXPECT_FALSE(spread.mergeEqualRuns(1));
    EXPECT_FALSE(spread.unspanAll());
    EXPECT_FALSE(spread.linkCheckColumn(1, 2));
    EXPECT_FALSE(spread.setChecksInSelection(true));
    EXPECT_FALSE(spread.setCheckColumn(1, true, true));
    EXPECT_FALSE(spread.setPictureRow(L"none.bmp", 1, 1, rowsUsed));
    EXPECT_FALSE(spread.equalWidths(true, 0));
    EXPECT_FALSE(spread.autofitAll());
    EXPECT_EQ(spread.totalColumnWidthPixels(), -1);
    EXPECT_EQ(spread.loadFile(L"x.sss"), 0);
    EXPECT_EQ(spread.saveFile(L"x.sss"), 0);
    EXPECT_FALSE(spread.recalc());
    EXPECT_FALSE(spread.setRefStyle(2));
    EXPECT_FALSE(spread.showGrid());
    EXPECT_FALSE(spread.hideGrid());
    EXPECT_EQ(spread.activeRow(), -1);
    EXPECT_FALSE(spread.isChanged());
    EXPECT_EQ(number, 7);
    EXPECT_EQ(rowsUsed, 3);
}

TEST_F(CreationTest, TheStandardLookSetsTheOptionsOfItsModeAndLeavesRedrawOn) {
    create(3, 3);
    ASSERT_TRUE(spread.applyStandardLook(1));
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionF8Toggle));
    EXPECT_FALSE(SSGetBool(grid(), 10));
    EXPECT_FALSE(SSGetBool(grid(), Trk_Spread::kOptionAutoCalc));
    EXPECT_FALSE(SSGetBool(grid(), 12));
    EXPECT_FALSE(SSGetBool(grid(), 26));
    for (const short option : {3, 4, 11, 18, 21, 22, 32, 34})
        EXPECT_TRUE(SSGetBool(grid(), option)) << "option " << option;
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw));

    ASSERT_TRUE(spread.applyStandardLook(0));
    EXPECT_FALSE(SSGetBool(grid(), Trk_Spread::kOptionF8Toggle));
    EXPECT_TRUE(SSGetBool(grid(), 10));
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw));
}

TEST_F(CreationTest, MessageHexFiveSeventeenIsAnsweredWithZero) {
    create(2, 2);
    EXPECT_EQ(::SendMessage(grid(), 0x517, 1, 2), 0);
}

TEST_F(CreationTest, ARedrawGuardKeepsRedrawOffThroughOperationsAndSwitchesItOnWhenItEnds) {
    create(2, 2);
    SSSetBool(grid(), Trk_Spread::kOptionRedraw, FALSE);
    {
        RedrawGuard guard(spread);
        EXPECT_FALSE(SSGetBool(grid(), Trk_Spread::kOptionRedraw));
        ASSERT_TRUE(spread.setRowCount(5, true));
        ASSERT_TRUE(spread.setColumnTexts(1, Trk_StringArray{L"a", L"b"}, false));
        ASSERT_TRUE(spread.applyFonts(true));
        EXPECT_FALSE(SSGetBool(grid(), Trk_Spread::kOptionRedraw))
            << "the wrapper's bulk work leaves a caller's guard in charge";
    }
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw))
        << "the guard switches redraw on at its end, whatever was set before";

    {
        RedrawGuard outer(spread);
        {
            RedrawGuard inner(spread);
            EXPECT_FALSE(SSGetBool(grid(), Trk_Spread::kOptionRedraw));
        }
        EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw)) << "each guard ends with on";
    }
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw));

    ASSERT_TRUE(spread.setRowCount(8, true));
    EXPECT_TRUE(SSGetBool(grid(), Trk_Spread::kOptionRedraw))
        << "bulk work outside a guard switches redraw back on";
}

TEST_F(CreationTest, OnlyGridWindowsAreRecognisedAndShowHideSwitchVisibility) {
    EXPECT_FALSE(Trk_Spread::isGridWindowClass(nullptr));
    EXPECT_FALSE(Trk_Spread::isGridWindowClass(host.placeholder));
    EXPECT_FALSE(Trk_Spread::isGridWindowClass(host.GetSafeHwnd()));
    create(1, 1);
    EXPECT_TRUE(Trk_Spread::isGridWindowClass(grid()));
    ASSERT_TRUE(spread.hideGrid());
    EXPECT_FALSE(IsWindowVisible(grid()));
    ASSERT_TRUE(spread.showGrid());
    EXPECT_TRUE(IsWindowVisible(grid()));
}

HWND windowOfClass(const wchar_t* className) {
    WNDCLASSEXW existing;
    if (!GetClassInfoEx(nullptr, className, &existing)) {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &DefWindowProc;
        wc.lpszClassName = className;
        RegisterClassEx(&wc);
    }
    return CreateWindowEx(0, className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                          nullptr);
}

TEST_F(CreationTest, TheOlderGridClassNamesAreRecognisedByTheirPrefixes) {
    EXPECT_TRUE(Trk_Spread::isGridWindowClass(windowOfClass(L"SPR32X30_SpreadSheet")));
    EXPECT_TRUE(Trk_Spread::isGridWindowClass(windowOfClass(L"fpSpread60")));
    EXPECT_FALSE(Trk_Spread::isGridWindowClass(windowOfClass(L"fpUSpread")));
    EXPECT_FALSE(Trk_Spread::isGridWindowClass(windowOfClass(L"SPR3")));
}

// Stands in for the editor-settings code: records the call and reports a font.
struct FakeEditorSettings {
    static inline HWND grid = nullptr;
    static inline std::wstring name;
    static inline bool withFont = true;

    static bool apply(HWND target, const Trk_String& settingsName, Trk_String& face, int& height) {
        grid = target;
        name = settingsName.str();
        if (!withFont) return false;
        face = L"Courier";
        height = 21;
        return true;
    }
};

class EditorSettingsTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        FakeEditorSettings::grid = nullptr;
        FakeEditorSettings::withFont = true;
        Trk_Spread::setEditorSettingsApplier(&FakeEditorSettings::apply);
    }
    void TearDown() override {
        Trk_Spread::setEditorSettingsApplier(nullptr);
        SpreadTest::TearDown();
    }
    std::wstring faceOf(int col, int row) const {
        LOGFONT font{};
        GetObject(SSGetFont(grid(), col, row), sizeof(font), &font);
        return font.lfFaceName;
    }
};

TEST_F(EditorSettingsTest, EditorSettingsGiveTheGridTheirFontAndTheFontsAreAppliedAgain) {
    spread.applyEditorSettings(L"before");
    EXPECT_EQ(FakeEditorSettings::grid, nullptr) << "nothing is applied before creation";

    create(2, 3);
    spread.applyEditorSettings(L"Steel");
    EXPECT_EQ(FakeEditorSettings::grid, grid());
    EXPECT_EQ(FakeEditorSettings::name, L"Steel");
    EXPECT_EQ(spread.editorSettingsFile(), L"Steel");
    EXPECT_EQ(spread.fontName, L"Courier");
    EXPECT_EQ(spread.fontHeight, 21);
    EXPECT_EQ(faceOf(2, 3), L"Courier");
    EXPECT_EQ(faceOf(Trk_Spread::HEADER, 1), L"Courier");
    EXPECT_TRUE(bold(1, Trk_Spread::HEADER));
    EXPECT_FALSE(bold(2, 3));
}

TEST_F(EditorSettingsTest,
       SettingsWithoutAFontKeepTheGridsFontAndWithoutAnApplierOnlyTheNameIsKept) {
    create(2, 2);
    FakeEditorSettings::withFont = false;
    spread.fontName = L"Arial";
    spread.applyEditorSettings(L"Plain");
    EXPECT_EQ(FakeEditorSettings::name, L"Plain");
    EXPECT_EQ(spread.fontName, L"Arial");
    EXPECT_EQ(faceOf(1, 1), L"Arial") << "the fonts are applied again all the same";

    Trk_Spread::setEditorSettingsApplier(nullptr);
    FakeEditorSettings::grid = nullptr;
    spread.fontName = L"Verdana";
    spread.applyEditorSettings(L"c:\\settings.kvd");
    EXPECT_EQ(spread.editorSettingsFile(), L"c:\\settings.kvd");
    EXPECT_EQ(FakeEditorSettings::grid, nullptr);
    EXPECT_EQ(faceOf(1, 1), L"Arial");
}

} // namespace
} // namespace spreadtest
