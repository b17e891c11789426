#include "ControlTestHost.h"

#if __has_include("win/winclip.h")
#include "win/winclip.h"
#endif

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using controltest::ControlTest;

constexpr int kId = 100;

class EditTest : public ControlTest {
protected:
    HWND edit(DWORD style = ES_AUTOHSCROLL, LPCWSTR text = L"") {
        return host.create(L"Edit", WS_BORDER | style, kId, text);
    }
    void type(HWND control, std::wstring_view text) {
        for (wchar_t c : text)
            SendMessage(control, WM_CHAR, static_cast<WPARAM>(c), 1);
    }
    std::pair<DWORD, DWORD> selection(HWND control) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void select(HWND control, int start, int end) {
        SendMessage(control, EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    int count(int code) {
        int n = 0;
        for (int c : host.commands(kId))
            n += c == code ? 1 : 0;
        return n;
    }
};

TEST_F(EditTest, TypingInsertsAtTheSelectionAndReportsEachChange) {
    HWND field = edit();
    type(field, L"abcd");
    EXPECT_EQ(textOf(field), L"abcd");
    EXPECT_EQ(host.commands(kId), (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE,
                                                    EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    select(field, 1, 3);
    type(field, L"X");
    EXPECT_EQ(textOf(field), L"aXd");
    EXPECT_EQ(selection(field), std::make_pair(DWORD{2}, DWORD{2}));
    SendMessage(field, WM_CHAR, VK_BACK, 1);
    SendMessage(field, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(textOf(field), L"d");
    wchar_t buffer[8] = {};
    EXPECT_EQ(GetWindowText(field, buffer, 8), 1);
    EXPECT_EQ(std::wstring(buffer), L"d");
}

TEST_F(EditTest, SetSelFollowsTheMinusOneRules) {
    HWND field = edit(ES_AUTOHSCROLL, L"hello");
    select(field, 0, -1);
    EXPECT_EQ(selection(field), std::make_pair(DWORD{0}, DWORD{5}));
    select(field, 1, 3);
    select(field, -1, 0); // drops the selection, the caret stays at its end
    EXPECT_EQ(selection(field), std::make_pair(DWORD{3}, DWORD{3}));
    select(field, 4, 1); // reversed: the caret sits at the start
    EXPECT_EQ(selection(field), std::make_pair(DWORD{1}, DWORD{4}));
    select(field, 2, 99);
    EXPECT_EQ(selection(field), std::make_pair(DWORD{2}, DWORD{5}));
    EXPECT_EQ(send(field, EM_GETSEL), MAKELONG(2, 5));
}

TEST_F(EditTest, TheLimitStopsTypingButNotSetText) {
    HWND field = edit();
    EXPECT_EQ(send(field, EM_GETLIMITTEXT), 32767);
    send(field, EM_LIMITTEXT, 3);
    type(field, L"abcd");
    EXPECT_EQ(textOf(field), L"abc");
    EXPECT_EQ(count(EN_MAXTEXT), 1);
    EXPECT_EQ(count(EN_CHANGE), 3);
    sendText(field, WM_SETTEXT, 0, L"longer than three");
    EXPECT_EQ(textOf(field), L"longer than three");
    select(field, 0, 6);
    sendText(field, EM_REPLACESEL, TRUE, L"xy");
    EXPECT_EQ(textOf(field), L" than three"); // no room is left for the replacement
    send(field, EM_SETLIMITTEXT, 0);
    EXPECT_GT(send(field, EM_GETLIMITTEXT), 32767);
}

TEST_F(EditTest, StylesFilterAndConvertTypedText) {
    HWND number = edit(ES_NUMBER);
    type(number, L"1a2-3");
    EXPECT_EQ(textOf(number), L"123");
    HWND upper = edit(ES_UPPERCASE);
    type(upper, L"abC");
    EXPECT_EQ(textOf(upper), L"ABC");
    HWND lower = edit(ES_LOWERCASE);
    sendText(lower, WM_SETTEXT, 0, L"MiXed");
    EXPECT_EQ(textOf(lower), L"mixed");
    HWND single = edit();
    sendText(single, WM_SETTEXT, 0, L"first\r\nsecond");
    EXPECT_EQ(textOf(single), L"first");
}

TEST_F(EditTest, ReadOnlyRefusesTheUserButNotTheProgram) {
    HWND field = edit(ES_READONLY, L"fixed");
    select(field, 0, -1);
    type(field, L"x");
    SendMessage(field, WM_CHAR, VK_BACK, 1);
    pressKey(field, VK_DELETE);
    EXPECT_EQ(textOf(field), L"fixed");
    EXPECT_EQ(count(EN_CHANGE), 0);
    sendText(field, WM_SETTEXT, 0, L"program");
    EXPECT_EQ(textOf(field), L"program");

    send(field, EM_SETREADONLY, FALSE);
    EXPECT_EQ(GetWindowLongPtr(field, GWL_STYLE) & ES_READONLY, 0);
    select(field, 0, -1);
    type(field, L"user");
    EXPECT_EQ(textOf(field), L"user");
}

TEST_F(EditTest, SetTextReportsAChangeExceptInMultiLineFields) {
    HWND single = edit();
    sendText(single, WM_SETTEXT, 0, L"a");
    EXPECT_EQ(host.commands(kId), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(send(single, EM_GETMODIFY), FALSE);
    EXPECT_EQ(selection(single), std::make_pair(DWORD{0}, DWORD{0}));

    host.clear();
    HWND multi = edit(ES_MULTILINE);
    sendText(multi, WM_SETTEXT, 0, L"a\r\nb");
    EXPECT_TRUE(host.commands(kId).empty());
    EXPECT_EQ(textOf(multi), L"a\r\nb");
}

TEST_F(EditTest, MultiLineFieldsCountAndCopyLines) {
    HWND field = edit(ES_MULTILINE | ES_WANTRETURN, L"one\r\ntwo words\r\n\r\nlast");
    EXPECT_EQ(send(field, EM_GETLINECOUNT), 4);
    EXPECT_EQ(send(field, EM_LINEINDEX, 1), 5);
    EXPECT_EQ(send(field, EM_LINEINDEX, 3), 18);
    EXPECT_EQ(send(field, EM_LINEINDEX, 4), -1);
    EXPECT_EQ(send(field, EM_LINELENGTH, 6), 9);
    EXPECT_EQ(send(field, EM_LINELENGTH, 16), 0); // the empty third line
    EXPECT_EQ(send(field, EM_LINEFROMCHAR, 18), 3);

    wchar_t buffer[16] = {};
    const WORD capacity = 3;
    std::memcpy(buffer, &capacity, sizeof capacity);
    EXPECT_EQ(SendMessage(field, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::wstring(buffer, 3), L"two");

    select(field, 6, 8); // "wo" of line 1: four characters of the line stay unselected
    EXPECT_EQ(send(field, EM_LINELENGTH, static_cast<WPARAM>(-1)), 7);

    select(field, 3, 3);
    SendMessage(field, WM_CHAR, VK_RETURN, 1);
    EXPECT_EQ(send(field, EM_GETLINECOUNT), 5);
    pressKey(field, VK_LEFT); // back over the whole line break
    EXPECT_EQ(selection(field), std::make_pair(DWORD{3}, DWORD{3}));
    pressKey(field, VK_DELETE);
    EXPECT_EQ(send(field, EM_GETLINECOUNT), 4);

    HWND noReturn = edit(ES_MULTILINE, L"x");
    SendMessage(noReturn, WM_CHAR, VK_RETURN, 1);
    EXPECT_EQ(textOf(noReturn), L"x");
}

TEST_F(EditTest, KeysMoveTheCaretAndShiftExtendsTheSelection) {
    HWND field = edit(ES_AUTOHSCROLL, L"abcdef");
    SetFocus(field);
    pressKey(field, VK_END);
    EXPECT_EQ(selection(field), std::make_pair(DWORD{6}, DWORD{6}));
    holdKey(field, VK_SHIFT, true);
    pressKey(field, VK_LEFT);
    pressKey(field, VK_LEFT);
    holdKey(field, VK_SHIFT, false);
    EXPECT_EQ(selection(field), std::make_pair(DWORD{4}, DWORD{6}));
    pressKey(field, VK_LEFT); // collapses to the selection's start
    EXPECT_EQ(selection(field), std::make_pair(DWORD{4}, DWORD{4}));
    pressKey(field, VK_HOME);
    pressKey(field, VK_DELETE);
    EXPECT_EQ(textOf(field), L"bcdef");
    pressKey(field, VK_RIGHT);
    EXPECT_EQ(selection(field), std::make_pair(DWORD{1}, DWORD{1}));
}

TEST_F(EditTest, UndoSwapsWithTheTextBeforeTheLastChange) {
    HWND field = edit(ES_AUTOHSCROLL, L"start");
    EXPECT_EQ(send(field, EM_CANUNDO), FALSE);
    select(field, 5, 5);
    type(field, L" typed");
    EXPECT_EQ(send(field, EM_GETMODIFY), TRUE);
    EXPECT_EQ(send(field, EM_CANUNDO), TRUE);
    EXPECT_EQ(send(field, EM_UNDO), TRUE);
    EXPECT_EQ(textOf(field), L"start"); // one typing run is one step
    send(field, EM_UNDO);
    EXPECT_EQ(textOf(field), L"start typed"); // undoing the undo redoes

    select(field, 0, 5);
    sendText(field, EM_REPLACESEL, FALSE, L"end");
    EXPECT_EQ(send(field, EM_CANUNDO), FALSE); // not undoable by request
    send(field, EM_SETMODIFY, FALSE);
    EXPECT_EQ(send(field, EM_GETMODIFY), FALSE);
    sendText(field, WM_SETTEXT, 0, L"again");
    EXPECT_EQ(send(field, EM_CANUNDO), FALSE);
}

TEST_F(EditTest, FocusChangesAreReported) {
    HWND first = edit();
    HWND second = host.create(L"Edit", 0, kId + 1);
    SetFocus(first);
    SetFocus(second);
    EXPECT_EQ(host.commands(kId), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
    EXPECT_EQ(host.commands(kId + 1), std::vector<int>{EN_SETFOCUS});
    EXPECT_EQ(send(first, WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(EditTest, MultiLineFieldsLeaveTheDialogKeysToTheDialog) {
    HWND plain = edit(ES_MULTILINE);
    HWND wantsReturn = edit(ES_MULTILINE | ES_WANTRETURN);
    auto wantsAll = [](HWND field, int key) {
        MSG message;
        message.hwnd = field;
        message.message = WM_KEYDOWN;
        message.wParam = static_cast<WPARAM>(key);
        const LRESULT code =
            SendMessage(field, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message));
        return (code & DLGC_WANTALLKEYS) != 0;
    };
    EXPECT_TRUE(wantsAll(plain, 'A'));
    EXPECT_FALSE(wantsAll(plain, VK_RETURN));
    EXPECT_TRUE(wantsAll(wantsReturn, VK_RETURN));
    EXPECT_FALSE(wantsAll(wantsReturn, VK_TAB));
    EXPECT_FALSE(wantsAll(wantsReturn, VK_ESCAPE));
    EXPECT_EQ(send(plain, WM_GETDLGCODE) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    EXPECT_EQ(send(edit(), WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
}

#if __has_include("win/winclip.h")
TEST_F(EditTest, CopyCutAndPasteGoThroughTheClipboard) {
    winx::resetClipboard();
    HWND field = edit(ES_AUTOHSCROLL, L"copy this");
    select(field, 0, 4);
    send(field, WM_COPY);
    EXPECT_EQ(winx::clipboardText().value_or(L""), L"copy");
    send(field, WM_CUT);
    EXPECT_EQ(textOf(field), L" this");
    select(field, 5, 5);
    send(field, WM_PASTE);
    EXPECT_EQ(textOf(field), L" thiscopy");
    ASSERT_TRUE(winx::setClipboardText(L"line\r\nbreak"));
    select(field, 0, -1);
    send(field, WM_PASTE);
    EXPECT_EQ(textOf(field), L"line"); // a single-line field keeps the first line
    select(field, 0, 2);
    send(field, WM_CLEAR);
    EXPECT_EQ(textOf(field), L"ne");

    HWND secret = edit(ES_PASSWORD, L"secret");
    select(secret, 0, -1);
    send(secret, WM_COPY);
    EXPECT_EQ(winx::clipboardText().value_or(L""), L"line\r\nbreak");
    EXPECT_EQ(send(secret, EM_GETPASSWORDCHAR), L'*');
    winx::resetClipboard();
}
#endif

} // namespace

#include "afxwin.h"

namespace {

TEST_F(EditTest, TheClassLibraryWrapperDrivesTheSameControl) {
    CEdit wrapper;
    ASSERT_TRUE(wrapper.Attach(edit(ES_MULTILINE | ES_WANTRETURN, L"first\r\nsecond")));
    EXPECT_EQ(wrapper.GetLineCount(), 2);
    wchar_t line[16] = {};
    EXPECT_EQ(wrapper.GetLine(1, line, 3), 3);
    EXPECT_EQ(std::wstring(line, 3), L"sec");
    EXPECT_EQ(wrapper.LineIndex(1), 7);
    wrapper.SetSel(0, 5);
    int start = -1;
    int end = -1;
    wrapper.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    wrapper.ReplaceSel(L"1st", TRUE);
    EXPECT_EQ(wrapper.GetWindowText(), L"1st\r\nsecond");
    EXPECT_TRUE(wrapper.GetModify());
    EXPECT_TRUE(wrapper.CanUndo());
    wrapper.Undo();
    EXPECT_EQ(wrapper.GetWindowText(), L"first\r\nsecond");
    wrapper.SetLimitText(20);
    EXPECT_EQ(wrapper.GetLimitText(), 20u);
    wrapper.SetReadOnly();
    EXPECT_EQ(wrapper.GetStyle() & ES_READONLY, ES_READONLY);
    wrapper.Detach();
}

} // namespace
