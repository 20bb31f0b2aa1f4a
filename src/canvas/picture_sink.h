#pragma once

#include "canvas/figure_sink.h"

namespace kalvor {

class PictureText;

/// Writes the figures into the picture text (eepic), cut to the picture's frame once a
/// picture has begun. Also writes the picture's state words: shading and line widths.
class PictureSink final : public FigureSink {
public:
    explicit PictureSink(PictureText& picture) : m_picture(picture) {}

    /// "\shade": the next figure is filled.
    void shade();
    /// The line-width word of a pen `width` pixels wide.
    void lineWidth(int width);

    void line(const Segment& s) override;
    void straightLine(const Segment& s) override;
    void dashedLine(const Segment& s) override;
    /// An arrow has no picture text.
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
    /// Unrotated.
    void text(const TextArgs& t, TextSize size) override;
    /// At the given point with the alignment code.
    void alignedText(const AlignedTextArgs& t, TextSize size) override;

private:
    /// The path cut to the picture's frame; writePath() writes one part as it is.
    void appendPath(const char* command, const PointList& points, PathText text, bool closeText);
    void writePath(const char* command, const PointList& points, PathText text, bool closeText);
    /// A line cut to the picture's frame; nothing when it lies outside.
    void appendLine(Segment s, bool dashed);
    /// The figure as cut paths when it crosses the frame; false when it lies inside and
    /// keeps its own command.
    bool appendClippedArc(ArcFigure figure, const ArcArgs& a);
    bool appendClippedBezier(const PointList& points);

    PictureText& m_picture;
};

}  // namespace kalvor
