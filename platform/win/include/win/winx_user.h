// User actions on controls, for interaction scripts and tests: each one sends the messages a
// real mouse or keyboard action would, so the control notifies its parent as for a user.
// Every action first focuses the control (as a click would) and returns false, doing nothing,
// for a missing, hidden or disabled control (or one inside a disabled window) or for an action
// the control does not support.
#pragma once

#include "win/wintypes.h"

#include <string_view>

namespace winx {

// Clicks the middle of a control: buttons (not group boxes), statics with SS_NOTIFY, and any
// other window that takes mouse input.
bool userClick(HWND control);
// Double-clicks a button or notifying static, or the entry at index of a list box, list view or
// simple combo box (-1: the current selection).
bool userDoubleClick(HWND control, int index = -1);
// Types text at the caret of an edit or editable combo box, one WM_CHAR per character; "\n" (or
// "\r\n") is the Enter key. Fails on a read-only edit.
bool userType(HWND control, std::wstring_view text);
// Selects all the text of an edit or editable combo box and types the replacement (an empty
// replacement presses Delete).
bool userSetText(HWND control, std::wstring_view text);
// Picks an entry as the user would: combo box (drop down, select, close), list box, tab control
// or list view. False for an index out of range.
bool userChoose(HWND control, int index);
// Picks the entry whose text equals exactText, ignoring case.
bool userChoose(HWND control, std::wstring_view exactText);
// Clicks a check box or radio button until it shows state (BST_...), at most three times; false
// when it is not reached. A state no click can give (indeterminate on a two-state box, unchecked
// on a checked radio button) fails without a click.
bool userCheck(HWND control, int state);
// Clicks the header of a list view column (report view with a header).
bool userClickColumn(HWND listView, int column);

} // namespace winx
