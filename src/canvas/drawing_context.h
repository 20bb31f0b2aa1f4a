#pragma once

#include <functional>
#include <string_view>

#include "canvas/drawing_state.h"
#include "canvas/world_canvas.h"

namespace kalvor {

class PdfRecorder;
class PictureText;

/// Produces a figure's arguments. The figure operations call it once for the canvas and
/// once more for every recording sink that is on, so that arguments with side effects
/// (random numbers, moving list indexes) are evaluated per sink.
template <class T>
using ArgSource = std::function<T()>;

/// How multi-point figures write their points into the picture text: "(x,y)" one after
/// the other, or one point per line.
enum class PathText { Points, PointLines };

enum class ArcFigure { Arc, Sector, Segment };

enum class TextSize { Normal, Footnote };

/// The one drawing path of the program: every figure goes through here to the canvas and,
/// while an export records, to the PDF recorder and the picture text. Holds the drawing
/// state of the current run, the two recording flags, the PDF current point and the saved
/// copy of the canvas attributes. Owns none of the three sinks.
class DrawingContext {
public:
    DrawingContext(WorldCanvas& canvas, PdfRecorder& pdf, PictureText& picture);

    WorldCanvas& canvas() { return m_canvas; }
    PdfRecorder& pdf() { return m_pdf; }
    PictureText& picture() { return m_picture; }
    DrawingState& state() { return m_state; }
    const DrawingState& state() const { return m_state; }
    const CanvasAttributes& savedAttributes() const { return m_saved; }

    bool pdfRecording() const { return m_pdfRecording; }
    bool eepicRecording() const { return m_eepicRecording; }
    void setPdfRecording(bool on) { m_pdfRecording = on; }
    void setEepicRecording(bool on) { m_eepicRecording = on; }

    // ---- Drawing state ----
    /// Canvas pen colour and width from the state.
    void applyPen();
    /// Canvas brush from the state; "\shade" in the picture text for a visible fill.
    void applyFill();
    void saveCanvasState();
    /// Pen, brush and font back from the saved copy.
    void restoreCanvasState();
    /// The pen colour of the state, applied.
    void setPenColor(Color color);
    /// The line width of the state, announced in the picture text and applied.
    void setLineWidth(int width);
    /// The font colour of the canvas and of the saved copy.
    void setFontColor(Color color);

    /// Resets the state at the start of a program run; the font colour comes from the
    /// window's font choice.
    void startRun(Color fontColor);
    void endRun();

    // ---- PDF recording of one figure (world coordinates, canvas attributes) ----
    void pdfPolygon(const PointList& points);
    void pdfPolyline(const PointList& points);
    void pdfBezier(const PointList& points);
    void pdfLine(Number x1, Number y1, Number x2, Number y2);
    void pdfEllipse(Number x1, Number y1, Number x2, Number y2);
    void pdfRectangle(Number x1, Number y1, Number x2, Number y2);
    void pdfMoveTo(Number x, Number y);
    void pdfLineTo(Number x, Number y);
    void pdfVector(Number x, Number y, Number dx, Number dy);
    void pdfText(std::string_view text, Number x, Number y, Number angleDegrees);
    /// The PDF resource name ("F1" … "F13") of the canvas font.
    std::string pdfFontName() const;

    // ---- Figures: the canvas, then each recording sink that is on ----
    void line(const ArgSource<Segment>& args);
    /// Dotted on the canvas, dashed in the PDF.
    void dashedLine(const ArgSource<Segment>& args);
    /// Drawn as the line out and back (both end pixels painted) and recorded as one PDF line.
    void straightLine(const ArgSource<Segment>& args);
    /// No picture text: an arrow has none.
    void arrow(const ArgSource<VectorArgs>& args);
    void moveTo(const ArgSource<WorldPoint>& args);
    void lineTo(const ArgSource<WorldPoint>& args);
    void polyline(const ArgSource<PointList>& args, PathText text);
    /// Filled; `closeText` repeats the first point at the end of the picture text.
    void polygon(const ArgSource<PointList>& args, PathText text, bool closeText);
    /// A start point and three points per segment.
    void bezier(const ArgSource<PointList>& args);
    void ellipse(const ArgSource<Box>& args);
    void rectangle(const ArgSource<Box>& args);
    void circle(const ArgSource<CircleArgs>& args);
    /// Filled in the pen colour. Size 0 sets one pixel on the canvas; while an export
    /// records, the canvas is left alone and the dot is at least 0.1 pixel (below 1 pixel a
    /// square in the PDF).
    void dot(const ArgSource<DotArgs>& args);
    /// Filled; while the PDF records only the recorder's own turned ellipse is drawn. An
    /// unfilled one is a closed Bézier outline on the canvas, otherwise a 72-point polygon.
    void rotatedEllipse(const ArgSource<RotatedEllipseArgs>& args);
    /// With `filled` the figure takes the state's fill first (arcs of angle marks do not).
    void arc(ArcFigure figure, const ArgSource<ArcArgs>& args, bool filled = true);
    /// Upper-left corner at (x, y) with the canvas font; the picture text is unrotated.
    void text(const ArgSource<TextArgs>& args, TextSize size = TextSize::Normal);
    /// The text moved by its pixel size as the alignment says; the picture text keeps the
    /// given point and the alignment code.
    void alignedText(const ArgSource<AlignedTextArgs>& args, TextSize size = TextSize::Normal);
    /// Canvas only.
    void setPixel(Number x, Number y);
    void floodFill(Number x, Number y, Color color, FloodStyle style);

private:
    void lineWidthPrologue();
    void lineWidthEpilogue();
    void startPdfPath(const PointList& points);
    void withFill(const std::function<void()>& draw);
    /// The canvas brush from the state, without announcing it in the picture text.
    void setBrushFromState();
    /// The path cut to the picture's frame; writePath() writes one part as it is.
    void appendPath(const char* command, const PointList& points, PathText text, bool closeText);
    void writePath(const char* command, const PointList& points, PathText text, bool closeText);
    /// A line cut to the picture's frame; nothing when it lies outside.
    void appendLineText(Segment s, bool dashed);
    void appendEllipseText(const Box& b);
    void appendCircleText(const CircleArgs& c);
    void appendRectangleText(const Box& b);
    /// The figure as cut paths when it crosses the frame; false when it lies inside and
    /// keeps its own command.
    bool appendClippedArc(ArcFigure figure, const ArcArgs& a);
    bool appendClippedBezier(const PointList& points);
    void appendArcText(ArcFigure figure, const ArcArgs& a);
    void drawText(std::string_view text, int angle, Number x, Number y);

    WorldCanvas& m_canvas;
    PdfRecorder& m_pdf;
    PictureText& m_picture;
    DrawingState m_state;
    CanvasAttributes m_saved;
    bool m_pdfRecording = false;
    bool m_eepicRecording = false;
    Number m_pdfX = 0, m_pdfY = 0;
};

/// The font of the program's text commands for the life of the scope: the state's font
/// name, size and style on the canvas, then back to the run's default font and the saved
/// size.
class ProgramFontScope {
public:
    explicit ProgramFontScope(DrawingContext& context);
    ~ProgramFontScope();
    ProgramFontScope(const ProgramFontScope&) = delete;
    ProgramFontScope& operator=(const ProgramFontScope&) = delete;

private:
    DrawingContext& m_context;
    bool m_bold, m_italic, m_underline;
    BrushStyle m_brushStyle;
};

}  // namespace kalvor
