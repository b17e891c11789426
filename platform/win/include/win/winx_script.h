// Headless driving of the windowing stand-in: interaction scripts for modal dialogs, queued
// answers for message boxes, popup menus, file dialogs and rectangle trackers, and the records
// of everything shown. Used by tests and by the host; nothing here exists on the real platform.
#pragma once

#include "win/wintypes.h"

#include <functional>
#include <string>
#include <vector>

namespace winx {

// Modifier keys held during a scripted key press.
enum KeyModifier : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Steps for the next modal dialog. Each step runs when the dialog's loop is idle; a step that
// names a missing, hidden or disabled control is recorded as a problem and skipped. Control ids
// are looked up among the dialog's children first, then among all its descendants.
class DialogScript {
public:
    enum class Action {
        SetText,
        Type,
        ChooseIndex,
        ChooseText,
        Check,
        Click,
        DoubleClick,
        PressKey,
        Focus,
        AdvanceClock,
        AnswerMessageBox,
        ChooseMenuId,
        ChooseMenuText,
        AnswerFileDialog,
        CancelFileDialog,
        Call,
    };
    struct Step {
        Action action;
        int controlId = 0;
        int value = 0;
        unsigned modifiers = 0;
        std::wstring text;
        std::vector<std::wstring> paths;
        std::function<void(HWND)> call;
    };

    // The script is meant for the dialog built from this template (or with this caption); a
    // dialog that does not match is recorded as a problem and left unattended.
    DialogScript& forTemplate(int templateId);
    DialogScript& forCaption(std::wstring caption);

    DialogScript& setText(int controlId, std::wstring text); // select all, type the text
    DialogScript& type(int controlId, std::wstring text);    // type at the caret
    DialogScript& choose(int controlId, int index);
    DialogScript& choose(int controlId, std::wstring exactText);
    DialogScript& check(int controlId, int state);
    DialogScript& click(int controlId);
    DialogScript& doubleClick(int controlId, int index = -1);
    // Posted to the focused window through the queue (so pre-translation sees it).
    DialogScript& pressKey(int virtualKey, unsigned modifiers = kNoModifier);
    DialogScript& focus(int controlId);
    DialogScript& advanceClock(DWORD ms);
    // Answers the next message box shown while this dialog runs.
    DialogScript& answerMessageBox(int answer);
    DialogScript& chooseMenuItem(UINT commandId);
    DialogScript& chooseMenuItem(std::wstring itemText);
    DialogScript& answerFileDialog(std::vector<std::wstring> paths);
    DialogScript& cancelFileDialog();
    DialogScript& call(std::function<void(HWND dialog)> action);

    int templateId() const { return templateId_; }
    const std::wstring& caption() const { return caption_; }
    const std::vector<Step>& steps() const { return steps_; }

private:
    DialogScript& add(Step step);

    int templateId_ = 0;
    std::wstring caption_;
    std::vector<Step> steps_;
};

// Scripts wait in a FIFO queue; each modal dialog takes the first one.
void queueScript(DialogScript script);
std::size_t pendingScripts();

// Queued answers (FIFO). A box with only an OK button takes no answer.
void answerMessageBox(int answer);
// TrackPopupMenu answers: a command id, or the text of an item ('&' ignored).
void chooseMenuItem(UINT commandId);
void chooseMenuItem(std::wstring itemText);
// GetOpenFileName / GetSaveFileName answers; several paths only for multi-selection dialogs.
void answerFileDialog(std::vector<std::wstring> paths, int filterIndex = 0);
void cancelFileDialog();
// The next rectangle tracker's Track moves the grabbed handle (or the whole rectangle) by this.
void queueTrackerDrag(int dx, int dy);
// Taken by the class library's tracker; false when none is queued.
bool takeTrackerDrag(int& dx, int& dy);

// ---- Records -------------------------------------------------------------------------------
struct MessageBoxRecord {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
    int answer = 0;
    bool unattended = false; // a choice was needed and nobody gave one
};

struct FileDialogRecord {
    bool save = false;
    bool folder = false; // a folder browser
    std::wstring title;
    std::wstring filter; // the description/pattern pairs, joined with '|'
    std::wstring initialFolder;
    std::wstring initialFile;
    std::wstring defaultExtension;
    DWORD flags = 0;
    std::vector<std::wstring> paths; // the answer; empty when cancelled
    bool unattended = false;
};

struct MenuItemRecord {
    std::wstring text;
    UINT id = 0;
    UINT flags = 0; // MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_POPUP, ...
    int depth = 0;  // 0 for items of the tracked menu, 1 for items of its submenus, ...
};

struct MenuRecord {
    HWND owner = nullptr;
    UINT flags = 0;
    std::vector<MenuItemRecord> items;
    UINT chosen = 0; // 0 when nothing was chosen
};

struct UnattendedRecord {
    enum class Kind { Dialog, MessageBox, FileDialog };
    Kind kind = Kind::Dialog;
    int templateId = 0;
    std::wstring caption;
    std::wstring text;
};

std::vector<MessageBoxRecord> messageBoxes();
std::vector<FileDialogRecord> fileDialogs();
std::vector<MenuRecord> menus();
std::vector<UnattendedRecord> unattended();
// Script steps that could not run, mismatched scripts, invalid answers, loops that could never
// end, ...
std::vector<std::wstring> problems();
void resetRecords();
// Forgets queued scripts and answers.
void resetInteraction();

// For a test's lifetime: test clock on, queues, records, key states and the message queue
// cleared; at the end every window and window-less timer created during the test is destroyed
// and the previous clock restored. Records stay readable until the next session starts.
class TestSession {
public:
    TestSession();
    ~TestSession();
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;

private:
    std::vector<HWND> windowsBefore_;
    bool testClockBefore_ = false;
    unsigned long long timerMark_ = 0;
};

} // namespace winx
