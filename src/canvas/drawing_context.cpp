#include "canvas/drawing_context.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace kalvor {

DrawingContext::DrawingContext(WorldCanvas& canvas, PdfRecorder& pdf, PictureText& picture)
    : m_canvas(canvas), m_pdf(pdf), m_picture(picture) {
    saveCanvasState();
}

// ---- Drawing state ----

void DrawingContext::applyPen() {
    CanvasPen& pen = m_canvas.pen();
    pen.color = m_state.penColor;
    if (pen.width != m_state.lineWidth) pen.width = m_state.lineWidth;
}

void DrawingContext::setBrushFromState() {
    CanvasBrush& brush = m_canvas.brush();
    brush.color = m_state.fillColor;
    brushStyleOfCode(m_state.fillStyle, brush.style);
}

void DrawingContext::applyFill() {
    setBrushFromState();
    const CanvasBrush& brush = m_canvas.brush();
    if (brush.style != BrushStyle::Clear && brush.color != kWhite && m_eepicRecording)
        m_picture.append("\\shade");
}

void DrawingContext::saveCanvasState() {
    m_saved = {m_canvas.pen(), m_canvas.brush(), m_canvas.font()};
}

void DrawingContext::restoreCanvasState() {
    m_canvas.pen() = m_saved.pen;
    m_canvas.brush() = m_saved.brush;
    m_canvas.font() = m_saved.font;
}

void DrawingContext::setPenColor(Color color) {
    m_state.penColor = color;
    applyPen();
}

void DrawingContext::setLineWidth(int width) {
    m_state.lineWidth = width;
    if (width != m_canvas.pen().width && m_eepicRecording && width >= 1)
        m_picture.append(width == 1 ? "\\thinlines" : width == 2 ? "\\thicklines" : "\\Thicklines");
    applyPen();
}

void DrawingContext::setFontColor(Color color) {
    m_canvas.font().color = color;
    m_saved.font.color = color;
}

void DrawingContext::startRun(Color fontColor) {
    m_state.fontStyle = {};
    m_state.defaultFontName = m_canvas.font().name;
    setFontColor(fontColor);
    m_state.fontName = m_canvas.font().name;
    saveCanvasState();
    m_canvas.brush().style = BrushStyle::Clear;
    m_state.fillStyle = 1;
    m_state.fillColor = kWhite;
    m_state.penColor = kBlack;
    m_state.lineWidth = 1;
    m_state.fontHalfPoints = 2 * m_canvas.font().size;
}

void DrawingContext::endRun() {
    restoreCanvasState();
    if (m_eepicRecording && m_state.lineWidth > 1) m_picture.append("\\thinlines");
}

// ---- PDF recording ----

void DrawingContext::lineWidthPrologue() {
    if (m_canvas.pen().width > 1) m_pdf.lineWidth(2 * m_canvas.pen().width);
}

void DrawingContext::lineWidthEpilogue() {
    if (m_canvas.pen().width > 1) m_pdf.lineWidth(2.0L);
}

void DrawingContext::startPdfPath(const PointList& points) {
    lineWidthPrologue();
    m_pdf.startPath(m_canvas.pen().color, m_canvas.brush().color, points[0].x, points[0].y);
}

void DrawingContext::pdfPolygon(const PointList& points) {
    if (points.size() < 2) return;
    startPdfPath(points);
    for (std::size_t i = 1; i < points.size(); ++i)
        m_pdf.lineTo(points[i].x, points[i].y);
    m_pdf.endPath(true, m_canvas.brush().style != BrushStyle::Clear);
    lineWidthEpilogue();
}

void DrawingContext::pdfPolyline(const PointList& points) {
    if (points.size() < 2) return;
    startPdfPath(points);
    for (std::size_t i = 1; i < points.size(); ++i)
        m_pdf.lineTo(points[i].x, points[i].y);
    m_pdf.endPath(false, false);
    lineWidthEpilogue();
}

void DrawingContext::pdfBezier(const PointList& points) {
    const std::size_t n = points.size();
    if (n < 4 || n % 3 != 1) return;
    startPdfPath(points);
    for (std::size_t i = 1; i + 2 < n; i += 3)
        m_pdf.addCurveToPath(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y,
                             points[i + 2].x, points[i + 2].y);
    m_pdf.endPath(false, false);
    lineWidthEpilogue();
}

void DrawingContext::pdfLine(Number x1, Number y1, Number x2, Number y2) {
    lineWidthPrologue();
    m_pdf.drawLine(m_canvas.pen().color, m_canvas.pen().style != PenStyle::Solid, x1, y1, x2, y2);
    lineWidthEpilogue();
}

void DrawingContext::pdfEllipse(Number x1, Number y1, Number x2, Number y2) {
    const CanvasBrush& brush = m_canvas.brush();
    m_pdf.ellips(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color, x1, y1, x2,
                 y2);
}

void DrawingContext::pdfRectangle(Number x1, Number y1, Number x2, Number y2) {
    const CanvasBrush& brush = m_canvas.brush();
    m_pdf.rectangle(m_canvas.pen().color, brush.style != BrushStyle::Clear, brush.color,
                    std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1));
}

void DrawingContext::pdfMoveTo(Number x, Number y) {
    m_pdfX = x;
    m_pdfY = y;
}

void DrawingContext::pdfLineTo(Number x, Number y) {
    m_pdf.drawLine(m_canvas.pen().color, false, m_pdfX, m_pdfY, x, y);
    pdfMoveTo(x, y);
}

void DrawingContext::pdfVector(Number x, Number y, Number dx, Number dy) {
    m_pdf.drawVector(m_canvas.pen().color, x, y, dx, dy);
}

std::string DrawingContext::pdfFontName() const {
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
void DrawingContext::pdfText(std::string_view text, Number x, Number y, Number angleDegrees) {
    const CanvasFont& font = m_canvas.font();
    const int h = m_canvas.textHeight(text), w = m_canvas.textWidth(text);
    const Number a = angleDegrees * std::numbers::pi_v<long double> / 180;
    m_pdf.textOut2(text, pdfFontName(), x, y, -0.6L * h, font.size, font.color, a);
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

// ---- Program text font ----

ProgramFontScope::ProgramFontScope(DrawingContext& context) : m_context(context) {
    CanvasFont& font = context.canvas().font();
    const DrawingState& state = context.state();
    m_bold = font.bold;
    m_italic = font.italic;
    m_underline = font.underline;
    m_brushStyle = context.canvas().brush().style;
    font.bold = state.fontStyle.bold;
    font.italic = state.fontStyle.italic;
    font.underline = state.fontStyle.underline;
    context.canvas().brush().style = BrushStyle::Clear;
    font.size = state.fontHalfPoints / 2;
    font.name = state.fontName;
}

ProgramFontScope::~ProgramFontScope() {
    CanvasFont& font = m_context.canvas().font();
    font.size = m_context.savedAttributes().font.size;
    font.name = m_context.state().defaultFontName;
    m_context.canvas().brush().style = m_brushStyle;
    font.bold = m_bold;
    font.italic = m_italic;
    font.underline = m_underline;
}

}  // namespace kalvor
