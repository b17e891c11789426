// Basic types, handles and geometry records of the windowing platform.
// Text is wide (wchar_t); handles are opaque and never dereferenced by callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cwchar>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = int;
using BOOLEAN = BYTE;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HRESULT = LONG;
using ATOM = WORD;
using COLORREF = DWORD;
using WCHAR = wchar_t;
using TCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPTSTR = wchar_t*;
using LPCTSTR = const wchar_t*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef _T
#define _T(x) L##x
#define TEXT(x) L##x
#endif

#define TRK_DECLARE_HANDLE(name)                                                                   \
    struct name##__ {                                                                              \
        int unused;                                                                                \
    };                                                                                             \
    using name = name##__*

TRK_DECLARE_HANDLE(HWND);
TRK_DECLARE_HANDLE(HINSTANCE);
TRK_DECLARE_HANDLE(HFONT);
TRK_DECLARE_HANDLE(HBITMAP);
TRK_DECLARE_HANDLE(HICON);
TRK_DECLARE_HANDLE(HMENU);
TRK_DECLARE_HANDLE(HBRUSH);
TRK_DECLARE_HANDLE(HPEN);
TRK_DECLARE_HANDLE(HDC);
TRK_DECLARE_HANDLE(HKEY);
TRK_DECLARE_HANDLE(HRSRC);
TRK_DECLARE_HANDLE(HIMAGELIST);
TRK_DECLARE_HANDLE(HDWP);
TRK_DECLARE_HANDLE(HTREEITEM);
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using HGLOBAL = void*;
using HANDLE = void*;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};
using LPSIZE = SIZE*;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};
using LPMSG = MSG*;

struct GUID {
    DWORD Data1 = 0;
    WORD Data2 = 0;
    WORD Data3 = 0;
    BYTE Data4[8] = {};
};
using CLSID = GUID;
using IID = GUID;
using REFCLSID = const CLSID&;
using REFIID = const IID&;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR v) { return static_cast<BYTE>(v & 0xFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) {
    return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16);
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lp))); }
// Resource numbers travel as pointers in resource-loading calls.
inline LPCWSTR MAKEINTRESOURCE(UINT_PTR id) { return reinterpret_cast<LPCWSTR>(id); }
inline bool IS_INTRESOURCE(LPCWSTR p) { return (reinterpret_cast<UINT_PTR>(p) >> 16) == 0; }

// Status codes of the registry and other services.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_INSUFFICIENT_BUFFER = 122;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline bool FAILED(HRESULT hr) { return hr < 0; }

#define CALLBACK
#define WINAPI
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
