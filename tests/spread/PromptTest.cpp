// The one-line prompt dialog, and the caption question of the grid wrapper's inserts.
#include "SpreadTestSupport.h"

#include "spread/Trk_DlgPromptString.h"

#include "win/winctrl.h"

namespace spreadtest {
namespace {

std::wstring textOf(HWND window) {
    const int length = GetWindowTextLength(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(window, text.data(), length + 1)));
    return text;
}

std::wstring itemText(HWND dialog, int id) {
    return textOf(GetDlgItem(dialog, id));
}

// A control's rectangle in the dialog's client coordinates.
RECT placeOf(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

// Where the dialog manager puts a control given in dialog units.
RECT expectedPlace(HWND dialog, int x, int y, int cx, int cy) {
    RECT place{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &place);
    return place;
}

void expectPlace(HWND dialog, int id, int x, int y, int cx, int cy) {
    const RECT actual = placeOf(dialog, id);
    const RECT expected = expectedPlace(dialog, x, y, cx, cy);
    EXPECT_EQ(actual.left, expected.left) << "control " << id;
    EXPECT_EQ(actual.top, expected.top) << "control " << id;
    EXPECT_EQ(actual.right, expected.right) << "control " << id;
    EXPECT_EQ(actual.bottom, expected.bottom) << "control " << id;
}

DWORD styleOf(HWND dialog, int id) {
    return static_cast<DWORD>(GetWindowLongPtr(GetDlgItem(dialog, id), GWL_STYLE));
}

class PromptTest : public SpreadTest {
protected:
    void TearDown() override {
        EXPECT_TRUE(winx::problems().empty()) << "a script step failed or was left over";
        SpreadTest::TearDown();
    }

    // A prompt asking for a name, with "initial" in the edit.
    void fill(Trk_DlgPromptString& prompt) {
        prompt.title = L"Name";
        prompt.label = L"Name of the part:";
        prompt.value = L"initial";
        prompt.okText = L"Take";
        prompt.cancelText = L"Drop";
    }

    static winx::DialogScript script() {
        return winx::DialogScript().forTemplate(Trk_DlgPromptString::IDD);
    }
};

TEST_F(PromptTest, TheDialogShowsTheCallersTextsInTheTemplatesGeometryWithTheValueSelected) {
    Trk_DlgPromptString prompt(&host);
    fill(prompt);
    EXPECT_TRUE(prompt.requireText);
    EXPECT_FALSE(prompt.confirmed);
    winx::queueScript(
        script()
            .call([](HWND dialog) {
                EXPECT_EQ(textOf(dialog), L"Name");
                EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kLabelId), L"Name of the part:");
                EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kValueId), L"initial");
                EXPECT_EQ(itemText(dialog, IDOK), L"Take");
                EXPECT_EQ(itemText(dialog, IDCANCEL), L"Drop");
            })
            .call([](HWND dialog) {
                RECT client{};
                GetClientRect(dialog, &client);
                const RECT size = expectedPlace(dialog, 0, 0, 173, 98);
                EXPECT_EQ(client.right - client.left, size.right);
                EXPECT_EQ(client.bottom - client.top, size.bottom);
                expectPlace(dialog, IDOK, 17, 77, 72, 14);
                expectPlace(dialog, IDCANCEL, 103, 77, 50, 14);
                expectPlace(dialog, Trk_DlgPromptString::kLabelId, 7, 7, 159, 45);
                expectPlace(dialog, Trk_DlgPromptString::kValueId, 17, 57, 135, 12);
                EXPECT_EQ(styleOf(dialog, IDOK) & 0xF, DWORD{BS_DEFPUSHBUTTON});
                const DWORD edit = styleOf(dialog, Trk_DlgPromptString::kValueId);
                EXPECT_TRUE(edit & WS_BORDER);
                EXPECT_TRUE(edit & ES_AUTOHSCROLL);
                EXPECT_TRUE(edit & WS_VISIBLE);
            })
            .call([](HWND dialog) {
                const HWND edit = GetDlgItem(dialog, Trk_DlgPromptString::kValueId);
                EXPECT_EQ(GetFocus(), edit) << "the edit takes the focus";
                DWORD start = 99;
                DWORD end = 99;
                SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
                EXPECT_EQ(start, 0u);
                EXPECT_EQ(end, 7u) << "all of \"initial\" is selected";
            })
            .click(IDCANCEL));
    EXPECT_EQ(prompt.DoModal(), IDCANCEL);
}

TEST_F(PromptTest, OkOnAnEmptyRequiredEditDoesNothingUntilSomethingIsTyped) {
    Trk_DlgPromptString prompt(&host);
    fill(prompt);
    bool stillOpen = false;
    winx::queueScript(script()
                          .setText(Trk_DlgPromptString::kValueId, L"")
                          .click(IDOK)
                          .call([&stillOpen](HWND dialog) { stillOpen = IsWindowVisible(dialog); })
                          .type(Trk_DlgPromptString::kValueId, L"x")
                          .click(IDOK));
    EXPECT_EQ(prompt.DoModal(), IDOK);
    EXPECT_TRUE(stillOpen) << "OK on an empty edit leaves the dialog open";
    EXPECT_TRUE(prompt.confirmed);
    EXPECT_EQ(prompt.value, L"x");
}

TEST_F(PromptTest, TheEnteredTextBecomesTheValueWithOkOrEnterAndCancelOrEscapeKeepTheOldOne) {
    for (const int key : {VK_RETURN, 0}) {
        Trk_DlgPromptString prompt(&host);
        fill(prompt);
        auto steps = script().setText(Trk_DlgPromptString::kValueId, L"typed name");
        winx::queueScript(key ? steps.pressKey(key) : steps.click(IDOK));
        EXPECT_EQ(prompt.DoModal(), IDOK);
        EXPECT_TRUE(prompt.confirmed);
        EXPECT_EQ(prompt.value, L"typed name");
    }
    for (const int key : {VK_ESCAPE, 0}) {
        Trk_DlgPromptString prompt(&host);
        fill(prompt);
        auto steps = script().setText(Trk_DlgPromptString::kValueId, L"typed name");
        winx::queueScript(key ? steps.pressKey(key) : steps.click(IDCANCEL));
        EXPECT_EQ(prompt.DoModal(), IDCANCEL);
        EXPECT_FALSE(prompt.confirmed);
        EXPECT_EQ(prompt.value, L"initial");
    }
}

TEST_F(PromptTest, WithoutRequiredTextTheDialogIsAPlainMessageWhoseOkKeepsTheValue) {
    Trk_DlgPromptString prompt(&host);
    fill(prompt);
    prompt.requireText = false;
    prompt.value = L"kept";
    prompt.cancelText = L"";
    winx::queueScript(script()
                          .call([](HWND dialog) {
                              const HWND edit = GetDlgItem(dialog, Trk_DlgPromptString::kValueId);
                              EXPECT_FALSE(IsWindowVisible(edit));
                              EXPECT_EQ(GetFocus(), edit)
                                  << "the hidden edit still takes the focus";
                              EXPECT_EQ(itemText(dialog, IDCANCEL), L"")
                                  << "an empty text leaves the button without text";
                          })
                          .pressKey('Q')
                          .click(IDOK));
    EXPECT_EQ(prompt.DoModal(), IDOK);
    EXPECT_TRUE(prompt.confirmed) << "OK needs no text when none is required";
    EXPECT_EQ(prompt.value, L"kept") << "a key typed into the hidden edit is no answer";
}

TEST_F(PromptTest, AskStringUsesTheHostButtonTextsAndChangesTheValueOnlyWhenConfirmed) {
    Trk_String value = L"first";
    winx::queueScript(script()
                          .call([](HWND dialog) {
                              EXPECT_EQ(textOf(dialog), L"Title");
                              EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kLabelId), L"Label");
                              EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kValueId), L"first");
                              EXPECT_EQ(itemText(dialog, IDOK), dialString(1).str());
                              EXPECT_EQ(itemText(dialog, IDCANCEL), dialString(2).str());
                          })
                          .setText(Trk_DlgPromptString::kValueId, L"second")
                          .click(IDOK));
    EXPECT_TRUE(Trk_DlgPromptString::askString(L"Title", L"Label", value, &host));
    EXPECT_EQ(value, L"second");

    winx::queueScript(script().setText(Trk_DlgPromptString::kValueId, L"third").click(IDCANCEL));
    EXPECT_FALSE(Trk_DlgPromptString::askString(L"Title", L"Label", value, &host));
    EXPECT_EQ(value, L"second");

    winx::queueScript(
        script().setText(Trk_DlgPromptString::kValueId, L"").click(IDOK).click(IDCANCEL));
    EXPECT_FALSE(Trk_DlgPromptString::askString(L"Title", L"Label", value, &host));
    EXPECT_EQ(value, L"second") << "an empty answer is never taken";
}

TEST_F(PromptTest, WithoutItsTemplateThePromptFailsAndLeavesTheValue) {
    AfxSetResourceHandle(winx::attachModule(L"prompt-test-empty"));
    Trk_String value = L"kept";
    EXPECT_FALSE(Trk_DlgPromptString::askString(L"Title", L"Label", value, &host));
    EXPECT_EQ(value, L"kept");
    const std::vector<std::wstring> problems = winx::problems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems.front().find(L"8069"), std::wstring::npos) << "the template is missing";
    winx::resetRecords();
}

// ---- The caption question of an insert ------------------------------------------------------

class CaptionQuestionTest : public PromptTest {
protected:
    void SetUp() override {
        PromptTest::SetUp();
        create(2, 2);
    }
    Trk_String header(bool forRow, int at) const {
        Trk_String text;
        if (forRow) {
            spread.getCellText(Trk_Spread::HEADER, at, 0, text);
        } else {
            spread.getCellText(at, Trk_Spread::HEADER, 0, text);
        }
        return text;
    }
    static Trk_String questionLabel(bool forRow) {
        return dialString(1151) + L" " + dialString(forRow ? 1152 : 1153) + L":";
    }
};

TEST_F(CaptionQuestionTest, AnInsertAsksForTheHeaderCaptionAndTakesTheAnswerOrTheInitialText) {
    for (const bool forRow : {true, false}) {
        for (const bool answered : {true, false}) {
            SCOPED_TRACE(forRow ? "row" : "column");
            SCOPED_TRACE(answered ? "answered" : "cancelled");
            const Trk_String label = questionLabel(forRow);
            const Trk_String pushedOn = header(forRow, 1);
            winx::queueScript(script()
                                  .call([label](HWND dialog) {
                                      EXPECT_EQ(textOf(dialog), dialString(1150).str());
                                      EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kLabelId),
                                                label.str());
                                      EXPECT_EQ(itemText(dialog, Trk_DlgPromptString::kValueId),
                                                dialString(171).str());
                                      EXPECT_EQ(itemText(dialog, IDOK), L"Ok");
                                      EXPECT_EQ(itemText(dialog, IDCANCEL), L"");
                                  })
                                  .setText(Trk_DlgPromptString::kValueId, L"Totals")
                                  .click(answered ? IDOK : IDCANCEL));
            ASSERT_TRUE(forRow ? spread.insertRow(1, true, false)
                               : spread.insertCol(1, true, false));
            EXPECT_EQ(header(forRow, 1).str(), answered ? L"Totals" : dialString(171).str());
            EXPECT_EQ(header(forRow, 2).str(), pushedOn.str());
        }
    }
    EXPECT_EQ(spread.rowCount(), 4);
    EXPECT_EQ(spread.colCount(), 4);
}

TEST_F(CaptionQuestionTest, AnInsertWithoutTheQuestionShowsNoDialog) {
    ASSERT_TRUE(spread.insertRow(1, false, false));
    ASSERT_TRUE(spread.insertCol(1, false, false));
    EXPECT_EQ(header(true, 1).str(), L"");
    EXPECT_EQ(header(false, 1).str(), L"");
    EXPECT_TRUE(winx::unattended().empty());
}

} // namespace
} // namespace spreadtest
