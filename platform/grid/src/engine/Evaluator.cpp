#include "engine/Evaluator.h"

#include "engine/Resolve.h"

#include <cmath>
#include <vector>

namespace gridx::engine {

namespace {

constexpr std::size_t kMaxTextLength = 32767;
// Marks a value entry produced by a custom function's empty result: the cell shows empty.
constexpr int kShownEmpty = -1;

const Value& emptyValue() {
    static const Value empty;
    return empty;
}

const Value& valueError() {
    static const Value error = Value::error(ErrorCode::Value);
    return error;
}

Value numberOrError(double v) {
    return std::isfinite(v) ? Value::number(v) : Value::error(ErrorCode::Num);
}

// The single value an entry stands for where one value is needed.
const Value& scalar(const FnArg& entry) {
    switch (entry.kind) {
    case FnArg::Kind::Value:
    case FnArg::Kind::Cell:
        return entry.value;
    case FnArg::Kind::Range:
        return valueError();
    case FnArg::Kind::Missing:
        break;
    }
    return emptyValue();
}

Value arithmetic(Op op, double x, double y) {
    switch (op) {
    case Op::Add:
        return numberOrError(x + y);
    case Op::Subtract:
        return numberOrError(x - y);
    case Op::Multiply:
        return numberOrError(x * y);
    case Op::Divide:
        if (y == 0.0) return Value::error(ErrorCode::Div0);
        return numberOrError(x / y);
    case Op::Power:
        if (x == 0.0 && y == 0.0) return Value::error(ErrorCode::Num);
        if (x == 0.0 && y < 0.0) return Value::error(ErrorCode::Div0);
        return numberOrError(std::pow(x, y));
    default:
        return Value::error(ErrorCode::Value);
    }
}

bool compares(Op op, int order) {
    switch (op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::Greater:
        return order > 0;
    case Op::LessEqual:
        return order <= 0;
    default:
        return order >= 0;
    }
}

class Machine {
public:
    Machine(const CellStore& cells, EvalHost& host, std::vector<FnArg>& stack,
            const Program& program, int col, int row)
        : cells_(cells), host_(host), program_(program), col_(col), row_(row), stack_(stack),
          base_(stack.size()) {}
    ~Machine() { stack_.resize(base_); }
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    Value run();

private:
    std::uint32_t step(std::uint32_t pc);
    std::uint32_t stepLazy(std::uint32_t pc);
    FnArg& top(std::size_t fromTop = 0) { return stack_[stack_.size() - 1 - fromTop]; }
    void push(Value v);
    void pushRef(const std::uint32_t* at);
    void pushArea(const std::uint32_t* at);
    void replaceTop(std::size_t popped, Value v);
    void binary(Op op);
    void concat();
    void compare(Op op);
    void unary(Op op);
    void callBuiltin(std::uint32_t index, std::uint32_t argc);
    void callCustom(std::uint32_t nameIndex, std::uint32_t argc);
    std::uint32_t jumpIfFalse(std::uint32_t pc);
    std::uint32_t jumpUnlessError(std::uint32_t pc, bool onlyNA);
    std::uint32_t choose(std::uint32_t pc);
    Value result();

    const CellStore& cells_;
    EvalHost& host_;
    const Program& program_;
    int col_;
    int row_;
    std::vector<FnArg>& stack_;
    std::size_t base_;
};

Value Machine::run() {
    const std::uint32_t size = program_.codeSize;
    for (std::uint32_t pc = 0; pc < size;)
        pc = step(pc);
    if (stack_.size() != base_ + 1) return Value::error(ErrorCode::Value);
    return result();
}

std::uint32_t Machine::step(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    const Op op = opOf(*at);
    const std::uint32_t arg = argOf(*at);
    switch (op) {
    case Op::Number:
        push(Value::number(numberAt(at + 1)));
        return pc + 3;
    case Op::Text:
        push(arg < program_.constCount ? program_.constants()[arg] : Value());
        return pc + 1;
    case Op::Boolean:
        push(Value::boolean(arg != 0));
        return pc + 1;
    case Op::Error:
        push(Value::error(static_cast<ErrorCode>(arg)));
        return pc + 1;
    case Op::Missing:
        stack_.emplace_back();
        return pc + 1;
    case Op::Name:
        push(Value::error(ErrorCode::Name));
        return pc + 1;
    case Op::Ref:
        pushRef(at);
        return pc + 3;
    case Op::Area:
        pushArea(at);
        return pc + 5;
    case Op::Negate:
    case Op::Percent:
        unary(op);
        return pc + 1;
    case Op::Identity:
    case Op::Paren:
        return pc + 1;
    case Op::Concat:
        concat();
        return pc + 1;
    case Op::Equal:
    case Op::NotEqual:
    case Op::Less:
    case Op::Greater:
    case Op::LessEqual:
    case Op::GreaterEqual:
        compare(op);
        return pc + 1;
    case Op::Power:
    case Op::Multiply:
    case Op::Divide:
    case Op::Add:
    case Op::Subtract:
        binary(op);
        return pc + 1;
    case Op::Call:
        callBuiltin(at[1], arg);
        return pc + 2;
    case Op::CallName:
        callCustom(at[1], arg);
        return pc + 2;
    default:
        return stepLazy(pc);
    }
}

std::uint32_t Machine::stepLazy(std::uint32_t pc) {
    const std::uint32_t word = program_.code()[pc];
    switch (opOf(word)) {
    case Op::JumpIfFalse:
        return jumpIfFalse(pc);
    case Op::Jump:
        return pc + argOf(word);
    case Op::JumpIfNotError:
        return jumpUnlessError(pc, false);
    case Op::JumpIfNotNA:
        return jumpUnlessError(pc, true);
    case Op::Choose:
        return choose(pc);
    case Op::FalseBranch:
        push(Value::boolean(false));
        return pc + 1;
    case Op::LazyEnd:
        // An omitted argument chosen by IF or CHOOSE counts as 0.
        if (top().kind == FnArg::Kind::Missing) replaceTop(1, Value::number(0.0));
        return pc + 2;
    default:
        return pc + instructionSize(word);
    }
}

void Machine::push(Value v) {
    FnArg& entry = stack_.emplace_back();
    entry.kind = FnArg::Kind::Value;
    entry.value = std::move(v);
}

void Machine::pushRef(const std::uint32_t* at) {
    int col = 0, row = 0;
    if (!resolveRef(at, col_, row_, col, row)) return push(Value::error(ErrorCode::Ref));
    FnArg& entry = stack_.emplace_back();
    entry.kind = FnArg::Kind::Cell;
    entry.value = cells_.value(col, row);
    entry.range = RangeRef{col, row, col, row};
}

void Machine::pushArea(const std::uint32_t* at) {
    RangeRef range;
    if (!resolveArea(at, col_, row_, range)) return push(Value::error(ErrorCode::Ref));
    FnArg& entry = stack_.emplace_back();
    if (range.col1 == range.col2 && range.row1 == range.row2) {
        entry.kind = FnArg::Kind::Cell;
        entry.value = cells_.value(range.col1, range.row1);
    } else {
        entry.kind = FnArg::Kind::Range;
    }
    entry.range = range;
}

void Machine::replaceTop(std::size_t popped, Value v) {
    stack_.resize(stack_.size() - popped + 1);
    FnArg& entry = top();
    entry.kind = FnArg::Kind::Value;
    entry.value = std::move(v);
    entry.range = RangeRef{};
}

void Machine::binary(Op op) {
    const Value& a = scalar(top(1));
    const Value& b = scalar(top(0));
    if (a.isNumber() && b.isNumber())
        return replaceTop(2, arithmetic(op, a.asNumber(), b.asNumber()));
    ErrorCode error = ErrorCode::Value;
    const auto x = toNumber(a, error);
    if (!x) return replaceTop(2, Value::error(error));
    const auto y = toNumber(b, error);
    if (!y) return replaceTop(2, Value::error(error));
    replaceTop(2, arithmetic(op, *x, *y));
}

void Machine::concat() {
    const Value& a = scalar(top(1));
    const Value& b = scalar(top(0));
    if (a.isError()) return replaceTop(2, Value(a));
    if (b.isError()) return replaceTop(2, Value(b));
    std::wstring text = toText(a);
    text += toText(b);
    if (text.size() > kMaxTextLength) return replaceTop(2, Value::error(ErrorCode::Value));
    replaceTop(2, Value::text(text));
}

void Machine::compare(Op op) {
    const Value& a = scalar(top(1));
    const Value& b = scalar(top(0));
    if (a.isError()) return replaceTop(2, Value(a));
    if (b.isError()) return replaceTop(2, Value(b));
    replaceTop(2, Value::boolean(compares(op, compareValues(a, b))));
}

void Machine::unary(Op op) {
    ErrorCode error = ErrorCode::Value;
    const auto x = toNumber(scalar(top()), error);
    if (!x) return replaceTop(1, Value::error(error));
    replaceTop(1, op == Op::Negate ? Value::number(-*x) : numberOrError(*x / 100.0));
}

void Machine::callBuiltin(std::uint32_t index, std::uint32_t argc) {
    const auto all = builtins();
    Value result;
    if (index >= all.size() || all[index].fn == nullptr) {
        result = Value::error(ErrorCode::Name);
    } else {
        try {
            const std::span<const FnArg> args(stack_.data() + (stack_.size() - argc), argc);
            result = all[index].fn(host_.functionContext(), args);
        } catch (...) {
            result = Value::error(ErrorCode::Value);
        }
        if (result.isNumber()) result = numberOrError(result.asNumber());
    }
    replaceTop(argc, std::move(result));
}

void Machine::callCustom(std::uint32_t nameIndex, std::uint32_t argc) {
    const std::wstring_view name =
        nameIndex < program_.constCount ? program_.constants()[nameIndex].asText() : L"";
    const std::span<const FnArg> args(stack_.data() + (stack_.size() - argc), argc);
    Value result = host_.callCustom(name, args);
    if (result.isNumber()) result = numberOrError(result.asNumber());
    const bool shownEmpty = result.isEmpty();
    replaceTop(argc, std::move(result));
    if (shownEmpty) top().range.col1 = kShownEmpty;
}

std::uint32_t Machine::jumpIfFalse(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    ErrorCode error = ErrorCode::Value;
    const std::optional<bool> condition = top().kind == FnArg::Kind::Missing
                                              ? std::optional<bool>(false)
                                              : toBoolean(scalar(top()), error);
    if (!condition) {
        replaceTop(1, Value::error(error));
        return pc + at[1];
    }
    stack_.pop_back();
    return *condition ? pc + 2 : pc + argOf(*at);
}

std::uint32_t Machine::jumpUnlessError(std::uint32_t pc, bool onlyNA) {
    const Value& v = scalar(top());
    const bool caught = v.isError() && (!onlyNA || v.asError() == ErrorCode::NA);
    if (!caught) return pc + argOf(program_.code()[pc]);
    stack_.pop_back();
    return pc + 1;
}

std::uint32_t Machine::choose(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    const std::uint32_t branches = argOf(*at);
    ErrorCode error = ErrorCode::Value;
    const auto index = top().kind == FnArg::Kind::Missing ? std::optional<double>()
                                                          : toNumber(scalar(top()), error);
    const double n = index ? std::trunc(*index) : 0.0;
    if (!index || n < 1.0 || n > static_cast<double>(branches)) {
        replaceTop(1, Value::error(error));
        return pc + at[1];
    }
    stack_.pop_back();
    return pc + at[1 + static_cast<std::uint32_t>(n)];
}

Value Machine::result() {
    const FnArg& entry = top();
    switch (entry.kind) {
    case FnArg::Kind::Value:
        if (entry.value.isEmpty() && entry.range.col1 != kShownEmpty) return Value::number(0.0);
        return entry.value;
    case FnArg::Kind::Cell:
        return entry.value.isEmpty() ? Value::number(0.0) : entry.value;
    case FnArg::Kind::Range:
        return Value::error(ErrorCode::Value);
    case FnArg::Kind::Missing:
        break;
    }
    return Value::number(0.0);
}

} // namespace

Value evaluate(const CellStore& cells, EvalHost& host, std::vector<FnArg>& stack,
               const Program& program, int col, int row) {
    try {
        Machine machine(cells, host, stack, program, col, row);
        return machine.run();
    } catch (...) {
        return Value::error(ErrorCode::Value);
    }
}

} // namespace gridx::engine
