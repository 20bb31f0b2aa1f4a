#include <utility>

#include "expr/arithmetic.h"
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

unsigned pendingErrors(bool withSse) {
    return withSse ? fpstatus::allErrors() : fpstatus::extendedErrors();
}

// A registered procedure may itself evaluate a formula, which starts by clearing the flags;
// errors raised before the call are reported first so that they cannot be lost.
void checkBeforeCall() {
    if (const unsigned errors = fpstatus::allErrors()) throwFloatingPointError(errors);
}

void run(const Operation& op) {
    const Number* a = op.first;
    const Number* b = op.second;
    Number* d = op.destination;
    switch (op.kind) {
        case OpKind::Variable:
        case OpKind::Constant:
            break;
        case OpKind::Negate:
            *d = -*a;
            break;
        case OpKind::Add:
            *d = *a + *b;
            break;
        case OpKind::Subtract:
            *d = *a - *b;
            break;
        case OpKind::Multiply:
            *d = *a * *b;
            break;
        case OpKind::Divide:
            *d = *a / *b;
            break;
        case OpKind::Modulo:
            *d = integerModulo(*a, *b);
            break;
        case OpKind::IntDivide:
            *d = integerDivide(*a, *b);
            break;
        case OpKind::IntegerPower:
            *d = integerPower(*a, *b);
            break;
        case OpKind::RealPower:
            *d = realPower(*a, *b);
            break;
        case OpKind::Square:
            *d = *a * *a;
            break;
        case OpKind::Cube:
            *d = *a * *a * *a;
            break;
        case OpKind::FourthPower: {
            const Number s = *a * *a;
            *d = s * s;
            break;
        }
        case OpKind::CallOne:
            checkBeforeCall();
            *d = op.one(op.context, *a);
            break;
        case OpKind::CallTwo:
            checkBeforeCall();
            *d = op.two(op.context, *a, *b);
            break;
    }
}

}  // namespace

Formula::Formula() = default;
Formula::~Formula() = default;
Formula::Formula(Formula&&) noexcept = default;
Formula& Formula::operator=(Formula&&) noexcept = default;
Formula::Formula(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

bool Formula::empty() const {
    return !m_impl;
}

Number Formula::value() const {
    if (!m_impl) return 0;
    const Impl& f = *m_impl;
    if (f.operations.empty()) return *f.result;
    // Flags left over from the caller's own arithmetic are not ours to report.
    if (pendingErrors(f.callsFunctions) != 0) fpstatus::clearAll();
    for (const Operation& op : f.operations)
        run(op);
    if (const unsigned errors = pendingErrors(f.callsFunctions)) throwFloatingPointError(errors);
    return *f.result;
}

}  // namespace kalvor
