// Class identifiers as text, task memory and fresh identifiers.
#include "win/objbase.h"

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <unordered_set>

namespace {

// The braced form has 38 characters: "{" 8 "-" 4 "-" 4 "-" 4 "-" 12 "}".
constexpr int kGuidTextLength = 38;
constexpr int kHyphenAt[] = {9, 14, 19, 24};

std::unordered_set<void*>& taskBlocks() {
    static auto* blocks = new std::unordered_set<void*>;
    return *blocks;
}

std::mt19937_64& guidSource() {
    static std::mt19937_64 source{std::random_device{}()};
    return source;
}

// The sixteen bytes in text order: Data1..Data3 as big-endian numbers, then Data4.
void toTextOrder(const GUID& guid, BYTE out[16]) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<BYTE>(guid.Data1 >> (24 - 8 * i));
    out[4] = static_cast<BYTE>(guid.Data2 >> 8);
    out[5] = static_cast<BYTE>(guid.Data2);
    out[6] = static_cast<BYTE>(guid.Data3 >> 8);
    out[7] = static_cast<BYTE>(guid.Data3);
    std::memcpy(out + 8, guid.Data4, 8);
}

GUID fromTextOrder(const BYTE in[16]) {
    GUID guid;
    for (int i = 0; i < 4; ++i)
        guid.Data1 = (guid.Data1 << 8) | in[i];
    guid.Data2 = static_cast<WORD>((in[4] << 8) | in[5]);
    guid.Data3 = static_cast<WORD>((in[6] << 8) | in[7]);
    std::memcpy(guid.Data4, in + 8, 8);
    return guid;
}

std::wstring format(const GUID& guid) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    BYTE bytes[16];
    toTextOrder(guid, bytes);
    std::wstring text = L"{";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += L'-';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text + L"}";
}

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool isHyphenPosition(int i) {
    for (const int at : kHyphenAt)
        if (at == i) return true;
    return false;
}

// Strict parse of the braced form.
bool parse(LPCOLESTR text, GUID& guid) {
    if (std::wcslen(text) != kGuidTextLength) return false;
    if (text[0] != L'{' || text[kGuidTextLength - 1] != L'}') return false;
    BYTE bytes[16] = {};
    int nibble = 0;
    for (int i = 1; i < kGuidTextLength - 1; ++i) {
        if (isHyphenPosition(i)) {
            if (text[i] != L'-') return false;
            continue;
        }
        const int value = hexValue(text[i]);
        if (value < 0) return false;
        bytes[nibble / 2] = static_cast<BYTE>(bytes[nibble / 2] | (value << (nibble % 2 ? 0 : 4)));
        ++nibble;
    }
    guid = fromTextOrder(bytes);
    return true;
}

HRESULT fromString(LPCOLESTR text, GUID* guid, HRESULT malformed) {
    if (!guid) return E_INVALIDARG;
    if (!text) {
        *guid = GUID_NULL;
        return NOERROR;
    }
    GUID parsed;
    if (!parse(text, parsed)) return malformed;
    *guid = parsed;
    return NOERROR;
}

} // namespace

bool operator==(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

LPVOID CoTaskMemAlloc(SIZE_T bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block) taskBlocks().insert(block);
    return block;
}

LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T bytes) {
    if (!block) return CoTaskMemAlloc(bytes);
    if (!taskBlocks().contains(block)) return nullptr;
    // Forget the old address before the block may move: it is not to be read afterwards.
    taskBlocks().erase(block);
    void* moved = std::realloc(block, bytes == 0 ? 1 : bytes);
    taskBlocks().insert(moved ? moved : block);
    if (!moved) return nullptr;
    return moved;
}

void CoTaskMemFree(LPVOID block) {
    if (!block || taskBlocks().erase(block) == 0) return;
    std::free(block);
}

HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
    if (!text) return E_INVALIDARG;
    *text = nullptr;
    const std::wstring formatted = format(clsid);
    const std::size_t bytes = (formatted.size() + 1) * sizeof(OLECHAR);
    auto* block = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!block) return E_OUTOFMEMORY;
    std::wmemcpy(block, formatted.c_str(), formatted.size() + 1);
    *text = block;
    return S_OK;
}

HRESULT StringFromIID(REFIID iid, LPOLESTR* text) {
    return StringFromCLSID(iid, text);
}

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int maxCount) {
    if (!buffer || maxCount < kGuidTextLength + 1) return 0;
    const std::wstring formatted = format(guid);
    std::wmemcpy(buffer, formatted.c_str(), formatted.size() + 1);
    return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
    return fromString(text, clsid, CO_E_CLASSSTRING);
}

HRESULT IIDFromString(LPCOLESTR text, LPIID iid) {
    return fromString(text, iid, E_INVALIDARG);
}

HRESULT CoCreateGuid(GUID* guid) {
    if (!guid) return E_INVALIDARG;
    BYTE bytes[16];
    for (int i = 0; i < 16; i += 8) {
        const std::uint64_t word = guidSource()();
        std::memcpy(bytes + i, &word, 8);
    }
    bytes[6] = static_cast<BYTE>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<BYTE>((bytes[8] & 0x3F) | 0x80); // standard variant
    *guid = fromTextOrder(bytes);
    return S_OK;
}

namespace {
int comInitCount = 0;
} // namespace

HRESULT CoInitialize(LPVOID reserved) {
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(LPVOID, DWORD) {
    return comInitCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (comInitCount > 0) --comInitCount;
}

namespace winx {

void setGuidSeed(std::uint64_t seed) {
    guidSource().seed(seed);
}

std::size_t liveTaskMemBlocks() {
    return taskBlocks().size();
}

} // namespace winx
