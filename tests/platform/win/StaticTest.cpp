#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <vector>

namespace {

using controltest::ControlTest;

constexpr int kId = 600;

class StaticTest : public ControlTest {};

TEST_F(StaticTest, LabelsKeepTheirTextAndOnlyNotifyingOnesReportClicks) {
    HWND label = host.create(L"Static", SS_LEFT, kId, L"Length:");
    EXPECT_EQ(textOf(label), L"Length:");
    SetWindowText(label, L"Width:");
    EXPECT_EQ(textOf(label), L"Width:");
    EXPECT_EQ(send(label, WM_GETDLGCODE), DLGC_STATIC);
    mouseClick(label, 2, 2);
    EXPECT_FALSE(winx::userClick(label));
    EXPECT_TRUE(host.commands(kId).empty());

    HWND link = host.create(L"Static", SS_CENTER | SS_NOTIFY, kId + 1, L"More...");
    ASSERT_TRUE(winx::userClick(link));
    ASSERT_TRUE(winx::userDoubleClick(link));
    EXPECT_EQ(host.commands(kId + 1), (std::vector<int>{STN_CLICKED, STN_CLICKED, STN_DBLCLK}));
    host.clear();
    EnableWindow(link, FALSE);
    EXPECT_EQ(host.commands(kId + 1), std::vector<int>{STN_DISABLE});
}

TEST_F(StaticTest, IconAndPictureStaticsHoldOnlyTheirKindOfImage) {
    HWND icon = host.create(L"Static", SS_ICON, kId);
    HWND picture = host.create(L"Static", SS_BITMAP | SS_SUNKEN, kId + 1);
    HWND text = host.create(L"Static", SS_LEFT, kId + 2, L"text");
    auto* firstIcon = reinterpret_cast<HICON>(0x7100);
    auto* secondIcon = reinterpret_cast<HICON>(0x7200);
    auto* bitmap = reinterpret_cast<HBITMAP>(0x7300);

    EXPECT_EQ(send(icon, STM_SETICON, reinterpret_cast<WPARAM>(firstIcon)), 0);
    EXPECT_EQ(send(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(secondIcon)),
              reinterpret_cast<LRESULT>(firstIcon));
    EXPECT_EQ(send(icon, STM_GETICON), reinterpret_cast<LRESULT>(secondIcon));
    EXPECT_EQ(send(icon, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(send(icon, STM_GETIMAGE, IMAGE_BITMAP), 0);

    send(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    EXPECT_EQ(send(picture, STM_GETIMAGE, IMAGE_BITMAP), reinterpret_cast<LRESULT>(bitmap));
    EXPECT_EQ(send(picture, STM_GETICON), 0);
    EXPECT_EQ(GetWindowLongPtr(picture, GWL_STYLE) & SS_SUNKEN, SS_SUNKEN);

    EXPECT_EQ(send(text, STM_SETICON, reinterpret_cast<WPARAM>(firstIcon)), 0);
    EXPECT_EQ(send(text, STM_GETICON), 0);
}

} // namespace
