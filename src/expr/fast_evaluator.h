#pragma once

#include "expr/formula_impl.h"
#include "expr/standard_functions.h"

namespace kalvor {

/// How a fast node or an in-place operation computes its value.
enum class FastOp : std::uint8_t {
    None,
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    IntegerPower,
    RealPower,
    Square,
    Cube,
    FourthPower,
    CallOne,
    CallTwo,
    SquareRoot,
    Absolute,
    Library,
};

/// The fast operation for an operation of `kind`, or for a call of a standard function that
/// can be computed in place; None when the operation may throw (DIV, MOD) or has side
/// effects, so that the formula always takes the operation list.
FastOp fastOpFor(OpKind kind, FunctionOneParam one);

/// Whether `op` on cells can be computed inside its parent node.
bool computedInPlace(FastOp op);

/// The routine for a node computing `op` with operands of the given sources.
enum class OperandSource : std::uint8_t { Cell, InPlace, Node };
FastEval fastEvalFor(FastOp op, OperandSource first, OperandSource second);

/// Finite numbers give x - x = 0, NaN and infinities NaN; the comparison is quiet.
[[gnu::always_inline]] inline bool finiteValue(Number x) {
    return x - x == 0;
}

}  // namespace kalvor
