#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kalvor {

/// `kalvor run PROGRAM [options]`: compiles the source program, runs it headless and prints
/// the output window's lines and the requested variables. Returns the exit status: 0 without
/// error boxes, 1 when an error box was shown, 2 for a usage or file error.
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvor
