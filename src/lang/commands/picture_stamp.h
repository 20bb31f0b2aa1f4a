#pragma once

#include <QImage>
#include <QPoint>

#include "canvas/world_canvas.h"

namespace kalvor {

/// The top-left pixel of a picture centred at world (x, y); halves rounded toward zero.
QPoint pictureCorner(const WorldCanvas& canvas, const QImage& picture, Number x, Number y);

/// Raster operations of the picture commands on the canvas bitmap (the vector mirror is not
/// involved); parts outside the canvas are left out.
enum class StampMode { And, White };
void stampPicture(WorldCanvas& canvas, const QImage& picture, QPoint corner, StampMode mode);

/// The colour at a canvas pixel with red in the low byte; -1 outside the canvas.
long long canvasColour(const WorldCanvas& canvas, Number x, Number y);

}  // namespace kalvor
