#include "canvas/pdf_sink.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/canvas_sink.h"
#include "output/pdf_recorder.h"

namespace kalvor {

namespace {

PdfHatch pdfHatchOf(BrushStyle style) {
    switch (style) {
        case BrushStyle::Horizontal:
            return PdfHatch::Horizontal;
        case BrushStyle::Vertical:
            return PdfHatch::Vertical;
        case BrushStyle::ForwardDiagonal:
            return PdfHatch::ForwardDiagonal;
        case BrushStyle::BackwardDiagonal:
            return PdfHatch::BackwardDiagonal;
        case BrushStyle::Cross:
            return PdfHatch::Cross;
        case BrushStyle::DiagonalCross:
            return PdfHatch::DiagonalCross;
        case BrushStyle::Solid:
        case BrushStyle::Clear:
            break;
    }
    return PdfHatch::None;
}

}  // namespace

void PdfSink::hatchFrom(BrushStyle style) {
    m_pdf.setHatch(pdfHatchOf(style));
}

void PdfSink::lineWidthPrologue() {
    if (m_canvas.pen().width > 1) m_pdf.lineWidth(2 * m_canvas.pen().width);
}

void PdfSink::lineWidthEpilogue() {
    if (m_canvas.pen().width > 1) m_pdf.lineWidth(2.0L);
}

void PdfSink::startPath(const WorldPoint& first) {
    lineWidthPrologue();
    m_pdf.startPath(m_canvas.pen().color, m_canvas.brush().color, first.x, first.y);
}

void PdfSink::pathLines(std::span<const WorldPoint> points, bool close, bool fill) {
    if (points.size() < 2) return;
    startPath(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
        m_pdf.lineTo(points[i].x, points[i].y);
    m_pdf.endPath(close, fill);
    lineWidthEpilogue();
}

void PdfSink::polygon(const PointList& points, PathText, bool) {
    pathLines(std::span(points.begin(), points.end()), true,
              m_canvas.brush().style != BrushStyle::Clear);
}

void PdfSink::polyline(const PointList& points, PathText) {
    pathLines(std::span(points.begin(), points.end()), false, false);
}

void PdfSink::line(const Segment& s) {
    const WorldPoint ends[] = {{s.x1, s.y1}, {s.x2, s.y2}};
    pathLines(ends, false, false);
}

void PdfSink::bezier(const PointList& points) {
    const std::size_t n = points.size();
    if (n < 4 || n % 3 != 1) return;
    startPath(points[0]);
    for (std::size_t i = 1; i + 2 < n; i += 3)
        m_pdf.addCurveToPath(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y,
                             points[i + 2].x, points[i + 2].y);
    m_pdf.endPath(false, false);
    lineWidthEpilogue();
}

void PdfSink::penLine(const Segment& s) {
    lineWidthPrologue();
    m_pdf.drawLine(m_canvas.pen().color, m_canvas.pen().style != PenStyle::Solid, s.x1, s.y1, s.x2,
                   s.y2);
    lineWidthEpilogue();
}

void PdfSink::straightLine(const Segment& s) {
    penLine(s);
}

// The drawing layer has made the pen dotted; the PDF dashes it.
void PdfSink::dashedLine(const Segment& s) {
    penLine(s);
}

void PdfSink::arrow(const VectorArgs& v) {
    m_pdf.drawVector(m_canvas.pen().color, v.x, v.y, v.dx, v.dy);
}

void PdfSink::moveTo(const WorldPoint& p) {
    m_current = p;
}

void PdfSink::lineTo(const WorldPoint& p) {
    m_pdf.drawLine(m_canvas.pen().color, false, m_current.x, m_current.y, p.x, p.y);
    m_current = p;
}

void PdfSink::ellipse(const Box& b) {
    const CanvasBrush& brush = m_canvas.brush();
    m_pdf.ellipse(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color, b.x1, b.y1,
                  b.x2, b.y2);
}

void PdfSink::rectangle(const Box& b) {
    const CanvasBrush& brush = m_canvas.brush();
    m_pdf.rectangle(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color,
                    std::min(b.x1, b.x2), std::min(b.y1, b.y2), std::fabs(b.x2 - b.x1),
                    std::fabs(b.y2 - b.y1));
}

void PdfSink::circle(const CircleArgs& c) {
    ellipse({c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r});
}

void PdfSink::dot(const Box& box, Number size) {
    if (size < 1)
        rectangle(box);
    else
        ellipse(box);
}

// The recorder turns clockwise.
void PdfSink::rotatedEllipse(const RotatedEllipseArgs& e) {
    const CanvasBrush& brush = m_canvas.brush();
    m_pdf.rotatedEllipse(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color, e.x1,
                         e.y1, e.x2, e.y2, -e.alpha);
}

void PdfSink::arc(ArcFigure figure, const ArcArgs& a) {
    const Color pen = m_canvas.pen().color;
    const CanvasBrush& brush = m_canvas.brush();
    const bool fill = brush.style != BrushStyle::Clear;
    if (figure == ArcFigure::Arc) m_pdf.arc(pen, a.mx, a.my, a.r, a.r, a.a1, a.a2);
    if (figure == ArcFigure::Sector)
        m_pdf.pie(pen, fill, brush.color, a.mx, a.my, a.r, a.r, a.a1, a.a2);
    if (figure == ArcFigure::Segment)
        m_pdf.chord(pen, fill, brush.color, a.mx, a.my, a.r, a.r, a.a1, a.a2);
}

void PdfSink::text(const TextArgs& t, TextSize) {
    writeText(t.text, t.x, t.y, t.angle);
}

void PdfSink::alignedText(const AlignedTextArgs& t, TextSize) {
    const WorldPoint p = alignedTextCorner(m_canvas, t);
    writeText(t.text, p.x, p.y, 0);
}

std::string PdfSink::fontName() const {
    const CanvasFont& font = m_canvas.font();
    const QString name = QString::fromStdString(font.name).toLower();
    int number = name.contains("courier")  ? 1
                 : name.contains("times")  ? 9
                 : name.contains("symbol") ? 13
                                           : 5;
    if (number != 13) number += (font.bold ? 1 : 0) + (font.italic ? 2 : 0);
    return "F" + std::to_string(number);
}

// The baseline lies 0.6 text heights below the top; an underline is a line of its own,
// turned with the text.
void PdfSink::writeText(std::string_view text, Number x, Number y, Number angleDegrees) {
    const CanvasFont& font = m_canvas.font();
    const int h = m_canvas.textHeight(text), w = m_canvas.textWidth(text);
    const Number a = angleDegrees * std::numbers::pi_v<long double> / 180;
    m_pdf.textOutRaised(text, fontName(), x, y, -0.6L * h, font.size, font.color, a);
    if (!font.underline) return;
    const int px = m_canvas.windowX(x), py = m_canvas.windowY(y);
    const Number xRight = m_canvas.worldX(px + w);
    const Number yUnder = m_canvas.worldY(static_cast<int>(std::nearbyint(py + 0.88L * h)));
    const Number c = std::cos(a), s = std::sin(a);
    auto turned = [&](Number px2, Number py2) {
        const Number dx = px2 - x, dy = py2 - y;
        return WorldPoint{x + dx * c - dy * s, y + dx * s + dy * c};
    };
    const WorldPoint p1 = turned(x, yUnder), p2 = turned(xRight, yUnder);
    m_pdf.lineWidth(font.size / 6.0L + (font.bold ? 2 : 0));
    m_pdf.drawLine(font.color, false, p1.x, p1.y, p2.x, p2.y);
    m_pdf.lineWidth(2.0L);
}

}  // namespace kalvor
