#pragma once

#include <functional>

#include "canvas/point_list.h"
#include "expr/number.h"

namespace kalvor {

class Parser;

/// The numbers one redraw plots with: the world range, the band outside which curves are
/// cut (twice the visible range on each side of zero) and the distance between samples.
struct PlotBand {
    Number xmin = -5, xmax = 5, ymin = -5, ymax = 5;
    Number upper = 10, lower = -10;
    Number step = 10.0L / 360;
    int samplesPerWidth = 360;

    static PlotBand of(Number xmin, Number xmax, Number ymin, Number ymax, int samplesPerWidth);
    bool contains(Number y) const { return y >= lower && y <= upper; }
};

/// Samples the parser's current formula at one x per pixel column, from ten steps left of
/// the world to about eleven steps right of it, and hands every connected piece of the graph
/// to `piece` in order. A piece ends where the curve leaves the band or the formula is
/// undefined, and the sample after such a point is skipped, so poles and gaps break the
/// curve instead of joining across them. `points` is reused as the piece's storage, so
/// sampling allocates nothing once it has grown.
void samplePieces(Parser& parser, const PlotBand& band, PointList& points,
                  const std::function<void(const PointList&)>& piece);

}  // namespace kalvor
