#include "canvas/drawing_context.h"

namespace kalvor {

DrawingContext::DrawingContext(WorldCanvas& canvas, PdfRecorder& pdf, PictureText& picture)
    : m_canvas(canvas),
      m_pdf(pdf),
      m_picture(picture),
      m_canvasSink(canvas),
      m_pdfSink(canvas, pdf),
      m_pictureSink(picture),
      m_tikzSink(canvas) {
    saveCanvasState();
    updateActiveSinks();
}

void DrawingContext::updateActiveSinks() {
    m_active.clear();
    if (m_canvasActive) m_active.push_back(&m_canvasSink);
    if (m_pdfRecording) m_active.push_back(&m_pdfSink);
    if (m_eepicRecording) m_active.push_back(&m_pictureSink);
    if (m_tikzRecording) m_active.push_back(&m_tikzSink);
    m_canvasSink.setPolygonEllipses(m_eepicRecording);
}

void DrawingContext::setPdfRecording(bool on) {
    m_pdfRecording = on;
    updateActiveSinks();
}

void DrawingContext::setEepicRecording(bool on) {
    m_eepicRecording = on;
    updateActiveSinks();
}

void DrawingContext::setTikzRecording(bool on) {
    m_tikzRecording = on;
    updateActiveSinks();
}

void DrawingContext::setCanvasActive(bool on) {
    m_canvasActive = on;
    updateActiveSinks();
}

SinkPause::SinkPause(DrawingContext& context, Medium paused)
    : m_context(context),
      m_paused(paused),
      m_pdf(context.pdfRecording()),
      m_eepic(context.eepicRecording()),
      m_tikz(context.tikzRecording()) {
    if (paused == Medium::Canvas) {
        context.setCanvasActive(false);
        return;
    }
    context.setPdfRecording(false);
    context.setEepicRecording(false);
    context.setTikzRecording(false);
}

SinkPause::~SinkPause() {
    if (m_paused == Medium::Canvas) {
        m_context.setCanvasActive(true);
        return;
    }
    m_context.setPdfRecording(m_pdf);
    m_context.setEepicRecording(m_eepic);
    m_context.setTikzRecording(m_tikz);
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
        m_pictureSink.shade();
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
    if (width != m_canvas.pen().width && width >= 1) announceLineWidth(width);
    applyPen();
}

void DrawingContext::setFontColor(Color color) {
    m_canvas.font().color = color;
    m_saved.font.color = color;
}

void DrawingContext::announceLineWidth(int width) {
    if (m_eepicRecording) m_pictureSink.lineWidth(width);
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
    if (m_state.lineWidth > 1) announceLineWidth(1);
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
