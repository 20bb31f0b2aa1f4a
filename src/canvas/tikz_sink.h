#pragma once

#include <string>
#include <string_view>

#include "canvas/figure_sink.h"
#include "canvas/world_canvas.h"

namespace kalvor {

/// Writes the figures as a TikZ picture with the canvas's pen, brush and font of the moment:
/// world coordinates with axis vectors that give the picture the canvas's size in cm at
/// 96 dpi, clipped to the canvas rectangle. Points beyond the canvas's far-pixel limit are
/// pulled back to it as the canvas does. A world too large or too far from its origin for
/// TeX's dimensions is written in cm instead.
class TikzSink final : public FigureSink {
public:
    explicit TikzSink(WorldCanvas& canvas) : m_canvas(canvas) {}

    /// Starts a new picture over the canvas's present size and world.
    void begin();
    void end();
    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

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

    /// Output = k × world + o on one axis, `cm` centimetres per output unit.
    struct Axis {
        double k = 1, o = 0, cm = 1;
        int decimals = 4;
    };

private:
    enum class Paint { Stroke, Fill, FillAndStroke };
    void command(Paint paint);
    void penOptions();
    void fillOptions();
    void point(Number x, Number y);
    void pathPoints(const PointList& points, bool close, Paint paint);
    void writeNode(std::string_view tex, Number x, Number y, Number angleDegrees);
    std::string fontCommands() const;

    WorldCanvas& m_canvas;
    std::string m_text;
    Axis m_x, m_y;
    WorldPoint m_current;
};

/// The text as LaTeX: special characters escaped; with the Symbol font, letters as the Greek
/// letters of their keys.
std::string texText(std::string_view utf8, bool symbolFont);

}  // namespace kalvor
