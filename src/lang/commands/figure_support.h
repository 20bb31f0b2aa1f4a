#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>

#include "canvas/drawing_context.h"
#include "lang/run_context.h"

// Helpers shared by the plane drawing commands and the geometric constructions.

namespace kalvor {

/// Curves are drawn piece by piece, so only an export keeps all their samples: a curve
/// command samples at most this many parameter values. One that would need more shows
/// tooManyPointsMessage and draws nothing.
inline constexpr long long kMaxCurveSamples = 20'000'000;
/// Regions and the list form of paths and polygons hold all their points at once (and again
/// for every recording sink): at most this many, with the same message above it.
inline constexpr long long kMaxOutlinePoints = 5'000'000;
/// Shows tooManyPointsMessage for `command` and `limit` in a warning box; the run goes on.
void warnTooManyPoints(RunContext& ctx, std::string_view command, long long limit);

/// The value that stands for an intersection that does not exist.
inline constexpr Number kNoIntersection = 2147483647;

/// Rounded to the nearest whole number (ties to even) and limited to [lo, hi]; NaN gives lo.
int roundedInt(Number value, int lo, int hi);
/// A colour as programs give it: rounded, 24 bits.
Color roundedColor(Number value);

/// The number of the list "L1" … "L6", or 0 for any other name.
int listNumber(std::string_view name);

/// Calls `visit` with the list indexes start, start + 1, … up to end, at least once. A range
/// of more than kMaxOutlinePoints indexes shows the warning for `command` and visits none; an
/// index too large for a whole number lies outside every list, as 0 does.
template <class Visit>
void forEachListIndex(RunContext& ctx, std::string_view command, Number start, Number end,
                      Visit&& visit) {
    const Number count = end - start + 1 > 1 ? end - start + 1 : 1;
    if (!(count <= kMaxOutlinePoints)) return warnTooManyPoints(ctx, command, kMaxOutlinePoints);
    constexpr Number kIndexLimit = 1e18L;
    SampleClock clock(ctx);
    for (long long k = 0; k < count && !clock.aborted(); ++k) {
        const Number index = start + static_cast<Number>(k);
        visit(std::fabs(index) < kIndexLimit ? static_cast<std::int64_t>(index) : 0);
    }
}

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
    /// starts a new one and returns false. A piece that reaches kMaxPiecePoints is drawn and
    /// continued from its last point, so a long curve never needs all its points at once.
    bool add(Number x, Number y);
    bool add(const WorldPoint& p) { return add(p.x, p.y); }
    /// Draws the last piece.
    void finish();

    static constexpr std::size_t kMaxPiecePoints = 1'000'000;

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

namespace draw2d {
/// stip: a dot of args 0, 1 (position) and `sizeArg` (radius in pixels); tekst2+stip too.
void dotAt(RunContext& ctx, int sizeArg);
}  // namespace draw2d

}  // namespace kalvor
