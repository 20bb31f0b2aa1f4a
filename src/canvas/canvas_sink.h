#pragma once

#include "canvas/figure_sink.h"
#include "canvas/world_canvas.h"

namespace kalvor {

/// The upper-left corner of an aligned text on `canvas`, moved by its pixel size.
WorldPoint alignedTextCorner(const WorldCanvas& canvas, const AlignedTextArgs& t);

/// The 13 points of four cubic quarter arcs around a turned ellipse.
PointList bezierOutline(const RotatedEllipseArgs& e);
/// 72 points, 5 degrees apart, around a turned ellipse.
PointList polygonOutline(const RotatedEllipseArgs& e);

/// Draws the figures on the raster canvas with its pen, brush and font.
class CanvasSink final : public FigureSink {
public:
    explicit CanvasSink(WorldCanvas& canvas) : m_canvas(canvas) {}

    /// While the picture text records, a turned ellipse is drawn as the polygon the picture
    /// text holds, so that both show the same outline.
    void setPolygonEllipses(bool on) { m_polygonEllipses = on; }

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
    void dot(const Box& box, Number size) override;
    void rotatedEllipse(const RotatedEllipseArgs& e) override;
    void arc(ArcFigure figure, const ArcArgs& a) override;
    void text(const TextArgs& t, TextSize size) override;
    void alignedText(const AlignedTextArgs& t, TextSize size) override;

private:
    void drawText(std::string_view text, int angle, Number x, Number y);

    WorldCanvas& m_canvas;
    bool m_polygonEllipses = false;
};

}  // namespace kalvor
