// Common file dialogs, headless: answered by queued paths or a cancel, and recorded.
#include "scripts/Interaction.h"
#include "scripts/Records.h"

#include "win/commdlg.h"
#include "win/objbase.h"
#include "win/shlobj.h"

#include <algorithm>
#include <cwchar>

namespace {

DWORD lastError = 0;

std::wstring text(LPCWSTR s) {
    return s ? std::wstring(s) : std::wstring();
}

// "a\0b\0c\0d\0\0" -> "a|b|c|d"
std::wstring joinedFilter(LPCWSTR filter) {
    std::wstring out;
    for (const wchar_t* p = filter; p && *p; p += std::wcslen(p) + 1) {
        if (!out.empty()) out += L'|';
        out += p;
    }
    return out;
}

std::size_t nameStart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring withDefaultExtension(std::wstring path, LPCWSTR defExt) {
    if (!defExt || !*defExt) return path;
    if (path.find(L'.', nameStart(path)) != std::wstring::npos) return path;
    return path + L"." + defExt;
}

std::wstring folderOf(const std::wstring& path) {
    const std::size_t start = nameStart(path);
    return start == 0 ? std::wstring() : path.substr(0, start - 1);
}

// The text written to lpstrFile: one path, or the folder and the names for several.
std::wstring resultText(const std::vector<std::wstring>& paths, bool multi) {
    if (paths.size() == 1) return paths[0] + (multi ? std::wstring(1, L'\0') : std::wstring());
    std::wstring out = folderOf(paths[0]) + L'\0';
    for (const std::wstring& p : paths)
        out += p.substr(nameStart(p)) + L'\0';
    return out;
}

bool sameFolder(const std::vector<std::wstring>& paths) {
    return std::all_of(paths.begin(), paths.end(),
                       [&](const std::wstring& p) { return folderOf(p) == folderOf(paths[0]); });
}

std::vector<std::wstring> acceptedPaths(const OPENFILENAME& ofn, std::vector<std::wstring> paths) {
    for (auto& p : paths)
        p = withDefaultExtension(p, ofn.lpstrDefExt);
    const bool multi = (ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    if (paths.size() > 1 && (!multi || !sameFolder(paths))) {
        winx::records::problem(multi ? L"file dialog: the answered files lie in several folders"
                                     : L"file dialog: several files answered to a single choice");
        paths.resize(1);
    }
    return paths;
}

bool writeResult(OPENFILENAME& ofn, const std::vector<std::wstring>& paths) {
    const bool multi = (ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    const std::wstring result = resultText(paths, multi);
    if (!ofn.lpstrFile || result.size() + 1 > ofn.nMaxFile) {
        if (ofn.lpstrFile && ofn.nMaxFile >= 2) {
            // The platform reports the size needed in the buffer's first two bytes.
            *reinterpret_cast<WORD*>(ofn.lpstrFile) = static_cast<WORD>(result.size() + 1);
        }
        lastError = FNERR_BUFFERTOOSMALL;
        winx::records::problem(L"file dialog: the answer does not fit the caller's buffer");
        return false;
    }
    std::copy(result.begin(), result.end(), ofn.lpstrFile);
    ofn.lpstrFile[result.size()] = L'\0';
    const std::wstring& first = paths[0];
    ofn.nFileOffset =
        static_cast<WORD>(paths.size() > 1 ? folderOf(first).size() + 1 : nameStart(first));
    const std::size_t dot = first.find_last_of(L'.');
    ofn.nFileExtension = static_cast<WORD>(
        paths.size() == 1 && dot != std::wstring::npos && dot >= nameStart(first) ? dot + 1 : 0);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const std::wstring title = first.substr(nameStart(first));
        const std::size_t n = std::min<std::size_t>(title.size(), ofn.nMaxFileTitle - 1);
        std::copy_n(title.begin(), n, ofn.lpstrFileTitle);
        ofn.lpstrFileTitle[n] = L'\0';
    }
    return true;
}

BOOL run(LPOPENFILENAME ofn, bool save) {
    lastError = 0;
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAME)) {
        lastError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    winx::FileDialogRecord record;
    record.save = save;
    record.title = text(ofn->lpstrTitle);
    record.filter = joinedFilter(ofn->lpstrFilter);
    record.initialFolder = text(ofn->lpstrInitialDir);
    record.initialFile = ofn->lpstrFile && ofn->nMaxFile ? text(ofn->lpstrFile) : std::wstring();
    record.defaultExtension = text(ofn->lpstrDefExt);
    record.flags = ofn->Flags;
    auto answer = winx::interaction::takeFileAnswer();
    BOOL ok = FALSE;
    if (!answer) {
        record.unattended = true;
        winx::UnattendedRecord u;
        u.kind = winx::UnattendedRecord::Kind::FileDialog;
        u.caption = record.title;
        winx::records::unattended(u);
    } else if (!answer->cancel && !answer->paths.empty()) {
        const std::vector<std::wstring> paths = acceptedPaths(*ofn, answer->paths);
        ok = writeResult(*ofn, paths) ? TRUE : FALSE;
        if (ok) record.paths = paths;
        if (ok && answer->filterIndex > 0)
            ofn->nFilterIndex = static_cast<DWORD>(answer->filterIndex);
    }
    winx::records::fileDialog(std::move(record));
    return ok;
}

} // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) {
    return run(ofn, false);
}
BOOL GetSaveFileName(LPOPENFILENAME ofn) {
    return run(ofn, true);
}
DWORD CommDlgExtendedError() {
    return lastError;
}

// ---- Folder browser
// ------------------------------------------------------------------------------

struct ITEMIDLIST {
    wchar_t first; // the item list of this stand-in is the folder path's text
};

namespace {

constexpr std::size_t kMaxPath = 260;

LPITEMIDLIST makeItemList(const std::wstring& path) {
    void* block = CoTaskMemAlloc((path.size() + 1) * sizeof(wchar_t));
    if (!block) return nullptr;
    auto* text = static_cast<wchar_t*>(block);
    std::copy(path.begin(), path.end(), text);
    text[path.size()] = L'\0';
    return static_cast<LPITEMIDLIST>(block);
}

} // namespace

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info) {
    if (!info) return nullptr;
    winx::FileDialogRecord record;
    record.folder = true;
    record.title = text(info->lpszTitle);
    record.flags = info->ulFlags;
    auto answer = winx::interaction::takeFileAnswer();
    LPITEMIDLIST result = nullptr;
    if (!answer) {
        record.unattended = true;
        winx::UnattendedRecord u;
        u.kind = winx::UnattendedRecord::Kind::FileDialog;
        u.caption = record.title;
        winx::records::unattended(u);
    } else if (!answer->cancel && !answer->paths.empty()) {
        if (answer->paths.size() > 1) {
            winx::records::problem(L"folder browser: several folders answered");
        }
        const std::wstring& folder = answer->paths.front();
        result = makeItemList(folder);
        if (result) record.paths = {folder};
        if (result && info->pszDisplayName) {
            const std::wstring name = folder.substr(nameStart(folder));
            const std::size_t n = std::min(name.size(), kMaxPath - 1);
            std::copy_n(name.begin(), n, info->pszDisplayName);
            info->pszDisplayName[n] = L'\0';
        }
    }
    winx::records::fileDialog(std::move(record));
    return result;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPWSTR path) {
    if (!list || !path) return FALSE;
    const std::wstring folder(reinterpret_cast<const wchar_t*>(list));
    const std::size_t n = std::min(folder.size(), kMaxPath - 1);
    std::copy_n(folder.begin(), n, path);
    path[n] = L'\0';
    return TRUE;
}

void ILFree(LPITEMIDLIST list) {
    CoTaskMemFree(list);
}
