// The tab control ("SysTabControl32"). Layout, in client pixels: one row of tabs along the top,
// starting 2 px from the left and 2 px from the top, each kTabHeight high and as wide as its
// text (characters × the font's average character width) plus the padding on both sides, plus
// the image width and half a padding when the tab shows an image. The display area lies 4 px
// inside the frame, below the row. The average character width is 6 px without a font; a font
// set with WM_SETFONT gives |lfHeight| × 6 / 11 (or lfWidth when it is set).
#include "ControlBase.h"
#include "ControlClasses.h"
#include "win/wingdi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace controls {

namespace {

constexpr int kRowLeft = 2;
constexpr int kRowTop = 2;
constexpr int kTabHeight = 20;
constexpr int kPadding = 6;
constexpr int kFrame = 4;
constexpr int kDefaultCharWidth = 6;

struct Tab {
    std::wstring text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

class TabControl final : public Control {
public:
    explicit TabControl(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int count() const { return static_cast<int>(tabs_.size()); }
    bool valid(long long index) const { return index >= 0 && index < count(); }

    LRESULT onInsert(long long index, const TCITEMW* item);
    LRESULT onDelete(long long index);
    LRESULT onGetItem(long long index, TCITEMW* item) const;
    LRESULT onSetItem(long long index, const TCITEMW* item);
    LRESULT onAdjustRect(bool larger, RECT* rect) const;
    LRESULT onHitTest(TCHITTESTINFO* info) const;
    LRESULT onSetCurFocus(long long index);
    LRESULT onMouseDown(LPARAM lParam);
    LRESULT onKeyDown(int key);

    int charWidth() const;
    int tabWidth(int index) const;
    RECT itemRect(int index) const;
    int hitTest(POINT point) const;
    // A user's selection: TCN_SELCHANGING (a nonzero answer vetoes), then TCN_SELCHANGE.
    void userSelect(int index);

    std::vector<Tab> tabs_;
    int current_ = -1;
    int focus_ = -1;
    HIMAGELIST images_ = nullptr;
    int fixedWidth_ = 0;
    int tabHeight_ = kTabHeight;
    int padding_ = kPadding;
};

LRESULT TabControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case TCM_INSERTITEM:
        return onInsert(index, pointerParam<const TCITEMW>(lParam));
    case TCM_DELETEITEM:
        return onDelete(index);
    case TCM_DELETEALLITEMS:
        markChanged();
        tabs_.clear();
        current_ = focus_ = -1;
        return TRUE;
    case TCM_GETITEM:
        return onGetItem(index, pointerParam<TCITEMW>(lParam));
    case TCM_SETITEM:
        return onSetItem(index, pointerParam<const TCITEMW>(lParam));
    case TCM_GETITEMCOUNT:
        return count();
    case TCM_GETCURSEL:
        return current_;
    case TCM_SETCURSEL: {
        if (!valid(index)) return -1;
        const int previous = current_;
        current_ = focus_ = static_cast<int>(index);
        markChanged();
        return previous;
    }
    case TCM_GETCURFOCUS:
        return focus_;
    case TCM_SETCURFOCUS:
        return onSetCurFocus(index);
    case TCM_GETITEMRECT: {
        auto* rect = pointerParam<RECT>(lParam);
        if (!rect || !valid(index)) return FALSE;
        *rect = itemRect(static_cast<int>(index));
        return TRUE;
    }
    case TCM_ADJUSTRECT:
        return onAdjustRect(wParam != 0, pointerParam<RECT>(lParam));
    case TCM_HITTEST:
        return onHitTest(pointerParam<TCHITTESTINFO>(lParam));
    case TCM_SETIMAGELIST: {
        HIMAGELIST previous = images_;
        images_ = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(images_);
    case TCM_GETROWCOUNT:
        return 1;
    case TCM_SETITEMSIZE: {
        const LRESULT previous =
            MAKELONG(static_cast<WORD>(fixedWidth_), static_cast<WORD>(tabHeight_));
        const auto size = static_cast<DWORD_PTR>(lParam);
        fixedWidth_ = LOWORD(size);
        if (HIWORD(size) > 0) tabHeight_ = HIWORD(size);
        return previous;
    }
    case TCM_SETPADDING:
        padding_ = LOWORD(static_cast<DWORD_PTR>(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        return onMouseDown(lParam);
    case WM_KEYDOWN:
        return onKeyDown(static_cast<int>(wParam));
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

void applyItem(Tab& tab, const TCITEMW& item) {
    if ((item.mask & TCIF_TEXT) && item.pszText) tab.text = item.pszText;
    if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
    if (item.mask & TCIF_PARAM) tab.param = item.lParam;
    if (item.mask & TCIF_STATE) {
        tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
    }
}

LRESULT TabControl::onInsert(long long index, const TCITEMW* item) {
    markChanged();
    if (!item || index < 0) return -1;
    index = std::min<long long>(index, count());
    Tab tab;
    applyItem(tab, *item);
    tabs_.insert(tabs_.begin() + index, std::move(tab));
    if (count() == 1) {
        current_ = focus_ = 0; // the first tab starts out selected
    } else {
        if (current_ >= index) ++current_;
        if (focus_ >= index) ++focus_;
    }
    return index;
}

LRESULT TabControl::onDelete(long long index) {
    markChanged();
    if (!valid(index)) return FALSE;
    tabs_.erase(tabs_.begin() + index);
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
    if (focus_ == index) {
        focus_ = -1;
    } else if (focus_ > index) {
        --focus_;
    }
    return TRUE;
}

LRESULT TabControl::onGetItem(long long index, TCITEMW* item) const {
    if (!item || !valid(index)) return FALSE;
    const Tab& tab = tabs_[static_cast<std::size_t>(index)];
    if (item->mask & TCIF_TEXT) copyText(tab.text, item->pszText, item->cchTextMax);
    if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
    if (item->mask & TCIF_PARAM) item->lParam = tab.param;
    if (item->mask & TCIF_STATE) item->dwState = tab.state & item->dwStateMask;
    return TRUE;
}

LRESULT TabControl::onSetItem(long long index, const TCITEMW* item) {
    markChanged();
    if (!item || !valid(index)) return FALSE;
    applyItem(tabs_[static_cast<std::size_t>(index)], *item);
    return TRUE;
}

LRESULT TabControl::onAdjustRect(bool larger, RECT* rect) const {
    if (!rect) return 0;
    const int sign = larger ? -1 : 1;
    rect->left += sign * kFrame;
    rect->right -= sign * kFrame;
    rect->bottom -= sign * kFrame;
    rect->top += sign * (kRowTop + tabHeight_ + kFrame);
    return 0;
}

LRESULT TabControl::onHitTest(TCHITTESTINFO* info) const {
    if (!info) return -1;
    const int index = hitTest(info->pt);
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
    return index;
}

LRESULT TabControl::onSetCurFocus(long long index) {
    markChanged();
    if (!valid(index)) return 0;
    if (hasStyle(TCS_BUTTONS)) {
        focus_ = static_cast<int>(index);
    } else {
        userSelect(static_cast<int>(index));
    }
    return 0;
}

int TabControl::charWidth() const {
    LOGFONT font;
    if (!this->font() || GetObject(this->font(), sizeof font, &font) == 0) {
        return kDefaultCharWidth;
    }
    if (font.lfWidth > 0) return font.lfWidth;
    const LONG height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return std::max(1, static_cast<int>((height * 6 + 5) / 11));
}

int TabControl::tabWidth(int index) const {
    if (hasStyle(TCS_FIXEDWIDTH) && fixedWidth_ > 0) return fixedWidth_;
    const Tab& tab = tabs_[static_cast<std::size_t>(index)];
    int width = static_cast<int>(tab.text.size()) * charWidth() + 2 * padding_;
    int imageWidth = 0;
    int imageHeight = 0;
    if (tab.image >= 0 && ImageList_GetIconSize(images_, &imageWidth, &imageHeight)) {
        width += imageWidth + padding_ / 2;
    }
    return width;
}

RECT TabControl::itemRect(int index) const {
    RECT rect;
    rect.left = kRowLeft;
    for (int i = 0; i < index; ++i)
        rect.left += tabWidth(i);
    rect.right = rect.left + tabWidth(index);
    rect.top = kRowTop;
    rect.bottom = kRowTop + tabHeight_;
    return rect;
}

int TabControl::hitTest(POINT point) const {
    for (int i = 0; i < count(); ++i) {
        const RECT rect = itemRect(i);
        if (point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
            point.y < rect.bottom) {
            return i;
        }
    }
    return -1;
}

void TabControl::userSelect(int index) {
    markChanged();
    if (!valid(index) || index == current_) return;
    NMHDR header;
    if (notify(header, TCN_SELCHANGING) != 0 || !alive()) return;
    current_ = focus_ = index;
    notify(header, TCN_SELCHANGE);
}

LRESULT TabControl::onMouseDown(LPARAM lParam) {
    const int index = hitTest(pointParam(lParam));
    if (index < 0) return 0;
    if (hasStyle(TCS_FOCUSONBUTTONDOWN)) SetFocus(hwnd());
    if (alive()) userSelect(index);
    return 0;
}

LRESULT TabControl::onKeyDown(int key) {
    if (key != VK_LEFT && key != VK_RIGHT) {
        return defaultProc(WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }
    const int from = focus_ >= 0 ? focus_ : current_;
    userSelect(from + (key == VK_RIGHT ? 1 : -1));
    return 0;
}

Control* createTabControl(HWND hwnd) {
    return new TabControl(hwnd);
}

} // namespace

LRESULT tabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createTabControl);
}

} // namespace controls
