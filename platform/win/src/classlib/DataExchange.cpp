// Dialog data exchange: moving values between controls and members, with the class library's
// messages for values that do not parse.
#include "classlib/AfxInternal.h"

#include "scripts/Records.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

std::wstring textOf(HWND hwnd) {
    const int length = ::GetWindowTextLength(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int n = ::GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

void setTextIfChanged(HWND hwnd, const std::wstring& text) {
    if (textOf(hwnd) != text) ::SetWindowText(hwnd, text.c_str());
}

std::wstring trimmed(const std::wstring& s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && std::iswspace(s[a]))
        ++a;
    while (b > a && std::iswspace(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

bool parseLong(const std::wstring& text, long long& value) {
    const std::wstring t = trimmed(text);
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == L'\0';
}

bool parseDouble(const std::wstring& text, double& value) {
    const std::wstring t = trimmed(text);
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstod(t.c_str(), &end);
    return errno == 0 && end && *end == L'\0';
}

std::wstring formatDouble(double value, int digits) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.*g", digits, value);
    return buffer;
}

[[noreturn]] void reject(CDataExchange* dx, const std::wstring& message) {
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    dx->Fail();
}

template <typename T>
void exchangeInteger(CDataExchange* dx, int id, T& value, long long lo, long long hi,
                     const wchar_t* message) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        setTextIfChanged(control, std::to_wstring(value));
        return;
    }
    long long parsed = 0;
    if (!parseLong(textOf(control), parsed) || parsed < lo || parsed > hi) reject(dx, message);
    value = static_cast<T>(parsed);
}

// Runs over the radio buttons of the group that starts at `first`.
template <typename Visit>
void forEachRadio(HWND first, Visit visit) {
    int index = 0;
    HWND control = first;
    do {
        if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) visit(control, index++);
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongPtr(control, GWL_STYLE) & WS_GROUP));
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    const HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) {
        winx::records::problem(L"data exchange: the dialog has no control " + std::to_wstring(id));
        throw afx::DataExchangeFailure{};
    }
    m_idLastControl = control;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    return PrepareCtrl(id);
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl && IsWindow(m_idLastControl)) {
        ::SetFocus(m_idLastControl);
        ::SendMessage(m_idLastControl, EM_SETSEL, 0, -1);
    }
    throw afx::DataExchangeFailure{};
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = textOf(control);
    } else {
        setTextIfChanged(control, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    exchangeInteger(dx, id, value, INT_MIN, INT_MAX, L"Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    exchangeInteger(dx, id, value, 0, UINT_MAX, L"Please enter a positive integer.");
}

void DDX_Text(CDataExchange* dx, int id, long& value) {
    exchangeInteger(dx, id, value, INT_MIN, INT_MAX, L"Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        setTextIfChanged(control, formatDouble(value, DBL_DIG));
        return;
    }
    double parsed = 0;
    if (!parseDouble(textOf(control), parsed)) reject(dx, L"Please enter a number.");
    value = parsed;
}

void DDX_Text(CDataExchange* dx, int id, float& value) {
    const HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        setTextIfChanged(control, formatDouble(value, FLT_DIG));
        return;
    }
    double parsed = 0;
    if (!parseDouble(textOf(control), parsed) || parsed > static_cast<double>(FLT_MAX) ||
        parsed < -static_cast<double>(FLT_MAX)) {
        reject(dx, L"Please enter a number.");
    }
    value = static_cast<float>(parsed);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2) value = 0;
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    const HWND first = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = -1;
        forEachRadio(first, [&](HWND c, int index) {
            if (::SendMessage(c, BM_GETCHECK, 0, 0) != 0) value = index;
        });
    } else {
        forEachRadio(first, [&](HWND c, int index) {
            ::SendMessage(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        });
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_CBString(CDataExchange* dx, int id, std::wstring& value) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = textOf(control);
        return;
    }
    // The first entry starting with the text is selected; else the edit shows the text.
    if (::SendMessage(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(value.c_str())) == CB_ERR) {
        setTextIfChanged(control, value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, std::wstring& value) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = textOf(control);
        return;
    }
    const LRESULT index = ::SendMessage(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(value.c_str()));
    if (index == CB_ERR) {
        setTextIfChanged(control, value);
    } else {
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessage(control, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBString(CDataExchange* dx, int id, std::wstring& value) {
    const HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        const LRESULT index = ::SendMessage(control, LB_GETCURSEL, 0, 0);
        value.clear();
        if (index == LB_ERR) return;
        const LRESULT length = ::SendMessage(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) return;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessage(control, LB_GETTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        value = text;
        return;
    }
    if (::SendMessage(control, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(value.c_str())) == LB_ERR) {
        ::SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    const HWND hwnd = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd)) {
        winx::records::problem(L"data exchange: control " + std::to_wstring(id) +
                               L" already has a window object");
        throw afx::DataExchangeFailure{};
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    reject(dx, L"Please enter an integer between " + std::to_wstring(minValue) + L" and " +
                   std::to_wstring(maxValue) + L".");
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    reject(dx, L"Please enter a number between " + formatDouble(minValue, DBL_DIG) + L" and " +
                   formatDouble(maxValue, DBL_DIG) + L".");
}

void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars) {
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_idLastControl) {
            ::SendMessage(dx->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        }
        return;
    }
    if (static_cast<int>(value.size()) > maxChars) {
        reject(dx, L"Please enter no more than " + std::to_wstring(maxChars) + L" characters.");
    }
}
