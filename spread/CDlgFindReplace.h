// CDlgFindReplace: the modeless find and replace window of one grid, kept on top. While it is
// open the grid's option 13 is on and option 20 off; its size is remembered under
// "DLG_FINDREPLACE". Its buttons and F3 / F5 run the grid's find and replace.
#pragma once

#include <afxwin.h>

#include "trk/Trk_String.h"

class Trk_Spread;

class CDlgFindReplace : public CDialog {
public:
    static constexpr UINT IDD = 218;
    static constexpr int kFindLabel = 1206;
    static constexpr int kFindText = 1207;
    static constexpr int kReplaceLabel = 1208;
    static constexpr int kReplaceText = 1209;
    static constexpr int kReplaceButton = 1204;
    static constexpr int kReplaceAllButton = 1205;

    // The grid outlives the dialog: it owns it.
    explicit CDlgFindReplace(Trk_Spread& grid);
    ~CDlgFindReplace() override;

    // Creates the window over parent and shows it. False when the template is missing.
    bool open(CWnd* parent);
    bool isOpen() const { return GetSafeHwnd() != nullptr; }
    Trk_String findText() const;
    Trk_String replaceText() const;
    // Stores the size, gives option 13 back and destroys the window; the object stays.
    void closeWindow();

    void onFindNext();
    void onReplace();
    void onReplaceAll();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;     // find next; the window stays
    void OnCancel() override; // closes and asks the grid to delete the dialog
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    void applyTexts();

    Trk_Spread& spread;
    bool option13Before = false;
    bool optionsTaken = false;

    DECLARE_MESSAGE_MAP()
};
