// The class library's "safe" handle getters, which code calls through pointers that may be null
// (pParent->GetSafeHwnd()). The object pointer is passed through an empty assembly statement so
// that the compiler cannot assume it is non-null and drop the test.
#include "afxwin.h"

namespace {

template <typename T>
const T* opaque(const T* object) {
    asm("" : "+r"(object));
    return object;
}

} // namespace

HWND CWnd::GetSafeHwnd() const {
    const CWnd* self = opaque(this);
    return self ? self->m_hWnd : nullptr;
}

HGDIOBJ CGdiObject::GetSafeHandle() const {
    const CGdiObject* self = opaque(this);
    return self ? self->m_hObject : nullptr;
}

HDC CDC::GetSafeHdc() const {
    const CDC* self = opaque(this);
    return self ? self->m_hDC : nullptr;
}

HMENU CMenu::GetSafeHmenu() const {
    const CMenu* self = opaque(this);
    return self ? self->m_hMenu : nullptr;
}
