#include "numeric/contour.h"

#include <array>
#include <cmath>

namespace kalvor {

namespace {

constexpr Number kFieldSlack = 0.001L;

struct Corner {
    Number x, y, value;
};

// The crossing of the edge from a to b by linear interpolation (a itself when the values are
// equal); kept when F there stays below the crossing limit.
void addCrossing(const PlaneFunction& f, const Corner& a, const Corner& b, PointList& points) {
    if (a.value == kUndefinedValue || b.value == kUndefinedValue || a.value * b.value > 0) return;
    const Number share = a.value == b.value ? 0 : a.value / (b.value - a.value);
    const Number x = a.x - share * (b.x - a.x), y = a.y - share * (b.y - a.y);
    if (std::fabs(f(x, y)) < kCrossingLimit) points.append(x, y);
}

bool crosses(const Corner& a, const Corner& b) {
    return a.value != kUndefinedValue && b.value != kUndefinedValue && a.value * b.value <= 0;
}

// Corners in the order bottom left, bottom right, top left, top right.
void contourCell(const PlaneFunction& f, const std::array<Corner, 4>& c, PointList& points,
                 const std::function<void(const PointList&)>& piece) {
    if (c[0].value == 0 && (c[1].value == 0 || c[2].value == 0)) return;
    const std::array<std::pair<int, int>, 4> edges{{{0, 1}, {1, 3}, {2, 3}, {0, 2}}};
    bool any = false;
    for (auto [a, b] : edges)
        any = any || crosses(c[a], c[b]);
    if (!any) return;
    points.clear();
    for (const Corner& corner : c)
        if (corner.value == 0) points.append(corner.x, corner.y);
    for (auto [a, b] : edges)
        addCrossing(f, c[a], c[b], points);
    if (points.size() >= 2) piece(points);
}

}  // namespace

void contourCells(const PlaneFunction& f, const CellGrid& g,
                  const std::function<void(const PointList&)>& piece, const Progress& progress) {
    if (!(g.dx > 0) || !(g.dy > 0)) return;
    PointList points;
    for (long i = 0;; ++i) {
        const Number x = g.minx + i * g.dx, x2 = x + g.dx;
        if (!(x <= g.maxx) || !keepGoing(progress)) return;
        Corner left{x, g.miny, f(x, g.miny)}, right{x2, g.miny, f(x2, g.miny)};
        for (long j = 0;; ++j) {
            const Number y = g.miny + j * g.dy;
            if (!(y <= g.maxy)) break;
            const Number y2 = y + g.dy;
            const Corner topLeft{x, y2, f(x, y2)}, topRight{x2, y2, f(x2, y2)};
            contourCell(f, {left, right, topLeft, topRight}, points, piece);
            left = topLeft;
            right = topRight;
        }
    }
}

void directionField(const std::function<std::optional<WorldPoint>(Number, Number)>& direction,
                    const CellGrid& g,
                    const std::function<void(const WorldPoint&, const WorldPoint&)>& segment,
                    const Progress& progress) {
    if (!(g.dx > 0) || !(g.dy > 0)) return;
    const Number width = g.maxx - g.minx, height = g.maxy - g.miny;
    for (long i = 0;; ++i) {
        const Number x = g.minx + i * g.dx;
        if (!(x <= g.maxx + kFieldSlack)) return;
        for (long j = 0;; ++j) {
            const Number y = g.miny + j * g.dy;
            if (!(y <= g.maxy + kFieldSlack)) break;
            if (!keepGoing(progress)) return;
            const std::optional<WorldPoint> d = direction(x, y);
            if (!d) continue;
            const Number length = 60 * std::hypot(d->x / width, d->y / height);
            if (!(length > 0) || !std::isfinite(length)) continue;
            segment({x - d->x / length, y - d->y / length}, {x + d->x / length, y + d->y / length});
        }
    }
}

}  // namespace kalvor
