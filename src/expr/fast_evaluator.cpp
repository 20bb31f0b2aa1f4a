#include "expr/fast_evaluator.h"

#include <cmath>

#include "expr/arithmetic.h"

namespace kalvor {

namespace {

using Src = OperandSource;

template <FastOp K>
constexpr bool isUnary() {
    return K != FastOp::Add && K != FastOp::Subtract && K != FastOp::Multiply &&
           K != FastOp::Divide && K != FastOp::IntegerPower && K != FastOp::RealPower &&
           K != FastOp::CallTwo;
}

// Whether a NaN or infinite operand can vanish from the result (x / inf is 0, a power or a
// function may return a finite number for it). Elsewhere it reaches the root, where it is
// tested, so a failure anywhere is seen without a test at every node.
template <FastOp K>
constexpr bool absorbs(int operandIndex) {
    switch (K) {
        case FastOp::Divide:
            return operandIndex == 1;
        case FastOp::IntegerPower:
            return operandIndex == 0;
        case FastOp::RealPower:
        case FastOp::CallOne:
        case FastOp::CallTwo:
        case FastOp::Library:
            return true;
        default:
            return false;
    }
}

template <FastOp K>
[[gnu::always_inline]] inline Number apply(const FastNode& n, Number a, Number b) {
    if constexpr (K == FastOp::Negate) return -a;
    if constexpr (K == FastOp::Add) return a + b;
    if constexpr (K == FastOp::Subtract) return a - b;
    if constexpr (K == FastOp::Multiply) return a * b;
    if constexpr (K == FastOp::Divide) return a / b;
    if constexpr (K == FastOp::IntegerPower) return integerPowerRaw(a, b);
    if constexpr (K == FastOp::RealPower) return realPower(a, b);
    if constexpr (K == FastOp::Square) return a * a;
    if constexpr (K == FastOp::Cube) return a * a * a;
    if constexpr (K == FastOp::FourthPower) {
        const Number s = a * a;
        return s * s;
    }
    if constexpr (K == FastOp::CallOne) return n.one(n.context, a);
    if constexpr (K == FastOp::CallTwo) return n.two(n.context, a, b);
    if constexpr (K == FastOp::SquareRoot) return std::sqrt(a);
    if constexpr (K == FastOp::Absolute) return std::fabs(a);
    if constexpr (K == FastOp::Library) return n.library(a);
}

// An operation on cells, computed inside its parent.
[[gnu::always_inline]] inline Number onCells(const FastOperand& o) {
    const Number a = *o.cell;
    switch (static_cast<FastOp>(o.inlineOp)) {
        case FastOp::Negate:
            return -a;
        case FastOp::Add:
            return a + *o.cell2;
        case FastOp::Subtract:
            return a - *o.cell2;
        case FastOp::Multiply:
            return a * *o.cell2;
        case FastOp::Divide:
            return a / *o.cell2;
        case FastOp::Square:
            return a * a;
        case FastOp::Cube:
            return a * a * a;
        case FastOp::FourthPower: {
            const Number s = a * a;
            return s * s;
        }
        case FastOp::SquareRoot:
            return std::sqrt(a);
        default:
            return std::fabs(a);
    }
}

[[gnu::always_inline]] inline Number inPlace(const FastOperand& o) {
    const Number v = onCells(o);
    return o.negated ? -v : v;
}

// A cell holds an input, which may be NaN or infinite without any failure; a computed
// operand is tested where it could vanish.
template <FastOp K, Src S>
[[gnu::always_inline]] inline Number operand(const FastNode& n, int i, bool& failed) {
    const FastOperand& o = n.operand[i];
    if constexpr (S == Src::Cell) {
        return *o.cell;
    } else {
        const Number v = S == Src::InPlace ? inPlace(o) : o.node->eval(*o.node, failed);
        if (absorbs<K>(i) && !finiteValue(v)) [[unlikely]]
            failed = true;
        return v;
    }
}

// Whether v, kept while another node runs, can be held as two doubles hi + lo exactly: when
// v = 0 or 2^-1000 <= |v| <= 2^1023. Saved as 80 bits it would be read back through a failed
// store-to-load forward, which costs about ten nanoseconds on some processors. Other values
// are left to the operation list.
[[gnu::always_inline]] inline bool holdable(Number v) {
    const Number magnitude = std::fabs(v);
    return v == 0 || (magnitude >= 0x1p-1000L && magnitude <= 0x1p1023L);
}

// The node operand goes first: a value computed before a call would have to be held.
template <FastOp K, Src A, Src B>
Number evaluate(const FastNode& n, bool& failed) {
    if constexpr (isUnary<K>()) {
        return apply<K>(n, operand<K, A>(n, 0, failed), 0);
    } else if constexpr (B == Src::Node && A != Src::Node) {
        const Number b = operand<K, B>(n, 1, failed);
        return apply<K>(n, operand<K, A>(n, 0, failed), b);
    } else if constexpr (A == Src::Node && B == Src::Node) {
        Number a = operand<K, A>(n, 0, failed);
        if (!holdable(a)) [[unlikely]] {
            failed = true;
            a = 0;  // the list computes this one; 0 keeps the conversions in range
        }
        // volatile: stored and reloaded as doubles, never as an extended copy
        const volatile double hi = static_cast<double>(a);
        // -(hi - a) rather than a - hi: the same value, but -0 when a = hi, so that
        // hi + lo keeps the sign of a zero.
        const volatile double lo = static_cast<double>(-(hi - a));
        const Number b = operand<K, B>(n, 1, failed);
        return apply<K>(n, static_cast<Number>(hi) + static_cast<Number>(lo), b);
    } else {
        const Number a = operand<K, A>(n, 0, failed);
        return apply<K>(n, a, operand<K, B>(n, 1, failed));
    }
}

template <FastOp K, Src A>
FastEval withSecond(Src b) {
    switch (b) {
        case Src::Cell:
            return &evaluate<K, A, Src::Cell>;
        case Src::InPlace:
            return &evaluate<K, A, Src::InPlace>;
        case Src::Node:
            break;
    }
    return &evaluate<K, A, Src::Node>;
}

template <FastOp K>
FastEval forSources(Src a, Src b) {
    if constexpr (isUnary<K>()) b = Src::Cell;  // unused
    switch (a) {
        case Src::Cell:
            return withSecond<K, Src::Cell>(b);
        case Src::InPlace:
            return withSecond<K, Src::InPlace>(b);
        case Src::Node:
            break;
    }
    return withSecond<K, Src::Node>(b);
}

}  // namespace

FastOp fastOpFor(OpKind kind, FunctionOneParam one) {
    switch (kind) {
        case OpKind::Negate:
            return FastOp::Negate;
        case OpKind::Add:
            return FastOp::Add;
        case OpKind::Subtract:
            return FastOp::Subtract;
        case OpKind::Multiply:
            return FastOp::Multiply;
        case OpKind::Divide:
            return FastOp::Divide;
        case OpKind::IntegerPower:
            return FastOp::IntegerPower;
        case OpKind::RealPower:
            return FastOp::RealPower;
        case OpKind::Square:
            return FastOp::Square;
        case OpKind::Cube:
            return FastOp::Cube;
        case OpKind::FourthPower:
            return FastOp::FourthPower;
        case OpKind::CallOne:
            switch (directFormOf(one).kind) {
                case DirectForm::Square:
                    return FastOp::Square;
                case DirectForm::SquareRoot:
                    return FastOp::SquareRoot;
                case DirectForm::Absolute:
                    return FastOp::Absolute;
                case DirectForm::Library:
                    return FastOp::Library;
                case DirectForm::None:
                    break;
            }
            return FastOp::CallOne;
        case OpKind::CallTwo:
            return FastOp::CallTwo;
        default:
            return FastOp::None;
    }
}

bool computedInPlace(FastOp op) {
    switch (op) {
        case FastOp::Negate:
        case FastOp::Add:
        case FastOp::Subtract:
        case FastOp::Multiply:
        case FastOp::Divide:
        case FastOp::Square:
        case FastOp::Cube:
        case FastOp::FourthPower:
        case FastOp::SquareRoot:
        case FastOp::Absolute:
            return true;
        default:
            return false;
    }
}

FastEval fastEvalFor(FastOp op, Src first, Src second) {
    switch (op) {
        case FastOp::Negate:
            return forSources<FastOp::Negate>(first, second);
        case FastOp::Add:
            return forSources<FastOp::Add>(first, second);
        case FastOp::Subtract:
            return forSources<FastOp::Subtract>(first, second);
        case FastOp::Multiply:
            return forSources<FastOp::Multiply>(first, second);
        case FastOp::Divide:
            return forSources<FastOp::Divide>(first, second);
        case FastOp::IntegerPower:
            return forSources<FastOp::IntegerPower>(first, second);
        case FastOp::RealPower:
            return forSources<FastOp::RealPower>(first, second);
        case FastOp::Square:
            return forSources<FastOp::Square>(first, second);
        case FastOp::Cube:
            return forSources<FastOp::Cube>(first, second);
        case FastOp::FourthPower:
            return forSources<FastOp::FourthPower>(first, second);
        case FastOp::CallOne:
            return forSources<FastOp::CallOne>(first, second);
        case FastOp::CallTwo:
            return forSources<FastOp::CallTwo>(first, second);
        case FastOp::SquareRoot:
            return forSources<FastOp::SquareRoot>(first, second);
        case FastOp::Absolute:
            return forSources<FastOp::Absolute>(first, second);
        case FastOp::Library:
            return forSources<FastOp::Library>(first, second);
        case FastOp::None:
            break;
    }
    return nullptr;
}

}  // namespace kalvor
