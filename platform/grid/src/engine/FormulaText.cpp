#include "engine/FormulaText.h"

#include "engine/Limits.h"
#include "engine/RefText.h"
#include "grid/Functions.h"

#include <vector>

namespace gridx::engine {

namespace {

std::wstring_view binaryText(Op op) {
    switch (op) {
    case Op::Power:
        return L"^";
    case Op::Multiply:
        return L"*";
    case Op::Divide:
        return L"/";
    case Op::Add:
        return L"+";
    case Op::Subtract:
        return L"-";
    case Op::Concat:
        return L"&";
    case Op::Equal:
        return L"=";
    case Op::NotEqual:
        return L"<>";
    case Op::Less:
        return L"<";
    case Op::Greater:
        return L">";
    case Op::LessEqual:
        return L"<=";
    case Op::GreaterEqual:
        return L">=";
    default:
        return {};
    }
}

void appendQuoted(std::wstring& out, std::wstring_view text) {
    out.push_back(L'"');
    for (wchar_t c : text) {
        out.push_back(c);
        if (c == L'"') out.push_back(L'"');
    }
    out.push_back(L'"');
}

void appendR1C1Part(std::wstring& out, wchar_t letter, int value, bool abs) {
    out.push_back(letter);
    if (abs) {
        out += std::to_wstring(value);
    } else if (value != 0) {
        out.push_back(L'[');
        out += std::to_wstring(value);
        out.push_back(L']');
    }
}

class Printer {
public:
    Printer(const Program& program, int col, int row, RefStyle style)
        : program_(program), col_(col), row_(row), style_(style) {}

    std::wstring run();

private:
    void step(const std::uint32_t* at);
    void appendCorner(std::wstring& out, int col, int row, bool absCol, bool absRow) const;
    void printRef(const std::uint32_t* at);
    void printArea(const std::uint32_t* at);
    void printCall(std::wstring_view name, std::uint32_t argc);
    void printUnary(std::wstring_view prefix, std::wstring_view suffix);
    void printBinary(Op op);
    std::wstring pop();

    const Program& program_;
    int col_;
    int row_;
    RefStyle style_;
    std::vector<std::wstring> stack_;
};

std::wstring Printer::run() {
    const std::uint32_t* code = program_.code();
    for (std::uint32_t pc = 0; pc < program_.codeSize; pc += instructionSize(code[pc]))
        step(code + pc);
    return stack_.empty() ? std::wstring() : std::move(stack_.back());
}

std::wstring Printer::pop() {
    if (stack_.empty()) return {};
    std::wstring top = std::move(stack_.back());
    stack_.pop_back();
    return top;
}

void Printer::step(const std::uint32_t* at) {
    const Op op = opOf(*at);
    const std::uint32_t arg = argOf(*at);
    switch (op) {
    case Op::Number:
        stack_.push_back(formatNumber(numberAt(at + 1)));
        return;
    case Op::Text: {
        std::wstring text;
        if (arg < program_.constCount) appendQuoted(text, program_.constants()[arg].asText());
        stack_.push_back(std::move(text));
        return;
    }
    case Op::Boolean:
        stack_.emplace_back(arg ? L"TRUE" : L"FALSE");
        return;
    case Op::Error:
        stack_.emplace_back(errorText(static_cast<ErrorCode>(arg)));
        return;
    case Op::Missing:
        stack_.emplace_back();
        return;
    case Op::Name:
        stack_.emplace_back(arg < program_.constCount ? program_.constants()[arg].asText()
                                                      : std::wstring_view());
        return;
    case Op::Ref:
        return printRef(at);
    case Op::Area:
        return printArea(at);
    case Op::Negate:
        return printUnary(L"-", L"");
    case Op::Identity:
        return printUnary(L"+", L"");
    case Op::Percent:
        return printUnary(L"", L"%");
    case Op::Paren:
        return printUnary(L"(", L")");
    case Op::Call:
    case Op::LazyEnd: {
        const auto all = builtins();
        return printCall(at[1] < all.size() ? all[at[1]].name : std::wstring_view(L"#NAME?"), arg);
    }
    case Op::CallName:
        return printCall(at[1] < program_.constCount ? program_.constants()[at[1]].asText()
                                                     : std::wstring_view(),
                         arg);
    default:
        if (!binaryText(op).empty()) printBinary(op);
        return; // jumps and the hidden FALSE of an IF show nothing
    }
}

void Printer::appendCorner(std::wstring& out, int col, int row, bool absCol, bool absRow) const {
    if (style_ == RefStyle::R1C1) {
        appendR1C1Part(out, L'R', row, absRow);
        appendR1C1Part(out, L'C', col, absCol);
        return;
    }
    if (absCol) out.push_back(L'$');
    appendColumnLetters(out, absCol ? col : col_ + col);
    if (absRow) out.push_back(L'$');
    out += std::to_wstring(absRow ? row : row_ + row);
}

void Printer::printRef(const std::uint32_t* at) {
    const std::uint32_t flags = argOf(*at);
    const int col = static_cast<int>(at[1]);
    const int row = static_cast<int>(at[2]);
    const bool absCol = flags & kAbsCol, absRow = flags & kAbsRow;
    const bool valid = validCol(absCol ? col : col_ + col) && validRow(absRow ? row : row_ + row);
    std::wstring text;
    if ((flags & kRefDeleted) || !valid)
        text = L"#REF!";
    else
        appendCorner(text, col, row, absCol, absRow);
    stack_.push_back(std::move(text));
}

void Printer::printArea(const std::uint32_t* at) {
    const std::uint32_t flags = argOf(*at);
    const int c1 = static_cast<int>(at[1]), r1 = static_cast<int>(at[2]);
    const int c2 = static_cast<int>(at[3]), r2 = static_cast<int>(at[4]);
    const bool ac1 = flags & kAbsCol1, ar1 = flags & kAbsRow1;
    const bool ac2 = flags & kAbsCol2, ar2 = flags & kAbsRow2;
    const bool valid = validCol(ac1 ? c1 : col_ + c1) && validRow(ar1 ? r1 : row_ + r1) &&
                       validCol(ac2 ? c2 : col_ + c2) && validRow(ar2 ? r2 : row_ + r2);
    std::wstring text;
    if ((flags & kAreaDeleted) || !valid) {
        text = L"#REF!";
    } else {
        appendCorner(text, c1, r1, ac1, ar1);
        text.push_back(L':');
        appendCorner(text, c2, r2, ac2, ar2);
    }
    stack_.push_back(std::move(text));
}

void Printer::printCall(std::wstring_view name, std::uint32_t argc) {
    std::wstring text(name);
    text.push_back(L'(');
    const std::size_t count = std::min<std::size_t>(argc, stack_.size());
    const std::size_t first = stack_.size() - count;
    for (std::size_t i = first; i < stack_.size(); ++i) {
        if (i > first) text.push_back(L',');
        text += stack_[i];
    }
    text.push_back(L')');
    stack_.resize(first);
    stack_.push_back(std::move(text));
}

void Printer::printUnary(std::wstring_view prefix, std::wstring_view suffix) {
    std::wstring inner = pop();
    std::wstring text(prefix);
    text += inner;
    text += suffix;
    stack_.push_back(std::move(text));
}

void Printer::printBinary(Op op) {
    std::wstring right = pop();
    std::wstring left = pop();
    left += binaryText(op);
    left += right;
    stack_.push_back(std::move(left));
}

} // namespace

std::wstring formulaText(const Program& program, int col, int row, RefStyle style) {
    return Printer(program, col, row, style).run();
}

} // namespace gridx::engine
