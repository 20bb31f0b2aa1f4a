#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/drawing_context.h"
#include "canvas/frame_clip.h"
#include "output/picture_text.h"

// The picture text of figures that reach outside the picture. LaTeX would draw them across
// the page, so they are cut to the picture's rectangle; figures inside keep their own
// commands (circles, ellipses, arcs, splines), those that cross the border become paths.

namespace kalvor {

namespace {

constexpr Number kPi = std::numbers::pi_v<long double>;

bool boxInside(const PictureFrame& frame, const Box& b) {
    return inside(frame, PointList{{b.x1, b.y1}, {b.x2, b.y2}});
}

// Points on the arc from a1 to a2 (counter-clockwise), about 5 degrees apart.
PointList arcPoints(const ArcArgs& a) {
    Number sweep = std::fmod(a.a2 - a.a1, 2 * kPi);
    if (sweep <= 0) sweep += 2 * kPi;
    const int steps = std::max(4, static_cast<int>(std::ceil(sweep / (kPi / 36))));
    PointList points;
    for (int i = 0; i <= steps; ++i) {
        const Number t = a.a1 + sweep * i / steps;
        points.append(a.mx + a.r * std::cos(t), a.my + a.r * std::sin(t));
    }
    return points;
}

// The cubic segments of a Bézier chain, 16 points each.
PointList bezierPoints(const PointList& p) {
    PointList points{p.front()};
    for (std::size_t i = 0; i + 3 < p.size(); i += 3)
        for (int k = 1; k <= 16; ++k) {
            const Number t = k / 16.0L, s = 1 - t;
            const Number a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
            points.append(a * p[i].x + b * p[i + 1].x + c * p[i + 2].x + d * p[i + 3].x,
                          a * p[i].y + b * p[i + 1].y + c * p[i + 2].y + d * p[i + 3].y);
        }
    return points;
}

}  // namespace

void DrawingContext::appendLineText(Segment s, bool dashed) {
    WorldPoint a{s.x1, s.y1}, b{s.x2, s.y2};
    if (const auto& frame = m_picture.frame(); frame && !clipSegment(*frame, a, b)) return;
    m_picture.append(dashed ? m_picture.eepicDashedLine(a.x, a.y, b.x, b.y)
                            : m_picture.eepicLine(a.x, a.y, b.x, b.y));
}

// A shaded figure keeps its area inside the frame; an outline splits where it leaves.
void DrawingContext::appendPath(const char* command, const PointList& points, PathText text,
                                bool closeText) {
    if (points.empty()) return;
    const auto& frame = m_picture.frame();
    if (!frame || inside(*frame, points)) return writePath(command, points, text, closeText);
    if (m_picture.lastLineIs("\\shade")) {
        const PointList area = clipArea(*frame, points);
        if (area.empty()) return m_picture.removeLastLine();
        return writePath(command, area, text, true);
    }
    PointList outline = points;
    if (closeText) outline.append(points.front().x, points.front().y);
    for (const PointList& part : clipOpenPath(*frame, outline))
        writePath(command, part, text, false);
}

void DrawingContext::appendEllipseText(const Box& b) {
    const auto& frame = m_picture.frame();
    if (!frame || boxInside(*frame, b)) {
        m_picture.append(m_picture.eepicEllipse(b.x1, b.y1, b.x2, b.y2));
        return;
    }
    const Number rx = std::fabs(b.x2 - b.x1) / 2, ry = std::fabs(b.y2 - b.y1) / 2;
    PointList outline;
    for (int i = 0; i < 72; ++i) {
        const Number t = i * kPi / 36;
        outline.append((b.x1 + b.x2) / 2 + rx * std::cos(t), (b.y1 + b.y2) / 2 + ry * std::sin(t));
    }
    appendPath("\\path", outline, PathText::Points, true);
}

void DrawingContext::appendCircleText(const CircleArgs& c) {
    const Box b{c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r};
    if (const auto& frame = m_picture.frame(); frame && !boxInside(*frame, b))
        return appendEllipseText(b);
    m_picture.append(m_picture.eepicCircle(c.mx, c.my, c.r));
}

void DrawingContext::appendRectangleText(const Box& b) {
    const PointList corners{{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}};
    if (const auto& frame = m_picture.frame(); frame && !inside(*frame, corners))
        return appendPath("\\path", corners, PathText::Points, true);
    m_picture.append(m_picture.eepicRectangle(b.x1, b.y1, b.x2, b.y2));
}

bool DrawingContext::appendClippedArc(ArcFigure figure, const ArcArgs& a) {
    const auto& frame = m_picture.frame();
    if (!frame || boxInside(*frame, {a.mx - a.r, a.my - a.r, a.mx + a.r, a.my + a.r})) return false;
    PointList points = arcPoints(a);
    if (figure == ArcFigure::Arc) {
        if (m_picture.lastLineIs("\\shade")) m_picture.removeLastLine();
        appendPath("\\path", points, PathText::Points, false);
        return true;
    }
    if (figure == ArcFigure::Sector) points.append(a.mx, a.my);
    appendPath("\\path", points, PathText::Points, true);
    return true;
}

bool DrawingContext::appendClippedBezier(const PointList& points) {
    const auto& frame = m_picture.frame();
    if (!frame || points.size() < 4 || inside(*frame, points)) return false;
    appendPath("\\path", bezierPoints(points), PathText::Points, false);
    return true;
}

}  // namespace kalvor
