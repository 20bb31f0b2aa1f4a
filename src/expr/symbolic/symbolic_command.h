#pragma once

#include <string>
#include <string_view>

#include "expr/symbolic/symbolic_tree.h"

namespace kalvor {

/// Prefix that keeps our variable names apart from the library's own names (e, i, gamma,
/// sum, …): our x is the library's kvx.
inline constexpr std::string_view kSymbolicVariablePrefix = "kv";

/// Writes a command tree, read from our formula syntax, as a command text for the symbolic
/// library: our functions become their library equivalents (LOG is base 10, SQR a square,
/// TRUNC and DIV/MOD truncate toward zero), number literals become exact fractions, and
/// variables get kSymbolicVariablePrefix. Besides our functions it accepts a fixed set of
/// library commands (diff, int, subst, simplify, factor, …). Throws SymbolicFailure for an
/// unknown function, a wrong number of arguments or a derivative order that is not a whole
/// number.
std::string toSymbolicLibraryText(const SymNode& command);

}  // namespace kalvor
