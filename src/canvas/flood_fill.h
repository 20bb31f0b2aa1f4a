#pragma once

#include <QBrush>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

#include "canvas/canvas_types.h"

namespace kalvor {

/// The pixels a flood fill reaches, within the bounding box of the reached pixels.
struct FloodMask {
    QRect box;
    std::vector<std::uint8_t> reached;  // box.width() × box.height(), row by row
    bool empty() const { return box.isEmpty(); }
    bool contains(int x, int y) const {
        return box.contains(x, y) &&
               reached[static_cast<std::size_t>(y - box.y()) * box.width() + (x - box.x())];
    }
};

/// Scan-line flood fill from `seed` over the four-connected pixels that are not `color`
/// (Border) or that are `color` (Surface), never leaving `bounds`.
FloodMask floodMask(const QImage& image, QPoint seed, Color color, FloodStyle style,
                    const QRect& bounds);

/// The same fill on a picture `scale` times as large: the device pixels under `mask`'s
/// pixels that the rule admits, and the admitted ones four-connected to them under the
/// pixels up to two away from the mask's, never leaving `bounds`.
FloodMask scaledFloodMask(const QImage& image, const FloodMask& mask, int scale, Color color,
                          FloodStyle style, const QRect& bounds);

/// The brush painted through the mask: an image of the mask's box, transparent where the
/// mask is not set or the brush leaves a gap (hatches). The brush pattern is aligned to
/// the surface origin.
QImage paintThroughMask(const FloodMask& mask, const QBrush& brush);

}  // namespace kalvor
