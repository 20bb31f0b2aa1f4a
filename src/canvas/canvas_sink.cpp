#include "canvas/canvas_sink.h"

#include <cmath>
#include <numbers>

namespace kalvor {

namespace {

constexpr Number kPi = std::numbers::pi_v<long double>;
// Distance of a quarter arc's control points from its end points, as a fraction of the
// full width or height (half of the circle constant 0.5522847498).
constexpr Number kBezierReach = 0.2761423749L;

struct Turn {
    WorldPoint centre;
    Number cosine = 1, sine = 0;
    bool identity = true;

    explicit Turn(const RotatedEllipseArgs& e)
        : centre{(e.x1 + e.x2) / 2, (e.y1 + e.y2) / 2},
          cosine(std::cos(e.alpha)),
          sine(std::sin(e.alpha)),
          identity(e.alpha == 0) {}

    WorldPoint operator()(Number x, Number y) const {
        if (identity) return {x, y};
        const Number dx = x - centre.x, dy = y - centre.y;
        return {centre.x + dx * cosine - dy * sine, centre.y + dx * sine + dy * cosine};
    }
};

PointList twoPoints(const Segment& s) {
    return PointList{{s.x1, s.y1}, {s.x2, s.y2}};
}

// The canvas turns text by whole degrees; a full turn more or less is the same picture, so
// any finite angle is brought below one turn before it becomes an int (NaN: unturned).
int wholeDegrees(Number angle) {
    if (!std::isfinite(angle)) return 0;
    return static_cast<int>(std::fmod(std::nearbyint(angle), 360.0L));
}

}  // namespace

// Counter-clockwise from the right end of the horizontal axis.
PointList bezierOutline(const RotatedEllipseArgs& e) {
    const Turn turn(e);
    const Number cx = turn.centre.x, cy = turn.centre.y;
    const Number a = std::fabs(e.x2 - e.x1) / 2, b = std::fabs(e.y2 - e.y1) / 2;
    const Number ka = kBezierReach * 2 * a, kb = kBezierReach * 2 * b;
    const WorldPoint raw[] = {{cx + a, cy}, {cx + a, cy + kb}, {cx + ka, cy + b},
                              {cx, cy + b}, {cx - ka, cy + b}, {cx - a, cy + kb},
                              {cx - a, cy}, {cx - a, cy - kb}, {cx - ka, cy - b},
                              {cx, cy - b}, {cx + ka, cy - b}, {cx + a, cy - kb},
                              {cx + a, cy}};
    PointList points;
    for (const WorldPoint& p : raw) {
        const WorldPoint q = turn(p.x, p.y);
        points.append(q.x, q.y);
    }
    return points;
}

// Starting on the horizontal axis.
PointList polygonOutline(const RotatedEllipseArgs& e) {
    const Turn turn(e);
    const Number a = std::fabs(e.x2 - e.x1) / 2, b = std::fabs(e.y2 - e.y1) / 2;
    PointList points;
    for (int i = 0; i < 72; ++i) {
        const Number angle = i * 5 * kPi / 180;
        const WorldPoint q =
            turn(turn.centre.x + a * std::cos(angle), turn.centre.y + b * std::sin(angle));
        points.append(q.x, q.y);
    }
    return points;
}

WorldPoint alignedTextCorner(const WorldCanvas& canvas, const AlignedTextArgs& t) {
    const int px = canvas.windowX(t.x), py = canvas.windowY(t.y);
    const int w = canvas.textWidth(t.text), h = canvas.textHeight(t.text);
    const char across = t.alignment.size() > 0 ? t.alignment[0] : 'l';
    const char down = t.alignment.size() > 1 ? t.alignment[1] : 't';
    WorldPoint p{t.x, t.y};
    if (across == 'r') p.x = canvas.worldX(px - w);
    if (across == 'c') p.x = canvas.worldX(px - w / 2);
    if (down == 'b') p.y = canvas.worldY(py - h);
    if (down == 'c') p.y = canvas.worldY(py - h / 2);
    return p;
}

void CanvasSink::line(const Segment& s) {
    m_canvas.d2Polyline(twoPoints(s));
}

void CanvasSink::straightLine(const Segment& s) {
    m_canvas.d2Line(s.x1, s.y1, s.x2, s.y2);
}

// The drawing layer has made the pen dotted.
void CanvasSink::dashedLine(const Segment& s) {
    m_canvas.d2Line(s.x1, s.y1, s.x2, s.y2);
}

void CanvasSink::arrow(const VectorArgs& v) {
    m_canvas.d2Arrow(v.x, v.y, v.dx, v.dy);
}

void CanvasSink::moveTo(const WorldPoint& p) {
    m_canvas.d2MoveTo(p.x, p.y);
}

void CanvasSink::lineTo(const WorldPoint& p) {
    m_canvas.d2LineTo(p.x, p.y);
}

void CanvasSink::polyline(const PointList& points, PathText) {
    m_canvas.d2Polyline(points);
}

void CanvasSink::polygon(const PointList& points, PathText, bool) {
    m_canvas.d2Polygon(points);
}

void CanvasSink::bezier(const PointList& points) {
    m_canvas.d2PolyBezier(points);
}

void CanvasSink::ellipse(const Box& b) {
    m_canvas.d2Ellipse(b.x1, b.y1, b.x2, b.y2);
}

void CanvasSink::rectangle(const Box& b) {
    m_canvas.d2Rectangle(b.x1, b.y1, b.x2, b.y2);
}

void CanvasSink::circle(const CircleArgs& c) {
    m_canvas.d2Ellipse(c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r);
}

void CanvasSink::dot(const Box& box, Number) {
    ellipse(box);
}

// An unfilled one is a closed Bézier outline, otherwise a 72-point polygon.
void CanvasSink::rotatedEllipse(const RotatedEllipseArgs& e) {
    if (m_canvas.brush().style == BrushStyle::Clear && !m_polygonEllipses)
        m_canvas.d2PolyBezier(bezierOutline(e));
    else
        m_canvas.d2Polygon(polygonOutline(e));
}

void CanvasSink::arc(ArcFigure figure, const ArcArgs& a) {
    const WorldPoint p1 = onCircle(a, a.a1), p2 = onCircle(a, a.a2);
    const Number x1 = a.mx - a.r, y1 = a.my - a.r, x2 = a.mx + a.r, y2 = a.my + a.r;
    if (figure == ArcFigure::Arc) m_canvas.d2Arc(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
    if (figure == ArcFigure::Sector) m_canvas.d2Pie(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
    if (figure == ArcFigure::Segment) m_canvas.d2Chord(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
}

// Text is drawn without a background box, whatever the brush.
void CanvasSink::drawText(std::string_view text, int angle, Number x, Number y) {
    const BrushStyle style = m_canvas.brush().style;
    m_canvas.brush().style = BrushStyle::Clear;
    m_canvas.d2TextOut(text, angle, x, y);
    m_canvas.brush().style = style;
}

void CanvasSink::text(const TextArgs& t, TextSize) {
    drawText(t.text, wholeDegrees(t.angle), t.x, t.y);
}

void CanvasSink::alignedText(const AlignedTextArgs& t, TextSize) {
    const WorldPoint p = alignedTextCorner(m_canvas, t);
    drawText(t.text, 0, p.x, p.y);
}

}  // namespace kalvor
