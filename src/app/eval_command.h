#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kalvor {

/// `kalvor eval FORMULA [NAME=VALUE ...]`: prints the formula's value in the general format.
/// Each VALUE is itself a formula over the names set before it. Returns 0, 1 for a formula
/// error, 2 for a usage error.
int evalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvor
