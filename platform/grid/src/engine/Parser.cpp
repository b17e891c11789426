// Recursive-descent parser of the formula language. Blanks may separate any two tokens.
//
//   formula    => ['='] comparison END
//   comparison => concat (('=' | '<>' | '<' | '>' | '<=' | '>=') concat)*
//   concat     => additive ('&' additive)*
//   additive   => term (('+' | '-') term)*
//   term       => power (('*' | '/') power)*
//   power      => postfix ('^' postfix)*
//   postfix    => unary ('%')*
//   unary      => ('-' | '+')* primary
//   primary    => NUMBER | STRING | TRUE | FALSE | ERROR | reference | call | NAME
//               | '(' comparison ')'
//   reference  => REF [':' REF]
//   call       => FUNCTION '(' [argument (',' argument)*] ')'
//   argument   => comparison | <nothing: an omitted argument>
//
// REF is an A1 reference ($B$3, B$3, B3) or, in R1C1 style, R3C2, R[-1]C[2], RC, R[1]C.
// FUNCTION is a name directly followed by "(". Unary signs bind tighter than "^", so
// -2^2 = 4. Nesting of parentheses, calls and unary signs is limited to kMaxNesting levels,
// which bounds the recursion of this parser.
#include "engine/Parser.h"

#include "engine/Limits.h"
#include "engine/RefText.h"
#include "grid/Functions.h"

#include <array>
#include <cwctype>
#include <vector>

namespace gridx::engine {

namespace {

enum class Tok : std::uint8_t {
    End,
    Bad,
    Number,
    String,
    Boolean,
    Error,
    Ref,
    Function,
    Name,
    Plus,
    Minus,
    Star,
    Slash,
    Caret,
    Amp,
    Percent,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    LParen,
    RParen,
    Comma,
    Colon,
};

struct Token {
    Tok type = Tok::End;
    std::size_t start = 0;
    std::size_t end = 0;
    double number = 0.0;
    ErrorCode error = ErrorCode::Value;
    bool boolean = false;
    RefMatch ref;
};

// The operation and precedence level (0 = comparisons, loosest) of a binary operator token.
bool binaryOp(Tok tok, int& level, Op& op) {
    switch (tok) {
    case Tok::Eq:
        return level = 0, op = Op::Equal, true;
    case Tok::Ne:
        return level = 0, op = Op::NotEqual, true;
    case Tok::Lt:
        return level = 0, op = Op::Less, true;
    case Tok::Gt:
        return level = 0, op = Op::Greater, true;
    case Tok::Le:
        return level = 0, op = Op::LessEqual, true;
    case Tok::Ge:
        return level = 0, op = Op::GreaterEqual, true;
    case Tok::Amp:
        return level = 1, op = Op::Concat, true;
    case Tok::Plus:
        return level = 2, op = Op::Add, true;
    case Tok::Minus:
        return level = 2, op = Op::Subtract, true;
    case Tok::Star:
        return level = 3, op = Op::Multiply, true;
    case Tok::Slash:
        return level = 3, op = Op::Divide, true;
    case Tok::Caret:
        return level = 4, op = Op::Power, true;
    default:
        return false;
    }
}

std::wstring upperCase(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return upper;
}

// The choosing functions that evaluate only the arguments they need.
enum class LazyKind { None, If, IfError, IfNa, Choose };

LazyKind lazyKindOf(const BuiltinInfo* info) {
    if (!info || !(info->flags & kLazy)) return LazyKind::None;
    if (info->name == L"IF") return LazyKind::If;
    if (info->name == L"IFERROR") return LazyKind::IfError;
    if (info->name == L"IFNA") return LazyKind::IfNa;
    if (info->name == L"CHOOSE") return LazyKind::Choose;
    return LazyKind::None;
}

std::uint32_t offset(std::size_t from, std::size_t to) {
    return static_cast<std::uint32_t>(to - from);
}

// Emits the jumps of a lazy call around its arguments and closes it.
class LazyPlan {
public:
    LazyPlan(LazyKind kind, ProgramBuilder& out) : kind_(kind), out_(out) {}

    void beforeArgument() { starts_.push_back(out_.code.size()); }
    void afterArgument(int index) {
        if (kind_ == LazyKind::If && index == 0) {
            head_ = out_.emit(Op::JumpIfFalse);
            out_.emitWord(0);
            out_.stack(0, 1);
        } else if (kind_ == LazyKind::If && index == 1) {
            jumps_.push_back(out_.emit(Op::Jump));
            out_.stack(0, 1);
        } else if ((kind_ == LazyKind::IfError || kind_ == LazyKind::IfNa) && index == 0) {
            head_ = out_.emit(kind_ == LazyKind::IfNa ? Op::JumpIfNotNA : Op::JumpIfNotError);
            out_.stack(0, 1);
        } else if (kind_ == LazyKind::Choose) {
            if (index == 0) {
                head_ = out_.emit(Op::Choose);
            } else {
                jumps_.push_back(out_.emit(Op::Jump));
            }
            out_.stack(0, 1);
        }
    }
    // Whether the call has the shape the jumps were laid out for.
    bool fits(int argc) const {
        switch (kind_) {
        case LazyKind::If:
            return argc == 2 || argc == 3;
        case LazyKind::IfError:
        case LazyKind::IfNa:
            return argc == 2;
        case LazyKind::Choose:
            return argc >= 2;
        default:
            return true;
        }
    }
    // Patches the jumps; the caller emits LazyEnd right after.
    void finish(int argc) {
        if (kind_ == LazyKind::If) finishIf(argc);
        if (kind_ == LazyKind::IfError || kind_ == LazyKind::IfNa)
            out_.code[head_] = makeWord(opOf(out_.code[head_]), offset(head_, out_.code.size()));
        if (kind_ == LazyKind::Choose) finishChoose(argc);
    }

private:
    void finishIf(int argc) {
        std::size_t elseAt = argc == 3 ? starts_[2] : out_.code.size();
        if (argc == 2) {
            out_.emit(Op::FalseBranch);
            out_.stack(1, 0);
        }
        const std::size_t end = out_.code.size();
        out_.code[head_] = makeWord(Op::JumpIfFalse, offset(head_, elseAt));
        out_.code[head_ + 1] = offset(head_, end);
        out_.code[jumps_[0]] = makeWord(Op::Jump, offset(jumps_[0], end));
    }
    void finishChoose(int argc) {
        const auto branches = static_cast<std::uint32_t>(argc - 1);
        const std::size_t inserted = branches + 1;
        out_.code.insert(out_.code.begin() + static_cast<std::ptrdiff_t>(head_ + 1), inserted, 0);
        const std::size_t end = out_.code.size();
        out_.code[head_] = makeWord(Op::Choose, branches);
        out_.code[head_ + 1] = offset(head_, end);
        for (std::uint32_t i = 0; i < branches; ++i)
            out_.code[head_ + 2 + i] = offset(head_, starts_[i + 1] + inserted);
        for (std::size_t jump : jumps_)
            out_.code[jump + inserted] = makeWord(Op::Jump, offset(jump + inserted, end));
        out_.stack(1, 0);
    }

    LazyKind kind_;
    ProgramBuilder& out_;
    std::size_t head_ = 0;
    std::vector<std::size_t> starts_;
    std::vector<std::size_t> jumps_;
};

class Parser {
public:
    Parser(const ParseRequest& request, ProgramBuilder& out)
        : req_(request), text_(request.text), out_(out) {}

    FormulaStatus run();

private:
    // Lexer
    void advance();
    void skipBlanks();
    void scanNumber(Token& t);
    void scanString(Token& t);
    void scanError(Token& t);
    void scanWord(Token& t);
    void scanOperator(Token& t);
    std::wstring_view tokenText() const { return text_.substr(tok_.start, tok_.end - tok_.start); }

    // Parser
    bool fail(FormulaStatus status = FormulaStatus::SyntaxError) {
        if (status_ == FormulaStatus::Ok) status_ = status;
        return false;
    }
    bool enter(int levels);
    void leave(int levels) { nesting_ -= levels; }
    bool parseBinary(int level);
    bool parsePostfix();
    bool parseUnary();
    bool parsePrimary();
    bool parseLiteral();
    bool parseReference();
    bool parseCall();
    bool parseArguments(LazyPlan& plan, int& argc);
    bool parseName();
    bool parseParenthesis();
    void emitString();
    void emitCall(const BuiltinInfo* builtin, LazyKind lazy, const std::wstring& upper, int argc);
    void encodeRef(const RefMatch& ref, int& col, int& row, bool& valid) const;

    const ParseRequest& req_;
    std::wstring_view text_;
    ProgramBuilder& out_;
    std::size_t pos_ = 0;
    Token tok_;
    int nesting_ = 0;
    FormulaStatus status_ = FormulaStatus::Ok;
    bool unknownName_ = false;
};

void Parser::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == L' ' || text_[pos_] == L'\t' ||
                                   text_[pos_] == L'\r' || text_[pos_] == L'\n'))
        ++pos_;
}

void Parser::advance() {
    skipBlanks();
    tok_.start = pos_;
    if (pos_ >= text_.size()) {
        tok_.type = Tok::End;
    } else {
        const wchar_t c = text_[pos_];
        const bool digitNext =
            pos_ + 1 < text_.size() && text_[pos_ + 1] >= L'0' && text_[pos_ + 1] <= L'9';
        if ((c >= L'0' && c <= L'9') || (c == L'.' && digitNext))
            scanNumber(tok_);
        else if (c == L'"')
            scanString(tok_);
        else if (c == L'#')
            scanError(tok_);
        else if (isNameStart(c) || c == L'$')
            scanWord(tok_);
        else
            scanOperator(tok_);
    }
    tok_.end = pos_;
}

void Parser::scanNumber(Token& t) {
    const std::size_t start = pos_;
    auto digits = [&] {
        while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9')
            ++pos_;
    };
    digits();
    if (pos_ < text_.size() && text_[pos_] == L'.') {
        ++pos_;
        digits();
    }
    if (pos_ < text_.size() && (text_[pos_] == L'e' || text_[pos_] == L'E')) {
        std::size_t p = pos_ + 1;
        if (p < text_.size() && (text_[p] == L'+' || text_[p] == L'-')) ++p;
        if (p < text_.size() && text_[p] >= L'0' && text_[p] <= L'9') {
            pos_ = p;
            digits();
        }
    }
    auto value = parseNumber(text_.substr(start, pos_ - start));
    t.type = value ? Tok::Number : Tok::Bad;
    t.number = value.value_or(0.0);
}

void Parser::scanString(Token& t) {
    ++pos_;
    while (pos_ < text_.size()) {
        if (text_[pos_] == L'"') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'"') {
                pos_ += 2;
                continue;
            }
            ++pos_;
            t.type = Tok::String;
            return;
        }
        ++pos_;
    }
    t.type = Tok::Bad;
}

void Parser::scanError(Token& t) {
    for (int code = static_cast<int>(ErrorCode::Null);
         code <= static_cast<int>(ErrorCode::Circular); ++code) {
        const auto error = static_cast<ErrorCode>(code);
        const std::wstring_view name = errorText(error);
        if (text_.size() - pos_ >= name.size() &&
            compareTextNoCase(text_.substr(pos_, name.size()), name) == 0) {
            pos_ += name.size();
            t.type = Tok::Error;
            t.error = error;
            return;
        }
    }
    t.type = Tok::Bad;
}

void Parser::scanWord(Token& t) {
    RefMatch ref;
    const bool isRef =
        req_.style == RefStyle::R1C1 ? matchR1C1(text_, pos_, ref) : matchA1(text_, pos_, ref);
    if (isRef) {
        pos_ = ref.end;
        t.type = Tok::Ref;
        t.ref = ref;
        return;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && isNameChar(text_[pos_]))
        ++pos_;
    if (pos_ == start || (pos_ < text_.size() && text_[pos_] == L'$')) {
        t.type = Tok::Bad;
        return;
    }
    if (pos_ < text_.size() && text_[pos_] == L'(') {
        t.type = Tok::Function;
        return;
    }
    const std::wstring_view word = text_.substr(start, pos_ - start);
    if (compareTextNoCase(word, L"TRUE") == 0 || compareTextNoCase(word, L"FALSE") == 0) {
        t.type = Tok::Boolean;
        t.boolean = compareTextNoCase(word, L"TRUE") == 0;
        return;
    }
    t.type = Tok::Name;
}

void Parser::scanOperator(Token& t) {
    const wchar_t c = text_[pos_++];
    const wchar_t next = pos_ < text_.size() ? text_[pos_] : L'\0';
    switch (c) {
    case L'+':
        t.type = Tok::Plus;
        return;
    case L'-':
        t.type = Tok::Minus;
        return;
    case L'*':
        t.type = Tok::Star;
        return;
    case L'/':
        t.type = Tok::Slash;
        return;
    case L'^':
        t.type = Tok::Caret;
        return;
    case L'&':
        t.type = Tok::Amp;
        return;
    case L'%':
        t.type = Tok::Percent;
        return;
    case L'=':
        t.type = Tok::Eq;
        return;
    case L'<':
        if (next == L'=' || next == L'>') ++pos_;
        t.type = next == L'=' ? Tok::Le : (next == L'>' ? Tok::Ne : Tok::Lt);
        return;
    case L'>':
        if (next == L'=') ++pos_;
        t.type = next == L'=' ? Tok::Ge : Tok::Gt;
        return;
    case L'(':
        t.type = Tok::LParen;
        return;
    case L')':
        t.type = Tok::RParen;
        return;
    case L',':
        t.type = Tok::Comma;
        return;
    case L':':
        t.type = Tok::Colon;
        return;
    default:
        t.type = Tok::Bad;
        return;
    }
}

FormulaStatus Parser::run() {
    if (text_.size() > kMaxFormulaLength) return FormulaStatus::TooComplex;
    out_.clear();
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == L'=') ++pos_;
    advance();
    if (tok_.type == Tok::End) return FormulaStatus::SyntaxError;
    if (!parseBinary(0)) return status_;
    if (tok_.type != Tok::End) return FormulaStatus::SyntaxError;
    if (unknownName_) return FormulaStatus::UnknownFunction;
    return FormulaStatus::Ok;
}

bool Parser::enter(int levels) {
    nesting_ += levels;
    if (nesting_ > kMaxNesting) return fail(FormulaStatus::TooComplex);
    return true;
}

// Precedence climbing: every binary operator is left-associative, so the right operand takes
// only operators that bind tighter. The recursion is bounded by the number of levels.
bool Parser::parseBinary(int minLevel) {
    if (!parsePostfix()) return false;
    int level = 0;
    Op op{};
    while (binaryOp(tok_.type, level, op) && level >= minLevel) {
        advance();
        if (!parseBinary(level + 1)) return false;
        out_.emit(op);
        out_.stack(1, 2);
    }
    return true;
}

bool Parser::parsePostfix() {
    if (!parseUnary()) return false;
    while (tok_.type == Tok::Percent) {
        advance();
        out_.emit(Op::Percent);
    }
    return true;
}

bool Parser::parseUnary() {
    // Signs are applied innermost first; a bit per sign records which are minus.
    std::array<std::uint64_t, 2> minus{};
    int count = 0;
    while (tok_.type == Tok::Minus || tok_.type == Tok::Plus) {
        if (!enter(1)) return false;
        if (count >= 128) return fail(FormulaStatus::TooComplex);
        if (tok_.type == Tok::Minus)
            minus[static_cast<std::size_t>(count / 64)] |= 1ull << (count % 64);
        ++count;
        advance();
    }
    const bool ok = parsePrimary();
    leave(count);
    if (!ok) return false;
    while (count > 0) {
        --count;
        const bool isMinus = minus[static_cast<std::size_t>(count / 64)] >> (count % 64) & 1u;
        out_.emit(isMinus ? Op::Negate : Op::Identity);
    }
    return true;
}

bool Parser::parsePrimary() {
    switch (tok_.type) {
    case Tok::Ref:
        return parseReference();
    case Tok::Function:
        return parseCall();
    case Tok::Name:
        return parseName();
    case Tok::LParen:
        return parseParenthesis();
    default:
        return parseLiteral();
    }
}

bool Parser::parseLiteral() {
    switch (tok_.type) {
    case Tok::Number:
        out_.emit(Op::Number);
        appendNumber(out_.code, tok_.number);
        break;
    case Tok::String:
        emitString();
        break;
    case Tok::Boolean:
        out_.emit(Op::Boolean, tok_.boolean ? 1 : 0);
        break;
    case Tok::Error:
        out_.emit(Op::Error, static_cast<std::uint32_t>(tok_.error));
        break;
    default:
        return fail();
    }
    out_.stack(1, 0);
    advance();
    return true;
}

void Parser::emitString() {
    std::wstring text;
    for (std::size_t i = tok_.start + 1; i + 1 < tok_.end; ++i) {
        text.push_back(text_[i]);
        if (text_[i] == L'"') ++i;
    }
    out_.emit(Op::Text, out_.addConstant(Value::text(text)));
}

void Parser::encodeRef(const RefMatch& ref, int& col, int& row, bool& valid) const {
    if (req_.style == RefStyle::A1) {
        col = ref.absCol ? ref.col : ref.col - req_.col;
        row = ref.absRow ? ref.row : ref.row - req_.row;
        valid = true;
        return;
    }
    col = ref.col;
    row = ref.row;
    valid =
        validCol(ref.absCol ? col : req_.col + col) && validRow(ref.absRow ? row : req_.row + row);
}

bool Parser::parseReference() {
    const RefMatch first = tok_.ref;
    advance();
    int c1 = 0, r1 = 0;
    bool valid1 = false;
    encodeRef(first, c1, r1, valid1);
    if (tok_.type != Tok::Colon) {
        const std::uint32_t flags = (first.absCol ? std::uint32_t{kAbsCol} : 0u) |
                                    (first.absRow ? std::uint32_t{kAbsRow} : 0u) |
                                    (valid1 ? 0u : std::uint32_t{kRefDeleted});
        out_.emit(Op::Ref, flags);
        out_.emitInt(c1);
        out_.emitInt(r1);
        out_.stack(1, 0);
        return true;
    }
    advance();
    if (tok_.type != Tok::Ref) return fail();
    const RefMatch second = tok_.ref;
    advance();
    int c2 = 0, r2 = 0;
    bool valid2 = false;
    encodeRef(second, c2, r2, valid2);
    auto bit = [](bool on, std::uint32_t flag) { return on ? flag : 0u; };
    const std::uint32_t flags = bit(first.absCol, kAbsCol1) | bit(first.absRow, kAbsRow1) |
                                bit(second.absCol, kAbsCol2) | bit(second.absRow, kAbsRow2) |
                                bit(!(valid1 && valid2), kAreaDeleted);
    out_.emit(Op::Area, flags);
    out_.emitInt(c1);
    out_.emitInt(r1);
    out_.emitInt(c2);
    out_.emitInt(r2);
    out_.stack(1, 0);
    return true;
}

bool Parser::parseName() {
    const std::wstring_view name = tokenText();
    if (looksLikeReference(name)) return fail();
    if (req_.validate) unknownName_ = true;
    out_.emit(Op::Name, out_.addConstant(Value::text(name)));
    out_.flags |= kProgNames;
    out_.stack(1, 0);
    advance();
    return true;
}

bool Parser::parseParenthesis() {
    if (!enter(1)) return false;
    advance();
    if (!parseBinary(0)) return false;
    if (tok_.type != Tok::RParen) return fail();
    advance();
    leave(1);
    out_.emit(Op::Paren);
    return true;
}

bool Parser::parseCall() {
    const std::wstring upper = upperCase(tokenText());
    advance(); // the name
    advance(); // "("
    if (!enter(1)) return false;
    const bool custom = req_.isCustom(upper);
    const BuiltinInfo* builtin = custom ? nullptr : findBuiltin(upper);
    if (!custom && !builtin && req_.validate) unknownName_ = true;
    const LazyKind lazy = lazyKindOf(builtin);
    LazyPlan plan(lazy, out_);
    int argc = 0;
    if (!parseArguments(plan, argc)) return false;
    leave(1);
    if (builtin &&
        (argc < builtin->minArgs || (builtin->maxArgs != kAnyArgs && argc > builtin->maxArgs)))
        return fail();
    if (!plan.fits(argc)) return fail();
    if (lazy != LazyKind::None) plan.finish(argc);
    emitCall(builtin, lazy, upper, argc);
    return true;
}

bool Parser::parseArguments(LazyPlan& plan, int& argc) {
    if (tok_.type == Tok::RParen) {
        advance();
        return true;
    }
    for (;;) {
        if (argc >= kAnyArgs) return fail();
        plan.beforeArgument();
        if (tok_.type == Tok::Comma || tok_.type == Tok::RParen) {
            out_.emit(Op::Missing);
            out_.stack(1, 0);
        } else if (!parseBinary(0)) {
            return false;
        }
        plan.afterArgument(argc++);
        if (tok_.type == Tok::RParen) break;
        if (tok_.type != Tok::Comma) return fail();
        advance();
    }
    advance();
    return true;
}

void Parser::emitCall(const BuiltinInfo* builtin, LazyKind lazy, const std::wstring& upper,
                      int argc) {
    const auto count = static_cast<std::uint32_t>(argc);
    if (builtin) {
        const auto index = static_cast<std::uint32_t>(builtin - builtins().data());
        out_.emit(lazy != LazyKind::None ? Op::LazyEnd : Op::Call, count);
        out_.emitWord(index);
        if (builtin->flags & kVolatile) out_.flags |= kProgVolatile;
    } else {
        out_.emit(Op::CallName, count);
        out_.emitWord(out_.addConstant(Value::text(upper)));
        out_.flags |= kProgNames;
    }
    if (lazy == LazyKind::None) out_.stack(1, argc);
}

} // namespace

FormulaStatus parseFormula(const ParseRequest& request, ProgramBuilder& out) {
    Parser parser(request, out);
    return parser.run();
}

} // namespace gridx::engine
