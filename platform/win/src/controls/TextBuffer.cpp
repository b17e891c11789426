#include "TextBuffer.h"

#include <algorithm>

namespace controls {

namespace {
constexpr std::wstring_view kLineBreak = L"\r\n";
} // namespace

std::wstring TextBuffer::selectedText() const {
    return text_.substr(selectionStart(), selectionEnd() - selectionStart());
}

void TextBuffer::setText(std::wstring_view text) {
    text_.assign(text);
    anchor_ = caret_ = 0;
    modified_ = false;
    emptyUndo();
}

void TextBuffer::setSelection(long long start, long long end) {
    typingRun_ = false;
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    const auto length = static_cast<long long>(text_.size());
    if (end < 0 || end > length) end = length;
    anchor_ = static_cast<std::size_t>(std::min(start, length));
    caret_ = static_cast<std::size_t>(end);
}

void TextBuffer::moveCaret(std::size_t position, bool extend) {
    typingRun_ = false;
    caret_ = std::min(position, text_.size());
    if (!extend) anchor_ = caret_;
}

void TextBuffer::remember() {
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
    canUndo_ = true;
}

void TextBuffer::replaceRange(std::size_t start, std::size_t end, std::wstring_view insert) {
    text_.replace(start, end - start, insert);
    anchor_ = caret_ = start + insert.size();
    modified_ = true;
}

TextBuffer::Change TextBuffer::replaceSelection(std::wstring_view insert, bool applyLimit,
                                                UndoStep step) {
    Change change;
    const std::size_t start = selectionStart();
    const std::size_t end = selectionEnd();
    if (applyLimit) {
        const std::size_t kept = text_.size() - (end - start);
        const std::size_t room = limit_ > kept ? limit_ - kept : 0;
        if (insert.size() > room) {
            insert = insert.substr(0, room);
            change.truncated = true;
        }
    }
    if (insert.empty() && start == end) return change;
    if (step == UndoStep::None) {
        emptyUndo();
    } else if (!(step == UndoStep::Typing && typingRun_)) {
        remember();
    }
    replaceRange(start, end, insert);
    typingRun_ = step == UndoStep::Typing;
    change.changed = true;
    return change;
}

bool TextBuffer::eraseBackward() {
    if (!hasSelection()) {
        if (caret_ == 0) return false;
        anchor_ = stepLeft(caret_);
    }
    return replaceSelection({}, false, UndoStep::Separate).changed;
}

bool TextBuffer::eraseForward() {
    if (!hasSelection()) {
        if (caret_ >= text_.size()) return false;
        anchor_ = stepRight(caret_);
    }
    return replaceSelection({}, false, UndoStep::Separate).changed;
}

void TextBuffer::emptyUndo() {
    canUndo_ = false;
    typingRun_ = false;
    undoText_.clear();
}

bool TextBuffer::undo() {
    if (!canUndo_) return false;
    std::swap(text_, undoText_);
    std::swap(anchor_, undoAnchor_);
    std::swap(caret_, undoCaret_);
    anchor_ = std::min(anchor_, text_.size());
    caret_ = std::min(caret_, text_.size());
    modified_ = true;
    typingRun_ = false;
    return true;
}

int TextBuffer::lineCount() const {
    int count = 1;
    for (std::size_t at = text_.find(kLineBreak); at != std::wstring::npos;
         at = text_.find(kLineBreak, at + kLineBreak.size())) {
        ++count;
    }
    return count;
}

int TextBuffer::lineFromChar(std::size_t position) const {
    position = std::min(position, text_.size());
    int line = 0;
    for (std::size_t at = text_.find(kLineBreak); at != std::wstring::npos && at < position;
         at = text_.find(kLineBreak, at + kLineBreak.size())) {
        ++line;
    }
    return line;
}

std::size_t TextBuffer::lineStart(int line) const {
    if (line < 0) return std::wstring::npos;
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) {
        const std::size_t at = text_.find(kLineBreak, start);
        if (at == std::wstring::npos) return std::wstring::npos;
        start = at + kLineBreak.size();
    }
    return start;
}

std::size_t TextBuffer::lineEnd(int line) const {
    const std::size_t start = lineStart(line);
    if (start == std::wstring::npos) return start;
    const std::size_t at = text_.find(kLineBreak, start);
    return at == std::wstring::npos ? text_.size() : at;
}

std::wstring_view TextBuffer::lineText(int line) const {
    const std::size_t start = lineStart(line);
    if (start == std::wstring::npos) return {};
    return std::wstring_view(text_).substr(start, lineEnd(line) - start);
}

std::size_t TextBuffer::stepLeft(std::size_t position) const {
    if (position == 0) return 0;
    if (position >= 2 && text_.compare(position - 2, 2, kLineBreak) == 0) return position - 2;
    return position - 1;
}

std::size_t TextBuffer::stepRight(std::size_t position) const {
    if (position >= text_.size()) return text_.size();
    if (text_.compare(position, 2, kLineBreak) == 0) return position + 2;
    return position + 1;
}

} // namespace controls
