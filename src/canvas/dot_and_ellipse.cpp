#include "canvas/drawing_context.h"

// Dots and turned ellipses: figures whose canvas and recorded forms differ in shape.

namespace kalvor {

namespace {

Box dotBox(const WorldCanvas& canvas, const DotArgs& d) {
    const Number rx = canvas.d2WorldXW() / canvas.width() * d.size;
    const Number ry = canvas.d2WorldYW() / canvas.height() * d.size;
    return {d.x - rx, d.y - ry, d.x + rx, d.y + ry};
}

}  // namespace

void DrawingContext::dot(const ArgSource<DotArgs>& args) {
    const bool recording = !recorders().empty();
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
    if (!recording) m_canvasSink.dot(dotBox(m_canvas, onCanvas), onCanvas.size);
    for (FigureSink* sink : recorders()) {
        DotArgs d = args();
        if (d.size < 0.1L) d.size = 0.1L;
        sink->dot(dotBox(m_canvas, d), d.size);
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
        if (m_pdfRecording) return m_pdfSink.rotatedEllipse(e);
        for (FigureSink* sink : m_active)
            sink->rotatedEllipse(e);
    });
}

}  // namespace kalvor
