// A small sheet for calling built-in functions directly: cells in a map, a fixed clock and
// scripted random numbers, plus builders for the arguments a formula would pass.
#pragma once

#include "grid/Functions.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gridtest {

using gridx::ErrorCode;
using gridx::FnArg;
using gridx::Value;

// "B3" -> column 2, row 3; "B3:C4" -> the block.
gridx::RangeRef parseAddress(std::string_view address);

class FakeSheet : public gridx::FnContext {
public:
    void set(std::string_view address, Value v);

    const Value& cell(int col, int row) const override;
    void forEachNonEmpty(const gridx::RangeRef& range,
                         gridx::FunctionRef<bool(int, int, const Value&)> visit) const override;
    gridx::RangeStats numberStats(const gridx::RangeRef& range) const override;
    double now() const override { return now_; }
    double random() override;

    void setNow(double serial) { now_ = serial; }
    void scriptRandom(std::initializer_list<double> values) { randoms_.assign(values); }
    int statsCalls() const { return statsCalls_; }

private:
    std::map<std::pair<int, int>, Value> cells_; // keyed by (row, col): row-major order
    double now_ = 45366.5;                       // 2024-03-15 12:00
    std::deque<double> randoms_;
    mutable int statsCalls_ = 0;
};

// Fixture for the function families: build arguments, call a function by name.
class FunctionsTest : public ::testing::Test {
protected:
    FakeSheet sheet;

    void set(std::string_view address, double v) { sheet.set(address, Value::number(v)); }
    void set(std::string_view address, const wchar_t* v) { sheet.set(address, Value::text(v)); }
    void set(std::string_view address, Value v) { sheet.set(address, std::move(v)); }
    // Fills a column downwards from `top` with numbers.
    void setColumn(std::string_view top, std::initializer_list<double> values);

    static FnArg n(double v);
    static FnArg t(std::wstring_view v);
    static FnArg b(bool v);
    static FnArg err(ErrorCode code);
    static FnArg gap();
    static FnArg v(Value value);
    // A reference: one cell gives a Cell argument with the cell's value, a block a Range.
    FnArg ref(std::string_view address) const;

    // Calls the named function; a name that is unknown or an argument count outside the
    // function's limits fails the test and gives #NAME?.
    Value call(std::wstring_view name, std::vector<FnArg> args = {});
    // The number result, or NaN after failing the test when the result is not a number.
    double number(std::wstring_view name, std::vector<FnArg> args = {});
    // The text result, or "" after failing the test when it is not a text.
    std::wstring text(std::wstring_view name, std::vector<FnArg> args = {});
    // The boolean result; false after failing the test when it is not a boolean.
    bool truth(std::wstring_view name, std::vector<FnArg> args = {});
    // The error code, or ErrorCode::Circular after failing the test when it is no error.
    ErrorCode error(std::wstring_view name, std::vector<FnArg> args = {});
};

} // namespace gridtest
