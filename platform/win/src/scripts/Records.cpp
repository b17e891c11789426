// Process-wide records of message boxes, file dialogs, popup menus, unattended dialogs and
// problems.
#include "scripts/Records.h"

namespace winx {
namespace {

struct Store {
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<FileDialogRecord> fileDialogs;
    std::vector<MenuRecord> menus;
    std::vector<UnattendedRecord> unattended;
    std::vector<std::wstring> problems;
};

Store& store() {
    static Store s;
    return s;
}

} // namespace

namespace records {

void problem(std::wstring text) {
    store().problems.push_back(std::move(text));
}
void messageBox(MessageBoxRecord record) {
    store().messageBoxes.push_back(std::move(record));
}
void fileDialog(FileDialogRecord record) {
    store().fileDialogs.push_back(std::move(record));
}
void menu(MenuRecord record) {
    store().menus.push_back(std::move(record));
}
void unattended(UnattendedRecord record) {
    store().unattended.push_back(std::move(record));
}

} // namespace records

std::vector<MessageBoxRecord> messageBoxes() {
    return store().messageBoxes;
}
std::vector<FileDialogRecord> fileDialogs() {
    return store().fileDialogs;
}
std::vector<MenuRecord> menus() {
    return store().menus;
}
std::vector<UnattendedRecord> unattended() {
    return store().unattended;
}
std::vector<std::wstring> problems() {
    return store().problems;
}

void resetRecords() {
    store() = Store{};
}

} // namespace winx
