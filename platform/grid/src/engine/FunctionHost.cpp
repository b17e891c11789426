// What running formulas see of their sheet: cell values, sparse range walks, cached range
// statistics, the clock, random numbers, and calls of custom functions.
#include "engine/Limits.h"
#include "engine/SheetImpl.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace gridx {

using namespace engine;

namespace {

// Nesting of custom function calls across all sheets of the thread: a callback that starts a
// calculation which calls a custom function again nests one level deeper.
thread_local int customDepth = 0;

class DepthScope {
public:
    DepthScope() { ++customDepth; }
    ~DepthScope() { --customDepth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

// Argument lists of the calls in progress, one per nesting level, reused between calls.
std::vector<CustomArg>& argumentBuffer(int depth) {
    thread_local std::vector<std::vector<CustomArg>> buffers;
    if (buffers.size() <= static_cast<std::size_t>(depth))
        buffers.resize(static_cast<std::size_t>(depth) + 1);
    return buffers[static_cast<std::size_t>(depth)];
}

// How a custom function receives one argument. A reference arrives as a reference when the
// flags ask for it, else as its value; a multi-cell range without kRangesAsReferences
// arrives as the value #VALUE! (the function still runs and decides what that means).
CustomArg customArgument(const FnArg& arg, unsigned flags) {
    CustomArg out;
    switch (arg.kind) {
    case FnArg::Kind::Missing:
        out.kind = CustomArg::Kind::Missing;
        break;
    case FnArg::Kind::Value:
        out.kind = CustomArg::Kind::Value;
        out.value = arg.value;
        break;
    case FnArg::Kind::Cell:
        out.kind = (flags & kCellsAsReferences) ? CustomArg::Kind::Cell : CustomArg::Kind::Value;
        out.value = arg.value;
        out.ref = arg.range;
        break;
    case FnArg::Kind::Range:
        if (flags & kRangesAsReferences) {
            out.kind = CustomArg::Kind::Range;
            out.ref = arg.range;
        } else {
            out.kind = CustomArg::Kind::Value;
            out.value = Value::error(ErrorCode::Value);
        }
        break;
    }
    return out;
}

} // namespace

Value Sheet::Impl::callCustom(std::wstring_view name, std::span<const FnArg> args) {
    const CustomEntry* entry = findCustom(name);
    if (!entry) return Value::error(ErrorCode::Name);
    const auto count = static_cast<int>(args.size());
    const bool tooMany = entry->maxArgs >= 0 && count > std::max(entry->maxArgs, entry->minArgs);
    if (count < entry->minArgs || tooMany) return Value::error(ErrorCode::Value);
    if (customDepth >= kMaxCustomDepth) return Value::error(ErrorCode::Circular);
    std::vector<CustomArg>& buffer = argumentBuffer(customDepth);
    buffer.clear();
    for (const FnArg& arg : args)
        buffer.push_back(customArgument(arg, entry->flags));
    const std::shared_ptr<CustomFunction> callback = entry->callback;
    if (!callback || !*callback) return Value::error(ErrorCode::Value);
    DepthScope depth;
    try {
        return (*callback)(std::span<const CustomArg>(buffer));
    } catch (...) {
        return Value::error(ErrorCode::Value);
    }
}

const Value& Sheet::Impl::cell(int col, int row) const {
    return cells.value(col, row);
}

void Sheet::Impl::forEachNonEmpty(const RangeRef& range,
                                  FunctionRef<bool(int col, int row, const Value& v)> visit) const {
    const RangeRef inside{std::max(range.col1, 1), std::max(range.row1, 1), range.col2, range.row2};
    cells.forEachUsed(inside,
                      [&](int col, int row, Slot slot) { return visit(col, row, slot.value()); });
}

RangeStats Sheet::Impl::numberStats(const RangeRef& range) const {
    return stats.get(range, [&](const RangeRef& part, RangeStats& out) {
        forEachNonEmpty(part, [&](int, int, const Value& v) {
            if (v.isNumber()) {
                const double x = v.asNumber();
                out.sum += x;
                out.sumOfSquares += x * x;
                out.count += 1.0;
            } else if (v.isError() && !out.hasError) {
                out.hasError = true;
                out.firstError = v.asError();
            }
            return true;
        });
    });
}

double Sheet::Impl::now() const {
    if (clock) {
        try {
            return clock();
        } catch (...) {
            return systemNow();
        }
    }
    return systemNow();
}

namespace {

// A seed for RAND(); the clock serves where the system has no random device.
std::uint64_t randomSeed() {
    try {
        return std::random_device{}();
    } catch (...) {
        return static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

} // namespace

double Sheet::Impl::random() {
    if (!rngSeeded) {
        rng.seed(randomSeed());
        rngSeeded = true;
    }
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng);
}

} // namespace gridx
