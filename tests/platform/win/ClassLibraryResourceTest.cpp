#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"
#include "win/winctrl.h"
#include "win/wingdi.h"

namespace {

using namespace wintest;

void put16(std::vector<unsigned char>& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& b, unsigned v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void infoHeader(std::vector<unsigned char>& b, int width, int height, int bits) {
    put32(b, 40);
    put32(b, static_cast<unsigned>(width));
    put32(b, static_cast<unsigned>(height));
    put16(b, 1);
    put16(b, static_cast<unsigned>(bits));
    for (int i = 0; i < 6; ++i)
        put32(b, 0);
}

// A 2 x 2 24-bit bitmap: top row red, blue; bottom row green, white.
std::vector<unsigned char> smallBitmap() {
    std::vector<unsigned char> b{'B', 'M'};
    put32(b, 14 + 40 + 16);
    put32(b, 0);
    put32(b, 54);
    infoHeader(b, 2, 2, 24);
    const unsigned char rows[] = {0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom: green, white
                                  0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0}; // top: red, blue
    b.insert(b.end(), std::begin(rows), std::end(rows));
    return b;
}

// A 2 x 2 32-bit icon, every pixel opaque yellow.
std::vector<unsigned char> smallIcon() {
    std::vector<unsigned char> image;
    infoHeader(image, 2, 4, 32);
    for (int i = 0; i < 4; ++i)
        put32(image, 0xFFFFFF00u);
    for (int i = 0; i < 8; ++i)
        image.push_back(0);
    std::vector<unsigned char> b;
    put16(b, 0);
    put16(b, 1);
    put16(b, 1);
    b.insert(b.end(), {2, 2, 0, 0});
    put16(b, 1);
    put16(b, 32);
    put32(b, static_cast<unsigned>(image.size()));
    put32(b, 22);
    b.insert(b.end(), image.begin(), image.end());
    return b;
}

const std::string kImagesScript = R"(
STRINGTABLE
BEGIN
    17 "Plate thickness"
    18 "Width"
END
60 DIALOG 0, 0, 100, 50
STYLE WS_POPUP
BEGIN
    ICON 8200, 1, 5, 5
    CONTROL 8134, 2, "Static", SS_BITMAP, 30, 5, 10, 10
END
)";

HINSTANCE imageModule() {
    static const std::vector<unsigned char> bitmap = smallBitmap();
    static const std::vector<unsigned char> icon = smallIcon();
    static const HINSTANCE module = [] {
        const HINSTANCE m = moduleWithScript(L"images.dll", kImagesScript);
        const winx::ResourceBlob blobs[] = {
            {winx::ResourceKind::Bitmap, 8134, L"8134_checked.bmp", bitmap.data(), bitmap.size()},
            {winx::ResourceKind::Icon, 8200, L"8200.ico", icon.data(), icon.size()},
        };
        winx::registerResources(m, blobs, 2);
        return m;
    }();
    return module;
}

std::string captionScript(const char* caption) {
    return std::string("100 DIALOG 0, 0, 50, 20\nSTYLE WS_POPUP | WS_CAPTION\nCAPTION \"") +
           caption + "\"\nBEGIN\nEND\n";
}

class CaptionDialog : public CDialog {
public:
    explicit CaptionDialog(UINT id) : CDialog(id) {}
    std::wstring caption;

protected:
    BOOL OnInitDialog() override {
        caption = GetWindowText();
        EndDialog(IDOK);
        return TRUE;
    }
};

class ClassLibraryResources : public WindowTest {
protected:
    ~ClassLibraryResources() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(ClassLibraryResources, TheResourceHandleSwitchChoosesTheTemplatesModule) {
    const HINSTANCE a = moduleWithScript(L"switch_a.dll", captionScript("From A"));
    const HINSTANCE b = moduleWithScript(L"switch_b.dll", captionScript("From B"));
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle(nullptr));
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandle(nullptr));
    AfxSetResourceHandle(a);
    CaptionDialog first(100);
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.caption, L"From A");
    AfxSetResourceHandle(b);
    CaptionDialog second(100);
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(second.caption, L"From B");
    AfxSetResourceHandle(nullptr);
    CaptionDialog missing(100);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(ClassLibraryResources, FindResourceHandleSearchesTheCurrentModuleThenTheExtensionModules) {
    const HINSTANCE x = moduleWithScript(L"ext_x.dll", "200 DIALOG 0,0,1,1\nBEGIN\nEND\n");
    const HINSTANCE y = moduleWithScript(L"ext_y.dll", "300 DIALOG 0,0,1,1\nBEGIN\nEND\n"
                                                       "200 DIALOG 0,0,1,1\nBEGIN\nEND\n");
    AFX_EXTENSION_MODULE xModule;
    ASSERT_TRUE(AfxInitExtensionModule(xModule, x));
    EXPECT_TRUE(xModule.bInitialized);
    new CDynLinkLibrary(xModule);
    EXPECT_EQ(winx::extensionModuleChain(), (std::vector<HINSTANCE>{x}));

    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(200), RT_DIALOG), x);
    AfxSetResourceHandle(y);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(200), RT_DIALOG), y); // current first
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(300), RT_DIALOG), y);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(999), RT_DIALOG), y); // nowhere
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(300), RT_DIALOG), GetModuleHandle(nullptr));

    AfxTermExtensionModule(xModule);
    EXPECT_TRUE(winx::extensionModuleChain().empty());
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(200), RT_DIALOG), GetModuleHandle(nullptr));
    AFX_EXTENSION_MODULE bogus;
    EXPECT_FALSE(AfxInitExtensionModule(bogus, reinterpret_cast<HMODULE>(0x1234)));
    EXPECT_FALSE(bogus.bInitialized);
}

TEST_F(ClassLibraryResources, BitmapsIconsAndStringsLoadByNumber) {
    const HINSTANCE module = imageModule();
    HBITMAP bitmap = LoadBitmap(module, MAKEINTRESOURCE(8134));
    ASSERT_NE(bitmap, nullptr);
    const auto pixels = winx::bitmapPixels(bitmap);
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(pixels->width, 2);
    EXPECT_EQ(pixels->height, 2);
    EXPECT_EQ(pixels->pixels[0] & 0xFFFFFF, 0xFF0000u); // top left red
    EXPECT_EQ(pixels->pixels[3] & 0xFFFFFF, 0xFFFFFFu); // bottom right white
    DeleteObject(bitmap);
    EXPECT_EQ(LoadBitmap(module, MAKEINTRESOURCE(8135)), nullptr);

    const HICON icon = LoadIcon(module, MAKEINTRESOURCE(8200));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIcon(module, MAKEINTRESOURCE(8200)), icon); // shared
    EXPECT_EQ(winx::iconPixels(icon)->width, 2);

    wchar_t text[8];
    EXPECT_EQ(LoadString(module, 17, text, 8), 7);
    EXPECT_STREQ(text, L"Plate t");
    EXPECT_EQ(LoadString(module, 19, text, 8), 0);
    EXPECT_NE(FindResource(module, MAKEINTRESOURCE(2), RT_STRING), nullptr); // block of 16..31
    EXPECT_EQ(FindResource(module, MAKEINTRESOURCE(3), RT_STRING), nullptr);
    EXPECT_NE(FindResource(module, MAKEINTRESOURCE(8134), RT_BITMAP), nullptr);
    EXPECT_NE(FindResource(module, MAKEINTRESOURCE(60), RT_DIALOG), nullptr);

    HANDLE loaded = LoadImage(module, MAKEINTRESOURCE(8134), IMAGE_BITMAP, 4, 4, 0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(winx::bitmapPixels(static_cast<HBITMAP>(loaded))->width, 4);
    DeleteObject(loaded);

    AfxSetResourceHandle(module);
    CBitmap checked;
    ASSERT_TRUE(checked.LoadBitmap(8134));
    BITMAP bm;
    ASSERT_TRUE(checked.GetBitmap(&bm));
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 2);
    AfxMessageBox(17u);
    EXPECT_EQ(winx::messageBoxes().at(0).text, L"Plate thickness");
}

TEST_F(ClassLibraryResources, ImageStaticsOfATemplateShowTheModulesImages) {
    const HWND dlg = CreateDialogParam(imageModule(), MAKEINTRESOURCE(60), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendDlgItemMessage(dlg, 1, STM_GETICON, 0, 0)),
              LoadIcon(imageModule(), MAKEINTRESOURCE(8200)));
    EXPECT_NE(SendDlgItemMessage(dlg, 2, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(ClassLibraryResources, ModulesAreFoundByNameAndReportTheirPath) {
    const HINSTANCE module = winx::attachModule(L"trkss.arx", L"/opt/steel/trkss.arx");
    EXPECT_EQ(winx::attachModule(L"TRKSS.ARX"), module);
    EXPECT_EQ(GetModuleHandle(L"trkss.arx"), module);
    EXPECT_EQ(GetModuleHandle(L"trkss"), module);
    EXPECT_EQ(GetModuleHandle(L"nothing.dll"), nullptr);
    wchar_t path[64];
    EXPECT_EQ(GetModuleFileName(module, path, 64), 20u);
    EXPECT_STREQ(path, L"/opt/steel/trkss.arx");
    EXPECT_EQ(GetModuleFileName(module, path, 5), 5u); // truncated
    EXPECT_STREQ(path, L"/opt");
    EXPECT_GT(GetModuleFileName(nullptr, path, 64), 0u);
}

} // namespace
