// Dialogs from templates: creation of the frame and its controls in dialog units, WM_SETFONT and
// WM_INITDIALOG, modal dialogs with their owner disabled, and EndDialog.
//
// Dialog base units: a template font of 8 points (any face) gives 6 x 13 pixels per 4 x 8
// dialog units; other sizes scale linearly (rounded). Without a template font the system font's
// 8 x 16 applies. A caption adds SM_CYCAPTION and the frame SM_CXDLGFRAME (see
// AdjustWindowRectEx) around the client area that the template's size describes.
#include "dialogs/Dialogs.h"
#include "scripts/Records.h"

#include "win/winbase.h"
#include "win/winctrl.h"
#include "win/wingdi.h"
#include "win/winx_rc.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <utility>

namespace winx::dialogs {
namespace {

constexpr int kSystemBaseX = 8;
constexpr int kSystemBaseY = 16;
constexpr int kScreenDpi = 96;

struct Creation {
    std::unique_ptr<kernel::DialogState> state;
    DLGPROC proc = nullptr;
    kernel::CreationHook chained = nullptr;
    void* chainedContext = nullptr;
};

// Attaches the dialog state and procedure before the first message reaches the window, then
// lets the class library attach its object.
void attachDialog(HWND hwnd, void* context) {
    auto* c = static_cast<Creation*>(context);
    kernel::Window* w = kernel::find(hwnd);
    w->dialog = std::move(c->state);
    SetWindowLongPtr(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(c->proc));
    if (c->chained) c->chained(hwnd, c->chainedContext);
}

void releaseDialogFont(HWND hwnd) {
    kernel::Window* w = kernel::find(hwnd);
    if (w && w->dialog && w->dialog->templateFont) {
        DeleteObject(std::exchange(w->dialog->templateFont, nullptr));
    }
}

HFONT createTemplateFont(const DialogTemplate& t) {
    LOGFONT lf;
    lf.lfHeight = -MulDiv(t.pointSize, kScreenDpi, 72);
    lf.lfWeight = t.weight ? t.weight : FW_NORMAL;
    lf.lfItalic = t.italic ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(t.charset ? t.charset : DEFAULT_CHARSET);
    const std::size_t n = std::min<std::size_t>(t.faceName.size(), LF_FACESIZE - 1);
    std::copy_n(t.faceName.begin(), n, lf.lfFaceName);
    return CreateFontIndirect(&lf);
}

std::wstring templateName(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return std::to_wstring(reinterpret_cast<UINT_PTR>(name));
    return name ? std::wstring(name) : std::wstring(L"(null)");
}

RECT toPixels(int x, int y, int cx, int cy, int baseX, int baseY) {
    return RECT{MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(x + cx, baseX, 4),
                MulDiv(y + cy, baseY, 8)};
}

POINT framePosition(const DialogTemplate& t, const RECT& frame, HWND parent, int baseX, int baseY) {
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    POINT p{MulDiv(t.x, baseX, 4), MulDiv(t.y, baseY, 8)};
    if (t.style & WS_CHILD) return p;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (parent) GetWindowRect(kernel::topLevelOf(parent), &area);
    if (t.style & DS_CENTER) {
        return POINT{area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2};
    }
    if (parent && !(t.style & DS_ABSALIGN)) ClientToScreen(kernel::topLevelOf(parent), &p);
    return p;
}

HMENU templateMenu(const DialogTemplate& t, HINSTANCE instance) {
    if (t.menuId) return LoadMenu(instance, MAKEINTRESOURCE(static_cast<UINT_PTR>(t.menuId)));
    if (!t.menuName.empty()) return LoadMenu(instance, t.menuName.c_str());
    return nullptr;
}

HWND createFrame(const DialogTemplate& t, HINSTANCE instance, HWND parent, Creation& creation,
                 int baseX, int baseY) {
    const HMENU menu = (t.style & WS_CHILD) ? nullptr : templateMenu(t, instance);
    RECT frame = toPixels(0, 0, t.cx, t.cy, baseX, baseY);
    AdjustWindowRectEx(&frame, t.style, menu != nullptr, t.exStyle);
    const POINT at = framePosition(t, frame, parent, baseX, baseY);
    kernel::takeCreationHook(creation.chained, creation.chainedContext);
    kernel::setCreationHook(attachDialog, &creation);
    const LPCWSTR cls = t.className.empty() ? L"#32770" : t.className.c_str();
    // A dialog made to sit inside another takes part in its keyboard navigation.
    const DWORD exStyle = t.exStyle | ((t.style & DS_CONTROL) ? WS_EX_CONTROLPARENT : 0);
    const HWND hwnd = CreateWindowEx(exStyle, cls, t.caption.c_str(), t.style & ~WS_VISIBLE, at.x,
                                     at.y, frame.right - frame.left, frame.bottom - frame.top,
                                     parent, menu, instance, nullptr);
    kernel::CreationHook leftover = nullptr;
    void* leftoverContext = nullptr;
    kernel::takeCreationHook(leftover, leftoverContext); // unused when the class was missing
    return hwnd;
}

bool isButtonClass(const std::wstring& name) {
    static const std::wstring kButton = L"button";
    return name.size() == kButton.size() &&
           std::equal(name.begin(), name.end(), kButton.begin(), [](wchar_t a, wchar_t b) {
               return static_cast<wchar_t>(std::towlower(a)) == b;
           });
}

void setControlImage(HWND control, const DialogItemTemplate& item, HINSTANCE instance) {
    if (item.imageId == 0) return;
    const LPCWSTR name = MAKEINTRESOURCE(static_cast<UINT_PTR>(item.imageId));
    if ((item.style & SS_TYPEMASK) == SS_ICON) {
        if (HICON icon = LoadIcon(instance, name)) {
            SendMessage(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
    } else if ((item.style & SS_TYPEMASK) == SS_BITMAP) {
        if (HBITMAP bitmap = LoadBitmap(instance, name)) {
            SendMessage(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
    }
}

bool createControls(HWND dialog, const DialogTemplate& t, HINSTANCE instance, HFONT font) {
    kernel::DialogState* st = stateOf(dialog);
    for (const DialogItemTemplate& item : t.items) {
        const RECT r = toPixels(item.x, item.y, item.cx, item.cy, st->baseX, st->baseY);
        const std::wstring text = item.imageId ? std::wstring() : item.text;
        const HWND control = CreateWindowEx(
            item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), text.c_str(),
            item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance, nullptr);
        if (!IsWindow(dialog)) return false;
        if (!control) {
            records::problem(L"dialog " + templateName(MAKEINTRESOURCE(t.id)) + L": control " +
                             std::to_wstring(item.id) + L" of class \"" + item.className +
                             L"\" could not be created");
            if (!(t.style & DS_NOFAILCREATE)) return false;
            continue;
        }
        if (font) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        setControlImage(control, item, instance);
        if (st->defaultId == 0 && (item.style & WS_CHILD) && isButtonClass(item.className) &&
            (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            st->defaultId = item.id;
        }
        st = stateOf(dialog);
        if (!st) return false;
    }
    return true;
}

void initialize(HWND dialog, LPARAM initParam) {
    const HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT setFocus =
        SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog)) return;
    if (setFocus && first && IsWindow(first)) setDialogFocus(dialog, first);
}

HWND createFromTemplate(const DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc,
                        LPARAM initParam, bool modal) {
    static const bool hooked = (kernel::addDestroyHook(releaseDialogFont), true);
    (void)hooked;
    Creation creation;
    creation.state = std::make_unique<kernel::DialogState>();
    creation.proc = proc;
    kernel::DialogState& st = *creation.state;
    st.templateId = t.id;
    st.modal = modal;
    if (t.hasFont) {
        baseUnitsFor(t.pointSize, st.baseX, st.baseY);
    } else {
        st.baseX = kSystemBaseX;
        st.baseY = kSystemBaseY;
    }
    const int baseX = st.baseX;
    const int baseY = st.baseY;
    const HWND dialog = createFrame(t, instance, parent, creation, baseX, baseY);
    if (!dialog || !stateOf(dialog)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }
    HFONT font = nullptr;
    if (t.hasFont) {
        font = createTemplateFont(t);
        stateOf(dialog)->font = font;
        stateOf(dialog)->templateFont = font;
        SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (!IsWindow(dialog) || !createControls(dialog, t, instance, font)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }
    initialize(dialog, initParam);
    if (IsWindow(dialog) && (t.style & WS_VISIBLE)) ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

} // namespace

kernel::DialogState* stateOf(HWND dialog) {
    kernel::Window* w = kernel::find(dialog);
    return w ? w->dialog.get() : nullptr;
}

void baseUnitsFor(int pointSize, int& baseX, int& baseY) {
    const double scale = pointSize > 0 ? pointSize / 8.0 : 1.0;
    baseX = std::max(1, static_cast<int>(std::lround(6 * scale)));
    baseY = std::max(1, static_cast<int>(std::lround(13 * scale)));
}

HWND createDialog(HINSTANCE instance, LPCWSTR name, HWND parent, DLGPROC proc, LPARAM initParam,
                  bool modal) {
    const DialogTemplate* t = findDialogTemplate(instance, name);
    if (!t) {
        records::problem(L"dialog template " + templateName(name) + L" not found in the module");
        return nullptr;
    }
    if (parent && !IsWindow(parent)) return nullptr;
    return createFromTemplate(*t, instance, parent, proc, initParam, modal);
}

} // namespace winx::dialogs

using namespace winx;

HWND CreateDialogParam(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    return dialogs::createDialog(instance, templateName, parent, proc, initParam, false);
}

namespace {

// Ends a modal dialog's life on every way out of DialogBoxParam, an exception included: the
// owner is enabled again and the dialog destroyed.
class ModalScope {
public:
    ModalScope(HWND owner, bool disabledOwner) : owner_(owner), disabledOwner_(disabledOwner) {}
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope() {
        kernel::DialogState* st = dialogs::stateOf(dialog);
        const bool stillDisabled = !st || st->ownerToEnable;
        if (disabledOwner_ && IsWindow(owner_) && stillDisabled) EnableWindow(owner_, TRUE);
        if (IsWindow(dialog)) DestroyWindow(dialog);
    }
    HWND dialog = nullptr;

private:
    HWND owner_;
    bool disabledOwner_;
};

} // namespace

INT_PTR DialogBoxParam(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    const HWND owner = parent ? kernel::topLevelOf(parent) : nullptr;
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    ModalScope scope(owner, disableOwner);
    scope.dialog = dialogs::createDialog(instance, templateName, parent, proc, initParam, true);
    if (!scope.dialog) return -1;
    if (disableOwner) dialogs::stateOf(scope.dialog)->ownerToEnable = owner;
    if (!IsWindowVisible(scope.dialog)) ShowWindow(scope.dialog, SW_SHOWNORMAL);
    return dialogs::runModalLoop(scope.dialog);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    kernel::DialogState* st = dialogs::stateOf(dialog);
    if (!st) return FALSE;
    st->ended = true;
    st->result = result;
    if (const HWND owner = std::exchange(st->ownerToEnable, nullptr); IsWindow(owner)) {
        EnableWindow(owner, TRUE);
    }
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    kernel::DialogState* st = dialogs::stateOf(dialog);
    if (!st || !rect) return FALSE;
    rect->left = MulDiv(rect->left, st->baseX, 4);
    rect->right = MulDiv(rect->right, st->baseX, 4);
    rect->top = MulDiv(rect->top, st->baseY, 8);
    rect->bottom = MulDiv(rect->bottom, st->baseY, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return static_cast<LONG>(MAKELONG(winx::dialogs::kSystemBaseX, winx::dialogs::kSystemBaseY));
}
