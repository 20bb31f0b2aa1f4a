#pragma once

#include "expr/parser.h"

namespace kalvor {

/// Registers the standard functions every Parser carries (TAN … LOGN) in `parser`.
void registerStandardFunctions(ParserBase& parser);

/// Whether `fn` is one of the standard functions.
bool isStandardFunction(FunctionOneParam fn);
bool isStandardFunction(FunctionTwoParam fn);

/// Whether `fn` is a standard function without side effects (all but RND and RANDOM), so
/// that a call with constant arguments may be computed once at compile time.
bool isPureStandardFunction(FunctionOneParam fn);
bool isPureStandardFunction(FunctionTwoParam fn);

/// How a standard one-parameter function may be computed in place of calling it: the same
/// operation (SQR, SQRT, ABS) or the math library routine it wraps. Same results either way.
struct DirectForm {
    enum Kind { None, Square, SquareRoot, Absolute, Library };
    Kind kind = None;
    Number (*library)(Number) = nullptr;
};
DirectForm directFormOf(FunctionOneParam fn);

}  // namespace kalvor
