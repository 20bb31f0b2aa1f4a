#pragma once

#include <memory>
#include <string_view>

#include "expr/formula_impl.h"
#include "expr/term_analyzer.h"

namespace kalvor {

/// Compiles one formula text against the given name tables into an evaluation list: the
/// operations ordered deepest level first, creation order within a level. Throws the
/// ParserError subclasses with their exact messages.
std::unique_ptr<Formula::Impl> compileFormula(std::string_view text, const NameTables& tables);

}  // namespace kalvor
