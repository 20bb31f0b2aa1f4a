#pragma once

#include <iosfwd>
#include <string>

namespace kalvor {

/// Draws a small built-in example (functions, axes with grid and labels, a program figure)
/// through the Workbench, as the desktop program would, and writes it as a PNG picture.
/// Used when there is no display to open windows on. Returns the exit status (0 written,
/// 2 when the picture could not be written) and says on `out` where the file is.
int renderDemoPicture(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace kalvor
