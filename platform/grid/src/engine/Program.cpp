#include "engine/Program.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gridx::engine {

std::uint32_t instructionSize(std::uint32_t word) {
    switch (opOf(word)) {
    case Op::Number:
    case Op::Ref:
        return 3;
    case Op::Area:
        return 5;
    case Op::Call:
    case Op::CallName:
    case Op::JumpIfFalse:
    case Op::LazyEnd:
        return 2;
    case Op::Choose:
        return 2 + argOf(word);
    default:
        return 1;
    }
}

double numberAt(const std::uint32_t* code) {
    std::uint64_t bits =
        static_cast<std::uint64_t>(code[0]) | (static_cast<std::uint64_t>(code[1]) << 32);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void appendNumber(std::vector<std::uint32_t>& code, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    code.push_back(static_cast<std::uint32_t>(bits));
    code.push_back(static_cast<std::uint32_t>(bits >> 32));
}

void ProgramBuilder::clear() {
    code.clear();
    constants.clear();
    cellRefs = 0;
    flags = 0;
    depth = 0;
    maxStack = 0;
}

void ProgramBuilder::assign(const Program& program) {
    code.assign(program.code(), program.code() + program.codeSize);
    constants.assign(program.constants(), program.constants() + program.constCount);
    cellRefs = program.cellRefs;
    flags = program.flags;
    depth = 0;
    maxStack = program.maxStack;
}

std::size_t ProgramBuilder::emit(Op op, std::uint32_t arg) {
    code.push_back(makeWord(op, arg));
    if (op == Op::Ref) ++cellRefs;
    return code.size() - 1;
}

void ProgramBuilder::stack(int pushed, int popped) {
    depth += pushed - popped;
    maxStack = std::max(maxStack, depth);
}

std::uint32_t ProgramBuilder::addConstant(Value value) {
    for (std::size_t i = 0; i < constants.size(); ++i)
        if (constants[i] == value) return static_cast<std::uint32_t>(i);
    constants.push_back(std::move(value));
    return static_cast<std::uint32_t>(constants.size() - 1);
}

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void mix(std::uint64_t& h, std::uint64_t v) {
    h = (h ^ v) * kFnvPrime;
}

} // namespace

std::uint64_t ProgramBuilder::computeHash() const {
    std::uint64_t h = kFnvOffset;
    for (std::uint32_t word : code)
        mix(h, word);
    for (const Value& constant : constants) {
        mix(h, static_cast<std::uint64_t>(constant.kind()));
        for (wchar_t c : constant.asText())
            mix(h, static_cast<std::uint64_t>(c));
    }
    return h;
}

ProgramPool::~ProgramPool() {
    for (auto& entry : map_)
        destroy(entry.second);
}

Program* ProgramPool::intern(const ProgramBuilder& builder) {
    const std::uint64_t hash = builder.computeHash();
    auto [first, last] = map_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (sameContent(*it->second, builder)) {
            retain(it->second);
            return it->second;
        }
    }
    Program* program = create(builder, hash);
    map_.emplace(hash, program);
    return program;
}

void ProgramPool::release(Program* program) {
    if (--program->refs > 0) return;
    auto [first, last] = map_.equal_range(program->hash);
    for (auto it = first; it != last; ++it) {
        if (it->second == program) {
            map_.erase(it);
            break;
        }
    }
    destroy(program);
}

Program* ProgramPool::create(const ProgramBuilder& builder, std::uint64_t hash) {
    const std::size_t bytes = sizeof(Program) + builder.constants.size() * sizeof(Value) +
                              builder.code.size() * sizeof(std::uint32_t);
    void* memory = ::operator new(bytes);
    auto* program = new (memory) Program;
    program->hash = hash;
    program->refs = 1;
    program->codeSize = static_cast<std::uint32_t>(builder.code.size());
    program->constCount = static_cast<std::uint16_t>(builder.constants.size());
    program->cellRefs = builder.cellRefs;
    forEachLinkedRef(builder.code, [&](const std::uint32_t*) { ++program->linkedRefs; });
    program->maxStack = static_cast<std::uint16_t>(std::min(builder.maxStack, 0xFFFF));
    program->flags = builder.flags;
    program->plainArithmetic =
        builder.cellRefs <= kRunRefLimit && isPlainArithmetic(builder.code, builder.maxStack);
    auto* constants = const_cast<Value*>(program->constants());
    for (std::size_t i = 0; i < builder.constants.size(); ++i)
        new (constants + i) Value(builder.constants[i]);
    std::memcpy(const_cast<std::uint32_t*>(program->code()), builder.code.data(),
                builder.code.size() * sizeof(std::uint32_t));
    return program;
}

void ProgramPool::destroy(Program* program) {
    auto* constants = const_cast<Value*>(program->constants());
    for (std::size_t i = 0; i < program->constCount; ++i)
        constants[i].~Value();
    program->~Program();
    ::operator delete(program);
}

bool ProgramPool::sameContent(const Program& program, const ProgramBuilder& builder) {
    if (program.codeSize != builder.code.size() || program.constCount != builder.constants.size() ||
        program.flags != builder.flags)
        return false;
    if (!std::equal(builder.code.begin(), builder.code.end(), program.code())) return false;
    return std::equal(builder.constants.begin(), builder.constants.end(), program.constants());
}

bool isPlainArithmetic(std::span<const std::uint32_t> code, int maxStack) {
    if (code.empty() || maxStack > kRunStackLimit) return false;
    for (std::size_t pc = 0; pc < code.size(); pc += instructionSize(code[pc])) {
        switch (opOf(code[pc])) {
        case Op::Number:
        case Op::Ref:
        case Op::Negate:
        case Op::Identity:
        case Op::Percent:
        case Op::Power:
        case Op::Multiply:
        case Op::Divide:
        case Op::Add:
        case Op::Subtract:
        case Op::Paren:
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace gridx::engine
