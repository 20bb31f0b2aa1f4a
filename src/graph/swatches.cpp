#include "graph/swatches.h"

#include <algorithm>

#include "graph/program_settings.h"

namespace kalvor {

BrushStyle nextFillPattern(BrushStyle current) {
    switch (current) {
        case BrushStyle::Solid:
        case BrushStyle::Clear:
            return BrushStyle::Horizontal;
        case BrushStyle::Horizontal:
            return BrushStyle::Vertical;
        case BrushStyle::Vertical:
            return BrushStyle::ForwardDiagonal;
        case BrushStyle::ForwardDiagonal:
            return BrushStyle::BackwardDiagonal;
        case BrushStyle::BackwardDiagonal:
            return BrushStyle::Cross;
        case BrushStyle::Cross:
            return BrushStyle::DiagonalCross;
        case BrushStyle::DiagonalCross:
            return BrushStyle::Solid;
    }
    return BrushStyle::Solid;
}

std::optional<int> lineWidthFromAnswer(std::string_view answer) {
    while (!answer.empty() && answer.front() == ' ')
        answer.remove_prefix(1);
    while (!answer.empty() && answer.back() == ' ')
        answer.remove_suffix(1);
    const auto value = wholeNumber(answer);
    if (!value) return std::nullopt;
    return static_cast<int>(std::clamp(*value, 1LL, 3LL));
}

}  // namespace kalvor
