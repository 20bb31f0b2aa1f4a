#include <cmath>
#include <numbers>

#include "canvas/drawing_context.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

// The figures of the drawing language: each draws on the canvas and then, with its
// arguments produced again, records itself in every sink that is on.

namespace kalvor {

namespace {

template <class A, class Canvas, class Pdf, class Picture>
void fanOut(bool pdfOn, bool pictureOn, const ArgSource<A>& args, Canvas&& canvas, Pdf&& pdf,
            Picture&& picture) {
    canvas(args());
    if (pdfOn) pdf(args());
    if (pictureOn) picture(args());
}

PointList twoPoints(const Segment& s) {
    return PointList{{s.x1, s.y1}, {s.x2, s.y2}};
}

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

// The PDF hatches only the figure that took the state's fill; dots and other solid fills
// stay solid.
void DrawingContext::withFill(const std::function<void()>& draw) {
    applyFill();
    m_pdf.setHatch(pdfHatchOf(m_canvas.brush().style));
    draw();
    m_pdf.setHatch(PdfHatch::None);
    restoreCanvasState();
    applyPen();
}

void DrawingContext::line(const ArgSource<Segment>& args) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const Segment& s) { m_canvas.d2Polyline(twoPoints(s)); },
        [&](const Segment& s) { pdfPolyline(twoPoints(s)); },
        [&](const Segment& s) { appendLineText(s, false); });
}

void DrawingContext::straightLine(const ArgSource<Segment>& args) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const Segment& s) { m_canvas.d2Line(s.x1, s.y1, s.x2, s.y2); },
        [&](const Segment& s) { pdfLine(s.x1, s.y1, s.x2, s.y2); },
        [&](const Segment& s) { appendLineText(s, false); });
}

// The pen stays dotted until the PDF has recorded the line as dashed.
void DrawingContext::dashedLine(const ArgSource<Segment>& args) {
    m_canvas.pen().style = PenStyle::Dot;
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const Segment& s) { m_canvas.d2Line(s.x1, s.y1, s.x2, s.y2); },
        [&](const Segment& s) { pdfLine(s.x1, s.y1, s.x2, s.y2); },
        [&](const Segment& s) { appendLineText(s, true); });
    m_canvas.pen().style = PenStyle::Solid;
}

void DrawingContext::arrow(const ArgSource<VectorArgs>& args) {
    fanOut(
        m_pdfRecording, false, args,
        [&](const VectorArgs& v) { m_canvas.d2Arrow(v.x, v.y, v.dx, v.dy); },
        [&](const VectorArgs& v) { pdfVector(v.x, v.y, v.dx, v.dy); }, [](const VectorArgs&) {});
}

void DrawingContext::moveTo(const ArgSource<WorldPoint>& args) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const WorldPoint& p) { m_canvas.d2MoveTo(p.x, p.y); },
        [&](const WorldPoint& p) { pdfMoveTo(p.x, p.y); },
        [&](const WorldPoint& p) { m_picture.eepicMoveTo(p.x, p.y); });
}

void DrawingContext::lineTo(const ArgSource<WorldPoint>& args) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const WorldPoint& p) { m_canvas.d2LineTo(p.x, p.y); },
        [&](const WorldPoint& p) { pdfLineTo(p.x, p.y); },
        [&](const WorldPoint& p) {
            const Segment s{m_picture.currentX(), m_picture.currentY(), p.x, p.y};
            m_picture.eepicMoveTo(p.x, p.y);
            appendLineText(s, false);
        });
}

// "\path" or "\spline" followed by the collected points.
void DrawingContext::writePath(const char* command, const PointList& points, PathText text,
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

void DrawingContext::polyline(const ArgSource<PointList>& args, PathText text) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args, [&](const PointList& p) { m_canvas.d2Polyline(p); },
        [&](const PointList& p) { pdfPolyline(p); },
        [&](const PointList& p) { appendPath("\\path", p, text, false); });
}

void DrawingContext::polygon(const ArgSource<PointList>& args, PathText text, bool closeText) {
    withFill([&] {
        fanOut(
            m_pdfRecording, m_eepicRecording, args,
            [&](const PointList& p) { m_canvas.d2Polygon(p); },
            [&](const PointList& p) { pdfPolygon(p); },
            [&](const PointList& p) { appendPath("\\path", p, text, closeText); });
    });
}

// A "\spline" line holds at most four new points; the next line starts at the last point
// of the previous one, so the lines hold points 1–4, 4–8, 8–12, …
void DrawingContext::bezier(const ArgSource<PointList>& args) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const PointList& p) { m_canvas.d2PolyBezier(p); },
        [&](const PointList& p) { pdfBezier(p); },
        [&](const PointList& points) {
            if (points.empty() || appendClippedBezier(points)) return;
            m_picture.clearPath();
            int count = 0;
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (++count == 5) {
                    m_picture.addToPath("\r\n\\spline" +
                                        m_picture.p(points[i - 1].x, points[i - 1].y));
                    count = 1;
                }
                m_picture.addToPath(m_picture.p(points[i].x, points[i].y));
            }
            m_picture.append("\\spline" + m_picture.path());
            m_picture.clearPath();
        });
}

void DrawingContext::ellipse(const ArgSource<Box>& args) {
    withFill([&] {
        fanOut(
            m_pdfRecording, m_eepicRecording, args,
            [&](const Box& b) { m_canvas.d2Ellipse(b.x1, b.y1, b.x2, b.y2); },
            [&](const Box& b) { pdfEllipse(b.x1, b.y1, b.x2, b.y2); },
            [&](const Box& b) { appendEllipseText(b); });
    });
}

void DrawingContext::rectangle(const ArgSource<Box>& args) {
    withFill([&] {
        fanOut(
            m_pdfRecording, m_eepicRecording, args,
            [&](const Box& b) { m_canvas.d2Rectangle(b.x1, b.y1, b.x2, b.y2); },
            [&](const Box& b) { pdfRectangle(b.x1, b.y1, b.x2, b.y2); },
            [&](const Box& b) { appendRectangleText(b); });
    });
}

void DrawingContext::circle(const ArgSource<CircleArgs>& args) {
    withFill([&] {
        fanOut(
            m_pdfRecording, m_eepicRecording, args,
            [&](const CircleArgs& c) {
                m_canvas.d2Ellipse(c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r);
            },
            [&](const CircleArgs& c) {
                pdfEllipse(c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r);
            },
            [&](const CircleArgs& c) { appendCircleText(c); });
    });
}

namespace {
WorldPoint onCircle(const ArcArgs& a, Number angle) {
    return {a.mx + a.r * std::cos(angle), a.my + a.r * std::sin(angle)};
}
}  // namespace

// An arc is never shaded; a sector keeps its shade and repeats it before its sides.
void DrawingContext::appendArcText(ArcFigure figure, const ArcArgs& a) {
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

void DrawingContext::arc(ArcFigure figure, const ArgSource<ArcArgs>& args, bool filled) {
    auto canvas = [&](const ArcArgs& a) {
        const WorldPoint p1 = onCircle(a, a.a1), p2 = onCircle(a, a.a2);
        const Number x1 = a.mx - a.r, y1 = a.my - a.r, x2 = a.mx + a.r, y2 = a.my + a.r;
        if (figure == ArcFigure::Arc) m_canvas.d2Arc(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
        if (figure == ArcFigure::Sector) m_canvas.d2Pie(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
        if (figure == ArcFigure::Segment) m_canvas.d2Chord(x1, y1, x2, y2, p1.x, p1.y, p2.x, p2.y);
    };
    auto pdf = [&](const ArcArgs& a) {
        const Color pen = m_canvas.pen().color;
        const CanvasBrush& brush = m_canvas.brush();
        const bool fill = brush.style != BrushStyle::Clear;
        if (figure == ArcFigure::Arc) m_pdf.arc(pen, a.mx, a.my, a.r, a.r, a.a1, a.a2);
        if (figure == ArcFigure::Sector)
            m_pdf.pie(pen, fill, brush.color, a.mx, a.my, a.r, a.r, a.a1, a.a2);
        if (figure == ArcFigure::Segment)
            m_pdf.chord(pen, fill, brush.color, a.mx, a.my, a.r, a.r, a.a1, a.a2);
    };
    auto draw = [&] {
        fanOut(m_pdfRecording, m_eepicRecording, args, canvas, pdf,
               [&](const ArcArgs& a) { appendArcText(figure, a); });
    };
    if (filled) {
        withFill(draw);
    } else {
        draw();
    }
}

namespace {

// The canvas turns text by whole degrees; a full turn more or less is the same picture, so
// any finite angle is brought below one turn before it becomes an int (NaN: unturned).
int wholeDegrees(Number angle) {
    if (!std::isfinite(angle)) return 0;
    return static_cast<int>(std::fmod(std::nearbyint(angle), 360.0L));
}

}  // namespace

// Text is drawn without a background box, whatever the brush.
void DrawingContext::drawText(std::string_view text, int angle, Number x, Number y) {
    const BrushStyle style = m_canvas.brush().style;
    m_canvas.brush().style = BrushStyle::Clear;
    m_canvas.d2TextOut(text, angle, x, y);
    m_canvas.brush().style = style;
}

void DrawingContext::text(const ArgSource<TextArgs>& args, TextSize size) {
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const TextArgs& t) { drawText(t.text, wholeDegrees(t.angle), t.x, t.y); },
        [&](const TextArgs& t) { pdfText(t.text, t.x, t.y, t.angle); },
        [&](const TextArgs& t) {
            const std::string shown =
                size == TextSize::Footnote ? PictureText::eepicFootnoteSize(t.text) : t.text;
            m_picture.append(m_picture.eepicText(shown, t.x, t.y));
        });
}

void DrawingContext::alignedText(const ArgSource<AlignedTextArgs>& args, TextSize size) {
    // The upper-left corner of the aligned text.
    auto shifted = [&](const AlignedTextArgs& t) {
        const int px = m_canvas.windowX(t.x), py = m_canvas.windowY(t.y);
        const int w = m_canvas.textWidth(t.text), h = m_canvas.textHeight(t.text);
        const char across = t.alignment.size() > 0 ? t.alignment[0] : 'l';
        const char down = t.alignment.size() > 1 ? t.alignment[1] : 't';
        WorldPoint p{t.x, t.y};
        if (across == 'r') p.x = m_canvas.worldX(px - w);
        if (across == 'c') p.x = m_canvas.worldX(px - w / 2);
        if (down == 'b') p.y = m_canvas.worldY(py - h);
        if (down == 'c') p.y = m_canvas.worldY(py - h / 2);
        return p;
    };
    fanOut(
        m_pdfRecording, m_eepicRecording, args,
        [&](const AlignedTextArgs& t) {
            const WorldPoint p = shifted(t);
            drawText(t.text, 0, p.x, p.y);
        },
        [&](const AlignedTextArgs& t) {
            const WorldPoint p = shifted(t);
            pdfText(t.text, p.x, p.y, 0);
        },
        [&](const AlignedTextArgs& t) {
            const std::string shown =
                size == TextSize::Footnote ? PictureText::eepicFootnoteSize(t.text) : t.text;
            m_picture.append(m_picture.eepicAlignedText(shown, t.alignment, t.x, t.y));
        });
}

void DrawingContext::setPixel(Number x, Number y) {
    m_canvas.d2SetPixel(x, y);
}

void DrawingContext::floodFill(Number x, Number y, Color color, FloodStyle style) {
    m_canvas.d2FloodFill(x, y, color, style);
}

}  // namespace kalvor
