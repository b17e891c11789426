#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"

namespace {

using namespace wintest;

const std::string kExchangeScript = R"(
900 DIALOGEX 0, 0, 220, 160
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Exchange"
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT 10, 5, 5, 100, 12
    EDITTEXT 11, 5, 20, 100, 12
    EDITTEXT 12, 5, 35, 100, 12
    AUTOCHECKBOX "Check", 20, 5, 50, 60, 10
    AUTORADIOBUTTON "A", 30, 5, 65, 40, 10, WS_GROUP
    AUTORADIOBUTTON "B", 31, 50, 65, 40, 10
    AUTORADIOBUTTON "C", 32, 95, 65, 40, 10
    AUTOCHECKBOX "Next group", 33, 140, 65, 40, 10, WS_GROUP
    COMBOBOX 40, 5, 80, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL
    COMBOBOX 41, 110, 80, 100, 60, CBS_DROPDOWN | WS_VSCROLL
    LISTBOX 50, 5, 100, 100, 40
    DEFPUSHBUTTON "OK", IDOK, 110, 140, 40, 14
    PUSHBUTTON "Cancel", IDCANCEL, 160, 140, 40, 14
END
)";

HINSTANCE exchangeModule() {
    static const HINSTANCE module = moduleWithScript(L"exchangetest.dll", kExchangeScript);
    return module;
}

class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(900) {}

    std::wstring name;
    int count = 0;
    double factor = 0;
    int check = 0;
    int radio = -1;
    int kindIndex = -1;
    std::wstring editable;
    std::wstring listed;
    CEdit nameEdit;
    std::function<void(ExchangeDialog&)> whileOpen;

protected:
    BOOL OnInitDialog() override {
        for (const wchar_t* s : {L"Plate", L"Bolt", L"Cut"}) {
            SendDlgItemMessage(40, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(41, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(50, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 10, nameEdit);
        DDX_Text(dx, 10, name);
        DDX_Text(dx, 11, count);
        DDV_MinMaxInt(dx, count, 0, 100);
        DDX_Text(dx, 12, factor);
        DDX_Check(dx, 20, check);
        DDX_Radio(dx, 30, radio);
        DDX_CBIndex(dx, 40, kindIndex);
        DDX_CBString(dx, 41, editable);
        DDX_LBString(dx, 50, listed);
    }
};

class ClassLibraryDataExchange : public WindowTest {
protected:
    ClassLibraryDataExchange() { AfxSetResourceHandle(exchangeModule()); }
    ~ClassLibraryDataExchange() override { AfxSetResourceHandle(nullptr); }

    static std::wstring text(HWND dialog, int id) {
        wchar_t buffer[128] = {};
        GetDlgItemText(dialog, id, buffer, 128);
        return buffer;
    }
};

TEST_F(ClassLibraryDataExchange, MembersGoIntoTheControlsAndComeBackOnOk) {
    ExchangeDialog dlg;
    dlg.name = L"Plate \u00BF";
    dlg.count = 12;
    dlg.factor = 2.5;
    dlg.check = BST_CHECKED;
    dlg.radio = 1;
    dlg.kindIndex = 2;
    dlg.editable = L"Bo"; // selects the first entry starting with it
    dlg.listed = L"Cut";
    std::wstring shown[5];
    winx::queueScript(winx::DialogScript()
                          .call([&](HWND d) {
                              shown[0] = text(d, 10);
                              shown[1] = text(d, 11);
                              shown[2] = text(d, 12);
                              shown[3] = text(d, 41);
                              shown[4] = IsDlgButtonChecked(d, 31) ? L"B" : L"?";
                          })
                          .setText(10, L"Bracket")
                          .setText(11, L" 42 ")
                          .setText(12, L"-0.125")
                          .check(20, BST_UNCHECKED)
                          .click(32)
                          .choose(40, 0)
                          .setText(41, L"Custom")
                          .choose(50, L"Plate")
                          .click(IDOK));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown[0], L"Plate \u00BF");
    EXPECT_EQ(shown[1], L"12");
    EXPECT_EQ(shown[2], L"2.5");
    EXPECT_EQ(shown[3], L"Bolt");
    EXPECT_EQ(shown[4], L"B");
    EXPECT_EQ(dlg.name, L"Bracket");
    EXPECT_EQ(dlg.count, 42);
    EXPECT_DOUBLE_EQ(dlg.factor, -0.125);
    EXPECT_EQ(dlg.check, BST_UNCHECKED);
    EXPECT_EQ(dlg.radio, 2);
    EXPECT_EQ(dlg.kindIndex, 0);
    EXPECT_EQ(dlg.editable, L"Custom");
    EXPECT_EQ(dlg.listed, L"Plate");
    EXPECT_EQ(dlg.nameEdit.m_hWnd, nullptr); // detached with the dialog
    EXPECT_TRUE(winx::problems().empty());
}

TEST_F(ClassLibraryDataExchange, AnInvalidNumberIsRefusedWithAMessageAndTheFocusGoesToIt) {
    ExchangeDialog dlg;
    int focused = 0;
    winx::queueScript(winx::DialogScript()
                          .setText(11, L"12a")
                          .click(IDOK)
                          .call([&](HWND) { focused = GetDlgCtrlID(GetFocus()); })
                          .setText(11, L"500")
                          .click(IDOK)
                          .setText(11, L"7")
                          .click(IDOK));
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(focused, 11);
    EXPECT_EQ(dlg.count, 7);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Please enter an integer.");
    EXPECT_EQ(boxes[1].text, L"Please enter an integer between 0 and 100.");
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(ClassLibraryDataExchange, UpdateDataWorksOnAModelessDialogAndControlsCanBeSubclassed) {
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(900u));
    EXPECT_NE(dlg.nameEdit.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, 10)), &dlg.nameEdit);
    dlg.nameEdit.SetWindowText(L"typed");
    SetDlgItemText(dlg.m_hWnd, 12, L"1e3");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.name, L"typed");
    EXPECT_DOUBLE_EQ(dlg.factor, 1000.0);
    dlg.count = -5;
    EXPECT_FALSE(dlg.UpdateData(TRUE) && dlg.count == -5); // 0 comes back from the edit
    dlg.count = 99;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(text(dlg.m_hWnd, 11), L"99");
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace
