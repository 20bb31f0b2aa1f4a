#include "graph/function_plot.h"

#include <cmath>

#include "expr/parser.h"

namespace kalvor {

PlotBand PlotBand::of(Number xmin, Number xmax, Number ymin, Number ymax, int samplesPerWidth) {
    PlotBand band;
    band.xmin = xmin;
    band.xmax = xmax;
    band.ymin = ymin;
    band.ymax = ymax;
    band.upper = ymax + std::fabs(ymax);
    band.lower = ymin - std::fabs(ymin);
    band.samplesPerWidth = samplesPerWidth > 0 ? samplesPerWidth : 1;
    band.step = (xmax - xmin) / band.samplesPerWidth;
    return band;
}

namespace {

// Whether the graph is inside the band at x. A sample where the formula is undefined lies
// outside it whatever the window, so that no stand-in value is ever drawn.
bool sampleAt(Parser& parser, const PlotBand& band, Number x, Number& y) {
    parser.x = x;
    try {
        y = parser.value();
    } catch (const EvaluationError&) {
        return false;
    }
    return band.contains(y);
}

}  // namespace

void samplePieces(Parser& parser, const PlotBand& band, PointList& points,
                  const std::function<void(const PointList&)>& piece) {
    points.clear();
    auto flush = [&] {
        if (!points.empty()) piece(points);
        points.clear();
    };
    const Number first = band.xmin - 10 * band.step;
    // x runs from 10 steps left of xmin to the last x not beyond xmax + 10 steps and takes
    // one step more: 21 samples besides one per column. Counting by index keeps x exact.
    const long long lastVisited = band.samplesPerWidth + 20LL;
    long long i = 0;
    while (i <= lastVisited) {
        ++i;
        const Number x = first + static_cast<Number>(i) * band.step;
        Number y = 0;
        if (sampleAt(parser, band, x, y)) {
            points.append(x, y);
            continue;
        }
        flush();
        ++i;  // the sample after an out-of-band sample is skipped
    }
    flush();
}

}  // namespace kalvor
