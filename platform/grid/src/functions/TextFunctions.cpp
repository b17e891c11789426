// Text functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

#include <array>

namespace gridx::fn {

namespace {

Value fnConcatenate(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    std::wstring joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto part = in.text(i);
        if (!part) return in.failure();
        if (joined.size() + part->size() > kMaxTextLength) return Value::error(ErrorCode::Value);
        joined += *part;
    }
    return textResult(joined);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"CONCATENATE", 1, kAnyArgs, fnConcatenate, 0},
};

} // namespace

std::span<const BuiltinInfo> textFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
