// Message boxes, headless: answered from the queue of answers, recorded with their text,
// caption, flags and answer. A box with a choice and no answer takes its default button and is
// recorded as unattended.
#include "scripts/Interaction.h"
#include "scripts/Records.h"

#include "win/winuser.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<int> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
        return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
        return {IDOK};
    }
}

int defaultButton(const std::vector<int>& buttons, UINT type) {
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return buttons[index < buttons.size() ? index : 0];
}

} // namespace

int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    winx::MessageBoxRecord record;
    record.owner = owner;
    record.text = text ? text : L"";
    record.caption = caption ? caption : L"Error";
    record.flags = type;
    const std::vector<int> buttons = buttonsOf(type);
    record.answer = defaultButton(buttons, type);
    if (buttons.size() > 1) {
        if (const auto answer = winx::interaction::takeMessageBoxAnswer()) {
            if (std::find(buttons.begin(), buttons.end(), *answer) != buttons.end()) {
                record.answer = *answer;
            } else {
                winx::records::problem(L"message box \"" + record.text + L"\" has no button " +
                                       std::to_wstring(*answer) + L"; its default was taken");
            }
        } else {
            record.unattended = true;
            winx::UnattendedRecord u;
            u.kind = winx::UnattendedRecord::Kind::MessageBox;
            u.caption = record.caption;
            u.text = record.text;
            winx::records::unattended(u);
        }
    }
    const int answer = record.answer;
    winx::records::messageBox(std::move(record));
    return answer;
}

BOOL MessageBeep(UINT type) {
    return TRUE;
}
