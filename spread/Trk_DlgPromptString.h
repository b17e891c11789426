// Trk_DlgPromptString: the module's modal prompt for one line of text (template 8069). Fill the
// members, run DoModal, then read confirmed and value.
#pragma once

#include "trk/Trk_String.h"

#include <afxwin.h>

class Trk_DlgPromptString : public CDialog {
public:
    enum { IDD = 8069 };
    static constexpr int kLabelId = 8600;
    static constexpr int kValueId = 8003;

    explicit Trk_DlgPromptString(CWnd* parent = nullptr);

    // Asks for a non-empty line with the host's OK and Cancel texts. True when the user
    // confirmed: value then holds the entered text; otherwise value is unchanged.
    static bool askString(const Trk_String& title, const Trk_String& label, Trk_String& value,
                          CWnd* parent = nullptr);

    bool requireText = true; // the edit is shown and OK needs a non-empty text
    bool confirmed = false;  // closed with a valid OK
    Trk_String title;
    Trk_String label;
    Trk_String value; // the initial text; the entered text after OK
    Trk_String okText;
    Trk_String cancelText; // empty texts leave a button without text

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void focusValue();
};
