// Modules and their resources: instance handles, embedded resource scripts (parsed on first
// lookup), bitmaps, icons, menus and string tables.
#include "resources/Modules.h"

#include "kernel/Kernel.h"
#include "win/wingdi.h"
#include "win/winx_rc.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <map>
#include <memory>

namespace winx {
namespace {

constexpr std::uintptr_t kFirstInstance = 0x400000;
constexpr std::uintptr_t kInstanceStep = 0x100000;
constexpr int kDefaultIconSize = 32;

std::wstring upperCase(std::wstring s) {
    for (auto& c : s)
        c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

std::wstring numberKey(int id) {
    return L"#" + std::to_wstring(id);
}

struct Module {
    std::wstring name;
    std::wstring path;
    HINSTANCE handle = nullptr;
    std::vector<ResourceBlob> blobs;
    bool parsed = false;
    std::vector<std::unique_ptr<ResourceScript>> scripts;
    std::map<std::wstring, const DialogTemplate*> dialogs;
    std::map<std::wstring, const MenuTemplate*> menus;
    std::map<UINT, std::wstring> strings;
    std::vector<std::wstring> problems;
    std::map<int, HICON> icons;
};

struct ModuleTable {
    std::vector<std::unique_ptr<Module>> modules;
};

ModuleTable& modules() {
    static ModuleTable t;
    return t;
}

std::wstring processName() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::wstring(L"process") : exe.filename().wstring();
}

std::wstring processPath() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::wstring(L"process") : exe.wstring();
}

Module& processModule() {
    auto& list = modules().modules;
    if (list.empty()) {
        auto m = std::make_unique<Module>();
        m->name = processName();
        m->path = processPath();
        m->handle = reinterpret_cast<HINSTANCE>(kFirstInstance);
        list.push_back(std::move(m));
    }
    return *list.front();
}

bool sameModuleName(const std::wstring& moduleName, std::wstring_view asked) {
    const std::wstring a = upperCase(moduleName);
    const std::wstring b = upperCase(std::wstring(asked));
    if (a == b) return true;
    const std::wstring stem = upperCase(std::filesystem::path(moduleName).stem().wstring());
    return stem == b || upperCase(std::filesystem::path(b).stem().wstring()) == a;
}

Module* findModule(HINSTANCE instance) {
    if (!instance) return &processModule();
    processModule();
    for (auto& m : modules().modules) {
        if (m->handle == instance) return m.get();
    }
    return nullptr;
}

void index(Module& m, const ResourceScript& script) {
    for (const DialogTemplate& d : script.dialogs) {
        const std::wstring key = d.id ? numberKey(d.id) : d.name;
        if (m.dialogs.count(key)) m.problems.push_back(L"dialog " + key + L" defined twice");
        m.dialogs[key] = &d;
    }
    for (const MenuTemplate& menu : script.menus) {
        const std::wstring key = menu.id ? numberKey(menu.id) : menu.name;
        m.menus[key] = &menu;
    }
    for (const auto& [id, text] : script.strings)
        m.strings[id] = text;
}

void parseScripts(Module& m) {
    if (m.parsed) return;
    m.parsed = true;
    for (const ResourceBlob& blob : m.blobs) {
        if (blob.kind != ResourceKind::Script) continue;
        const std::string_view bytes(reinterpret_cast<const char*>(blob.data), blob.size);
        auto script = std::make_unique<ResourceScript>(
            parseResourceScript(bytes, blob.fileName ? blob.fileName : L"script"));
        for (const std::wstring& p : script->problems)
            m.problems.push_back(p);
        index(m, *script);
        m.scripts.push_back(std::move(script));
    }
}

// The lookup key of a resource name: "#<number>" or the upper-case name.
std::wstring keyOf(LPCWSTR name) {
    if (!name) return {};
    if (IS_INTRESOURCE(name)) return numberKey(static_cast<int>(reinterpret_cast<UINT_PTR>(name)));
    if (name[0] == L'#') return numberKey(static_cast<int>(std::wcstol(name + 1, nullptr, 10)));
    return upperCase(name);
}

int numberOf(LPCWSTR name) {
    const std::wstring key = keyOf(name);
    return key.size() > 1 && key[0] == L'#' ? std::stoi(key.substr(1)) : 0;
}

const ResourceBlob* findBlob(const Module& m, ResourceKind kind, LPCWSTR name) {
    const int id = numberOf(name);
    for (const ResourceBlob& blob : m.blobs) {
        if (blob.kind == kind && id != 0 && blob.id == id) return &blob;
    }
    return nullptr;
}

HANDLE scaledCopy(HANDLE image, UINT type, int cx, int cy) {
    if (!image || (cx == 0 && cy == 0)) return image;
    return CopyImage(image, type, cx, cy, LR_COPYDELETEORG);
}

HANDLE loadResourceImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    Module* m = findModule(instance);
    if (!m) return nullptr;
    if (type == IMAGE_BITMAP) {
        const ResourceBlob* blob = findBlob(*m, ResourceKind::Bitmap, name);
        return blob ? scaledCopy(bitmapFromBytes(blob->data, blob->size), type, cx, cy) : nullptr;
    }
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        const ResourceBlob* blob = findBlob(*m, ResourceKind::Icon, name);
        if (!blob) return nullptr;
        const int wanted = cx ? cx : ((flags & LR_DEFAULTSIZE) ? kDefaultIconSize : 0);
        HICON icon = iconFromBytes(blob->data, blob->size, wanted);
        return scaledCopy(icon, type, cx, cy);
    }
    return nullptr;
}

} // namespace

const DialogTemplate* findDialogTemplate(HINSTANCE instance, LPCWSTR name) {
    Module* m = findModule(instance);
    if (!m || !name) return nullptr;
    parseScripts(*m);
    auto it = m->dialogs.find(keyOf(name));
    return it == m->dialogs.end() ? nullptr : it->second;
}

const MenuTemplate* findMenuTemplate(HINSTANCE instance, LPCWSTR name) {
    Module* m = findModule(instance);
    if (!m || !name) return nullptr;
    parseScripts(*m);
    auto it = m->menus.find(keyOf(name));
    return it == m->menus.end() ? nullptr : it->second;
}

const std::wstring* findString(HINSTANCE instance, UINT id) {
    Module* m = findModule(instance);
    if (!m) return nullptr;
    parseScripts(*m);
    auto it = m->strings.find(id);
    return it == m->strings.end() ? nullptr : &it->second;
}

bool hasResource(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
    Module* m = findModule(instance);
    if (!m || !name || !IS_INTRESOURCE(type)) return false;
    switch (reinterpret_cast<UINT_PTR>(type)) {
    case 2:
        return findBlob(*m, ResourceKind::Bitmap, name) != nullptr;
    case 3:
    case 14:
        return findBlob(*m, ResourceKind::Icon, name) != nullptr;
    case 4:
        return findMenuTemplate(instance, name) != nullptr;
    case 5:
        return findDialogTemplate(instance, name) != nullptr;
    case 6: {
        // String resources come in blocks of 16; the name is the block number.
        const UINT block = static_cast<UINT>(numberOf(name));
        if (block == 0) return false;
        parseScripts(*m);
        auto it = m->strings.lower_bound((block - 1) * 16);
        return it != m->strings.end() && it->first < block * 16;
    }
    default:
        return false;
    }
}

void installResourceLoader() {
    setResourceImageLoader(loadResourceImage);
}

HICON moduleIcon(HINSTANCE instance, LPCWSTR name) {
    Module* m = findModule(instance);
    if (!m) return nullptr;
    const int id = numberOf(name);
    auto cached = m->icons.find(id);
    if (cached != m->icons.end()) return cached->second;
    const ResourceBlob* blob = findBlob(*m, ResourceKind::Icon, name);
    if (!blob) return nullptr;
    HICON icon = iconFromBytes(blob->data, blob->size, kDefaultIconSize);
    if (icon) m->icons[id] = icon;
    return icon;
}

HBITMAP moduleBitmap(HINSTANCE instance, LPCWSTR name) {
    Module* m = findModule(instance);
    if (!m) return nullptr;
    const ResourceBlob* blob = findBlob(*m, ResourceKind::Bitmap, name);
    return blob ? bitmapFromBytes(blob->data, blob->size) : nullptr;
}

HINSTANCE attachModule(const wchar_t* name, const wchar_t* path) {
    kernel::ensureStarted();
    processModule();
    if (!name || !*name) return nullptr;
    for (auto& m : modules().modules) {
        if (upperCase(m->name) == upperCase(name)) {
            if (path) m->path = path;
            return m->handle;
        }
    }
    auto m = std::make_unique<Module>();
    m->name = name;
    m->path = path ? path : name;
    m->handle =
        reinterpret_cast<HINSTANCE>(kFirstInstance + kInstanceStep * modules().modules.size());
    const HINSTANCE handle = m->handle;
    modules().modules.push_back(std::move(m));
    return handle;
}

std::vector<HINSTANCE> attachedModules() {
    processModule();
    std::vector<HINSTANCE> result;
    for (auto& m : modules().modules)
        result.push_back(m->handle);
    return result;
}

void registerResources(HINSTANCE module, const ResourceBlob* blobs, std::size_t count) {
    Module* m = findModule(module);
    if (!m || !blobs) return;
    m->blobs.insert(m->blobs.end(), blobs, blobs + count);
    m->parsed = false;
    m->scripts.clear();
    m->dialogs.clear();
    m->menus.clear();
    m->strings.clear();
    m->problems.clear();
}

std::vector<std::wstring> resourceProblems() {
    std::vector<std::wstring> result;
    for (auto& m : modules().modules) {
        parseScripts(*m);
        result.insert(result.end(), m->problems.begin(), m->problems.end());
    }
    return result;
}

} // namespace winx

HINSTANCE GetModuleHandle(LPCWSTR moduleName) {
    if (!moduleName) return winx::processModule().handle;
    winx::processModule();
    for (auto& m : winx::modules().modules) {
        if (winx::sameModuleName(m->name, moduleName)) return m->handle;
    }
    return nullptr;
}

DWORD GetModuleFileName(HMODULE module, LPWSTR buffer, DWORD size) {
    winx::Module* m = winx::findModule(module);
    if (!m || !buffer || size == 0) return 0;
    const std::wstring& path = m->path;
    const DWORD n = std::min<DWORD>(static_cast<DWORD>(path.size()), size - 1);
    std::copy_n(path.begin(), n, buffer);
    buffer[n] = L'\0';
    return path.size() >= size ? size : n;
}

HRSRC FindResource(HMODULE module, LPCWSTR name, LPCWSTR type) {
    if (!winx::hasResource(module, name, type)) return nullptr;
    // An opaque, non-null token: nothing reads resource data through it.
    return reinterpret_cast<HRSRC>(winx::findModule(module));
}

int LoadString(HINSTANCE instance, UINT id, LPWSTR buffer, int maxCount) {
    const std::wstring* text = winx::findString(instance, id);
    if (!buffer) return 0;
    if (maxCount == 0) {
        // The platform's form that hands out a pointer to the resource's own text.
        *reinterpret_cast<LPCWSTR*>(buffer) = text ? text->c_str() : nullptr;
        return text ? static_cast<int>(text->size()) : 0;
    }
    if (maxCount < 0) return 0;
    if (!text) {
        buffer[0] = L'\0';
        return 0;
    }
    const int n = std::min(static_cast<int>(text->size()), maxCount - 1);
    std::copy_n(text->begin(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name) {
    return instance ? winx::moduleBitmap(instance, name) : nullptr;
}

HICON LoadIcon(HINSTANCE instance, LPCWSTR name) {
    if (instance) return winx::moduleIcon(instance, name);
    // System icons: one blank 32 x 32 icon per number, created once.
    static std::map<UINT_PTR, HICON> system;
    if (!IS_INTRESOURCE(name)) return nullptr;
    HICON& icon = system[reinterpret_cast<UINT_PTR>(name)];
    if (!icon) {
        winx::ImagePixels blank;
        blank.width = blank.height = winx::kDefaultIconSize;
        blank.pixels.assign(static_cast<std::size_t>(blank.width * blank.height), 0);
        icon = winx::createIcon(blank);
    }
    return icon;
}
