#include <cmath>
#include <numbers>

#include "canvas/drawing_context.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

// Dots and turned ellipses: figures whose canvas and recorded forms differ in shape.

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

// Four cubic quarter arcs counter-clockwise from the right end of the horizontal axis.
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

// 72 points, 5 degrees apart, starting on the horizontal axis.
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

}  // namespace

void DrawingContext::dot(const ArgSource<DotArgs>& args) {
    const bool recording = m_pdfRecording || m_eepicRecording;
    DotArgs onCanvas;
    if (!recording) {
        onCanvas = args();
        if (onCanvas.size == 0) {
            m_canvas.d2SetPixel(onCanvas.x, onCanvas.y);
            return;
        }
    }
    const int savedStyle = m_state.fillStyle;
    const Color savedColor = m_state.fillColor;
    m_state.fillStyle = 0;
    m_state.fillColor = m_canvas.pen().color;
    applyFill();
    auto box = [&](DotArgs d) {
        if (recording && d.size < 0.1L) d.size = 0.1L;
        const Number rx = m_canvas.d2WorldXW() / m_canvas.width() * d.size;
        const Number ry = m_canvas.d2WorldYW() / m_canvas.height() * d.size;
        return std::pair{Box{d.x - rx, d.y - ry, d.x + rx, d.y + ry}, d.size};
    };
    if (!recording) {
        const Box b = box(onCanvas).first;
        m_canvas.d2Ellipse(b.x1, b.y1, b.x2, b.y2);
    }
    if (m_pdfRecording) {
        const auto [b, size] = box(args());
        if (size < 1)
            pdfRectangle(b.x1, b.y1, b.x2, b.y2);
        else
            pdfEllipse(b.x1, b.y1, b.x2, b.y2);
    }
    if (m_eepicRecording) {
        appendEllipseText(box(args()).first);
    }
    // The user's fill comes back to the brush without a second "\shade", which would shade
    // whatever figure the picture text holds next.
    m_state.fillStyle = savedStyle;
    m_state.fillColor = savedColor;
    setBrushFromState();
    applyPen();
}

void DrawingContext::rotatedEllipse(const ArgSource<RotatedEllipseArgs>& args) {
    withFill([&] {
        const RotatedEllipseArgs e = args();
        if (m_pdfRecording) {
            const CanvasBrush& brush = m_canvas.brush();
            m_pdf.rotatedEllips(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color,
                                e.x1, e.y1, e.x2, e.y2, -e.alpha);
            return;
        }
        if (m_canvas.brush().style == BrushStyle::Clear && !m_eepicRecording) {
            m_canvas.d2PolyBezier(bezierOutline(e));
            return;
        }
        const PointList points = polygonOutline(e);
        m_canvas.d2Polygon(points);
        if (m_eepicRecording) appendPath("\\path", points, PathText::PointLines, true);
    });
}

}  // namespace kalvor
