#include "canvas/drawing_context.h"

// The figures of the drawing language: each goes to every active sink, the canvas first,
// with its arguments produced again for each.

namespace kalvor {

// The PDF hatches only the figure that took the state's fill; dots and other solid fills
// stay solid.
void DrawingContext::withFill(const std::function<void()>& draw) {
    applyFill();
    m_pdfSink.hatchFrom(m_canvas.brush().style);
    draw();
    m_pdfSink.hatchFrom(BrushStyle::Clear);
    restoreCanvasState();
    applyPen();
}

void DrawingContext::line(const ArgSource<Segment>& args) {
    fanOut(args, [](FigureSink& sink, const Segment& s) { sink.line(s); });
}

void DrawingContext::straightLine(const ArgSource<Segment>& args) {
    fanOut(args, [](FigureSink& sink, const Segment& s) { sink.straightLine(s); });
}

// The pen stays dotted until the PDF has recorded the line as dashed.
void DrawingContext::dashedLine(const ArgSource<Segment>& args) {
    m_canvas.pen().style = PenStyle::Dot;
    fanOut(args, [](FigureSink& sink, const Segment& s) { sink.dashedLine(s); });
    m_canvas.pen().style = PenStyle::Solid;
}

// The picture text has no arrow, so it does not take the arguments either.
void DrawingContext::arrow(const ArgSource<VectorArgs>& args) {
    for (FigureSink* sink : m_active)
        if (sink != &m_pictureSink) sink->arrow(args());
}

void DrawingContext::moveTo(const ArgSource<WorldPoint>& args) {
    fanOut(args, [](FigureSink& sink, const WorldPoint& p) { sink.moveTo(p); });
}

void DrawingContext::lineTo(const ArgSource<WorldPoint>& args) {
    fanOut(args, [](FigureSink& sink, const WorldPoint& p) { sink.lineTo(p); });
}

void DrawingContext::polyline(const ArgSource<PointList>& args, PathText text) {
    fanOut(args, [text](FigureSink& sink, const PointList& p) { sink.polyline(p, text); });
}

void DrawingContext::polygon(const ArgSource<PointList>& args, PathText text, bool closeText) {
    withFill([&] {
        fanOut(args,
               [&](FigureSink& sink, const PointList& p) { sink.polygon(p, text, closeText); });
    });
}

void DrawingContext::bezier(const ArgSource<PointList>& args) {
    fanOut(args, [](FigureSink& sink, const PointList& p) { sink.bezier(p); });
}

void DrawingContext::ellipse(const ArgSource<Box>& args) {
    withFill([&] { fanOut(args, [](FigureSink& sink, const Box& b) { sink.ellipse(b); }); });
}

void DrawingContext::rectangle(const ArgSource<Box>& args) {
    withFill([&] { fanOut(args, [](FigureSink& sink, const Box& b) { sink.rectangle(b); }); });
}

void DrawingContext::circle(const ArgSource<CircleArgs>& args) {
    withFill([&] { fanOut(args, [](FigureSink& sink, const CircleArgs& c) { sink.circle(c); }); });
}

void DrawingContext::arc(ArcFigure figure, const ArgSource<ArcArgs>& args, bool filled) {
    auto draw = [&] {
        fanOut(args, [figure](FigureSink& sink, const ArcArgs& a) { sink.arc(figure, a); });
    };
    if (filled) {
        withFill(draw);
    } else {
        draw();
    }
}

void DrawingContext::text(const ArgSource<TextArgs>& args, TextSize size) {
    fanOut(args, [size](FigureSink& sink, const TextArgs& t) { sink.text(t, size); });
}

void DrawingContext::alignedText(const ArgSource<AlignedTextArgs>& args, TextSize size) {
    fanOut(args, [size](FigureSink& sink, const AlignedTextArgs& t) { sink.alignedText(t, size); });
}

void DrawingContext::setPixel(Number x, Number y) {
    m_canvas.d2SetPixel(x, y);
}

void DrawingContext::floodFill(Number x, Number y, Color color, FloodStyle style) {
    m_canvas.d2FloodFill(x, y, color, style);
}

}  // namespace kalvor
