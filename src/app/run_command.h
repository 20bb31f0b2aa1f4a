#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kalvor {

/// `kalvor run PROGRAM [options]`: compiles the source program, redraws the graph window
/// headless once (program, axes, F … I), optionally exports the drawing (--export, by the
/// file's extension), and prints the output window's lines and the requested variables.
/// Returns the exit status: 0 without error boxes, 1 when an error box was shown, 2 for a
/// usage, file or export error.
int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvor
