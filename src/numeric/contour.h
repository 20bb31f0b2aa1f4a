#pragma once

#include "bigint/progress.h"
#include "canvas/point_list.h"
#include "numeric/real_function.h"

namespace kalvor {

/// The value a contoured function takes where it cannot be evaluated; edges that touch such a
/// corner have no crossing.
inline constexpr Number kUndefinedValue = 99999;

/// A crossing is kept only where |F| is below this, so sign changes across poles draw nothing.
inline constexpr Number kCrossingLimit = 10;

/// A grid of cells of dx × dy: columns from minx while x <= maxx, rows from miny while
/// y <= maxy.
struct CellGrid {
    Number minx = 0, maxx = 0, miny = 0, maxy = 0, dx = 0, dy = 0;
};

/// Draws F(x, y) = 0 cell by cell: every cell whose edges show a sign change hands its zero
/// corners and edge crossings (bottom, right, top, left) to `piece`, when there are at least
/// two. F returns kUndefinedValue where it is undefined. Each grid point is evaluated twice at
/// most (the top corners of a cell are the bottom corners of the next), plus one evaluation
/// per crossing. A cancelled progress ends the grid early.
void contourCells(const PlaneFunction& f, const CellGrid& grid,
                  const std::function<void(const PointList&)>& piece, const Progress& progress);

/// Draws a direction field: at x from xmin in steps of xstep while x <= xmax + 0.001, and for
/// each x at y from ymin likewise, the segment through (x, y) along `direction` whose length
/// is 1/30 of the window (width w, height h) in window-relative units. Points where the
/// direction is undefined or zero are skipped.
void directionField(const std::function<std::optional<WorldPoint>(Number, Number)>& direction,
                    const CellGrid& grid,
                    const std::function<void(const WorldPoint&, const WorldPoint&)>& segment,
                    const Progress& progress);

}  // namespace kalvor
