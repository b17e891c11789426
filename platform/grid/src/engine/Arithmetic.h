// The binary arithmetic operators on numbers, shared by the general evaluator and the block
// evaluation of column runs so that both give exactly the same results and errors.
#pragma once

#include "engine/Program.h"
#include "grid/Value.h"

#include <cmath>

namespace gridx::engine {

// x op y, or the error it gives.
inline bool arithmetic(Op op, double x, double y, double& r, ErrorCode& error) {
    switch (op) {
    case Op::Add:
        r = x + y;
        break;
    case Op::Subtract:
        r = x - y;
        break;
    case Op::Multiply:
        r = x * y;
        break;
    case Op::Divide:
        if (y == 0.0) return error = ErrorCode::Div0, false;
        r = x / y;
        break;
    default:
        if (x == 0.0 && y == 0.0) return error = ErrorCode::Num, false;
        if (x == 0.0 && y < 0.0) return error = ErrorCode::Div0, false;
        r = std::pow(x, y);
        break;
    }
    if (!std::isfinite(r)) return error = ErrorCode::Num, false;
    return true;
}

} // namespace gridx::engine
