#pragma once

#include <QRect>
#include <QSize>

namespace kalvor {

/// Where a window of frame size `size` opens: wholly inside `screen` (shrunk when it is
/// larger), beside `neighbour` (to its right, else to its left) where that fits, and never
/// over `keepClear` (in the same coordinates).
QRect placeBeside(const QRect& screen, QSize size, const QRect& neighbour, const QRect& keepClear);

}  // namespace kalvor
