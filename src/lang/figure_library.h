#pragma once

#include <string>
#include <vector>

namespace kalvor {

/// The built-in figure library for solid figures: the procedures punt, lijnstukken, zijden,
/// init and label in source form. Programs include it with the line kFigureLibraryInclude.
const std::string& figureLibrarySource();

/// The figure library compiled, made once at first use.
const std::vector<std::string>& figureLibraryLines();

}  // namespace kalvor
