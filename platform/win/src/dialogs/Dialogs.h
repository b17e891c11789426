// Internals of the dialog manager shared by its source files and the class library.
#pragma once

#include "kernel/Kernel.h"

namespace winx::dialogs {

// Null for a window that is not a dialog.
kernel::DialogState* stateOf(HWND dialog);
// Creates a dialog from a template of the instance; null (with a recorded problem) when the
// template is missing or a control cannot be created.
HWND createDialog(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                  LPARAM initParam, bool modal);
// Runs the modal loop until EndDialog, driving the dialog with the next interaction script.
INT_PTR runModalLoop(HWND dialog);
// Moves the focus as keyboard navigation does: an edit's text is selected, and the default
// push button follows the focus.
void setDialogFocus(HWND dialog, HWND control);
// Pixels per 4 horizontal and 8 vertical dialog units for a font of this point size.
void baseUnitsFor(int pointSize, int& baseX, int& baseY);

} // namespace winx::dialogs
