// The compiled form of a formula: postfix code over 32-bit words plus a table of text
// constants, in relative form (references are offsets from the formula's own cell where they
// are relative). Programs are interned per sheet, so every formula with the same relative form
// shares one program.
#pragma once

#include "grid/Value.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace gridx::engine {

// Each instruction is one word (operation in the low 8 bits, a 24-bit argument above) followed
// by the extra words listed here. Jump offsets count words from the jumping instruction.
enum class Op : std::uint8_t {
    Number,         // 2 words: the bits of the double
    Text,           // arg: constant index
    Boolean,        // arg: 0 or 1
    Error,          // arg: ErrorCode
    Missing,        // an omitted argument
    Name,           // arg: constant index of a name that is no function; gives #NAME?
    Ref,            // arg: RefFlags; 2 words: column, row (offsets where relative)
    Area,           // arg: AreaFlags; 4 words: column and row of both corners
    Negate,         // unary -
    Identity,       // unary +
    Percent,        // postfix %
    Power,          // ^
    Multiply,       // *
    Divide,         // /
    Add,            // +
    Subtract,       // -
    Concat,         // &
    Equal,          // =
    NotEqual,       // <>
    Less,           // <
    Greater,        // >
    LessEqual,      // <=
    GreaterEqual,   // >=
    Paren,          // ( ) kept for showing the formula as written
    Call,           // arg: argument count; 1 word: index into builtins()
    CallName,       // arg: argument count; 1 word: constant index of the (upper-case) name
    JumpIfFalse,    // IF: arg: offset of the else branch; 1 word: offset of the end
    Jump,           // arg: offset
    JumpIfNotError, // IFERROR: arg: offset of the end
    JumpIfNotNA,    // IFNA: arg: offset of the end
    Choose,         // CHOOSE: arg: branch count n; 1 word: offset of the end; n words: branches
    FalseBranch,    // the FALSE of an IF without else branch; not shown
    LazyEnd,        // closes IF, IFERROR, IFNA, CHOOSE: arg: argument count; 1 word: builtin
};

enum RefFlags : std::uint32_t { kAbsCol = 1, kAbsRow = 2, kRefDeleted = 4 };
enum AreaFlags : std::uint32_t {
    kAbsCol1 = 1,
    kAbsRow1 = 2,
    kAbsCol2 = 4,
    kAbsRow2 = 8,
    kAreaDeleted = 16,
};

enum ProgramFlags : std::uint8_t {
    kProgVolatile = 1, // calls a volatile built-in
    kProgNames = 2,    // calls a name that is no built-in, or holds a bare name
};

constexpr std::uint32_t makeWord(Op op, std::uint32_t arg = 0) {
    return static_cast<std::uint32_t>(op) | (arg << 8);
}
constexpr Op opOf(std::uint32_t word) {
    return static_cast<Op>(word & 0xFF);
}
constexpr std::uint32_t argOf(std::uint32_t word) {
    return word >> 8;
}
constexpr std::uint32_t kMaxArg = 0xFFFFFF;

// Words taken by the instruction that starts with `word` (the word itself included).
std::uint32_t instructionSize(std::uint32_t word);

// Calls `onRef(at)` for each Ref instruction of the code that does not repeat one of the few
// Ref instructions just before it: a formula reading a cell several times (=IF(A1>0,A1,-A1))
// needs one dependency edge for it.
template <typename OnRef>
void forEachLinkedRef(std::span<const std::uint32_t> code, OnRef&& onRef) {
    constexpr std::size_t kLookBack = 16; // bounded for formulas with very many references
    std::array<const std::uint32_t*, kLookBack> recent{};
    std::size_t count = 0;
    for (std::size_t pc = 0; pc < code.size(); pc += instructionSize(code[pc])) {
        if (opOf(code[pc]) != Op::Ref) continue;
        const std::uint32_t* at = code.data() + pc;
        const std::size_t known = std::min(count, kLookBack);
        bool repeated = false;
        for (std::size_t i = 0; i < known && !repeated; ++i)
            repeated = std::equal(at, at + 3, recent[i]);
        if (repeated) continue;
        recent[count++ % kLookBack] = at;
        onRef(at);
    }
}

struct Program {
    std::uint64_t hash = 0;
    std::uint32_t refs = 0;
    std::uint32_t codeSize = 0;
    std::uint16_t constCount = 0;
    std::uint16_t cellRefs = 0;   // Ref instructions
    std::uint16_t linkedRefs = 0; // of them, those forEachLinkedRef visits
    std::uint16_t maxStack = 0;
    std::uint8_t flags = 0;
    bool plainArithmetic = false; // numbers, single cells and + - * / ^ % only

    const Value* constants() const { return reinterpret_cast<const Value*>(this + 1); }
    const std::uint32_t* code() const {
        return reinterpret_cast<const std::uint32_t*>(constants() + constCount);
    }
    std::span<const std::uint32_t> codeSpan() const { return {code(), codeSize}; }
};
static_assert(sizeof(Program) % alignof(Value) == 0, "constants follow the header");

// Collects the code of one program before it is interned.
struct ProgramBuilder {
    std::vector<std::uint32_t> code;
    std::vector<Value> constants;
    std::uint16_t cellRefs = 0;
    std::uint8_t flags = 0;
    int depth = 0;
    int maxStack = 0;

    void clear();
    // Copies an existing program so that it can be changed.
    void assign(const Program& program);
    std::size_t emit(Op op, std::uint32_t arg = 0);
    void emitWord(std::uint32_t word) { code.push_back(word); }
    void emitInt(int v) { code.push_back(static_cast<std::uint32_t>(v)); }
    // Stack effect of the instruction just emitted.
    void stack(int pushed, int popped);
    std::uint32_t addConstant(Value value);
    std::uint64_t computeHash() const;
};

// Interns programs: equal code and constants give the same program. Reference counted; a
// program is freed when the last formula using it lets it go.
class ProgramPool {
public:
    ProgramPool() = default;
    ProgramPool(const ProgramPool&) = delete;
    ProgramPool& operator=(const ProgramPool&) = delete;
    ~ProgramPool();

    // The shared program for the builder's content, with one more reference for the caller.
    Program* intern(const ProgramBuilder& builder);
    static void retain(Program* program) { ++program->refs; }
    void release(Program* program);
    std::size_t size() const { return map_.size(); }

private:
    static Program* create(const ProgramBuilder& builder, std::uint64_t hash);
    static void destroy(Program* program);
    static bool sameContent(const Program& program, const ProgramBuilder& builder);

    std::unordered_multimap<std::uint64_t, Program*> map_;
};

// Deepest operand stack of a program that whole runs of formulas may share in one loop.
constexpr int kRunStackLimit = 16;
constexpr int kRunRefLimit = 16;            // references of such a program
constexpr int kRunChunk = 512;              // rows whose inputs are read together
constexpr std::size_t kRunFetchAhead = 128; // rows a run's reading fetches ahead

// True when the code is only numbers, single-cell references and arithmetic operators.
bool isPlainArithmetic(std::span<const std::uint32_t> code, int maxStack);

// Reads the double stored after a Number instruction.
double numberAt(const std::uint32_t* code);
// Writes a double as two words.
void appendNumber(std::vector<std::uint32_t>& code, double v);

} // namespace gridx::engine
