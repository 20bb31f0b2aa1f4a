#pragma once

#include <optional>
#include <string_view>
#include <type_traits>

#include "canvas/drawing_context.h"
#include "lang/run_context.h"

// Helpers shared by the plane drawing commands and the geometric constructions.

namespace kalvor {

/// Sample loops (curves, regions, list figures, marks) stop at this many points, so that no
/// parameter range can keep a run busy for ever; a figure that would need more is not drawn.
inline constexpr long long kMaxSamples = 1'000'000;

/// The value that stands for an intersection that does not exist.
inline constexpr Number kNoIntersection = 2147483647;

/// Rounded to the nearest whole number (ties to even) and limited to [lo, hi]; NaN gives lo.
int roundedInt(Number value, int lo, int hi);
/// A colour as programs give it: rounded, 24 bits.
Color roundedColor(Number value);

/// The number of the list "L1" … "L6", or 0 for any other name.
int listNumber(std::string_view name);

/// The limits against which sampled curves are cut: the world rectangle widened on each side
/// by the absolute value of that edge, so a pole breaks a curve instead of joining across it.
struct PlotBox {
    Number xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool contains(Number x, Number y) const {
        return x >= xmin && x <= xmax && y >= ymin && y <= ymax;
    }
};
PlotBox plotBox(const WorldCanvas& canvas);

/// Collects the samples of a curve into pieces that stay inside the plot box. Each piece is
/// drawn as one polyline (one "\path" with a point per line in the picture text).
class CurvePieces {
public:
    explicit CurvePieces(DrawingContext& drawing);
    CurvePieces(const CurvePieces&) = delete;
    CurvePieces& operator=(const CurvePieces&) = delete;

    /// Adds a sample inside the box and returns true; a sample outside draws the piece so far,
    /// starts a new one and returns false.
    bool add(Number x, Number y);
    bool add(const WorldPoint& p) { return add(p.x, p.y); }
    /// Draws the last piece.
    void finish();

private:
    void flush();

    DrawingContext& m_drawing;
    PlotBox m_box;
    PointList m_piece;
};

namespace detail {
template <class T>
struct FigureOf {
    using type = T;
};
template <class T>
struct FigureOf<std::optional<T>> {
    using type = T;
};
}  // namespace detail

/// Draws one figure through the drawing layer. `first` is the figure from the arguments as
/// evaluated for the canvas (std::nullopt when there is none, for example a degenerate
/// construction); every recording sink calls `compute` to evaluate the arguments again,
/// keeping `first` when its own evaluation has no figure. `draw(DrawingContext&,
/// const ArgSource<T>&)` picks the drawing operation.
template <class T, class Compute, class Draw>
void drawComputed(RunContext& ctx, const std::optional<T>& first, Compute&& compute, Draw&& draw) {
    DrawingContext* drawing = ctx.env.drawing;
    if (!first || !drawing) return;
    bool firstTaken = false;
    const ArgSource<T> source = [&]() -> T {
        if (!firstTaken) {
            firstTaken = true;
            return *first;
        }
        const std::optional<T> again = compute();
        return again ? *again : *first;
    };
    draw(*drawing, source);
}

/// drawComputed with the canvas's figure computed here; without a drawing layer the arguments
/// are still evaluated once. `compute` returns the figure or an optional one.
template <class Compute, class Draw>
void drawFigure(RunContext& ctx, Compute&& compute, Draw&& draw) {
    using T = typename detail::FigureOf<std::decay_t<decltype(compute())>>::type;
    const std::optional<T> first = compute();
    drawComputed<T>(ctx, first, compute, draw);
}

}  // namespace kalvor
