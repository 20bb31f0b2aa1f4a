#include "canvas/vector_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "canvas/frame_clip.h"

namespace kalvor {

VectorPainter::VectorPainter(QPainter& painter, const QRect* clip, int scale)
    : m_painter(painter),
      m_scale(scale),
      m_clipOn(clip != nullptr),
      m_clip(clip ? QRectF(*clip) : QRectF()) {}

bool VectorPainter::inside(const QRectF& bounds) const {
    return !m_clipOn || m_clip.contains(bounds);
}

QPainterPath VectorPainter::clipped(const QPainterPath& path) const {
    if (inside(path.boundingRect())) return path;
    QPainterPath clip;
    clip.addRect(m_clip);
    return path.intersected(clip);
}

// The parts of a path of straight lines inside the clip, as paths of their own; false when
// the path has curves.
bool VectorPainter::cutLines(const QPainterPath& path, std::vector<QPainterPath>& parts) const {
    // The last column and row inside are one pixel before the clip's exclusive edges.
    const PictureFrame frame{m_clip.left(), m_clip.top(), m_clip.right() - 1, m_clip.bottom() - 1};
    PointList run;
    auto cutRun = [&] {
        for (const PointList& part : clipOpenPath(frame, run)) {
            QPainterPath piece(QPointF(part.front().x, part.front().y));
            for (std::size_t k = 1; k < part.size(); ++k)
                piece.lineTo(QPointF(part[k].x, part[k].y));
            parts.push_back(piece);
        }
        run.clear();
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isCurveTo()) return false;
        if (e.isMoveTo()) cutRun();
        run.append(e.x, e.y);
    }
    cutRun();
    return true;
}

// Outside the clip straight lines are cut at its border; other strokes become the filled
// outline of the stroke, cut to the clip.
void VectorPainter::stroke(const QPainterPath& path) {
    const QPen pen = m_painter.pen();
    if (pen.style() == Qt::NoPen) return;
    const qreal width = std::max<qreal>(1, pen.widthF());
    if (inside(path.boundingRect().adjusted(-width, -width, width, width))) {
        m_painter.strokePath(path, pen);
        return;
    }
    if (std::vector<QPainterPath> parts; pen.width() <= 1 && cutLines(path, parts)) {
        for (const QPainterPath& part : parts)
            m_painter.strokePath(part, pen);
        return;
    }
    QPainterPathStroker stroker(pen);
    stroker.setWidth(width);
    m_painter.fillPath(clipped(stroker.createStroke(path)), pen.color());
}

// The brush's transform scales its hatch to the device, as the screen's hatch is scaled.
void VectorPainter::fill(const QPainterPath& area) {
    QBrush brush = m_painter.brush();
    if (brush.style() == Qt::NoBrush) return;
    brush.setTransform(QTransform::fromScale(m_scale, m_scale));
    m_painter.fillPath(area, brush);
}

void VectorPainter::fillAndStroke(const QPainterPath& path) {
    fill(clipped(path));
    stroke(path);
}

void VectorPainter::point(QPoint p) {
    if (inside(QRectF(p, QSizeF(1, 1)))) m_painter.drawPoint(p);
}

void VectorPainter::text(QPoint topLeft, int angleDegrees, const QString& text, const QFont& font,
                         const QColor& color) {
    const QFontMetrics metrics(font);
    QTransform place;
    place.translate(topLeft.x(), topLeft.y());
    place.rotate(-angleDegrees);
    const QRectF box(0, 0, metrics.horizontalAdvance(text), metrics.height());
    const QRectF bounds = place.mapRect(box);
    if (m_clipOn && !m_clip.intersects(bounds)) return;
    if (inside(bounds)) {
        m_painter.save();
        m_painter.setTransform(place, true);
        m_painter.setFont(font);
        m_painter.setPen(color);
        m_painter.drawText(QPointF(0, metrics.ascent()), text);
        m_painter.restore();
        return;
    }
    QPainterPath glyphs;
    glyphs.addText(QPointF(0, metrics.ascent()), font, text);
    m_painter.fillPath(clipped(place.map(glyphs)), color);
}

}  // namespace kalvor
