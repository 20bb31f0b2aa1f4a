#pragma once

// Pixel-level drawing shared by the bitmap and the vector mirror of the canvas, so that both
// draw every figure the same way. Coordinates are device pixels; rectangles are exclusive of
// their right and bottom edges like the platform's boxes.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include "canvas/canvas_types.h"
#include "canvas/vector_painter.h"
#include "canvas/world_canvas.h"

class QPainter;

namespace kalvor {

enum class ArcKind : int { Arc, Chord, Pie };

/// One device the canvas draws on: the bitmap (scale 1), the screen's device bitmap (its
/// device pixel ratio) or the vector mirror (scale 2), which draws through a VectorPainter
/// because it can neither clip nor hatch.
struct PaintSurface {
    QPainter& painter;
    const CanvasMapping& map;
    int scale;
    QPoint& pos;  // the device's current pen position
    VectorPainter* vector = nullptr;
    QPoint pixel(Number x, Number y) const { return {map.x.toPixel(x), map.y.toPixel(y)}; }
};

QColor qtColor(Color color);
Color colorOfPixel(QRgb pixel);
/// Dash lengths are `scale` times the screen's, so a doubled device shows the same pattern.
QPen qtPen(const CanvasPen& pen, int scale = 1);
/// Hatches `scale` times as coarse, so a doubled device shows the same pattern.
QBrush qtBrush(const CanvasBrush& brush, int scale = 1);
/// The font at `scale` times its size (plus `sizeDelta` points), sized in pixels at 96 dpi.
QFont qtFont(const CanvasFont& font, int scale, int sizeDelta = 0);
/// The Symbol font, whose Latin letters stand for Greek ones.
bool isSymbolFont(const CanvasFont& font);
/// Symbol-font texts show Latin letters as the Greek letters of the same key.
QString displayText(const CanvasFont& font, std::string_view utf8);

/// A line whose last pixel is left out (thin pens), as successive line-to calls expect.
void paintLineTo(PaintSurface& s, QPoint from, QPoint to);
/// A line with both end pixels painted.
void paintLine(PaintSurface& s, QPoint a, QPoint b);
void paintArrow(PaintSurface& s, QPoint base, QPoint tip);
void paintPoint(PaintSurface& s, QPoint p, Color color);
void paintPolyline(PaintSurface& s, const QPolygon& points);
void paintPolygon(PaintSurface& s, const QPolygon& points);
void paintBezier(PaintSurface& s, const QPolygon& points);
void paintEllipse(PaintSurface& s, const QRect& box);
void paintRectangle(PaintSurface& s, const QRect& box);
/// Counter-clockwise from the ray towards `start` to the ray towards `end`, both seen from
/// the centre of `box`; equal rays give the whole ellipse.
void paintArc(PaintSurface& s, ArcKind kind, const QRect& box, QPoint start, QPoint end);
/// Upper-left corner at `topLeft`, turned counter-clockwise; a solid brush paints the text
/// box first.
void paintText(PaintSurface& s, QPoint topLeft, int angleDegrees, const QString& text,
               const QFont& font, Color color, const CanvasBrush& brush);

/// The box with opposite corners a and b, normalised, exclusive right and bottom edges.
QRect boxOf(QPoint a, QPoint b);

}  // namespace kalvor
