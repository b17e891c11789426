// Common dialogs of the class library: the file dialog. Headless, it is answered from the queue
// of file answers (winx::answerFileDialog) and recorded.
#pragma once

#include "afxwin.h"
#include "win/commdlg.h"

#include <vector>

class CCommonDialog : public CDialog {
public:
    explicit CCommonDialog(CWnd* parent) : CDialog(0u, parent) {}
};

class CFileDialog : public CCommonDialog {
public:
    // filter: "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defExt = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCWSTR filter = nullptr, CWnd* parent = nullptr, DWORD size = 0,
                         BOOL vistaStyle = TRUE);

    // IDOK with the chosen path(s), IDCANCEL when cancelled or unanswered.
    INT_PTR DoModal() override;

    std::wstring GetPathName() const;  // the (first) chosen file's full path
    std::wstring GetFileName() const;  // its name with extension
    std::wstring GetFileExt() const;   // its extension without the dot
    std::wstring GetFileTitle() const; // its name without extension
    std::wstring GetFolderPath() const;
    // Iteration over every chosen path (multi-selection): null when there is none.
    POSITION GetStartPosition() const;
    std::wstring GetNextPathName(POSITION& position) const;

    OPENFILENAME m_ofn;
    BOOL m_bOpenFileDialog;

private:
    std::vector<std::wstring> chosenPaths() const;

    std::vector<wchar_t> file_;
    std::wstring filter_;
    std::wstring defExt_;
};
