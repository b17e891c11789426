// Queues of scripted answers, taken by the modal loop, message boxes, popup menus and file
// dialogs.
#pragma once

#include "win/winx_script.h"

#include <optional>

namespace winx::interaction {

struct MenuChoice {
    UINT id = 0;
    std::wstring text; // used when not empty
};

struct FileAnswer {
    bool cancel = false;
    std::vector<std::wstring> paths;
    int filterIndex = 0;
};

const DialogScript* peekScript();
std::optional<DialogScript> takeScript();

// A script step's answer goes before the answers queued by the test.
void pushFrontMessageBoxAnswer(int answer);
std::optional<int> takeMessageBoxAnswer();
void pushFrontMenuChoice(MenuChoice choice);
std::optional<MenuChoice> takeMenuChoice();
void pushFrontFileAnswer(FileAnswer answer);
std::optional<FileAnswer> takeFileAnswer();

} // namespace winx::interaction
