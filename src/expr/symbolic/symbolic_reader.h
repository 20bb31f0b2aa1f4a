#pragma once

#include <string_view>

#include "expr/symbolic/symbolic_tree.h"

namespace kalvor {

/// Reads a symbolic command or formula in our formula syntax into a tree. It groups the way
/// the formula parser does: "*" binds looser than "/", DIV and MOD (so 3*5DIV2 is 3*(5 DIV 2)),
/// a leading minus binds looser than "^" (-x^2 is -(x^2)), and "^" does not chain. It is more
/// lenient than the formula parser where that parser has no meaning to keep (blanks between
/// tokens, -x-1, a*-b). Variable names come out in lower case, function names in upper case.
/// Throws SymbolicFailure with a Dutch message for text it cannot read.
SymNode readSymbolicCommand(std::string_view text);

}  // namespace kalvor
