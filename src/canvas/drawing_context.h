#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "canvas/canvas_sink.h"
#include "canvas/drawing_state.h"
#include "canvas/pdf_sink.h"
#include "canvas/picture_sink.h"
#include "canvas/tikz_sink.h"
#include "canvas/world_canvas.h"

namespace kalvor {

class PdfRecorder;
class PictureText;

/// Produces a figure's arguments. The figure operations call it once for every active
/// sink, so that arguments with side effects (random numbers, moving list indexes) are
/// evaluated per sink.
template <class T>
using ArgSource = std::function<T()>;

/// The one drawing path of the program: every figure goes through here to the canvas sink
/// and, while an export records, to the PDF and picture-text sinks. Holds the drawing state
/// of the current run, the list of active sinks and the saved copy of the canvas
/// attributes. Owns the sinks, not the canvas, recorder or picture text they draw on.
class DrawingContext {
public:
    DrawingContext(WorldCanvas& canvas, PdfRecorder& pdf, PictureText& picture);

    WorldCanvas& canvas() { return m_canvas; }
    /// What the recording sinks have written.
    PdfRecorder& pdf() { return m_pdf; }
    PictureText& picture() { return m_picture; }
    PdfSink& pdfSink() { return m_pdfSink; }
    TikzSink& tikzSink() { return m_tikzSink; }
    DrawingState& state() { return m_state; }
    const DrawingState& state() const { return m_state; }
    const CanvasAttributes& savedAttributes() const { return m_saved; }

    bool pdfRecording() const { return m_pdfRecording; }
    bool eepicRecording() const { return m_eepicRecording; }
    bool tikzRecording() const { return m_tikzRecording; }
    void setPdfRecording(bool on);
    void setEepicRecording(bool on);
    void setTikzRecording(bool on);
    /// Off, figures reach only the recording sinks.
    void setCanvasActive(bool on);

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
    /// The picture text's word for lines `width` pixels wide ("\thinlines" up to 1),
    /// while it records.
    void announceLineWidth(int width);

    /// Resets the state at the start of a program run; the font colour comes from the
    /// window's font choice.
    void startRun(Color fontColor);
    void endRun();

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
    /// records, the canvas is left alone and the dot is at least 0.1 pixel.
    void dot(const ArgSource<DotArgs>& args);
    /// Filled; while the PDF records only the recorder's own turned ellipse is drawn. The
    /// arguments are produced once: every sink draws the same ellipse.
    void rotatedEllipse(const ArgSource<RotatedEllipseArgs>& args);
    /// With `filled` the figure takes the state's fill first (arcs of angle marks do not).
    void arc(ArcFigure figure, const ArgSource<ArcArgs>& args, bool filled = true);
    /// Upper-left corner at (x, y) with the canvas font.
    void text(const ArgSource<TextArgs>& args, TextSize size = TextSize::Normal);
    /// The text moved by its pixel size as the alignment says.
    void alignedText(const ArgSource<AlignedTextArgs>& args, TextSize size = TextSize::Normal);
    /// Canvas only.
    void setPixel(Number x, Number y);
    void floodFill(Number x, Number y, Color color, FloodStyle style);

private:
    template <class A, class Draw>
    void fanOut(const ArgSource<A>& args, Draw&& draw) {
        for (FigureSink* sink : m_active)
            draw(*sink, args());
    }
    /// The active sinks without the canvas.
    std::span<FigureSink* const> recorders() const {
        return std::span(m_active).subspan(m_canvasActive ? 1 : 0);
    }
    void updateActiveSinks();
    void withFill(const std::function<void()>& draw);
    /// The canvas brush from the state, without announcing it in the picture text.
    void setBrushFromState();

    WorldCanvas& m_canvas;
    PdfRecorder& m_pdf;
    PictureText& m_picture;
    CanvasSink m_canvasSink;
    PdfSink m_pdfSink;
    PictureSink m_pictureSink;
    TikzSink m_tikzSink;
    std::vector<FigureSink*> m_active;  // the canvas first when active
    DrawingState m_state;
    CanvasAttributes m_saved;
    bool m_pdfRecording = false;
    bool m_eepicRecording = false;
    bool m_tikzRecording = false;
    bool m_canvasActive = true;
};

enum class Medium { Canvas, Recordings };

/// Stops the canvas or the recording sinks for the life of the scope: what is drawn
/// meanwhile reaches only the others.
class SinkPause {
public:
    SinkPause(DrawingContext& context, Medium paused);
    ~SinkPause();
    SinkPause(const SinkPause&) = delete;
    SinkPause& operator=(const SinkPause&) = delete;

private:
    DrawingContext& m_context;
    Medium m_paused;
    bool m_pdf, m_eepic, m_tikz;
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
