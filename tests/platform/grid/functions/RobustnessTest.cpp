#include "FunctionTestKit.h"

#include <cmath>
#include <limits>

namespace gridtest {
namespace {

class FunctionRobustness : public FunctionsTest {
protected:
    void SetUp() override {
        set("A1", 1.0);
        set("A2", L"text");
        set("A3", Value::error(ErrorCode::Num));
        set("B5", Value::boolean(true));
        set("C9", -1e308);
    }

    // Awkward arguments of every kind: extremes, non-numbers, long texts, huge blocks.
    std::vector<FnArg> awkwardArguments() const {
        double inf = std::numeric_limits<double>::infinity();
        return {n(0),
                n(-1),
                n(1e308),
                n(-1e-308),
                n(inf),
                n(std::nan("")),
                n(2147483648.0),
                t(L""),
                t(L"*?~"),
                t(std::wstring(32767, L'x')),
                b(true),
                err(ErrorCode::Ref),
                gap(),
                ref("A1"),
                ref("A2"),
                ref("A1:C9"),
                ref("A1:XFD1048576")};
    }
};

// Every function, given any mix of awkward arguments, returns a value: no crash, no endless
// loop, no text beyond the length limit and no infinite or NaN number.
TEST_F(FunctionRobustness, EveryFunctionCopesWithAwkwardArguments) {
    auto pool = awkwardArguments();
    for (const auto& info : gridx::builtins()) {
        int count = std::max(info.minArgs, 1);
        int most = info.maxArgs == gridx::kAnyArgs ? count + 1 : std::min(info.maxArgs, count + 1);
        for (int args = count; args <= most; ++args) {
            for (std::size_t i = 0; i < pool.size(); ++i) {
                // Argument k cycles through the pool at its own pace, so pairs vary.
                std::vector<FnArg> call;
                for (int k = 0; k < args; ++k)
                    call.push_back(pool[(i * static_cast<std::size_t>(k + 1) + k) % pool.size()]);
                Value v = info.fn(sheet, call);
                std::string name(info.name.begin(), info.name.end());
                if (v.isNumber()) {
                    EXPECT_TRUE(std::isfinite(v.asNumber())) << name << " #" << i;
                }
                if (v.isText()) {
                    EXPECT_LE(v.asText().size(), 32767u) << name << " #" << i;
                }
            }
        }
    }
}

} // namespace
} // namespace gridtest
