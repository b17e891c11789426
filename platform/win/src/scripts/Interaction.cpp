// The queues of scripts and answers, and the script builder.
#include "scripts/Interaction.h"

#include <deque>

namespace winx {
namespace {

struct Queues {
    std::deque<DialogScript> scripts;
    std::deque<int> messageBoxAnswers;
    std::deque<interaction::MenuChoice> menuChoices;
    std::deque<interaction::FileAnswer> fileAnswers;
    std::deque<std::pair<int, int>> trackerDrags;
};

Queues& queues() {
    static Queues q;
    return q;
}

template <typename T>
std::optional<T> takeFront(std::deque<T>& q) {
    if (q.empty()) return std::nullopt;
    T value = std::move(q.front());
    q.pop_front();
    return value;
}

} // namespace

DialogScript& DialogScript::add(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

DialogScript& DialogScript::forTemplate(int templateId) {
    templateId_ = templateId;
    return *this;
}

DialogScript& DialogScript::forCaption(std::wstring caption) {
    caption_ = std::move(caption);
    return *this;
}

DialogScript& DialogScript::setText(int controlId, std::wstring text) {
    return add({Action::SetText, controlId, 0, 0, std::move(text), {}, {}});
}

DialogScript& DialogScript::type(int controlId, std::wstring text) {
    return add({Action::Type, controlId, 0, 0, std::move(text), {}, {}});
}

DialogScript& DialogScript::choose(int controlId, int index) {
    return add({Action::ChooseIndex, controlId, index, 0, {}, {}, {}});
}

DialogScript& DialogScript::choose(int controlId, std::wstring exactText) {
    return add({Action::ChooseText, controlId, 0, 0, std::move(exactText), {}, {}});
}

DialogScript& DialogScript::check(int controlId, int state) {
    return add({Action::Check, controlId, state, 0, {}, {}, {}});
}

DialogScript& DialogScript::click(int controlId) {
    return add({Action::Click, controlId, 0, 0, {}, {}, {}});
}

DialogScript& DialogScript::doubleClick(int controlId, int index) {
    return add({Action::DoubleClick, controlId, index, 0, {}, {}, {}});
}

DialogScript& DialogScript::pressKey(int virtualKey, unsigned modifiers) {
    return add({Action::PressKey, 0, virtualKey, modifiers, {}, {}, {}});
}

DialogScript& DialogScript::focus(int controlId) {
    return add({Action::Focus, controlId, 0, 0, {}, {}, {}});
}

DialogScript& DialogScript::advanceClock(DWORD ms) {
    return add({Action::AdvanceClock, 0, static_cast<int>(ms), 0, {}, {}, {}});
}

DialogScript& DialogScript::answerMessageBox(int answer) {
    return add({Action::AnswerMessageBox, 0, answer, 0, {}, {}, {}});
}

DialogScript& DialogScript::chooseMenuItem(UINT commandId) {
    return add({Action::ChooseMenuId, 0, static_cast<int>(commandId), 0, {}, {}, {}});
}

DialogScript& DialogScript::chooseMenuItem(std::wstring itemText) {
    return add({Action::ChooseMenuText, 0, 0, 0, std::move(itemText), {}, {}});
}

DialogScript& DialogScript::answerFileDialog(std::vector<std::wstring> paths) {
    return add({Action::AnswerFileDialog, 0, 0, 0, {}, std::move(paths), {}});
}

DialogScript& DialogScript::cancelFileDialog() {
    return add({Action::CancelFileDialog, 0, 0, 0, {}, {}, {}});
}

DialogScript& DialogScript::call(std::function<void(HWND)> action) {
    return add({Action::Call, 0, 0, 0, {}, {}, std::move(action)});
}

void queueScript(DialogScript script) {
    queues().scripts.push_back(std::move(script));
}
std::size_t pendingScripts() {
    return queues().scripts.size();
}
void answerMessageBox(int answer) {
    queues().messageBoxAnswers.push_back(answer);
}
void chooseMenuItem(UINT commandId) {
    queues().menuChoices.push_back({commandId, {}});
}
void chooseMenuItem(std::wstring itemText) {
    queues().menuChoices.push_back({0, std::move(itemText)});
}

void answerFileDialog(std::vector<std::wstring> paths, int filterIndex) {
    queues().fileAnswers.push_back({false, std::move(paths), filterIndex});
}

void cancelFileDialog() {
    queues().fileAnswers.push_back({true, {}, 0});
}

void queueTrackerDrag(int dx, int dy) {
    queues().trackerDrags.emplace_back(dx, dy);
}

bool takeTrackerDrag(int& dx, int& dy) {
    auto drag = takeFront(queues().trackerDrags);
    if (!drag) return false;
    dx = drag->first;
    dy = drag->second;
    return true;
}

void resetInteraction() {
    queues() = Queues{};
}

namespace interaction {

const DialogScript* peekScript() {
    return queues().scripts.empty() ? nullptr : &queues().scripts.front();
}

std::optional<DialogScript> takeScript() {
    return takeFront(queues().scripts);
}

void pushFrontMessageBoxAnswer(int answer) {
    queues().messageBoxAnswers.push_front(answer);
}
std::optional<int> takeMessageBoxAnswer() {
    return takeFront(queues().messageBoxAnswers);
}
void pushFrontMenuChoice(MenuChoice choice) {
    queues().menuChoices.push_front(std::move(choice));
}
std::optional<MenuChoice> takeMenuChoice() {
    return takeFront(queues().menuChoices);
}
void pushFrontFileAnswer(FileAnswer answer) {
    queues().fileAnswers.push_front(std::move(answer));
}
std::optional<FileAnswer> takeFileAnswer() {
    return takeFront(queues().fileAnswers);
}

} // namespace interaction
} // namespace winx
