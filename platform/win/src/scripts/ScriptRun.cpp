// Runs the steps of an interaction script against a modal dialog.
#include "scripts/ScriptRun.h"

#include "dialogs/Dialogs.h"
#include "scripts/Interaction.h"
#include "scripts/Records.h"
#include "win/winuser.h"
#include "win/winx.h"
#include "win/winx_user.h"

namespace winx::scripts {
namespace {

constexpr int kMaxSearchDepth = 16;

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

HWND findDescendant(HWND parent, int id, int depth) {
    if (depth > kMaxSearchDepth) return nullptr;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(c) == id) return c;
    }
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (HWND found = findDescendant(c, id, depth + 1)) return found;
    }
    return nullptr;
}

bool enabledChain(HWND hwnd) {
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (!(GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}

const wchar_t* actionName(DialogScript::Action a) {
    using A = DialogScript::Action;
    switch (a) {
    case A::SetText:
        return L"set text";
    case A::Type:
        return L"type";
    case A::ChooseIndex:
    case A::ChooseText:
        return L"choose";
    case A::Check:
        return L"check";
    case A::Click:
        return L"click";
    case A::DoubleClick:
        return L"double-click";
    case A::PressKey:
        return L"press key";
    case A::Focus:
        return L"focus";
    case A::AdvanceClock:
        return L"advance clock";
    case A::AnswerMessageBox:
        return L"answer message box";
    case A::ChooseMenuId:
    case A::ChooseMenuText:
        return L"choose menu item";
    case A::AnswerFileDialog:
        return L"answer file dialog";
    case A::CancelFileDialog:
        return L"cancel file dialog";
    case A::Call:
        return L"call";
    }
    return L"step";
}

LPARAM keyData(bool up) {
    const DWORD flags = up ? 0xC0000001u : 0x00000001u;
    return static_cast<LPARAM>(flags);
}

void postKey(HWND target, int vk, bool up, bool alt) {
    const UINT msg = alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    PostMessage(target, msg, static_cast<WPARAM>(vk), keyData(up));
}

void pressKey(HWND target, int vk, unsigned modifiers) {
    const bool alt = (modifiers & kAlt) != 0;
    if (modifiers & kShift) postKey(target, VK_SHIFT, false, alt);
    if (modifiers & kCtrl) postKey(target, VK_CONTROL, false, alt);
    if (alt) postKey(target, VK_MENU, false, true);
    postKey(target, vk, false, alt);
    postKey(target, vk, true, alt);
    if (alt) postKey(target, VK_MENU, true, false);
    if (modifiers & kCtrl) postKey(target, VK_CONTROL, true, false);
    if (modifiers & kShift) postKey(target, VK_SHIFT, true, false);
}

bool matches(const DialogScript& script, HWND dialog, int templateId) {
    if (script.templateId() && script.templateId() != templateId) return false;
    return script.caption().empty() || script.caption() == windowText(dialog);
}

} // namespace

ScriptRun::ScriptRun(HWND dialog) : dialog_(dialog) {
    if (kernel::DialogState* st = dialogs::stateOf(dialog)) templateId_ = st->templateId;
    const DialogScript* next = interaction::peekScript();
    if (!next) return;
    if (!matches(*next, dialog, templateId_)) {
        records::problem(L"the next script (template " + std::to_wstring(next->templateId()) +
                         L", caption \"" + next->caption() + L"\") does not fit " +
                         describeDialog() + L"; it stays queued");
        return;
    }
    script_ = interaction::takeScript();
}

ScriptRun::~ScriptRun() {
    if (!script_ || next_ >= script_->steps().size()) return;
    records::problem(describeDialog() + L" closed with " +
                     std::to_wstring(script_->steps().size() - next_) + L" script steps left");
}

bool ScriptRun::runNextStep() {
    if (!script_ || next_ >= script_->steps().size()) return false;
    const DialogScript::Step step = script_->steps()[next_++];
    runStep(step);
    return true;
}

std::wstring ScriptRun::describeDialog() const {
    return L"dialog " + std::to_wstring(templateId_) + L" (\"" + windowText(dialog_) + L"\")";
}

void ScriptRun::problem(const DialogScript::Step& step, const std::wstring& text) const {
    std::wstring what = actionName(step.action);
    if (step.controlId) what += L" " + std::to_wstring(step.controlId);
    records::problem(describeDialog() + L": step " + std::to_wstring(next_) + L" (" + what +
                     L"): " + text);
}

HWND ScriptRun::control(const DialogScript::Step& step, bool needsInput) {
    HWND c = GetDlgItem(dialog_, step.controlId);
    if (!c) c = findDescendant(dialog_, step.controlId, 0);
    if (!c) {
        problem(step, L"no such control");
        return nullptr;
    }
    if (needsInput && !IsWindowVisible(c)) {
        problem(step, L"the control is hidden");
        return nullptr;
    }
    if (needsInput && !enabledChain(c)) {
        problem(step, L"the control is disabled");
        return nullptr;
    }
    return c;
}

void ScriptRun::runStep(const DialogScript::Step& step) {
    using A = DialogScript::Action;
    bool done = true;
    switch (step.action) {
    case A::SetText:
        if (HWND c = control(step, true)) done = userSetText(c, step.text);
        break;
    case A::Type:
        if (HWND c = control(step, true)) done = userType(c, step.text);
        break;
    case A::ChooseIndex:
        if (HWND c = control(step, true)) done = userChoose(c, step.value);
        break;
    case A::ChooseText:
        if (HWND c = control(step, true)) done = userChoose(c, std::wstring_view(step.text));
        break;
    case A::Check:
        if (HWND c = control(step, true)) done = userCheck(c, step.value);
        break;
    case A::Click:
        if (HWND c = control(step, true)) done = userClick(c);
        break;
    case A::DoubleClick:
        if (HWND c = control(step, true)) done = userDoubleClick(c, step.value);
        break;
    case A::Focus:
        if (HWND c = control(step, true)) {
            SendMessage(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE);
        }
        break;
    case A::PressKey: {
        const HWND focus = GetFocus();
        pressKey(focus && IsChild(dialog_, focus) ? focus : dialog_, step.value, step.modifiers);
        break;
    }
    case A::AdvanceClock:
        advanceClock(static_cast<DWORD>(step.value));
        break;
    case A::AnswerMessageBox:
        interaction::pushFrontMessageBoxAnswer(step.value);
        break;
    case A::ChooseMenuId:
        interaction::pushFrontMenuChoice({static_cast<UINT>(step.value), {}});
        break;
    case A::ChooseMenuText:
        interaction::pushFrontMenuChoice({0, step.text});
        break;
    case A::AnswerFileDialog:
        interaction::pushFrontFileAnswer({false, step.paths, 0});
        break;
    case A::CancelFileDialog:
        interaction::pushFrontFileAnswer({true, {}, 0});
        break;
    case A::Call:
        if (step.call) step.call(dialog_);
        break;
    }
    if (!done) problem(step, L"the control refused the action");
}

} // namespace winx::scripts
