#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "output/color.h"

namespace kalvor {

/// A colour swatch of the side panel: its colour, its line width and whether the user may
/// change it (a program that fixes the colour disables it).
struct Swatch {
    Color colour = kBlack;
    int width = 1;
    bool enabled = true;
};

enum class AxisStyle { Sides, Middle, None };

/// The graph window's fields that the redraw reads, as plain data: ranges and formulas as
/// the texts the user typed, labels, axis style and options, and the swatches.
struct GraphSettings {
    std::string xmin = "-5", xmax = "5", ymin = "-5", ymax = "5";
    std::array<std::string, 4> functions;  // F, G, H, I
    std::array<Swatch, 4> functionSwatches;
    std::string xlabel = "x", ylabel = "y";
    bool showXLabel = false, showYLabel = false;
    AxisStyle axes = AxisStyle::Middle;
    bool grid = false, ticks = true, numbers = true;
    Swatch axisSwatch{0, 1, true};
    Swatch gridSwatch{0xE6E6E6, 1, true};
    std::string hint;
    bool showHints = false;
    std::array<std::string, 3> userTexts;  // the program's user boxes 1 … 3
};

}  // namespace kalvor
