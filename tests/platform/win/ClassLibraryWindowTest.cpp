#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"

namespace {

using namespace wintest;

TEST(ClassLibraryGeometry, RectanglesPointsAndSizesBehaveAsTheClassLibrarysDo) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_TRUE(r == CRect(0, 0, 110, 70));
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 10))); // right edge excluded
    r.OffsetRect(5, 5);
    r.InflateRect(1, 2);
    EXPECT_TRUE(r == CRect(4, 3, 116, 77));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(r == CRect(5, 5, 113, 73));
    CRect inverted(50, 50, 10, 10);
    EXPECT_TRUE(inverted.IsRectEmpty());
    inverted.NormalizeRect();
    EXPECT_TRUE(inverted == CRect(10, 10, 50, 50));
    EXPECT_TRUE((CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20)) == CRect(5, 5, 10, 10));
    EXPECT_TRUE((CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20)) == CRect(0, 0, 20, 20));
    EXPECT_TRUE((CRect(0, 0, 10, 10) & CRect(20, 20, 30, 30)).IsRectNull());
    EXPECT_TRUE((CRect(0, 0, 1, 1) + CPoint(2, 3)) == CRect(2, 3, 3, 4));
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p, CPoint(4, 5));
    EXPECT_EQ(p - CPoint(1, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(MAKELPARAM(static_cast<WORD>(-5), 7)), CPoint(-5, 7));
    r.MoveToXY(0, 0);
    EXPECT_TRUE(r == CRect(0, 0, 108, 68));
}

class ClassLibraryWindow : public WindowTest {};

TEST_F(ClassLibraryWindow, AModalDialogWithoutParentIsOwnedByTheMainWindow) {
    const HWND frame = makeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, L"Main");
    winx::setMainWindow(frame);
    EXPECT_EQ(AfxGetMainWnd()->m_hWnd, frame);
    AfxSetResourceHandle(promptModule());
    CDialog dlg(kPromptId);
    bool frameDisabled = false;
    HWND owner = nullptr;
    winx::queueScript(winx::DialogScript()
                          .call([&](HWND d) {
                              frameDisabled = !IsWindowEnabled(frame);
                              owner = GetWindow(d, GW_OWNER);
                          })
                          .click(IDCANCEL));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(frameDisabled);
    EXPECT_EQ(owner, frame);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(GetActiveWindow(), frame);
    winx::setMainWindow(nullptr);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(ClassLibraryWindow, SafeHandleGettersOfEmptyObjectsAreNull) {
    CWnd wnd;
    CMenu menu;
    CFont font;
    CDC dc;
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
    EXPECT_EQ(dc.GetSafeHdc(), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
}

TEST_F(ClassLibraryWindow, FontsKeepTheirLogicalDescriptionAndReachWindows) {
    const std::size_t liveBefore = winx::liveGdiObjects();
    {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
        LOGFONT lf;
        ASSERT_TRUE(font.GetLogFont(&lf));
        EXPECT_EQ(lf.lfHeight, -12); // 9 points at 96 pixels per inch
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
        CWnd* wnd = CWnd::FromHandle(makeWindow(WS_OVERLAPPED));
        wnd->SetFont(&font);
        ASSERT_NE(wnd->GetFont(), nullptr);
        EXPECT_EQ(wnd->GetFont()->m_hObject, font.m_hObject);
        CFont bold;
        lf.lfWeight = FW_BOLD;
        ASSERT_TRUE(bold.CreateFontIndirect(&lf));
        EXPECT_FALSE(bold.CreateFontIndirect(&lf)); // one font per object
        EXPECT_EQ(winx::liveGdiObjects(), liveBefore + 2);
    }
    EXPECT_EQ(winx::liveGdiObjects(), liveBefore); // deleted with their objects
}

class Painter : public CWnd {
public:
    int paints = 0;
    int erases = 0;
    std::vector<UINT> colorKinds;
    COLORREF painted = 0;
    CBrush brush{RGB(1, 2, 3)};

protected:
    afx_msg void OnPaint() {
        ++paints;
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 4, 4, RGB(200, 100, 50));
        painted = dc.GetPixel(1, 1);
    }
    afx_msg BOOL OnEraseBkgnd(CDC* dc) {
        ++erases;
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind) {
        colorKinds.push_back(kind);
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Painter, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(ClassLibraryWindow, PaintingHandlersDrawIntoAWindowContext) {
    Painter wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    wnd.SendMessage(WM_PAINT);
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.painted, RGB(200, 100, 50));
    EXPECT_EQ(wnd.SendMessage(WM_ERASEBKGND), TRUE);
    EXPECT_EQ(wnd.erases, 1);
    const LRESULT brush = wnd.SendMessage(WM_CTLCOLORSTATIC);
    wnd.SendMessage(WM_CTLCOLOREDIT);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), static_cast<HBRUSH>(wnd.brush));
    EXPECT_EQ(wnd.colorKinds, (std::vector<UINT>{CTLCOLOR_STATIC, CTLCOLOR_EDIT}));
}

} // namespace

namespace {

TEST_F(ClassLibraryWindow, MessagesReachEveryDescendantAndTheWaitCursorComesBack) {
    CWnd* top = CWnd::FromHandle(makeWindow(WS_OVERLAPPED));
    const HWND a = makeChild(top->m_hWnd, 1);
    const HWND inner = makeChild(a, 2);
    const HWND b = makeChild(top->m_hWnd, 3);
    messageLog().clear();
    top->SendMessageToDescendants(WM_APP + 7);
    EXPECT_EQ(countOf(a, WM_APP + 7), 1u);
    EXPECT_EQ(countOf(inner, WM_APP + 7), 1u);
    EXPECT_EQ(countOf(b, WM_APP + 7), 1u);
    EXPECT_EQ(countOf(top->m_hWnd, WM_APP + 7), 0u);
    top->SendMessageToDescendants(WM_APP + 8, 0, 0, FALSE);
    EXPECT_EQ(countOf(inner, WM_APP + 8), 0u);

    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    SetCursor(arrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(SetCursor(LoadCursor(nullptr, IDC_WAIT)), LoadCursor(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(AfxGetApp()->LoadStandardCursor(IDC_CROSS), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_EQ(AfxGetApp(), AfxGetApp());
}

} // namespace
