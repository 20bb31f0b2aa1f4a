#include "canvas/vector_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "canvas/frame_clip.h"

namespace kalvor {

namespace {

// One family of parallel hatch lines: the points p with normal·p = c for c = 8k.
struct Family {
    QPointF normal;
    QPointF direction;
};

std::vector<Family> familiesOf(Qt::BrushStyle style) {
    const Family hor{{0, 1}, {1, 0}}, ver{{1, 0}, {0, 1}};
    const Family forward{{1, -1}, {1, 1}}, backward{{1, 1}, {1, -1}};  // "\" and "/"
    switch (style) {
        case Qt::HorPattern:
            return {hor};
        case Qt::VerPattern:
            return {ver};
        case Qt::FDiagPattern:
            return {forward};
        case Qt::BDiagPattern:
            return {backward};
        case Qt::CrossPattern:
            return {hor, ver};
        case Qt::DiagCrossPattern:
            return {forward, backward};
        default:
            return {};
    }
}

qreal dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
}

// The pieces of the line normal·p = c inside the polygons, by the even-odd rule.
void addPieces(const QList<QPolygonF>& polygons, const Family& f, qreal c,
               std::vector<QLineF>& lines) {
    std::vector<qreal> along;
    for (const QPolygonF& polygon : polygons)
        for (qsizetype i = 0; i + 1 < polygon.size(); ++i) {
            const QPointF a = polygon[i], b = polygon[i + 1];
            const qreal na = dot(f.normal, a) - c, nb = dot(f.normal, b) - c;
            if ((na <= 0) == (nb <= 0)) continue;
            const QPointF q = a + (b - a) * (na / (na - nb));
            along.push_back(dot(f.direction, q));
        }
    std::sort(along.begin(), along.end());
    const qreal nn = dot(f.normal, f.normal), dd = dot(f.direction, f.direction);
    const QPointF base = f.normal * (c / nn);
    for (std::size_t i = 0; i + 1 < along.size(); i += 2)
        lines.emplace_back(base + f.direction * (along[i] / dd),
                           base + f.direction * (along[i + 1] / dd));
}

}  // namespace

std::vector<QLineF> hatchLines(const QPainterPath& area, Qt::BrushStyle style, qreal spacing) {
    std::vector<QLineF> lines;
    const QList<QPolygonF> polygons = area.toFillPolygons();
    const QRectF box = area.boundingRect();
    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()};
    for (const Family& f : familiesOf(style)) {
        qreal low = dot(f.normal, corners[0]), high = low;
        for (const QPointF& p : corners) {
            low = std::min(low, dot(f.normal, p));
            high = std::max(high, dot(f.normal, p));
        }
        for (qreal c = std::ceil(low / spacing) * spacing; c <= high; c += spacing)
            addPieces(polygons, f, c, lines);
    }
    return lines;
}

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

void VectorPainter::fill(const QPainterPath& area) {
    const QBrush brush = m_painter.brush();
    if (brush.style() == Qt::NoBrush) return;
    if (brush.style() == Qt::SolidPattern) {
        m_painter.fillPath(area, brush.color());
        return;
    }
    m_painter.save();
    m_painter.setPen(QPen(brush.color(), 0));
    for (const QLineF& line : hatchLines(area, brush.style(), 8.0 * m_scale))
        m_painter.drawLine(line);
    m_painter.restore();
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
