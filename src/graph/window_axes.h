#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "expr/number.h"
#include "graph/graph_settings.h"

namespace kalvor {

class DrawingContext;

/// The distance between the numbered ticks of an axis of length `range`: 1, 2 or 5 times a
/// power of ten, about ten ticks over the range (10 → 1, 4 → 0.5, 2 → 0.2).
Number niceTickStep(Number range);

/// The number format of ticks `step` apart: exponent notation for large and small steps,
/// otherwise the general format (the empty pattern).
std::string tickNumberFormat(Number step);

/// What `eigenassen` and `eigenassenf` ask for: the formats of the tick numbers (a "p" in the
/// x format graduates the x axis in multiples of π) and the steps between ticks.
struct OwnAxesRequest {
    std::string xFormat, yFormat;
    Number xStep = 1, yStep = 1;
    /// Asked once per tick; true ends the ticks (Escape).
    std::function<bool()> aborted;
};

/// Draws the graph window's coordinate systems through the drawing layer, so that they reach
/// the canvas and every recording sink: the framed axes at the sides, the axes through the
/// origin with grid, ticks and numbers, and the axes with steps a program chooses. Reads the
/// window's settings; owns nothing.
class WindowAxes {
public:
    WindowAxes(DrawingContext& drawing, const GraphSettings& settings)
        : m_drawing(drawing), m_settings(settings) {}

    /// The axes of the "Assen" group in the axis colour; nothing for "geen". `skip` (a
    /// program drew its own axes) leaves the frame mode and the picture untouched.
    void drawWindowAxes(bool skip);
    /// The axes through the origin with the grid, tick marks and numbers the settings ask for.
    void drawMiddleAxes();
    /// The program's own axes; the steps must be positive to get ticks. Returns false when
    /// an axis would need more than kMaxOwnAxisTicks ticks and got none.
    bool drawOwnAxes(const OwnAxesRequest& request);

private:
    void gridLine(Number x1, Number y1, Number x2, Number y2);
    void middleTicks(int i, Number sx, Number sy, const std::string& fx, const std::string& fy);
    bool ownTicks(bool alongX, Number first, Number step, Number factor,
                  const OwnAxesRequest& request, const std::string& format);

    DrawingContext& m_drawing;
    const GraphSettings& m_settings;
};

}  // namespace kalvor
