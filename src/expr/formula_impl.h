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
    /// A standard function: judged by its result like the arithmetic it mirrors, since the
    /// math library may raise a flag for a correct result (a power of a huge base).
    bool standard = false;
};

struct FastNode;

/// Evaluates one node and its operands; sets `failed` instead of throwing.
using FastEval = Number (*)(const FastNode& node, bool& failed);

/// Where a fast node's operand comes from: a cell (variable or constant), an operation on
/// cells only that the node computes in place (`inlineOp` set), or another node.
struct FastOperand {
    const Number* cell = nullptr;   // the cell, or the in-place operation's first cell
    const Number* cell2 = nullptr;  // the in-place operation's second cell
    const FastNode* node = nullptr;
    std::uint8_t inlineOp = 0;
    bool negated = false;  // the in-place result is negated (-x^2)
};

/// One operation of a formula whose operations are all free of side effects, evaluated as
/// a tree: operands come straight from cells, are computed in place, or are the return values
/// of child nodes, so intermediate results stay in registers. Any NaN or infinity along the
/// way sets `failed`; the caller then runs the operation list instead, which reports the
/// failure the list order meets first. Values are the same bits either way: the same extended
/// operations on the same operands.
struct FastNode {
    FastEval eval = nullptr;
    FastOperand operand[2];
    FunctionOneParam one = nullptr;
    FunctionTwoParam two = nullptr;
    void* context = nullptr;
    Number (*library)(Number) = nullptr;  // a standard function's library routine
};

/// A compiled formula: the operations in evaluation order and the constant and result cells
/// they point into (variable cells belong to the parser).
struct Formula::Impl {
    std::vector<Operation> operations;
    std::unique_ptr<Number[]> cells;
    /// The cell Value returns: the last operation's destination, or the one variable or
    /// constant of a formula without operators.
    const Number* result = nullptr;
    /// Whether a registered procedure runs (their failures are told apart by the flags).
    bool callsFunctions = false;
    /// The same formula as a tree, when all its operations are free of side effects.
    std::vector<FastNode> fastNodes;
    const FastNode* fastRoot = nullptr;
};

/// Runs one operation: writes its destination or throws EvaluationError.
void runOperation(const Operation& op);

/// Runs the operation list in order and returns the result cell: the reference semantics,
/// which the tree form reproduces and falls back on.
Number evaluateList(const Formula::Impl& f);

/// The internals of a Formula, for the compiler's own tests.
struct FormulaAccess {
    static const Formula::Impl* impl(const Formula& f) { return f.m_impl.get(); }
};

}  // namespace kalvor
