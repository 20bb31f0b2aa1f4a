#include "expr/standard_functions.h"

#include <cmath>

#include "expr/arithmetic.h"
#include "expr/parser.h"
#include "expr/random_source.h"

namespace kalvor {

namespace {

struct OneParamRow {
    const char* name;
    FunctionOneParam fn;
};

struct TwoParamRow {
    const char* name;
    FunctionTwoParam fn;
};

Number truncated(void*, Number x) {
    return std::trunc(x);
}

const OneParamRow kOneParam[] = {
    {"TAN", [](void*, Number x) { return std::tan(x); }},
    {"SIN", [](void*, Number x) { return std::sin(x); }},
    {"COS", [](void*, Number x) { return std::cos(x); }},
    {"SINH", [](void*, Number x) { return (std::exp(x) - std::exp(-x)) * 0.5L; }},
    {"COSH", [](void*, Number x) { return (std::exp(x) + std::exp(-x)) * 0.5L; }},
    {"ARCTAN", [](void*, Number x) { return std::atan(x); }},
    {"COTAN", [](void*, Number x) { return 1 / std::tan(x); }},
    {"EXP", [](void*, Number x) { return std::exp(x); }},
    {"LN", [](void*, Number x) { return std::log(x); }},
    {"LOG10", [](void*, Number x) { return std::log10(x); }},
    {"LOG2", [](void*, Number x) { return std::log2(x); }},
    {"SQR", [](void*, Number x) { return x * x; }},
    {"SQRT", [](void*, Number x) { return std::sqrt(x); }},
    {"ABS", [](void*, Number x) { return std::fabs(x); }},
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
    {"RND", [](void*, Number x) { return std::trunc(x) * uniformRandom(); }},
    {"RANDOM", [](void*, Number) { return uniformRandom(); }},
};

// Angle of (p, q) as the table defines it; p = 0 gives -π/2 also for q = 0.
Number argument(void*, Number p, Number q) {
    if (p < 0) return std::atan(q / p) + kPi;
    if (p > 0) return std::atan(q / p);
    return q > 0 ? kPi / 2 : -kPi / 2;
}

const TwoParamRow kTwoParam[] = {
    {"ARG", argument},
    {"MAX", [](void*, Number p, Number q) { return p > q ? p : q; }},
    {"MIN", [](void*, Number p, Number q) { return p < q ? p : q; }},
    {"POWER", [](void*, Number p, Number q) { return realPower(p, q); }},
    {"INTPOWER", [](void*, Number p, Number q) { return integerPower(p, q); }},
    {"LOGN", [](void*, Number p, Number q) { return std::log2(q) / std::log2(p); }},
};

}  // namespace

void registerStandardFunctions(ParserBase& parser) {
    for (const OneParamRow& row : kOneParam)
        parser.addFunctionOneParam(row.name, row.fn);
    for (const TwoParamRow& row : kTwoParam)
        parser.addFunctionTwoParam(row.name, row.fn);
}

}  // namespace kalvor
