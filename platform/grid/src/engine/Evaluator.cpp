#include "engine/Evaluator.h"

#include "engine/Arithmetic.h"
#include "engine/Resolve.h"

#include <cmath>
#include <optional>

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

// The single value a non-plain operand stands for where one value is needed.
const Value& scalarRef(const FnArg& arg) {
    switch (arg.kind) {
    case FnArg::Kind::Value:
    case FnArg::Kind::Cell:
        return arg.value;
    case FnArg::Kind::Range:
        return valueError();
    case FnArg::Kind::Missing:
        break;
    }
    return emptyValue();
}

// The single value of any operand; a plain number is made into a Value.
class Scalar {
public:
    explicit Scalar(const Operand& e) : ref_(&own_) {
        if (e.plain)
            own_ = Value::number(e.number);
        else
            ref_ = &scalarRef(e.arg);
    }
    const Value& operator*() const { return *ref_; }
    const Value* operator->() const { return ref_; }

private:
    Value own_;
    const Value* ref_;
};

bool numberOf(const Operand& e, double& x, ErrorCode& error) {
    if (e.plain) {
        x = e.number;
        return true;
    }
    const auto number = toNumber(scalarRef(e.arg), error);
    if (number) x = *number;
    return number.has_value();
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

void setNumber(Operand& e, double v) {
    e.arg.kind = FnArg::Kind::Value;
    e.plain = true;
    e.number = v;
}

void setValue(Operand& e, Value v) {
    if (v.isNumber() && std::isfinite(v.asNumber())) return setNumber(e, v.asNumber());
    if (v.isNumber()) v = Value::error(ErrorCode::Num);
    e.arg.kind = FnArg::Kind::Value;
    e.plain = false;
    e.arg.value = std::move(v);
    e.arg.range = RangeRef{};
}

void setError(Operand& e, ErrorCode code) {
    setValue(e, Value::error(code));
}

class Machine {
public:
    Machine(const CellStore& cells, EvalHost& host, EvalStack& stack, const Program& program,
            int col, int row)
        : cells_(cells), host_(host), stack_(stack), program_(program), col_(col), row_(row),
          base_(stack.top), high_(stack.top) {}
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    Value run();

private:
    std::uint32_t step(std::uint32_t pc);
    std::uint32_t stepLazy(std::uint32_t pc);
    Operand& push();
    Operand& at(std::size_t fromTop) { return stack_.entries[stack_.top - 1 - fromTop]; }
    void pop(std::size_t n) { stack_.top -= n; }
    void pushRef(const std::uint32_t* at);
    void pushArea(const std::uint32_t* at);
    void pushCell(int col, int row);
    void binary(Op op);
    void concat();
    void compare(Op op);
    void unary(Op op);
    std::span<const FnArg> arguments(std::uint32_t argc);
    void callBuiltin(std::uint32_t index, std::uint32_t argc);
    void callCustom(std::uint32_t nameIndex, std::uint32_t argc);
    std::uint32_t jumpIfFalse(std::uint32_t pc);
    std::uint32_t jumpUnlessError(std::uint32_t pc, bool onlyNA);
    std::uint32_t choose(std::uint32_t pc);
    Value result();

    const CellStore& cells_;
    EvalHost& host_;
    EvalStack& stack_;
    const Program& program_;
    int col_;
    int row_;
    std::size_t base_;
    std::size_t high_;
};

Machine::~Machine() {
    // Drop the values this run left in its entries, so that no text outlives it here.
    const std::size_t end = std::min(high_, stack_.entries.size());
    for (std::size_t i = base_; i < end; ++i)
        if (!stack_.entries[i].arg.value.isEmpty()) stack_.entries[i].arg.value = Value();
    stack_.top = base_;
}

Value Machine::run() {
    const std::uint32_t size = program_.codeSize;
    for (std::uint32_t pc = 0; pc < size;)
        pc = step(pc);
    if (stack_.top != base_ + 1) return Value::error(ErrorCode::Value);
    return result();
}

Operand& Machine::push() {
    if (stack_.top == stack_.entries.size()) stack_.entries.emplace_back();
    Operand& e = stack_.entries[stack_.top++];
    if (stack_.top > high_) high_ = stack_.top;
    return e;
}

std::uint32_t Machine::step(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    const Op op = opOf(*at);
    const std::uint32_t arg = argOf(*at);
    switch (op) {
    case Op::Number:
        setNumber(push(), numberAt(at + 1));
        return pc + 3;
    case Op::Text:
        setValue(push(), arg < program_.constCount ? program_.constants()[arg] : Value());
        return pc + 1;
    case Op::Boolean:
        setValue(push(), Value::boolean(arg != 0));
        return pc + 1;
    case Op::Error:
        setError(push(), static_cast<ErrorCode>(arg));
        return pc + 1;
    case Op::Missing: {
        Operand& e = push();
        e.arg.kind = FnArg::Kind::Missing;
        e.plain = false;
        return pc + 1;
    }
    case Op::Name:
        setError(push(), ErrorCode::Name);
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
        setValue(push(), Value::boolean(false));
        return pc + 1;
    case Op::LazyEnd:
        // An omitted argument chosen by IF or CHOOSE counts as 0.
        if (at(0).arg.kind == FnArg::Kind::Missing) setNumber(at(0), 0.0);
        return pc + 2;
    default:
        return pc + instructionSize(word);
    }
}

void Machine::pushCell(int col, int row) {
    Operand& e = push();
    e.arg.kind = FnArg::Kind::Cell;
    e.arg.range = RangeRef{col, row, col, row};
    const Value& v = cells_.value(col, row);
    e.plain = v.isNumber();
    if (e.plain)
        e.number = v.asNumber();
    else
        e.arg.value = v;
}

void Machine::pushRef(const std::uint32_t* at) {
    int col = 0, row = 0;
    if (!resolveRef(at, col_, row_, col, row)) return setError(push(), ErrorCode::Ref);
    pushCell(col, row);
}

void Machine::pushArea(const std::uint32_t* at) {
    RangeRef range;
    if (!resolveArea(at, col_, row_, range)) return setError(push(), ErrorCode::Ref);
    if (range.col1 == range.col2 && range.row1 == range.row2)
        return pushCell(range.col1, range.row1);
    Operand& e = push();
    e.arg.kind = FnArg::Kind::Range;
    e.arg.range = range;
    e.plain = false;
}

void Machine::binary(Op op) {
    Operand& a = at(1);
    const Operand& b = at(0);
    double x = 0.0, y = 0.0, r = 0.0;
    ErrorCode error = ErrorCode::Value;
    const bool ok = (a.plain && b.plain) ? (x = a.number, y = b.number, true)
                                         : numberOf(a, x, error) && numberOf(b, y, error);
    if (ok && arithmetic(op, x, y, r, error))
        setNumber(a, r);
    else
        setError(a, error);
    pop(1);
}

void Machine::concat() {
    Value joined;
    {
        const Scalar a(at(1)), b(at(0));
        if (a->isError()) {
            joined = *a;
        } else if (b->isError()) {
            joined = *b;
        } else {
            std::wstring text = toText(*a);
            text += toText(*b);
            joined =
                text.size() > kMaxTextLength ? Value::error(ErrorCode::Value) : Value::text(text);
        }
    }
    setValue(at(1), std::move(joined));
    pop(1);
}

void Machine::compare(Op op) {
    Value outcome;
    {
        const Scalar a(at(1)), b(at(0));
        if (a->isError())
            outcome = *a;
        else if (b->isError())
            outcome = *b;
        else
            outcome = Value::boolean(compares(op, compareValues(*a, *b)));
    }
    setValue(at(1), std::move(outcome));
    pop(1);
}

void Machine::unary(Op op) {
    Operand& e = at(0);
    double x = 0.0;
    ErrorCode error = ErrorCode::Value;
    if (!numberOf(e, x, error)) return setError(e, error);
    setNumber(e, op == Op::Negate ? -x : x / 100.0);
}

std::span<const FnArg> Machine::arguments(std::uint32_t argc) {
    std::vector<FnArg>& args = stack_.args;
    if (args.size() < argc) args.resize(argc);
    for (std::uint32_t i = 0; i < argc; ++i) {
        const Operand& o = stack_.entries[stack_.top - argc + i];
        FnArg& f = args[i];
        f.kind = o.arg.kind;
        f.range = o.arg.range;
        if (o.plain)
            f.value = Value::number(o.number);
        else if (o.arg.kind == FnArg::Kind::Value || o.arg.kind == FnArg::Kind::Cell)
            f.value = o.arg.value;
        else if (!f.value.isEmpty())
            f.value = Value();
    }
    return {args.data(), argc};
}

void Machine::callBuiltin(std::uint32_t index, std::uint32_t argc) {
    const auto all = builtins();
    Value result;
    if (index >= all.size() || all[index].fn == nullptr) {
        result = Value::error(ErrorCode::Name);
    } else {
        try {
            result = all[index].fn(host_.functionContext(), arguments(argc));
        } catch (...) {
            result = Value::error(ErrorCode::Value);
        }
    }
    pop(argc);
    setValue(push(), std::move(result));
}

void Machine::callCustom(std::uint32_t nameIndex, std::uint32_t argc) {
    const std::wstring_view name =
        nameIndex < program_.constCount ? program_.constants()[nameIndex].asText() : L"";
    Value result = host_.callCustom(name, arguments(argc));
    const bool shownEmpty = result.isEmpty();
    pop(argc);
    Operand& e = push();
    setValue(e, std::move(result));
    if (shownEmpty) e.arg.range.col1 = kShownEmpty;
}

std::uint32_t Machine::jumpIfFalse(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    Operand& e = this->at(0);
    ErrorCode error = ErrorCode::Value;
    std::optional<bool> condition;
    if (e.plain)
        condition = e.number != 0.0;
    else if (e.arg.kind == FnArg::Kind::Missing)
        condition = false;
    else
        condition = toBoolean(scalarRef(e.arg), error);
    if (!condition) {
        setError(e, error);
        return pc + at[1];
    }
    pop(1);
    return *condition ? pc + 2 : pc + argOf(*at);
}

std::uint32_t Machine::jumpUnlessError(std::uint32_t pc, bool onlyNA) {
    const Operand& e = at(0);
    const Value& v = e.plain ? emptyValue() : scalarRef(e.arg);
    const bool caught = v.isError() && (!onlyNA || v.asError() == ErrorCode::NA);
    if (!caught) return pc + argOf(program_.code()[pc]);
    pop(1);
    return pc + 1;
}

std::uint32_t Machine::choose(std::uint32_t pc) {
    const std::uint32_t* at = program_.code() + pc;
    const std::uint32_t branches = argOf(*at);
    Operand& e = this->at(0);
    ErrorCode error = ErrorCode::Value;
    double index = 0.0;
    const bool ok = e.arg.kind != FnArg::Kind::Missing && numberOf(e, index, error);
    const double n = ok ? std::trunc(index) : 0.0;
    if (!ok || n < 1.0 || n > static_cast<double>(branches)) {
        setError(e, error);
        return pc + at[1];
    }
    pop(1);
    return pc + at[1 + static_cast<std::uint32_t>(n)];
}

Value Machine::result() {
    const Operand& e = at(0);
    if (e.plain) return Value::number(e.number);
    switch (e.arg.kind) {
    case FnArg::Kind::Value:
        if (e.arg.value.isEmpty() && e.arg.range.col1 != kShownEmpty) return Value::number(0.0);
        return e.arg.value;
    case FnArg::Kind::Cell:
        return e.arg.value.isEmpty() ? Value::number(0.0) : e.arg.value;
    case FnArg::Kind::Range:
        return Value::error(ErrorCode::Value);
    case FnArg::Kind::Missing:
        break;
    }
    return Value::number(0.0);
}

} // namespace

Value evaluate(const CellStore& cells, EvalHost& host, EvalStack& stack, const Program& program,
               int col, int row) {
    try {
        Machine machine(cells, host, stack, program, col, row);
        return machine.run();
    } catch (...) {
        return Value::error(ErrorCode::Value);
    }
}

} // namespace gridx::engine
