#include <cmath>
#include <utility>

#include "expr/arithmetic.h"
#include "expr/fast_evaluator.h"
#include "expr/formula_impl.h"
#include "expr/fp_status.h"

namespace kalvor {

namespace {

[[noreturn]] void throwFloatingPointError(unsigned errors) {
    fpstatus::clearAll();
    // Overflow first: its infinity is what usually turns into a later invalid operation.
    if (errors & fpstatus::kOverflow) throw EvaluationError(kOverflowMessage);
    if (errors & fpstatus::kZeroDivide) throw EvaluationError(kZeroDivideMessage);
    throw EvaluationError(kInvalidOperationMessage);
}

bool isFinite(Number v) {
    return __builtin_isfinite(v);
}

// A NaN or infinite arithmetic result: the flag the operation raised follows from its
// operands. NaN operands propagate quietly; NaN from other operands is an invalid operation;
// infinity from finite operands is a division by zero (x / 0, 0 ^ negative) or an overflow.
[[gnu::noinline, gnu::cold]] void checkArithmetic(const Operation& op, Number result) {
    const Number a = *op.first;
    const bool binary = op.second != nullptr;
    const Number b = binary ? *op.second : 0;
    if (std::isnan(result)) {
        if (!std::isnan(a) && !std::isnan(b)) throw EvaluationError(kInvalidOperationMessage);
        return;
    }
    if (!isFinite(a) || !isFinite(b)) return;
    const bool pole =
        (op.kind == OpKind::Divide && b == 0) || (op.kind == OpKind::RealPower && a == 0);
    throw EvaluationError(pole ? kZeroDivideMessage : kOverflowMessage);
}

bool hasNanArgument(const Operation& op) {
    return std::isnan(*op.first) || (op.second && std::isnan(*op.second));
}

// After a call. Flags are clean before every call (see evaluateList), so those set now are
// the procedure's own. A registered procedure fails when it raised an error flag, as it
// would trap with the exceptions unmasked; a NaN it returns without one is a value. A
// standard function fails, like an operation, when it turns arguments other than NaN into
// NaN or an infinity, and the flags then say which failure it was.
[[gnu::always_inline]] inline void checkCall(const Operation& op, Number result) {
    const unsigned errors = fpstatus::allErrors();
    if (errors == 0 && (!op.standard || finiteValue(result))) [[likely]]
        return;
    if (!op.standard) throwFloatingPointError(errors);
    if (finiteValue(result) || hasNanArgument(op)) {
        if (errors != 0) fpstatus::clearAll();
        return;
    }
    if (errors != 0) throwFloatingPointError(errors);
}

inline void store(const Operation& op, Number result) {
    if (!finiteValue(result)) [[unlikely]]
        checkArithmetic(op, result);
    *op.destination = result;
}

[[gnu::always_inline]] inline void run(const Operation& op) {
    const Number* a = op.first;
    const Number* b = op.second;
    switch (op.kind) {
        case OpKind::Variable:
        case OpKind::Constant:
            break;
        case OpKind::Negate:
            *op.destination = -*a;
            break;
        case OpKind::Add:
            store(op, *a + *b);
            break;
        case OpKind::Subtract:
            store(op, *a - *b);
            break;
        case OpKind::Multiply:
            store(op, *a * *b);
            break;
        case OpKind::Divide:
            store(op, *a / *b);
            break;
        case OpKind::Modulo:
            *op.destination = integerModulo(*a, *b);
            break;
        case OpKind::IntDivide:
            *op.destination = integerDivide(*a, *b);
            break;
        case OpKind::IntegerPower:
            store(op, integerPower(*a, *b));
            break;
        case OpKind::RealPower:
            store(op, realPower(*a, *b));
            break;
        case OpKind::Square:
            store(op, *a * *a);
            break;
        case OpKind::Cube:
            store(op, *a * *a * *a);
            break;
        case OpKind::FourthPower: {
            const Number s = *a * *a;
            store(op, s * s);
            break;
        }
        case OpKind::CallOne:
            *op.destination = op.one(op.context, *a);
            checkCall(op, *op.destination);
            break;
        case OpKind::CallTwo:
            *op.destination = op.two(op.context, *a, *b);
            checkCall(op, *op.destination);
            break;
    }
}

}  // namespace

void runOperation(const Operation& op) {
    run(op);
}

Formula::Formula() = default;
Formula::~Formula() = default;
Formula::Formula(Formula&&) noexcept = default;
Formula& Formula::operator=(Formula&&) noexcept = default;
Formula::Formula(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

bool Formula::empty() const {
    return !m_impl;
}

Number evaluateList(const Formula::Impl& f) {
    // Flags left by the caller's own arithmetic must not count against a procedure below.
    // The operations themselves never leave one set without throwing.
    if (f.callsFunctions && fpstatus::allErrors() != 0) fpstatus::clearAll();
    for (const Operation& op : f.operations)
        run(op);
    return *f.result;
}

Number Formula::value() const {
    if (!m_impl) return 0;
    const Impl& f = *m_impl;
    if (f.fastRoot) {
        bool failed = false;
        try {
            const Number r = f.fastRoot->eval(*f.fastRoot, failed);
            if (!failed && finiteValue(r)) [[likely]]
                return r;
        } catch (const EvaluationError&) {
            // A procedure refused; the list says which failure comes first.
        }
    }
    return evaluateList(f);
}

}  // namespace kalvor
