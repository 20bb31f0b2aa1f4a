#include "expr/standard_functions.h"

#include <math.h>

#include <cmath>

#include "expr/arithmetic.h"
#include "expr/parser.h"
#include "expr/random_source.h"

namespace kalvor {

namespace {

struct OneParamRow {
    const char* name;
    FunctionOneParam fn;
    bool pure = true;
    DirectForm direct = {};
};

constexpr DirectForm library(Number (*fn)(Number)) {
    return {DirectForm::Library, fn};
}

struct TwoParamRow {
    const char* name;
    FunctionTwoParam fn;
};

Number truncated(void*, Number x) {
    return std::trunc(x);
}

const OneParamRow kOneParam[] = {
    {"TAN", [](void*, Number x) { return std::tan(x); }, true, library(tanl)},
    {"SIN", [](void*, Number x) { return std::sin(x); }, true, library(sinl)},
    {"COS", [](void*, Number x) { return std::cos(x); }, true, library(cosl)},
    {"SINH", [](void*, Number x) { return (std::exp(x) - std::exp(-x)) * 0.5L; }},
    {"COSH", [](void*, Number x) { return (std::exp(x) + std::exp(-x)) * 0.5L; }},
    {"ARCTAN", [](void*, Number x) { return std::atan(x); }, true, library(atanl)},
    {"COTAN", [](void*, Number x) { return 1 / std::tan(x); }},
    {"EXP", [](void*, Number x) { return std::exp(x); }, true, library(expl)},
    {"LN", [](void*, Number x) { return std::log(x); }, true, library(logl)},
    {"LOG10", [](void*, Number x) { return std::log10(x); }, true, library(log10l)},
    {"LOG2", [](void*, Number x) { return std::log2(x); }, true, library(log2l)},
    {"SQR", [](void*, Number x) { return x * x; }, true, {DirectForm::Square}},
    {"SQRT", [](void*, Number x) { return std::sqrt(x); }, true, {DirectForm::SquareRoot}},
    {"ABS", [](void*, Number x) { return std::fabs(x); }, true, {DirectForm::Absolute}},
    {"TRUNC", truncated},
    {"INT", truncated},
    {"CEIL",
     [](void*, Number x) { return x - std::trunc(x) > 0 ? std::trunc(x + 1) : std::trunc(x); }},
    {"FLOOR",
     [](void*, Number x) { return x - std::trunc(x) < 0 ? std::trunc(x - 1) : std::trunc(x); }},
    {"HEAV", [](void*, Number x) -> Number { return x >= 0 ? 1 : 0; }},
    {"SIGN", [](void*, Number x) -> Number { return x < 0 ? -1 : (x > 0 ? 1 : 0); }},
    {"ZERO", [](void*, Number x) -> Number { return x == 0 ? 0 : 1; }},
    {"PH",
     [](void*, Number x) {
         const Number y = x / (2 / kPi);
         return 2 * kPi * (y - std::nearbyint(y));  // nearest, ties to even
     }},
    {"RND", [](void*, Number x) { return std::trunc(x) * uniformRandom(); }, false},
    {"RANDOM", [](void*, Number) { return uniformRandom(); }, false},
};

// Angle of (p, q) as the table defines it; p = 0 gives -π/2 also for q = 0. An overflowing
// q / p would vanish in the arctangent, so it is reported here.
Number argument(void*, Number p, Number q) {
    if (p < 0 || p > 0) {
        const Number ratio = q / p;
        if (std::isinf(ratio) && std::isfinite(q)) throw EvaluationError(kOverflowMessage);
        return p < 0 ? std::atan(ratio) + kPi : std::atan(ratio);
    }
    return q > 0 ? kPi / 2 : -kPi / 2;
}

// log2(q) / log2(p). A failure of log2(q) shows in its result; a pole of log2(p) (p = 0)
// would vanish in the quotient, so it is reported here.
Number logarithmToBase(void*, Number p, Number q) {
    const Number numerator = std::log2(q);
    if (std::isnan(numerator) || (std::isinf(numerator) && std::isfinite(q))) return numerator;
    if (p == 0) throw EvaluationError(kZeroDivideMessage);
    return numerator / std::log2(p);
}

const TwoParamRow kTwoParam[] = {
    {"ARG", argument},
    {"MAX", [](void*, Number p, Number q) { return p > q ? p : q; }},
    {"MIN", [](void*, Number p, Number q) { return p < q ? p : q; }},
    {"POWER", [](void*, Number p, Number q) { return realPower(p, q); }},
    {"INTPOWER", [](void*, Number p, Number q) { return integerPower(p, q); }},
    {"LOGN", logarithmToBase},
};

}  // namespace

bool isStandardFunction(FunctionOneParam fn) {
    for (const OneParamRow& row : kOneParam) {
        if (row.fn == fn) return true;
    }
    return false;
}

bool isStandardFunction(FunctionTwoParam fn) {
    return isPureStandardFunction(fn);
}

bool isPureStandardFunction(FunctionOneParam fn) {
    for (const OneParamRow& row : kOneParam) {
        if (row.fn == fn) return row.pure;
    }
    return false;
}

DirectForm directFormOf(FunctionOneParam fn) {
    for (const OneParamRow& row : kOneParam) {
        if (row.fn == fn) return row.direct;
    }
    return {};
}

bool isPureStandardFunction(FunctionTwoParam fn) {
    for (const TwoParamRow& row : kTwoParam) {
        if (row.fn == fn) return true;
    }
    return false;
}

void registerStandardFunctions(ParserBase& parser) {
    for (const OneParamRow& row : kOneParam)
        parser.addFunctionOneParam(row.name, row.fn);
    for (const TwoParamRow& row : kTwoParam)
        parser.addFunctionTwoParam(row.name, row.fn);
}

}  // namespace kalvor
