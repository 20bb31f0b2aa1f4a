#pragma once

#include <cmath>

#include "canvas/drawing_state.h"

namespace kalvor {

/// How multi-point figures write their points into the picture text: "(x,y)" one after
/// the other, or one point per line.
enum class PathText { Points, PointLines };

enum class ArcFigure { Arc, Sector, Segment };

enum class TextSize { Normal, Footnote };

/// The point of the arc's circle at `angle` radians.
inline WorldPoint onCircle(const ArcArgs& a, Number angle) {
    return {a.mx + a.r * std::cos(angle), a.my + a.r * std::sin(angle)};
}

/// One medium a figure is drawn on: the canvas, the PDF recorder or the picture text. The
/// drawing layer keeps the state, sets the canvas pen and brush, and calls every active sink
/// with the figure's arguments; each sink draws with the canvas attributes of that moment.
/// Every figure is pure virtual, so a medium cannot silently leave one out.
class FigureSink {
public:
    virtual ~FigureSink() = default;

    /// A straight piece drawn as a two-point polyline.
    virtual void line(const Segment& s) = 0;
    /// A straight piece drawn as a line (on the canvas: out and back, both end pixels set).
    virtual void straightLine(const Segment& s) = 0;
    virtual void dashedLine(const Segment& s) = 0;
    virtual void arrow(const VectorArgs& v) = 0;
    virtual void moveTo(const WorldPoint& p) = 0;
    virtual void lineTo(const WorldPoint& p) = 0;
    virtual void polyline(const PointList& points, PathText text) = 0;
    /// `closeText` repeats the first point at the end of the picture text.
    virtual void polygon(const PointList& points, PathText text, bool closeText) = 0;
    /// A start point and three points per segment.
    virtual void bezier(const PointList& points) = 0;
    virtual void ellipse(const Box& b) = 0;
    virtual void rectangle(const Box& b) = 0;
    virtual void circle(const CircleArgs& c) = 0;
    /// A dot filling `box`, of `size` pixels radius.
    virtual void dot(const Box& box, Number size) = 0;
    virtual void rotatedEllipse(const RotatedEllipseArgs& e) = 0;
    virtual void arc(ArcFigure figure, const ArcArgs& a) = 0;
    /// Upper-left corner at (x, y).
    virtual void text(const TextArgs& t, TextSize size) = 0;
    /// Anchored at (x, y) as the alignment says.
    virtual void alignedText(const AlignedTextArgs& t, TextSize size) = 0;
};

}  // namespace kalvor
