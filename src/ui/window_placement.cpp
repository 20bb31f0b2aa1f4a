#include "ui/window_placement.h"

#include <algorithm>

namespace kalvor {

namespace {

// The rectangle moved (not resized) so that it lies inside `screen`.
QRect inside(const QRect& screen, QRect r) {
    r.moveLeft(std::clamp(r.left(), screen.left(), screen.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), screen.top(), screen.bottom() - r.height() + 1));
    return r;
}

// The rectangle inside the band of the screen between `top` and `bottom`, shrunk to it.
QRect inBand(const QRect& screen, QRect r, int top, int bottom) {
    r.setHeight(std::min(r.height(), bottom - top + 1));
    r = inside(screen, r);
    r.moveTop(std::clamp(r.top(), top, bottom - r.height() + 1));
    return r;
}

}  // namespace

QRect placeBeside(const QRect& screen, QSize size, const QRect& neighbour, const QRect& keepClear) {
    size = size.boundedTo(screen.size());
    const QRect candidates[] = {
        QRect(QPoint(neighbour.right() + 1, neighbour.top()), size),
        QRect(QPoint(neighbour.left() - size.width(), neighbour.top()), size),
        QRect(neighbour.topLeft(), size),
    };
    // First a place where the window fits as it is, then one moved onto the screen.
    for (const bool moved : {false, true}) {
        for (const QRect& candidate : candidates) {
            const QRect placed = inside(screen, candidate);
            if ((moved || placed == candidate) && !placed.intersects(keepClear)) return placed;
        }
    }
    // Above or below the strip to keep clear, whichever has more room, shrunk to that room.
    const int above = keepClear.top() - screen.top();
    const int below = screen.bottom() - keepClear.bottom();
    if (std::max(above, below) <= 0) return inside(screen, QRect(neighbour.topLeft(), size));
    const QRect start(neighbour.topLeft(), size);
    return above >= below ? inBand(screen, start, screen.top(), keepClear.top() - 1)
                          : inBand(screen, start, keepClear.bottom() + 1, screen.bottom());
}

}  // namespace kalvor
