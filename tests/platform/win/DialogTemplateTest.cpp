#include "platform/win/DialogTestSupport.h"

#include "win/commctrl.h"
#include "win/winbase.h"
#include "win/winctrl.h"

namespace {

using namespace wintest;

winx::ResourceScript parse(const std::string& text) {
    return winx::parseResourceScript(text, L"t.rc");
}

const winx::DialogItemTemplate& item(const winx::DialogTemplate& d, int id) {
    for (const auto& i : d.items) {
        if (i.id == id) return i;
    }
    static const winx::DialogItemTemplate none;
    ADD_FAILURE() << "no control " << id;
    return none;
}

TEST(DialogTemplate, EveryControlStatementGetsThePlatformsDefaultStyle) {
    const auto script = parse(R"(
100 DIALOG 0, 0, 200, 150
BEGIN
    LTEXT "l", 1, 0, 0, 10, 10
    RTEXT "r", 2, 0, 0, 10, 10
    CTEXT "c", 3, 0, 0, 10, 10
    PUSHBUTTON "p", 4, 0, 0, 10, 10
    DEFPUSHBUTTON "d", 5, 0, 0, 10, 10
    CHECKBOX "cb", 6, 0, 0, 10, 10
    AUTOCHECKBOX "acb", 7, 0, 0, 10, 10
    STATE3 "s3", 8, 0, 0, 10, 10
    AUTO3STATE "a3", 9, 0, 0, 10, 10
    RADIOBUTTON "rb", 10, 0, 0, 10, 10
    AUTORADIOBUTTON "arb", 11, 0, 0, 10, 10
    GROUPBOX "g", 12, 0, 0, 10, 10
    EDITTEXT 13, 0, 0, 10, 10
    COMBOBOX 14, 0, 0, 10, 10
    LISTBOX 15, 0, 0, 10, 10
    SCROLLBAR 16, 0, 0, 10, 10
    ICON 8134, 17, 0, 0
END
)");
    ASSERT_TRUE(script.problems.empty()) << script.problems[0].c_str();
    ASSERT_EQ(script.dialogs.size(), 1u);
    const auto& d = script.dialogs[0];
    ASSERT_EQ(d.items.size(), 17u);
    const DWORD base = WS_CHILD | WS_VISIBLE;
    struct Expected {
        int id;
        const wchar_t* cls;
        DWORD style;
    };
    const Expected expected[] = {
        {1, L"STATIC", base | SS_LEFT | WS_GROUP},
        {2, L"STATIC", base | SS_RIGHT | WS_GROUP},
        {3, L"STATIC", base | SS_CENTER | WS_GROUP},
        {4, L"BUTTON", base | BS_PUSHBUTTON | WS_TABSTOP},
        {5, L"BUTTON", base | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {6, L"BUTTON", base | BS_CHECKBOX | WS_TABSTOP},
        {7, L"BUTTON", base | BS_AUTOCHECKBOX | WS_TABSTOP},
        {8, L"BUTTON", base | BS_3STATE | WS_TABSTOP},
        {9, L"BUTTON", base | BS_AUTO3STATE | WS_TABSTOP},
        {10, L"BUTTON", base | BS_RADIOBUTTON | WS_TABSTOP},
        {11, L"BUTTON", base | BS_AUTORADIOBUTTON | WS_TABSTOP},
        {12, L"BUTTON", base | BS_GROUPBOX},
        {13, L"EDIT", base | ES_LEFT | WS_BORDER | WS_TABSTOP},
        {14, L"COMBOBOX", base | CBS_SIMPLE | WS_TABSTOP},
        {15, L"LISTBOX", base | LBS_NOTIFY | WS_BORDER},
        {16, L"SCROLLBAR", base},
        {17, L"STATIC", base | SS_ICON},
    };
    for (const Expected& e : expected) {
        const auto& i = item(d, e.id);
        EXPECT_EQ(i.className, e.cls) << e.id;
        EXPECT_EQ(i.style, e.style) << e.id;
    }
    EXPECT_EQ(item(d, 17).imageId, 8134);
    EXPECT_EQ(item(d, 1).text, L"l");
    // Without STYLE a dialog is a bordered popup with a system menu.
    EXPECT_EQ(d.style, WS_POPUP | WS_BORDER | WS_SYSMENU);
}

TEST(DialogTemplate, StylesCombineWithTheDefaultsAndNotRemovesBits) {
    const auto script = parse(R"(
#define IDC_EDIT 1001
#define MYSTYLE (WS_VSCROLL | 0x4)
7 DIALOGEX 10, 20, 100, 50
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION
EXSTYLE WS_EX_TOOLWINDOW
CAPTION "Say ""hi""\tnow\\here"
FONT 9, "Tahoma", 700, 1, 0x1
BEGIN
    EDITTEXT IDC_EDIT, 1, 2, 30, 12, ES_AUTOHSCROLL | NOT WS_BORDER | NOT WS_TABSTOP, WS_EX_CLIENTEDGE
    PUSHBUTTON "x", 2, 0, 0, 10, 10, NOT WS_VISIBLE | WS_DISABLED
    CONTROL "", 3, "SysListView32", LVS_REPORT | WS_BORDER | 0x10, 0, 0, 10, 10
    CONTROL "Check", 4, BUTTON, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 0, 10, 10
    CONTROL 8136, 5, STATIC, SS_BITMAP, 0, 0, 10, 10
    COMBOBOX 7, 0, 0, 10, 10, CBS_DROPDOWN | CBS_SORT
    COMBOBOX 8, 0, 0, 10, 10, WS_VSCROLL
    LTEXT "m", 6, 0, 0, 10, 10, MYSTYLE
END
)");
    ASSERT_TRUE(script.problems.empty()) << script.problems[0].c_str();
    const auto& d = script.dialogs.at(0);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.id, 7);
    EXPECT_EQ(d.x, 10);
    EXPECT_EQ(d.cy, 50);
    EXPECT_EQ(d.style, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION);
    EXPECT_EQ(d.exStyle, WS_EX_TOOLWINDOW);
    EXPECT_EQ(d.caption, L"Say \"hi\"\tnow\\here");
    EXPECT_TRUE(d.hasFont);
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.faceName, L"Tahoma");
    EXPECT_EQ(d.weight, 700);
    EXPECT_TRUE(d.italic);
    EXPECT_EQ(d.charset, 1);
    EXPECT_EQ(item(d, 1001).style, WS_CHILD | WS_VISIBLE | ES_LEFT | ES_AUTOHSCROLL);
    EXPECT_EQ(item(d, 1001).exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(item(d, 2).style, WS_CHILD | WS_DISABLED | BS_PUSHBUTTON | WS_TABSTOP);
    EXPECT_EQ(item(d, 3).className, L"SysListView32");
    EXPECT_EQ(item(d, 3).style, WS_CHILD | WS_VISIBLE | LVS_REPORT | WS_BORDER | 0x10);
    EXPECT_EQ(item(d, 4).className, L"BUTTON");
    EXPECT_EQ(item(d, 5).imageId, 8136);
    // A combo box's kind replaces the default simple kind.
    EXPECT_EQ(item(d, 7).style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT);
    EXPECT_EQ(item(d, 8).style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_SIMPLE | WS_VSCROLL);
    EXPECT_EQ(item(d, 6).style, WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP | WS_VSCROLL | 0x4);
}

TEST(DialogTemplate, MenusAndStringTablesAreRead) {
    const auto script = parse(R"(
// a comment
/* a block
   comment */
#include "afxres.h"
#ifdef APSTUDIO_INVOKED
this is not parsed at all
#endif
#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)
LANGUAGE 9, 1
#endif
200 MENU
BEGIN
    POPUP "&File"
    BEGIN
        MENUITEM "&Open\tCtrl+O", 101
        MENUITEM SEPARATOR
        MENUITEM "E&xit", 102, GRAYED
        POPUP "Recent"
        BEGIN
            MENUITEM "one", 103, CHECKED
        END
    END
END
201 MENUEX
BEGIN
    MENUITEM "Copy", 301, MFT_STRING, MFS_CHECKED
    MENUITEM "", 0, MFT_SEPARATOR
END
STRINGTABLE
BEGIN
    1001 "First"
    1002, "Second \"quoted\" \x41"
END
1 BITMAP "res\\pic.bmp"
GUIDELINES DESIGNINFO
BEGIN
    100, DIALOG
    BEGIN
        LEFTMARGIN, 7
    END
END
)");
    ASSERT_TRUE(script.problems.empty()) << script.problems[0].c_str();
    ASSERT_EQ(script.menus.size(), 2u);
    const auto& file = script.menus[0].items.at(0);
    EXPECT_EQ(file.text, L"&File");
    EXPECT_TRUE(file.flags & MF_POPUP);
    ASSERT_EQ(file.items.size(), 4u);
    EXPECT_EQ(file.items[0].id, 101u);
    EXPECT_EQ(file.items[0].text, L"&Open\tCtrl+O");
    EXPECT_EQ(file.items[1].flags, MF_SEPARATOR);
    EXPECT_EQ(file.items[2].flags, MF_GRAYED);
    EXPECT_EQ(file.items[3].items.at(0).flags, MF_CHECKED);
    const auto& ex = script.menus[1];
    EXPECT_TRUE(ex.extended);
    EXPECT_EQ(ex.items.at(0).id, 301u);
    EXPECT_TRUE(ex.items.at(0).flags & MF_CHECKED);
    EXPECT_TRUE(ex.items.at(1).flags & MF_SEPARATOR);
    ASSERT_EQ(script.strings.size(), 2u);
    EXPECT_EQ(script.strings[1].second, L"Second \"quoted\" A");
}

TEST(DialogTemplate, UnicodeTextsSurviveInUtf8AndUtf16Scripts) {
    const std::string utf8 = "5 DIALOG 0,0,10,10\nCAPTION \"a\xC2\xBF"
                             "b \xC6\x92 \xE2\x80\xA2\"\nBEGIN\nEND\n";
    const auto a = parse("\xEF\xBB\xBF" + utf8);
    ASSERT_EQ(a.dialogs.size(), 1u);
    EXPECT_EQ(a.dialogs[0].caption, L"a\u00BFb \u0192 \u2022");
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("5 DIALOG 0,0,10,10 CAPTION \"x\" BEGIN END")) {
        utf16 += c;
        utf16 += '\0';
    }
    const auto b = parse(utf16);
    ASSERT_EQ(b.dialogs.size(), 1u);
    EXPECT_EQ(b.dialogs[0].caption, L"x");
}

// ---- Malformed scripts: reported with a line, the resource left out, never a crash ----------

TEST(DialogTemplate, AMalformedResourceIsReportedAndTheOthersSurvive) {
    const auto script = parse(R"(1 DIALOG 0, 0, 10, 10
BEGIN
    PUSHBUTTON "ok", 1, 0, 0, 10
END
2 DIALOG 0, 0, 10, 10
BEGIN
    LTEXT "fine", UNKNOWN_ID, 0, 0, 5, 5
END
3 DIALOG 0, 0, 10, 10
BEGIN
    LTEXT "fine", 1, 0, 0, 5, 5
END
)");
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].id, 3);
    ASSERT_EQ(script.problems.size(), 2u);
    EXPECT_NE(script.problems[0].find(L"t.rc:3:"), std::wstring::npos) << script.problems[0];
    EXPECT_NE(script.problems[1].find(L"t.rc:7:"), std::wstring::npos) << script.problems[1];
    EXPECT_NE(script.problems[1].find(L"UNKNOWN_ID"), std::wstring::npos);
}

TEST(DialogTemplate, BrokenInputNeverCrashes) {
    const char* inputs[] = {
        "",
        "1",
        "1 DIALOG",
        "1 DIALOG 0,0,1,1 BEGIN",
        "1 DIALOG 0,0,1,1 BEGIN LTEXT \"unterminated, 1, 0,0,1,1 END",
        "#define A A\n1 DIALOG A,0,1,1 BEGIN END",
        "#define A B\n#define B A\n1 DIALOG A,0,1,1 BEGIN END",
        "#if 1\n#if 0\n",
        "#endif\n#else\n",
        "STRINGTABLE BEGIN 1 END",
        "1 MENU BEGIN POPUP \"x\" BEGIN BEGIN END",
        "} } END END",
        "1 DIALOG 0,0,1,1 STYLE NOT BEGIN END",
        "1 DIALOG 0,0,1,1 BEGIN CONTROL \"\", 1, , 0, 0,0,1,1 END",
        "1 DIALOG (((((((( BEGIN END",
        "0 DIALOG 0,0,1,1 BEGIN END",
    };
    for (const char* input : inputs) {
        const auto script = parse(input);
        if (std::string(input).find("DIALOG") != std::string::npos &&
            std::string(input) != "1 DIALOG") {
            EXPECT_FALSE(script.problems.empty()) << input;
        }
    }
}

TEST(DialogTemplate, AModuleReportsTheProblemsOfItsScripts) {
    moduleWithScript(L"brokenscript.dll", "9 DIALOG 0,0,1,1\nBEGIN\n  BOGUS 1\nEND\n",
                     L"broken.rc");
    bool found = false;
    for (const std::wstring& p : winx::resourceProblems()) {
        found = found || p.find(L"broken.rc:3:") != std::wstring::npos;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(winx::findDialogTemplate(winx::attachModule(L"brokenscript.dll"), MAKEINTRESOURCE(9)),
              nullptr);
}

// ---- Templates in use ------------------------------------------------------------------------

class DialogTemplateInUse : public WindowTest {};

TEST_F(DialogTemplateInUse, ControlsArePlacedInDialogUnitsOfTheTemplateFont) {
    const HWND dlg =
        CreateDialogParam(promptModule(), MAKEINTRESOURCE(kPromptId), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    // 8-point font: 6 x 13 pixels per 4 x 8 dialog units.
    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, MulDiv(173, 6, 4));
    EXPECT_EQ(client.bottom, MulDiv(98, 13, 8));
    const HWND ok = GetDlgItem(dlg, IDOK);
    RECT r;
    GetWindowRect(ok, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, MulDiv(17, 6, 4));
    EXPECT_EQ(r.top, MulDiv(77, 13, 8));
    EXPECT_EQ(r.right, MulDiv(17 + 72, 6, 4));
    EXPECT_EQ(r.bottom, MulDiv(77 + 14, 13, 8));
    RECT units{4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dlg, &units));
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.top, 13);
    EXPECT_EQ(units.right, 12);
    EXPECT_EQ(units.bottom, 26);
    EXPECT_EQ(textOf(dlg), L"Prompt");
    EXPECT_NE(SendMessage(ok, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(SendMessage(dlg, WM_GETFONT, 0, 0), SendMessage(ok, WM_GETFONT, 0, 0));
}

TEST_F(DialogTemplateInUse, LargerFontsScaleTheBaseUnits) {
    const HINSTANCE module = moduleWithScript(L"bigfont.dll", R"(
1 DIALOGEX 0, 0, 40, 16
STYLE WS_POPUP
FONT 16, "MS Shell Dlg"
BEGIN
END
2 DIALOG 0, 0, 40, 16
STYLE WS_POPUP
BEGIN
END
)");
    const HWND big = CreateDialogParam(module, MAKEINTRESOURCE(1), nullptr, nullptr, 0);
    RECT client;
    GetClientRect(big, &client);
    EXPECT_EQ(client.right, 40 * 12 / 4);
    EXPECT_EQ(client.bottom, 16 * 26 / 8);
    const HWND system = CreateDialogParam(module, MAKEINTRESOURCE(2), nullptr, nullptr, 0);
    GetClientRect(system, &client);
    EXPECT_EQ(client.right, 40 * LOWORD(GetDialogBaseUnits()) / 4);
    EXPECT_EQ(client.bottom, 16 * HIWORD(GetDialogBaseUnits()) / 8);
}

TEST_F(DialogTemplateInUse, MissingTemplatesAndControlClassesFailCleanly) {
    EXPECT_EQ(CreateDialogParam(promptModule(), MAKEINTRESOURCE(4242), nullptr, nullptr, 0),
              nullptr);
    EXPECT_EQ(DialogBoxParam(promptModule(), MAKEINTRESOURCE(4242), nullptr, nullptr, 0), -1);
    const HINSTANCE module = moduleWithScript(L"badclass.dll", R"(
1 DIALOG 0, 0, 40, 16
BEGIN
    CONTROL "", 5, "NoSuchClass", 0, 0, 0, 10, 10
END
2 DIALOG 0, 0, 40, 16
STYLE WS_POPUP | DS_NOFAILCREATE
BEGIN
    CONTROL "", 5, "NoSuchClass", 0, 0, 0, 10, 10
    LTEXT "kept", 6, 0, 0, 10, 10
END
)");
    EXPECT_EQ(CreateDialogParam(module, MAKEINTRESOURCE(1), nullptr, nullptr, 0), nullptr);
    const HWND tolerant = CreateDialogParam(module, MAKEINTRESOURCE(2), nullptr, nullptr, 0);
    ASSERT_NE(tolerant, nullptr);
    EXPECT_EQ(GetDlgItem(tolerant, 5), nullptr);
    EXPECT_NE(GetDlgItem(tolerant, 6), nullptr);
    EXPECT_GE(winx::problems().size(), 3u);
}

} // namespace
