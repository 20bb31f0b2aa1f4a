#pragma once

#include <cmath>

#include "canvas/point_list.h"
#include "lang/commands/figure_support.h"

// Plane vector arithmetic of the geometric constructions, on world points.

namespace kalvor::plane {

using Vec = WorldPoint;

inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec operator*(Number k, Vec a) {
    return {k * a.x, k * a.y};
}
inline Number dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
inline Number det(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}
inline Number length(Vec a) {
    return std::hypot(a.x, a.y);
}
/// Turned a quarter counter-clockwise.
inline Vec perp(Vec a) {
    return {-a.y, a.x};
}
inline Vec midpoint(Vec a, Vec b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

/// The point given by argument lines k and k + 1.
inline Vec pointArg(RunContext& ctx, int k) {
    const Number x = ctx.number(k);
    return {x, ctx.number(k + 1)};
}

/// The point Z with g·Z = e and k·Z = f by Cramer's rule; both coordinates are the
/// no-intersection marker when the lines are parallel (determinant exactly 0).
inline Vec solveLines(Vec g, Number e, Vec k, Number f) {
    const Number d = det(g, k);
    if (d == 0) return {kNoIntersection, kNoIntersection};
    return {(e * k.y - g.y * f) / d, (g.x * f - e * k.x) / d};
}

}  // namespace kalvor::plane
