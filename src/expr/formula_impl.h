#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "expr/parser.h"

namespace kalvor {

/// Operation kinds of a compiled formula; the numbers are those of the operation table.
enum class OpKind : std::uint8_t {
    Variable = 0,
    Constant = 1,
    Negate = 2,
    Add = 3,
    Subtract = 4,
    Multiply = 5,
    Divide = 6,
    Modulo = 7,
    IntDivide = 8,
    IntegerPower = 9,
    RealPower = 10,
    Square = 11,
    Cube = 12,
    FourthPower = 13,
    CallOne = 14,
    CallTwo = 15,
};

/// One operation of the evaluation list: reads its argument cells, writes its destination.
struct Operation {
    const Number* first = nullptr;
    const Number* second = nullptr;  // null for one-operand kinds
    Number* destination = nullptr;
    FunctionOneParam one = nullptr;  // kind CallOne
    FunctionTwoParam two = nullptr;  // kind CallTwo
    void* context = nullptr;
    OpKind kind = OpKind::Constant;
};

/// A compiled formula: the operations in evaluation order and the constant and result cells
/// they point into (variable cells belong to the parser).
struct Formula::Impl {
    std::vector<Operation> operations;
    std::unique_ptr<Number[]> cells;
    /// The cell Value returns: the last operation's destination, or the one variable or
    /// constant of a formula without operators.
    const Number* result = nullptr;
    /// Whether a registered procedure runs; those may compute in double precision, whose
    /// status flags live apart from the extended unit's.
    bool callsFunctions = false;
};

}  // namespace kalvor
