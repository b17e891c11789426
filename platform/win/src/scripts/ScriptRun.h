// The interaction script that drives one modal dialog.
#pragma once

#include "win/winx_script.h"

#include <optional>

namespace winx::scripts {

class ScriptRun {
public:
    // Takes the first queued script when it fits the dialog (else none, recording a problem).
    explicit ScriptRun(HWND dialog);
    ~ScriptRun();
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

    // Runs the next step; false when no step is left.
    bool runNextStep();

private:
    void runStep(const DialogScript::Step& step);
    HWND control(const DialogScript::Step& step, bool needsInput);
    void problem(const DialogScript::Step& step, const std::wstring& text) const;
    std::wstring describeDialog() const;

    HWND dialog_;
    int templateId_ = 0;
    std::optional<DialogScript> script_;
    std::size_t next_ = 0;
};

} // namespace winx::scripts
