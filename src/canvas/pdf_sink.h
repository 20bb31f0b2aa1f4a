#pragma once

#include <span>
#include <string>
#include <string_view>

#include "canvas/figure_sink.h"
#include "canvas/world_canvas.h"

namespace kalvor {

class PdfRecorder;

/// Records the figures in the PDF recorder with the canvas's pen, brush and font of the
/// moment, in world coordinates. Keeps the current point of moveTo/lineTo.
class PdfSink final : public FigureSink {
public:
    PdfSink(WorldCanvas& canvas, PdfRecorder& pdf) : m_canvas(canvas), m_pdf(pdf) {}

    /// The hatch of the filled figures that follow, from the canvas brush (none: solid).
    void hatchFrom(BrushStyle style);
    /// The PDF resource name ("F1" … "F13") of the canvas font.
    std::string fontName() const;

    void line(const Segment& s) override;
    void straightLine(const Segment& s) override;
    void dashedLine(const Segment& s) override;
    void arrow(const VectorArgs& v) override;
    void moveTo(const WorldPoint& p) override;
    void lineTo(const WorldPoint& p) override;
    void polyline(const PointList& points, PathText text) override;
    void polygon(const PointList& points, PathText text, bool closeText) override;
    void bezier(const PointList& points) override;
    void ellipse(const Box& b) override;
    void rectangle(const Box& b) override;
    void circle(const CircleArgs& c) override;
    /// Below 1 pixel a square.
    void dot(const Box& box, Number size) override;
    void rotatedEllipse(const RotatedEllipseArgs& e) override;
    void arc(ArcFigure figure, const ArcArgs& a) override;
    void text(const TextArgs& t, TextSize size) override;
    void alignedText(const AlignedTextArgs& t, TextSize size) override;

    /// Text with its upper-left corner at (x, y), turned counter-clockwise about it.
    void writeText(std::string_view text, Number x, Number y, Number angleDegrees);

private:
    void lineWidthPrologue();
    void lineWidthEpilogue();
    void startPath(const WorldPoint& first);
    void pathLines(std::span<const WorldPoint> points, bool close, bool fill);
    /// A line with the pen's colour, dashed unless the pen is solid.
    void penLine(const Segment& s);

    WorldCanvas& m_canvas;
    PdfRecorder& m_pdf;
    WorldPoint m_current;
};

}  // namespace kalvor
