// Class identifiers as text and task memory of the component runtime. Names, argument order
// and documented behaviour follow the platform's own API.
#pragma once

#include "win/wintypes.h"

#include <cstddef>
#include <cstdint>

using OLECHAR = wchar_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using REFGUID = const GUID&;
using LPCLSID = CLSID*;
using LPIID = IID*;

constexpr HRESULT NOERROR = 0;
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
constexpr DWORD COINIT_MULTITHREADED = 0x0;

inline constexpr GUID GUID_NULL{};
inline constexpr CLSID CLSID_NULL{};

bool operator==(const GUID& a, const GUID& b);
inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    return a == b;
}
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) {
    return a == b;
}
inline bool IsEqualIID(REFIID a, REFIID b) {
    return a == b;
}

// Null when out of memory. Blocks are tracked: freeing an unknown address is ignored.
LPVOID CoTaskMemAlloc(SIZE_T bytes);
LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T bytes);
void CoTaskMemFree(LPVOID block);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case hex digits, in a block the caller
// frees with CoTaskMemFree. E_OUTOFMEMORY when it cannot be allocated.
HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text);
HRESULT StringFromIID(REFIID iid, LPOLESTR* text);
// Writes the braced form; the characters written including the terminator, 0 when the buffer
// is shorter than 39.
int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int maxCount);
// Strict: exactly the braced form (hex digits in either case). CO_E_CLASSSTRING (CLSID) or
// E_INVALIDARG (IID) for anything else; a null text gives the null GUID.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT IIDFromString(LPCOLESTR text, LPIID iid);
// A fresh random (version 4) GUID; see winx::setGuidSeed for repeatable ones.
HRESULT CoCreateGuid(GUID* guid);

// The component runtime needs no setup here; these only count balance.
HRESULT CoInitialize(LPVOID reserved);
HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit);
void CoUninitialize();

namespace winx {

// Makes CoCreateGuid repeatable: the same seed gives the same sequence (tests).
void setGuidSeed(std::uint64_t seed);
// Task memory blocks allocated and not yet freed (leak checks).
std::size_t liveTaskMemBlocks();

} // namespace winx
