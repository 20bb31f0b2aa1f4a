#pragma once

#include <QPainterPath>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class QFont;
class QColor;

namespace kalvor {

/// Draws figures as vectors on a device that cannot clip (the SVG mirror): figures are cut
/// to the clip rectangle geometrically. Uses the painter's pen and brush; hatch brushes get
/// the device's scale.
class VectorPainter {
public:
    /// `clip` may be null: no clipping. `scale` device pixels make one screen pixel.
    VectorPainter(QPainter& painter, const QRect* clip, int scale = 1);

    void stroke(const QPainterPath& path);
    /// The brush inside the path, then the pen along it.
    void fillAndStroke(const QPainterPath& path);
    void point(QPoint p);
    /// Text with its upper-left corner at `topLeft`, turned counter-clockwise.
    void text(QPoint topLeft, int angleDegrees, const QString& text, const QFont& font,
              const QColor& color);

private:
    bool inside(const QRectF& bounds) const;
    bool cutLines(const QPainterPath& path, std::vector<QPainterPath>& parts) const;
    QPainterPath clipped(const QPainterPath& path) const;
    void fill(const QPainterPath& area);

    QPainter& m_painter;
    int m_scale;
    bool m_clipOn;
    QRectF m_clip;
};

}  // namespace kalvor
