// CFileDialog over the common file dialogs.
#include "afxdlgs.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::size_t kSingleBuffer = 260;
constexpr std::size_t kMultiBuffer = 0x10000;

std::size_t nameStart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    const wchar_t last = folder.back();
    return last == L'\\' || last == L'/' ? folder + name : folder + L"\\" + name;
}

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defExt, LPCWSTR fileName, DWORD flags,
                         LPCWSTR filter, CWnd* parent, DWORD, BOOL)
    : CCommonDialog(parent), m_bOpenFileDialog(openFileDialog) {
    file_.assign((flags & OFN_ALLOWMULTISELECT) ? kMultiBuffer : kSingleBuffer, L'\0');
    if (fileName) {
        const std::wstring name = fileName;
        std::copy_n(name.begin(), std::min(name.size(), file_.size() - 1), file_.begin());
    }
    if (filter) {
        filter_ = filter;
        for (wchar_t& c : filter_)
            c = c == L'|' ? L'\0' : c;
        filter_ += L'\0';
    }
    if (defExt) defExt_ = defExt;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = file_.data();
    m_ofn.nMaxFile = static_cast<DWORD>(file_.size());
    m_ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    m_ofn.nFilterIndex = filter_.empty() ? 0 : 1;
    m_ofn.lpstrDefExt = defExt_.empty() ? nullptr : defExt_.c_str();
}

INT_PTR CFileDialog::DoModal() {
    if (!m_ofn.hwndOwner) {
        CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
        m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
    }
    const BOOL ok = m_bOpenFileDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

std::vector<std::wstring> CFileDialog::chosenPaths() const {
    std::vector<std::wstring> parts;
    const wchar_t* p = m_ofn.lpstrFile;
    const wchar_t* end = p + m_ofn.nMaxFile;
    while (p && p < end && *p) {
        const std::wstring part(p);
        parts.push_back(part);
        p += part.size() + 1;
    }
    if (parts.size() <= 1) return parts;
    std::vector<std::wstring> paths;
    for (std::size_t i = 1; i < parts.size(); ++i)
        paths.push_back(joinPath(parts[0], parts[i]));
    return paths;
}

std::wstring CFileDialog::GetPathName() const {
    const auto paths = chosenPaths();
    return paths.empty() ? std::wstring() : paths.front();
}

std::wstring CFileDialog::GetFileName() const {
    const std::wstring path = GetPathName();
    return path.substr(nameStart(path));
}

std::wstring CFileDialog::GetFileExt() const {
    const std::wstring name = GetFileName();
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
}

std::wstring CFileDialog::GetFileTitle() const {
    const std::wstring name = GetFileName();
    return name.substr(0, name.find_last_of(L'.'));
}

std::wstring CFileDialog::GetFolderPath() const {
    const std::wstring path = GetPathName();
    const std::size_t start = nameStart(path);
    return start == 0 ? std::wstring() : path.substr(0, start - 1);
}

POSITION CFileDialog::GetStartPosition() const {
    return chosenPaths().empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

std::wstring CFileDialog::GetNextPathName(POSITION& position) const {
    const auto paths = chosenPaths();
    const auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > paths.size()) {
        position = nullptr;
        return {};
    }
    position = index < paths.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return paths[index - 1];
}
