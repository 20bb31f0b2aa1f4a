#pragma once

#include <optional>
#include <string_view>

#include "canvas/canvas_types.h"

namespace kalvor {

/// Which swatch of the side panel: the four functions, the axes, the grid.
enum class SwatchId { F, G, H, I, Axis, Grid };

/// The fill swatch's next pattern: solid → horizontal → vertical → forward diagonal →
/// backward diagonal → cross → diagonal cross → solid. The clear pattern is never chosen.
BrushStyle nextFillPattern(BrushStyle current);

/// The answer of the line-width box as a width of 1 … 3 (7 gives 3, 0 gives 1); nothing
/// when the answer is no whole number.
std::optional<int> lineWidthFromAnswer(std::string_view answer);

inline constexpr std::string_view kLineWidthCaption = "Lijndikte";
inline constexpr std::string_view kLineWidthPrompt = "voer in: 1,2 of 3";

/// The explanation behind "Hoe voer je een functie in?" (lines separated by CR).
inline constexpr std::string_view kFunctionEntryHelp =
    "Maaltekens mogen niet weggelaten worden\r"
    "Om f(x)=3x^2 in te voeren typ je hieronder: 3*x^2 (zonder y=)\r"
    "wortel(x):  sqrt(x)\r"
    "n-de_machtswortel(x): root(x,n)\r"
    "e^x:  exp(x)\r"
    "Logaritmen:\r"
    "grondtal 10: log(x)\r"
    "grondtal 2: log2(x)\r"
    "grondtal g: logn(g,x)\r"
    "ln(x):ln(x)";

}  // namespace kalvor
