// The STATIC class: labels, frames, icons and pictures.
#include "ControlBase.h"
#include "ControlClasses.h"
#include "win/winctrl.h"

namespace controls {

namespace {

class Static final : public Control {
public:
    explicit Static(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD kind() const { return style() & SS_TYPEMASK; }
    bool notifies() const { return hasStyle(SS_NOTIFY); }
    LRESULT onCreate(LPARAM lParam);
    HANDLE setImage(UINT type, HANDLE image);
    HANDLE image(UINT type) const;
    // Icons belong to SS_ICON statics, bitmaps to SS_BITMAP ones.
    bool fits(UINT type) const;

    HANDLE image_ = nullptr;
};

LRESULT Static::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        return onCreate(lParam);
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(setImage(IMAGE_ICON, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(image(IMAGE_ICON));
    case STM_SETIMAGE:
        return reinterpret_cast<LRESULT>(
            setImage(static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(image(static_cast<UINT>(wParam)));
    case WM_LBUTTONDOWN:
        if (notifies()) notifyCommand(STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (notifies()) notifyCommand(STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (notifies()) notifyCommand(wParam ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

// An icon or picture static created from a template names its image resource instead of a
// text: a number, or "#number".
LPCWSTR imageResourceName(LPCWSTR name) {
    if (!name || IS_INTRESOURCE(name)) return name;
    if (name[0] != L'#') return name;
    UINT_PTR number = 0;
    for (const wchar_t* c = name + 1; *c; ++c) {
        if (*c < L'0' || *c > L'9' || number > 0xFFFF) return name;
        number = number * 10 + static_cast<UINT_PTR>(*c - L'0');
    }
    return MAKEINTRESOURCE(number);
}

LRESULT Static::onCreate(LPARAM lParam) {
    const auto* create = pointerParam<const CREATESTRUCTW>(lParam);
    if (!create || (kind() != SS_ICON && kind() != SS_BITMAP)) {
        return defaultProc(WM_NCCREATE, 0, lParam);
    }
    LPCWSTR resource = imageResourceName(create->lpszName);
    CREATESTRUCTW withoutText = *create;
    withoutText.lpszName = IS_INTRESOURCE(create->lpszName) ? L"" : create->lpszName;
    const LRESULT result = defaultProc(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&withoutText));
    const bool named = resource && (IS_INTRESOURCE(resource) || resource[0] != L'\0');
    if (named && kind() == SS_ICON) {
        image_ = LoadIcon(create->hInstance, resource);
    } else if (named) {
        image_ = LoadBitmap(create->hInstance, resource);
    }
    return result;
}

HANDLE Static::setImage(UINT type, HANDLE image) {
    if (!fits(type)) return nullptr;
    HANDLE previous = image_;
    image_ = image;
    markChanged();
    return previous;
}

bool Static::fits(UINT type) const {
    return (type == IMAGE_ICON && kind() == SS_ICON) ||
           (type == IMAGE_BITMAP && kind() == SS_BITMAP);
}

HANDLE Static::image(UINT type) const {
    return fits(type) ? image_ : nullptr;
}

Control* createStatic(HWND hwnd) {
    return new Static(hwnd);
}

} // namespace

LRESULT staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createStatic);
}

} // namespace controls
