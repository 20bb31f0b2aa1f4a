#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "canvas/drawing_context.h"
#include "canvas/world_canvas.h"
#include "graph/canvas_navigation.h"
#include "graph/function_plot.h"
#include "graph/graph_settings.h"
#include "graph/repeated_errors.h"
#include "graph/sliders.h"
#include "graph/swatches.h"
#include "graph/window_axes.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/environment.h"
#include "lang/window_services.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace kalvor {

enum class MouseButton { Left, Middle, Right };

/// The names the export dialogs offer first.
inline constexpr const char* kDefaultEepicName = "eepic.tex";
inline constexpr const char* kDefaultMetafileName = "met.svg";
inline constexpr const char* kDefaultTikzName = "tekening.tikz";

/// The document of the graph window: its fields, the program environment (the four parsers,
/// lists, text variables, registers, output lines, flags), the drawing sinks (canvas, PDF
/// recorder, picture text and the drawing layer over them), the sliders, the command table
/// and the compiled program; and the redraw that rebuilds the picture from all of them.
/// Windows observe it through its signals and the canvas's, and call its methods; the
/// command line drives it headless.
class Workbench : public QObject, public WindowServices {
    Q_OBJECT

public:
    static constexpr int kStartWidth = 360;
    static constexpr int kStartHeight = 360;

    explicit Workbench(Host& host, QObject* parent = nullptr);
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    Host& host() { return m_env.host; }
    /// The program's world: parsers, lists, texts, registers, the output window's lines
    /// (environment().output, with its `changed` callback), flags and mouse state.
    Environment& environment() { return m_env; }
    /// The window's fields. Editing them changes nothing until the next redraw.
    GraphSettings& settings() { return m_settings; }
    const GraphSettings& settings() const { return m_settings; }
    WorldCanvas& canvas() { return m_canvas; }
    const WorldCanvas& canvas() const { return m_canvas; }
    DrawingContext& drawing() { return m_drawing; }
    const CompiledProgram& program() const { return m_program; }
    /// The program that every redraw runs (as the editor compiled it). Given while a program
    /// runs, it takes over when that run ends. Returns the number that runStoppedOnError()
    /// will name this program by.
    std::uint64_t setProgram(std::vector<std::string> compiledLines);

    // ---- Redraw ----
    /// "Weer Tekenen": applies the program's setting lines, sets the world from the range
    /// fields, draws the axes, runs the program, draws the axes again and plots F … I.
    /// Returns false when nothing was drawn: a program is running or waits at `stop`, or a
    /// range field holds no usable number (its message has been shown). Asked for while a
    /// program runs, the redraw is remembered and done as soon as that run is over.
    bool redraw();
    /// A redraw was asked for during the current run and waits for its end.
    bool redrawPending() const { return m_redrawPending; }
    /// A program run is in progress: redraws are ignored and the canvas keeps its size.
    bool isRunning() const { return m_running; }
    /// A program waits at `stop`: redraws and exports are ignored.
    bool isPaused() const { return m_env.flags.paused; }
    /// The band, range and sample step of the last redraw.
    const PlotBand& plotBand() const { return m_band; }
    int samplesPerWidth() const { return m_samplesPerWidth; }

    // ---- Canvas size and font ----
    /// The canvas takes the new size; refused (false) while a program runs. Redraws once
    /// start-up is complete and no presentation is being opened.
    bool resizeCanvas(int width, int height);
    /// The screen's device pixels per canvas pixel; the picture is drawn again at the new
    /// precision when the window is idle.
    void setCanvasRatio(int ratio);
    /// "breedte 9.5 cm (360 pix)" and "hoogte 9.5 cm (360 pix)".
    std::pair<std::string, std::string> sizeTexts() const;
    void setStartupComplete(bool complete) { m_startupComplete = complete; }
    void setPresentationIdle(bool idle) { m_presentationIdle = idle; }
    /// The font chosen in the window's font dialog: the canvas takes it, runs start with
    /// its colour, and the picture is redrawn.
    void setWindowFont(const CanvasFont& font);
    const CanvasFont& windowFont() const { return m_windowFont; }

    // ---- Sliders ----
    const SliderPanel& sliders() const { return m_sliders; }
    /// A slider moved (index 0 or 1, position clamped to −100 … 100): the parameter a or b,
    /// or the program variable bound to it, follows, and the picture is redrawn.
    void setSliderPosition(int index, int position);
    /// A slider gained focus.
    void sliderEntered(int index);
    /// The two readouts ("a=3.7", or "name=value" for a program slider).
    std::array<std::string, 2> sliderTexts() const { return m_sliders.readouts; }
    bool sliderVisible(int index) const { return m_sliders.sliderVisible.at(index); }
    bool sliderReadoutVisible(int index) const { return m_sliders.readoutVisible.at(index); }
    /// The menu item "Sch&uifbalken": checked while the sliders are shown.
    bool slidersMenuChecked() const { return m_sliders.menuChecked; }
    void toggleSlidersMenu();
    /// A new program begins (the editor opens): slider bindings forgotten, sliders hidden,
    /// free points back at their start.
    void resetProgramInterface();

    // ---- Mouse and keys (canvas pixels) ----
    /// A press in the 10 × 10 pixels at the lower-right corner puts the free points back.
    void mouseDown(int px, int py, MouseButton button);
    /// With the left button held: the mouse world position follows and the picture redraws.
    void mouseMove(int px, int py, bool leftHeld);
    /// Ends a drag; the right button flood-fills the clicked area with the fill swatch on the
    /// canvas only (the next redraw removes it).
    void mouseUp(int px, int py, MouseButton button);
    /// Every key that reaches the window; returns true when it was consumed (Escape).
    bool keyPressed(int code);

    // ---- Zoom, pan and trace (canvas pixels) ----
    // These change the range fields and announce fieldsChanged(); the caller redraws, as
    // after typing. They change nothing (false) while a program runs or waits at `stop`,
    // when a range field holds no number, or when the range would become unusable.
    /// Zooms in by kZoomStep per notch (out for negative notches) about the world point under
    /// the pixel.
    bool zoomAt(int px, int py, int notches);
    /// A pan starts at the pixel with the range the fields hold.
    bool startPan(int px, int py);
    /// Moves the range so that the world point that was under the start is under the pixel.
    bool panTo(int px, int py);
    void endPan() { m_pan.reset(); }
    bool panning() const { return m_pan.has_value(); }
    /// "Standaardvenster": the fields as they were before the zooms and pans since they were
    /// last set otherwise, or the start range when the fields were set otherwise since.
    bool restoreStandardWindow();
    /// The world point under the pixel and, with `functions`, the values there of the
    /// functions the last redraw drew.
    TraceReadout traceAt(int px, int py, bool functions);
    /// The functions drawn, evaluated at `rows` values of x from `start` by `step`.
    FunctionTable functionTable(Number start, Number step, int rows);
    static constexpr int kMaxTableRows = 10000;

    // ---- Swatches ----
    const Swatch& swatch(SwatchId id) const;
    /// A colour chosen for a swatch; the function swatches redraw at once.
    void setSwatchColour(SwatchId id, Color colour);
    /// The answer of the "Lijndikte" box for a function or the axis swatch, clamped to
    /// 1 … 3. A non-number shows a message and changes nothing (false). The function
    /// swatches redraw at once; the grid swatch has no width.
    bool setSwatchWidth(SwatchId id, std::string_view answer);
    const FillSwatch& fillSwatch() const { return m_settings.fillSwatch; }
    /// Left click on the fill swatch.
    void nextFillPattern();
    void setFillColour(Color colour);

    // ---- Preferences ("voorkeuren.txt" in `folder`) ----
    /// Writes the settings; shows "Geen toegang tot voorkeuren, voorkeuren niet opgeslagen"
    /// when the file cannot be written.
    bool savePreferences(const std::string& folder = ".");
    /// Reads the file when it exists (otherwise the lines of the last save or load are
    /// applied again) and redraws when asked. A value that should be a whole number and is
    /// not shows a message and ends the load there (false), without a redraw.
    bool loadPreferences(const std::string& folder = ".", bool redrawAfter = true);
    /// Start-up (the window calls it once it exists): loads the file without redrawing, or
    /// creates it from the current settings (failures ignored).
    void loadPreferencesAtStart(const std::string& folder = ".");
    const std::vector<std::string>& preferenceLines() const { return m_preferenceLines; }

    // ---- Exports (ignored while a program runs or waits at `stop`) ----
    /// Asked once the drawing has been recorded: the file to write, nothing when cancelled.
    using PathChoice = std::function<std::optional<std::string>()>;
    /// The drawing as a one-page PDF: a normal redraw, the recording redraw, then the file
    /// is asked for and written, then a normal redraw (also when cancelled).
    bool exportPdf(const PathChoice& choosePath);
    /// The drawing as a LaTeX picture with eepic commands, in the same order as the PDF.
    bool exportEepic(const PathChoice& choosePath);
    /// The drawing as SVG from the canvas's vector mirror at twice the canvas size, or at
    /// the canvas size when "2x zo groot" is off (the canvas is then halved for the
    /// recording and restored and redrawn afterwards, announcing both through its
    /// resized()). The file is asked for after the recording redraw.
    bool exportMetafile(const PathChoice& choosePath);
    bool exportPdf(const std::string& path);
    bool exportEepic(const std::string& path);
    /// A TikZ picture of the drawing, recorded by a redraw.
    bool exportTikz(const PathChoice& choosePath);
    bool exportTikz(const std::string& path);
    bool exportMetafile(const std::string& path);
    /// The canvas bitmap as it stands, as PNG.
    bool exportPng(const std::string& path);
    /// The canvas bitmap as it stands, in the raster format of the file's extension (GIF
    /// with white transparent while "Transparante Gif's" is checked), written atomically;
    /// the Dutch message when it was not written.
    std::optional<std::string> saveCanvasImage(const std::string& path);

    // ---- What programs ask of the window ----
    std::string* field(std::string_view name) override;
    void plotFunction(RunContext& ctx, std::string_view expression, Parser& parser) override;
    bool drawOwnAxes(RunContext& ctx, std::string_view xFormat, std::string_view yFormat,
                     Number xStep, Number yStep) override;
    void bindSlider(int number, std::string_view variable, Number min, Number max) override;

    /// Passed to every run's executor (see Executor::abortCheck and stopCheck).
    std::function<bool()> abortCheck;
    std::function<bool()> stopCheck;

signals:
    /// Setting lines of the program or a preferences load changed the fields.
    void fieldsChanged();
    /// Positions, readouts or visibility of the sliders changed.
    void slidersChanged();
    void sizeTextsChanged();
    /// A program run started (true) or ended (false).
    void runningChanged(bool running);
    /// A redraw completed.
    void redrawn();
    /// The run of program `program` (setProgram's number) stopped with an error on its
    /// compiled line `line`.
    void runStoppedOnError(qulonglong program, qulonglong line);

private:
    struct Range {
        Number xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    };

    struct PanStart {
        ViewRange range;
        int px = 0, py = 0;
        Number pixelsPerX = 1, pixelsPerY = 1;
    };
    using RangeTexts = std::array<std::string, 4>;

    bool redrawOnce(bool fromSlider);
    bool navigationAllowed() const;
    RangeTexts rangeTexts() const;
    void setRangeTexts(const RangeTexts& texts);
    bool navigateTo(const ViewRange& range);
    std::vector<std::pair<int, Formula>> drawnFormulas();
    FunctionValue valueAt(const Formula& formula, Number x);
    bool recording() const;
    void takeNextProgram();
    bool allowBox(std::string_view caption, Host::Icon icon, Host::Buttons buttons,
                  std::string_view text);
    bool applySettingLines(Range& range);
    bool setWorld(const Range& range);
    void firstAxesPass();
    void runProgram();
    std::optional<std::size_t> runExecutor();
    void plotFunctions();
    void setRunning(bool running);
    void resetCanvasAttributes();
    void publishSliderValues();
    void sliderRedraw();
    void installRunHooks();
    bool writePreferences(const std::string& folder);
    void reportUnsaved(const std::string& path);

    FilteringHost m_host;
    Environment m_env;
    WorldCanvas m_canvas;
    PdfRecorder m_pdf;
    PictureText m_picture;
    DrawingContext m_drawing{m_canvas, m_pdf, m_picture};
    CommandTable m_commands;
    GraphSettings m_settings;
    WindowAxes m_axes{m_drawing, m_settings};
    CompiledProgram m_program;
    std::optional<CompiledProgram> m_nextProgram;  // given during a run
    std::uint64_t m_programNumber = 0;
    std::uint64_t m_nextProgramNumber = 0;
    std::uint64_t m_programsGiven = 0;
    RepeatedErrors m_repeatedErrors;
    RunOptions m_options;
    CanvasFont m_windowFont;
    SliderPanel m_sliders;
    /// The picture a film starts from (snapshot, toonsnapshot, every pass of film).
    WorldCanvas::Snapshot m_snapshot;
    PlotBand m_band;
    /// The prepared formulas of F … I as the last redraw drew them (none: not drawn).
    std::array<std::optional<std::string>, 4> m_drawnFormulas;
    std::optional<PanStart> m_pan;
    RangeTexts m_homeRange;                      // the fields before the first zoom or pan
    std::optional<RangeTexts> m_navigatedRange;  // as the last zoom or pan left them
    PointList m_plotPoints;
    std::vector<std::string> m_preferenceLines;
    int m_samplesPerWidth = kStartWidth;
    bool m_running = false;
    bool m_inRedraw = false;
    bool m_sliderRedraw = false;      // the slider handler asks for the redraw
    bool m_redrawPending = false;     // asked for during a run
    bool m_pendingFromSlider = true;  // only sliders asked for the pending redraw
    bool m_ownAxes = false;
    bool m_metafileRecording = false;
    bool m_startupComplete = false;
    bool m_presentationIdle = true;
};

}  // namespace kalvor
