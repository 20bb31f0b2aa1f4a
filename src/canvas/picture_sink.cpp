#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/picture_sink.h"

#include "canvas/canvas_sink.h"
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

void PictureSink::appendLine(Segment s, bool dashed) {
    WorldPoint a{s.x1, s.y1}, b{s.x2, s.y2};
    if (const auto& frame = m_picture.frame(); frame && !clipSegment(*frame, a, b)) return;
    m_picture.append(dashed ? m_picture.eepicDashedLine(a.x, a.y, b.x, b.y)
                            : m_picture.eepicLine(a.x, a.y, b.x, b.y));
}

// A shaded figure keeps its area inside the frame; an outline splits where it leaves.
void PictureSink::appendPath(const char* command, const PointList& points, PathText text,
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

void PictureSink::ellipse(const Box& b) {
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

void PictureSink::circle(const CircleArgs& c) {
    const Box b{c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r};
    if (const auto& frame = m_picture.frame(); frame && !boxInside(*frame, b)) return ellipse(b);
    m_picture.append(m_picture.eepicCircle(c.mx, c.my, c.r));
}

void PictureSink::rectangle(const Box& b) {
    const PointList corners{{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}};
    if (const auto& frame = m_picture.frame(); frame && !inside(*frame, corners))
        return appendPath("\\path", corners, PathText::Points, true);
    m_picture.append(m_picture.eepicRectangle(b.x1, b.y1, b.x2, b.y2));
}

bool PictureSink::appendClippedArc(ArcFigure figure, const ArcArgs& a) {
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

bool PictureSink::appendClippedBezier(const PointList& points) {
    const auto& frame = m_picture.frame();
    if (!frame || points.size() < 4 || inside(*frame, points)) return false;
    appendPath("\\path", bezierPoints(points), PathText::Points, false);
    return true;
}

// "\path" or "\spline" followed by the collected points.
void PictureSink::writePath(const char* command, const PointList& points, PathText text,
                            bool closeText) {
    auto format = [&](const WorldPoint& p) {
        return text == PathText::Points ? m_picture.p(p.x, p.y) : m_picture.pl(p.x, p.y);
    };
    m_picture.clearPath();
    for (const WorldPoint& p : points)
        m_picture.addToPath(format(p));
    if (closeText) m_picture.addToPath(format(points.front()));
    m_picture.append(command + m_picture.path());
    m_picture.clearPath();
}

void PictureSink::shade() {
    m_picture.append("\\shade");
}

void PictureSink::lineWidth(int width) {
    m_picture.append(width <= 1 ? "\\thinlines" : width == 2 ? "\\thicklines" : "\\Thicklines");
}

void PictureSink::line(const Segment& s) {
    appendLine(s, false);
}

void PictureSink::straightLine(const Segment& s) {
    appendLine(s, false);
}

void PictureSink::dashedLine(const Segment& s) {
    appendLine(s, true);
}

void PictureSink::arrow(const VectorArgs&) {}

void PictureSink::moveTo(const WorldPoint& p) {
    m_picture.eepicMoveTo(p.x, p.y);
}

void PictureSink::lineTo(const WorldPoint& p) {
    const Segment s{m_picture.currentX(), m_picture.currentY(), p.x, p.y};
    m_picture.eepicMoveTo(p.x, p.y);
    appendLine(s, false);
}

void PictureSink::polyline(const PointList& points, PathText text) {
    appendPath("\\path", points, text, false);
}

void PictureSink::polygon(const PointList& points, PathText text, bool closeText) {
    appendPath("\\path", points, text, closeText);
}

// A "\spline" line holds at most four new points; the next line starts at the last point
// of the previous one, so the lines hold points 1–4, 4–8, 8–12, …
void PictureSink::bezier(const PointList& points) {
    if (points.empty() || appendClippedBezier(points)) return;
    m_picture.clearPath();
    int count = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (++count == 5) {
            m_picture.addToPath("\r\n\\spline" + m_picture.p(points[i - 1].x, points[i - 1].y));
            count = 1;
        }
        m_picture.addToPath(m_picture.p(points[i].x, points[i].y));
    }
    m_picture.append("\\spline" + m_picture.path());
    m_picture.clearPath();
}

void PictureSink::dot(const Box& box, Number) {
    ellipse(box);
}

void PictureSink::rotatedEllipse(const RotatedEllipseArgs& e) {
    appendPath("\\path", polygonOutline(e), PathText::PointLines, true);
}

// An arc is never shaded; a sector keeps its shade and repeats it before its sides.
void PictureSink::arc(ArcFigure figure, const ArcArgs& a) {
    if (appendClippedArc(figure, a)) return;
    const bool shaded = m_picture.lastLineIs("\\shade");
    if (figure == ArcFigure::Arc && shaded) m_picture.removeLastLine();
    const auto [head, tail] = m_picture.eepicArc(a.mx, a.my, a.r, a.a1, a.a2);
    m_picture.append(head);
    m_picture.append(tail);
    const WorldPoint p1 = onCircle(a, a.a1), p2 = onCircle(a, a.a2);
    if (figure == ArcFigure::Sector)
        m_picture.append(std::string(shaded ? "\\shade" : "") + "\\path" + m_picture.p(p2.x, p2.y) +
                         m_picture.p(a.mx, a.my) + m_picture.p(p1.x, p1.y));
    if (figure == ArcFigure::Segment)
        m_picture.append("\\path" + m_picture.p(p2.x, p2.y) + m_picture.p(p1.x, p1.y));
}

void PictureSink::text(const TextArgs& t, TextSize size) {
    const std::string shown =
        size == TextSize::Footnote ? PictureText::eepicFootnoteSize(t.text) : t.text;
    m_picture.append(m_picture.eepicText(shown, t.x, t.y));
}

void PictureSink::alignedText(const AlignedTextArgs& t, TextSize size) {
    const std::string& own = t.pictureText ? *t.pictureText : t.text;
    const std::string shown =
        size == TextSize::Footnote ? PictureText::eepicFootnoteSize(own) : own;
    m_picture.append(m_picture.eepicAlignedText(shown, t.alignment, t.x, t.y));
}

}  // namespace kalvor
