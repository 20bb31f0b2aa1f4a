#include "canvas/canvas_paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QVarLengthArray>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace kalvor {

QColor qtColor(Color color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

Color colorOfPixel(QRgb pixel) {
    return makeColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Pens of one pixel draw patterns; wider pens have round ends and joins and are always
// solid. A wide pen is `scale` times as wide on a doubled device, like the figures.
QPen qtPen(const CanvasPen& pen, int scale) {
    QPen result(qtColor(pen.color));
    if (pen.width > 1) {
        result.setWidth(pen.width * scale);
        result.setCapStyle(Qt::RoundCap);
        result.setJoinStyle(Qt::RoundJoin);
        return result;
    }
    result.setWidth(0);
    result.setCapStyle(Qt::SquareCap);
    result.setJoinStyle(Qt::MiterJoin);
    const qreal unit = scale;
    if (pen.style == PenStyle::Dot) result.setDashPattern({2 * unit, 2 * unit});
    if (pen.style == PenStyle::Dash) result.setDashPattern({6 * unit, 3 * unit});
    // Square caps would lengthen every dash on a vector device and close the gaps.
    if (pen.style != PenStyle::Solid && scale > 1) result.setCapStyle(Qt::FlatCap);
    return result;
}

QBrush qtBrush(const CanvasBrush& brush, int scale) {
    static constexpr Qt::BrushStyle kStyles[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    QBrush result(qtColor(brush.color), kStyles[static_cast<int>(brush.style)]);
    if (scale > 1) result.setTransform(QTransform::fromScale(scale, scale));
    return result;
}

namespace {

// The Symbol font's letters, by the key that types them: a → α, p → π, W → Ω.
constexpr char16_t kGreekLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
constexpr char16_t kGreekUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";

}  // namespace

bool isSymbolFont(const CanvasFont& font) {
    return QString::fromStdString(font.name).compare("Symbol", Qt::CaseInsensitive) == 0;
}

// The installed symbol fonts keep their glyphs out of reach of Unicode text, so the Symbol
// font is shown by a serif font that has the Greek letters displayText() turns its text into.
QFont qtFont(const CanvasFont& font, int scale, int sizeDelta) {
    QFont result(isSymbolFont(font) ? QStringLiteral("Times New Roman")
                                    : QString::fromStdString(font.name));
    const long double points = static_cast<long double>(font.size + sizeDelta) * scale;
    result.setPixelSize(std::max(1, static_cast<int>(std::nearbyint(points * 96 / 72))));
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStyleStrategy(QFont::NoAntialias);
    return result;
}

QString displayText(const CanvasFont& font, std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (!isSymbolFont(font)) return text;
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z') c = QChar(kGreekLower[u - 'a']);
        if (u >= 'A' && u <= 'Z') c = QChar(kGreekUpper[u - 'A']);
    }
    return text;
}

namespace {

bool thinPen(const QPainter& painter) {
    return painter.pen().width() <= 1;
}

// A thin line-to stops one pixel short of its end, so that successive lines paint each
// joint once; Qt's thin lines include both ends, so the end moves one step back.
QPoint stopBefore(QPoint from, QPoint to) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return to;
    const auto back = [steps](int d) {
        return static_cast<int>(std::lround(static_cast<double>(d) / steps));
    };
    return to - QPoint(back(dx), back(dy));
}

// Repeated points add nothing to a raster line, and a curve sampled much finer than the
// pixels is mostly repeats: without them millions of samples draw quickly.
void rasterPolyline(QPainter& painter, const QPoint* points, qsizetype count) {
    QVarLengthArray<QPoint, 8> line;
    line.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        if (line.isEmpty() || line.back() != points[i]) line.append(points[i]);
    if (!thinPen(painter)) {
        const bool repeats = line.size() < 2;
        painter.drawPolyline(repeats ? points : line.data(),
                             static_cast<int>(repeats ? count : line.size()));
        return;
    }
    // The thin line stops before its last point.
    if (line.size() < 2) return;
    line.back() = stopBefore(line[line.size() - 2], line.back());
    // A line paints the same pixels as a polyline of its two distinct ends, at a fraction
    // of the cost.
    if (line.size() == 2 && line[0] != line[1]) return painter.drawLine(line[0], line[1]);
    painter.drawPolyline(line.data(), static_cast<int>(line.size()));
}

QPainterPath openPath(const QPolygon& points) {
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

// Qt outlines a box one pixel wider than it is given, so the box shrinks by one pixel to
// cover exactly its columns left … right − 1; without a pen the fill is one pixel smaller
// still, as the platform's figures are.
QRect outlineBox(const QRect& box) {
    return QRect(box.x(), box.y(), box.width() - 1, box.height() - 1);
}

// Qt places arc angles on the ellipse's parameter, the platform on rays from the centre.
qreal parametricDegrees(QPointF ray, qreal halfWidth, qreal halfHeight) {
    const qreal angle = std::atan2(-ray.y(), ray.x());
    const qreal t = std::atan2(halfWidth * std::sin(angle), halfHeight * std::cos(angle));
    return t * 180 / std::numbers::pi;
}

}  // namespace

void paintLineTo(PaintSurface& s, QPoint from, QPoint to) {
    if (from == to) return;
    if (s.vector) return s.vector->stroke(openPath(QPolygon({from, to})));
    s.painter.drawLine(from, thinPen(s.painter) ? stopBefore(from, to) : to);
}

// Out and back again on the bitmap; a vector device strokes the line once, since the way
// back would fill the gaps of a dashed pen.
void paintLine(PaintSurface& s, QPoint a, QPoint b) {
    if (s.vector) return s.vector->stroke(openPath(QPolygon({a, b})));
    const QPoint outAndBack[] = {a, b, a};
    rasterPolyline(s.painter, outAndBack, 3);
}

// Wings of 8 pixels, 45 degrees back from the shaft on either side.
void paintArrow(PaintSurface& s, QPoint base, QPoint tip) {
    const long double dx = base.x() - tip.x(), dy = base.y() - tip.y();
    const long double n = std::sqrt(2.0L) * std::hypot(dx, dy);
    if (n == 0) return;
    auto offset = [n](long double v) { return static_cast<int>(std::nearbyint(8 * v / n)); };
    const QPoint wing1 = tip + QPoint(offset(dx - dy), offset(dx + dy));
    const QPoint wing2 = tip + QPoint(offset(dx + dy), offset(dy - dx));
    paintLineTo(s, base, tip);
    paintLineTo(s, tip, wing1);
    paintLineTo(s, tip, wing2);
}

void paintPoint(PaintSurface& s, QPoint p, Color color) {
    if (s.vector) {
        s.painter.setPen(QPen(qtColor(color), 0));
        return s.vector->point(p);
    }
    // The bitmap's painter keeps its pen for the figures that follow; on a device bitmap the
    // pixel is a block of device pixels.
    s.painter.fillRect(QRect(p, QSize(s.scale, s.scale)), qtColor(color));
}

void paintPolyline(PaintSurface& s, const QPolygon& points) {
    if (points.size() < 2) return;
    if (s.vector) return s.vector->stroke(openPath(points));
    rasterPolyline(s.painter, points.constData(), points.size());
}

void paintPolygon(PaintSurface& s, const QPolygon& points) {
    if (points.size() < 2) return;
    if (s.vector) {
        QPainterPath path = openPath(points);
        path.closeSubpath();
        path.setFillRule(Qt::OddEvenFill);
        return s.vector->fillAndStroke(path);
    }
    s.painter.drawPolygon(points, Qt::OddEvenFill);
}

// A start point and three points per segment; points after the last whole segment are
// ignored.
void paintBezier(PaintSurface& s, const QPolygon& points) {
    if (points.size() < 4) return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (s.vector) return s.vector->stroke(path);
    s.painter.strokePath(path, s.painter.pen());
}

void paintEllipse(PaintSurface& s, const QRect& box) {
    if (box.width() <= 0 || box.height() <= 0) return;
    if (s.vector) {
        QPainterPath path;
        path.addEllipse(QRectF(outlineBox(box)));
        return s.vector->fillAndStroke(path);
    }
    s.painter.drawEllipse(outlineBox(box));
}

void paintRectangle(PaintSurface& s, const QRect& box) {
    if (box.width() <= 0 || box.height() <= 0) return;
    if (s.vector) {
        QPainterPath path;
        path.addRect(QRectF(outlineBox(box)));
        return s.vector->fillAndStroke(path);
    }
    s.painter.drawRect(outlineBox(box));
}

void paintArc(PaintSurface& s, ArcKind kind, const QRect& box, QPoint start, QPoint end) {
    if (box.width() <= 0 || box.height() <= 0) return;
    const QRectF rect = outlineBox(box);
    const QPointF centre = rect.center();
    const qreal a = rect.width() / 2, b = rect.height() / 2;
    const qreal from = parametricDegrees(QPointF(start) - centre, a, b);
    qreal sweep = parametricDegrees(QPointF(end) - centre, a, b) - from;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == ArcKind::Pie) {
        path.moveTo(centre);
    } else {
        path.arcMoveTo(rect, from);
    }
    path.arcTo(rect, from, sweep);
    if (kind == ArcKind::Arc) {
        if (s.vector) return s.vector->stroke(path);
        s.painter.strokePath(path, s.painter.pen());
        return;
    }
    path.closeSubpath();
    if (s.vector) return s.vector->fillAndStroke(path);
    s.painter.drawPath(path);
}

void paintText(PaintSurface& s, QPoint topLeft, int angleDegrees, const QString& text,
               const QFont& font, Color color, const CanvasBrush& brush) {
    QPainter& painter = s.painter;
    const QFontMetrics metrics(font);
    painter.save();
    if (brush.style == BrushStyle::Solid) {
        QTransform place;
        place.translate(topLeft.x(), topLeft.y());
        place.rotate(-angleDegrees);
        QPainterPath box;
        box.addRect(0, 0, metrics.horizontalAdvance(text), metrics.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(qtColor(brush.color));
        if (s.vector) {
            s.vector->fillAndStroke(place.map(box));
        } else {
            painter.drawPath(place.map(box));
        }
    }
    if (s.vector) {
        s.vector->text(topLeft, angleDegrees, text, font, qtColor(color));
    } else {
        painter.translate(topLeft);
        if (angleDegrees != 0) painter.rotate(-angleDegrees);
        painter.setFont(font);
        painter.setPen(qtColor(color));
        painter.drawText(QPoint(0, metrics.ascent()), text);
    }
    painter.restore();
}

QRect boxOf(QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace kalvor
