// The text model of edit fields (and of the edit part of combo boxes): text, selection with an
// anchor and a caret, length limit, modified flag and a one-level undo. Lines are separated by
// "\r\n". Knows nothing about windows or messages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace controls {

class TextBuffer {
public:
    static constexpr std::size_t kDefaultLimit = 32767;
    static constexpr std::size_t kMaximumLimit = 0x7FFFFFFE;

    const std::wstring& text() const { return text_; }
    std::size_t size() const { return text_.size(); }
    std::size_t selectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    std::size_t selectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    std::size_t caret() const { return caret_; }
    bool hasSelection() const { return anchor_ != caret_; }
    std::wstring selectedText() const;

    // Replaces the whole text (no limit); caret to the start, undo emptied, not modified.
    void setText(std::wstring_view text);
    // Selection by the edit field's rules: start < 0 drops the selection (the caret stays),
    // end < 0 means the end of the text, positions beyond the text are clamped.
    void setSelection(long long start, long long end);
    void selectAll() { setSelection(0, -1); }
    // Moves the caret, extending the selection from its anchor when extend is set.
    void moveCaret(std::size_t position, bool extend);

    enum class UndoStep { Separate, Typing, None };
    struct Change {
        bool changed = false;   // the text is different now
        bool truncated = false; // the limit cut the insertion short
    };
    // Replaces the selection with text, cut to the room the limit leaves when applyLimit.
    Change replaceSelection(std::wstring_view insert, bool applyLimit, UndoStep step);
    // Backspace and Delete: the selection, else the character (or line break) before or after.
    bool eraseBackward();
    bool eraseForward();

    std::size_t limit() const { return limit_; }
    void setLimit(std::size_t limit) { limit_ = limit; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool canUndo() const { return canUndo_; }
    void emptyUndo();
    // Swaps the text with the one before the last change (so a second undo redoes).
    bool undo();

    int lineCount() const;
    int lineFromChar(std::size_t position) const;
    // Start of a line; npos for a line that does not exist.
    std::size_t lineStart(int line) const;
    std::size_t lineEnd(int line) const;
    std::wstring_view lineText(int line) const;
    // Position one character (a line break counts as one) left or right of position.
    std::size_t stepLeft(std::size_t position) const;
    std::size_t stepRight(std::size_t position) const;

private:
    void remember();
    void replaceRange(std::size_t start, std::size_t end, std::wstring_view insert);

    std::wstring text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    std::size_t limit_ = kDefaultLimit;
    bool modified_ = false;
    bool canUndo_ = false;
    bool typingRun_ = false;
    std::wstring undoText_;
    std::size_t undoAnchor_ = 0;
    std::size_t undoCaret_ = 0;
};

} // namespace controls
