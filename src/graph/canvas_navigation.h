#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "expr/number.h"
#include "graph/graph_settings.h"

namespace kalvor {

/// The world window of the range fields, as numbers.
struct ViewRange {
    Number xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool operator==(const ViewRange&) const = default;
};

/// One wheel notch zooms in by this factor (out by its inverse).
inline constexpr Number kZoomStep = 1.25L;

/// The range fields as numbers; nothing when one holds no number or a width is not positive.
std::optional<ViewRange> rangeOfFields(const GraphSettings& settings);

/// Writes the range into the fields, rounded to a millionth of the width so that the fields
/// stay readable while every pixel keeps its place.
void setRangeFields(GraphSettings& settings, const ViewRange& range);

/// The range scaled by 1/factor about the world point (x, y), which keeps its place on the
/// canvas. Nothing when the result would be too narrow for the number format or too wide to
/// draw.
std::optional<ViewRange> zoomedAbout(const ViewRange& range, Number x, Number y, Number factor);

/// The range moved by (dx, dy) world units.
ViewRange panned(const ViewRange& range, Number dx, Number dy);

/// A function value; nothing where the formula is undefined.
using FunctionValue = std::optional<Number>;

/// What the pointer is over: its world point, the values of the functions drawn there and the
/// canvas pixels of those values that lie on the canvas.
struct TraceReadout {
    struct Mark {
        int px = 0, py = 0;
        Color colour = kBlack;
    };
    Number x = 0, y = 0;
    /// The functions F … I that the last redraw drew (0 … 3), with their values at x.
    std::vector<std::pair<int, FunctionValue>> values;
    std::vector<Mark> marks;
    /// "x = 1.25   y = -0.5" and, when tracing, "F(x) = 1.5625 …".
    std::string text;
};

/// x and the values of the functions drawn for x = start + i·step.
struct FunctionTable {
    std::vector<int> functions;  // 0 … 3 for F … I
    std::vector<Number> xs;
    std::vector<std::vector<FunctionValue>> values;  // one row per x
};

/// The table as tab-separated lines with a header line, for the clipboard.
std::string functionTableText(const FunctionTable& table);
/// The header of column `function` ("F(x)") and a value as the table writes it.
std::string functionColumnName(int function);
std::string functionValueText(const FunctionValue& value);

/// `value` rounded to the power of ten at or below `resolution`, as the fields write numbers.
std::string roundedText(Number value, Number resolution);

}  // namespace kalvor
