// The BUTTON class: push buttons, check boxes, radio buttons and group boxes.
#include "ControlBase.h"
#include "ControlClasses.h"
#include "win/winctrl.h"

namespace controls {

namespace {

// A dialog never holds more controls than this; it bounds the walk around a radio group.
constexpr int kMaxGroupSize = 4096;

class Button final : public Control {
public:
    explicit Button(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD kind() const { return style() & BS_TYPEMASK; }
    bool checkable() const;
    UINT maxCheck() const;
    bool radio() const { return kind() == BS_RADIOBUTTON || kind() == BS_AUTORADIOBUTTON; }

    LRESULT onStateMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onImageMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onMouse(UINT msg, LPARAM lParam);
    LRESULT onKey(UINT msg, WPARAM key);
    LRESULT onFocus(bool gained);
    LRESULT dialogCode() const;

    void setCheck(UINT check);
    void press();
    void release(bool click);
    void click();
    void uncheckOtherAutoRadios();

    UINT check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool focused_ = false;
    bool tracking_ = false;
    HANDLE image_ = nullptr;
    UINT imageType_ = IMAGE_BITMAP;
};

LRESULT Button::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case BM_GETCHECK:
    case BM_SETCHECK:
    case BM_GETSTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
        return onStateMessage(msg, wParam, lParam);
    case BM_GETIMAGE:
    case BM_SETIMAGE:
        return onImageMessage(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return onMouse(msg, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
        return onKey(msg, wParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return onFocus(msg == WM_SETFOCUS);
    case WM_GETDLGCODE:
        return dialogCode();
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

bool Button::checkable() const {
    switch (kind()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return true;
    default:
        return false;
    }
}

UINT Button::maxCheck() const {
    return kind() == BS_3STATE || kind() == BS_AUTO3STATE ? BST_INDETERMINATE : BST_CHECKED;
}

void Button::setCheck(UINT check) {
    if (!checkable()) return;
    check_ = check > maxCheck() ? maxCheck() : check;
    markChanged();
    // A checked radio button is its group's tab stop.
    if (radio()) setStyle(check_ ? style() | WS_TABSTOP : style() & ~WS_TABSTOP);
}

LRESULT Button::onStateMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case BM_GETCHECK:
        return checkable() ? check_ : BST_UNCHECKED;
    case BM_SETCHECK:
        setCheck(static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return (checkable() ? check_ : 0) | (pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0);
    case BM_SETSTATE:
        pushed_ = wParam != 0;
        markChanged();
        return 0;
    case BM_SETSTYLE:
        setStyle((style() & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK));
        return 0;
    default: // BM_CLICK: a mouse click in the middle, as the platform does it
        if (enabled()) {
            RECT client;
            GetClientRect(hwnd(), &client);
            const POINT middle{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
            SendMessage(hwnd(), WM_LBUTTONDOWN, kMouseLeft, pointLParam(middle));
            if (alive()) SendMessage(hwnd(), WM_LBUTTONUP, 0, pointLParam(middle));
        }
        return 0;
    }
}

LRESULT Button::onImageMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto type = static_cast<UINT>(wParam);
    if (type != IMAGE_BITMAP && type != IMAGE_ICON) return 0;
    HANDLE previous = imageType_ == type ? image_ : nullptr;
    if (msg == BM_SETIMAGE) {
        image_ = reinterpret_cast<HANDLE>(lParam);
        markChanged();
        imageType_ = type;
    }
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT Button::onMouse(UINT msg, LPARAM lParam) {
    if (kind() == BS_GROUPBOX) return 0;
    if (msg == WM_LBUTTONDBLCLK) {
        const bool reportsDouble =
            hasStyle(BS_NOTIFY) || kind() == BS_RADIOBUTTON || kind() == BS_OWNERDRAW;
        if (reportsDouble) {
            notifyCommand(BN_DOUBLECLICKED);
            return 0;
        }
        msg = WM_LBUTTONDOWN; // otherwise a second click
    }
    if (msg == WM_LBUTTONDOWN) {
        SetFocus(hwnd());
        if (alive()) press();
        return 0;
    }
    if (!tracking_) return 0;
    RECT client;
    GetClientRect(hwnd(), &client);
    const POINT at = pointParam(lParam);
    const bool inside =
        at.x >= client.left && at.x < client.right && at.y >= client.top && at.y < client.bottom;
    release(inside);
    return 0;
}

LRESULT Button::onKey(UINT msg, WPARAM key) {
    if (key != VK_SPACE || kind() == BS_GROUPBOX) {
        return defaultProc(msg, key, 0);
    }
    if (msg == WM_KEYDOWN) {
        press();
    } else if (tracking_) {
        release(true);
    }
    return 0;
}

void Button::press() {
    markChanged();
    pushed_ = true;
    tracking_ = true;
}

void Button::release(bool clicked) {
    const bool wasPushed = pushed_;
    tracking_ = false;
    pushed_ = false;
    markChanged();
    if (clicked && wasPushed) click();
}

void Button::click() {
    if (!enabled()) return;
    switch (kind()) {
    case BS_AUTOCHECKBOX:
        SendMessage(hwnd(), BM_SETCHECK, check_ ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendMessage(hwnd(), BM_SETCHECK, (check_ + 1) % 3, 0);
        break;
    case BS_AUTORADIOBUTTON:
        SendMessage(hwnd(), BM_SETCHECK, BST_CHECKED, 0);
        uncheckOtherAutoRadios();
        break;
    default:
        break;
    }
    if (alive()) notifyCommand(BN_CLICKED);
}

void Button::uncheckOtherAutoRadios() {
    HWND dialog = parent();
    if (!dialog) return;
    HWND next = hwnd();
    for (int i = 0; i < kMaxGroupSize; ++i) {
        next = GetNextDlgGroupItem(dialog, next, FALSE);
        if (!next || next == hwnd()) return;
        const auto type = static_cast<DWORD>(GetWindowLongPtr(next, GWL_STYLE)) & BS_TYPEMASK;
        const bool autoRadio = type == BS_AUTORADIOBUTTON &&
                               (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
        if (autoRadio) SendMessage(next, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

LRESULT Button::onFocus(bool gained) {
    focused_ = gained;
    markChanged();
    if (!gained && tracking_) release(false);
    if (hasStyle(BS_NOTIFY)) notifyCommand(gained ? BN_SETFOCUS : BN_KILLFOCUS);
    return 0;
}

LRESULT Button::dialogCode() const {
    switch (kind()) {
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

Control* createButton(HWND hwnd) {
    return new Button(hwnd);
}

} // namespace

LRESULT buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createButton);
}

} // namespace controls
