#pragma once

#include <string>

#include "expr/symbolic/symbolic_tree.h"

namespace kalvor {

/// Writes an answer tree of the symbolic library as a formula text that our formula parser
/// compiles: no blanks, "^" never chained, no "+-" or "--", a minus only where the parser
/// takes a negation (before a bracket, a variable, a power or a function call, or as part of
/// a number), negative powers as quotients (x^(-2) is 1/x^2), x^(1/2) as sqrt(x), and only
/// function names our parsers know (asin is arcsin, Heaviside heav, cot cotan, the library's
/// NTHROOT(n,x) root(x,n); tanh, sec, csc and the inverse hyperbolic functions are written
/// out). Long sums are bracketed in halves so that they stay within the parser's nesting
/// limit. Throws SymbolicFailure with a Dutch message for an answer that has no such form:
/// an unevaluated integral or derivative, a function we do not know, infinity.
std::string toFormulaText(const SymNode& answer);

}  // namespace kalvor
