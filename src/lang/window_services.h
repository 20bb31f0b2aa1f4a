#pragma once

#include <string>
#include <string_view>

#include "expr/number.h"

namespace kalvor {

class Parser;
class RunContext;

/// An axis of eigenassen or eigenassenf that would need more ticks than this gets none (every
/// tick is a number, a mark and perhaps a grid line in each recording sink).
inline constexpr long long kMaxOwnAxisTicks = 1'000'000;

/// What programs may ask of the graph window besides drawing: its text fields, function
/// graphs, own axes and the sliders. The Workbench implements it; a window that only offers
/// fields (a test's) draws nothing and binds no slider.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    /// The text of a window field by its program name: "xmin", "xmax", "ymin", "ymax", "F",
    /// "G", "H", "I", "user1", "user2", "user3"; nullptr for any other name.
    virtual std::string* field(std::string_view name) = 0;

    /// The graph of `expression` in `parser`, sampled per pixel column in the band of the
    /// current redraw and drawn with the canvas pen through the drawing layer. A formula
    /// that does not compile shows its message (with the program sentence unless `parser`
    /// is the plot parser), sets the expression error flag and throws RunAborted.
    virtual void plotFunction(RunContext& /*ctx*/, std::string_view /*expression*/,
                              Parser& /*parser*/) {}

    /// Axes with ticks every `xStep` and `yStep`, numbered in the given formats (a "p" in
    /// the x format counts in multiples of π); the window's own axes stay away until the
    /// next run. Escape ends the ticks early. Returns false when an axis would need more
    /// than kMaxOwnAxisTicks ticks and got none.
    virtual bool drawOwnAxes(RunContext& /*ctx*/, std::string_view /*xFormat*/,
                             std::string_view /*yFormat*/, Number /*xStep*/, Number /*yStep*/) {
        return true;
    }

    /// Binds slider `number` (1 or 2; others are ignored) to the variable, which is created
    /// with 0 when it does not exist, and publishes every bound slider's value.
    virtual void bindSlider(int /*number*/, std::string_view /*variable*/, Number /*min*/,
                            Number /*max*/) {}
};

}  // namespace kalvor
