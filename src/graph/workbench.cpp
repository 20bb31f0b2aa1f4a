#include "graph/workbench.h"

#include <cmath>
#include <utility>

#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "graph/program_settings.h"
#include "lang/executor.h"
#include "lang/run_context.h"

namespace kalvor {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Workbench::Workbench(Host& host, QObject* parent)
    : QObject(parent), m_host(host), m_env(m_host), m_commands(buildCommandTable()) {
    m_host.setFilter(
        [this](std::string_view caption, std::string_view text, Host::Icon icon,
               Host::Buttons buttons) { return allowBox(caption, icon, buttons, text); });
    m_canvas.resize(kStartWidth, kStartHeight);
    m_windowFont = m_canvas.font();
    m_env.drawing = &m_drawing;
    m_env.window = this;
    installRunHooks();
}

// Run start: the drawing state, no own axes, the sliders back to a and b until the program
// binds them. Run end: a and b follow the sliders unless the program bound one.
void Workbench::installRunHooks() {
    m_env.runStartHooks.push_back([this](RunContext&) {
        m_drawing.startRun(m_windowFont.color);
        m_ownAxes = false;
        m_sliders.startRun();
    });
    m_env.runEndHooks.push_back([this](RunContext&) {
        if (m_env.flags.paramsFollowSliders) {
            m_env.parser(4).a = m_sliders.parameter(0);
            m_env.parser(4).b = m_sliders.parameter(1);
        }
        m_drawing.endRun();
    });
    m_env.takeSnapshot = [this] { m_snapshot = m_canvas.snapshot(); };
    m_env.showSnapshot = [this] {
        if (!m_snapshot.image.isNull()) m_canvas.restore(m_snapshot);
    };
}

std::uint64_t Workbench::setProgram(std::vector<std::string> compiledLines) {
    // The executor walks the running program; a new one waits for the run to end.
    if (m_running) {
        m_nextProgram = CompiledProgram(std::move(compiledLines));
        return m_nextProgramNumber = ++m_programsGiven;
    }
    m_program = CompiledProgram(std::move(compiledLines));
    m_nextProgram.reset();
    return m_programNumber = ++m_programsGiven;
}

std::string* Workbench::field(std::string_view name) {
    GraphSettings& s = m_settings;
    const std::pair<std::string_view, std::string*> fields[] = {
        {"xmin", &s.xmin},          {"xmax", &s.xmax},         {"ymin", &s.ymin},
        {"ymax", &s.ymax},          {"F", &s.functions[0]},    {"G", &s.functions[1]},
        {"H", &s.functions[2]},     {"I", &s.functions[3]},    {"user1", &s.userTexts[0]},
        {"user2", &s.userTexts[1]}, {"user3", &s.userTexts[2]}};
    for (auto [fieldName, text] : fields)
        if (fieldName == name) return text;
    return nullptr;
}

// ---- Redraw ----------------------------------------------------------------------------------

bool Workbench::redraw() {
    if (m_running || m_env.flags.paused) {
        // Remembered, so that the picture belongs to the fields once the program is idle.
        m_pendingFromSlider = (!m_redrawPending || m_pendingFromSlider) && m_sliderRedraw;
        m_redrawPending = true;
        return false;
    }
    // Requests made while this redraw runs its program are no slider's unless they say so.
    bool drawn = redrawOnce(std::exchange(m_sliderRedraw, false));
    // A recording redraw leaves the pending one to the export's own last redraw.
    while (m_redrawPending && !recording())
        drawn = redrawOnce(m_pendingFromSlider);
    takeNextProgram();
    return drawn;
}

void Workbench::takeNextProgram() {
    if (!m_nextProgram) return;
    m_program = std::move(*m_nextProgram);
    m_nextProgram.reset();
    m_programNumber = m_nextProgramNumber;
}

bool Workbench::recording() const {
    return m_drawing.eepicRecording() || m_drawing.pdfRecording() || m_metafileRecording;
}

// Error boxes of a redraw that only a slider asked for are shown once for the same formulas
// and program: a dragged slider would otherwise bring the same box back at every step.
bool Workbench::allowBox(std::string_view caption, Host::Icon icon, Host::Buttons buttons,
                         std::string_view text) {
    const bool error = icon == Host::Icon::Error || icon == Host::Icon::Warning;
    if (!m_inRedraw || !error || buttons != Host::Buttons::Ok) return true;
    std::vector<std::string> context(m_settings.functions.begin(), m_settings.functions.end());
    context.insert(context.end(), m_program.lines().begin(), m_program.lines().end());
    return m_repeatedErrors.shouldShow(context, caption, text);
}

bool Workbench::redrawOnce(bool fromSlider) {
    takeNextProgram();
    m_redrawPending = false;
    m_repeatedErrors.redrawStarts(fromSlider);
    m_inRedraw = true;
    const GraphSettings fieldsBefore = m_settings;
    const SliderPanel slidersBefore = m_sliders;
    Range range;
    const bool drawn = applySettingLines(range) && setWorld(range);
    if (drawn) {
        m_band = PlotBand::of(range.xmin, range.xmax, range.ymin, range.ymax, m_samplesPerWidth);
        m_canvas.setSmoothLines(m_settings.smoothLines);
        m_canvas.clear();
        m_canvas.setClipped(false);
        if (m_metafileRecording) m_canvas.setRecordMetafile(true);
        firstAxesPass();
        m_canvas.clear();
        runProgram();
        m_axes.drawWindowAxes(m_ownAxes);
        plotFunctions();
        m_drawing.announceLineWidth(1);
    }
    if (!(m_settings == fieldsBefore)) emit fieldsChanged();
    if (!(m_sliders == slidersBefore)) emit slidersChanged();
    m_inRedraw = false;
    if (drawn) emit redrawn();
    return drawn;
}

// The program's setting lines into the fields, then the range fields as numbers for the
// program (Parser1 … Parser3) and the world.
bool Workbench::applySettingLines(Range& range) {
    std::vector<SettingError> rejected;
    m_options = applyProgramSettings(m_program.lines(), m_settings, &rejected);
    for (const SettingError& e : rejected)
        host().messageBox(kErrorCaption,
                          notWholeNumberMessage(e.value, kProgramSettingsSource, e.name),
                          Host::Icon::Error);
    const std::tuple<const char*, const std::string&, Number&> fields[] = {
        {"xmax", m_settings.xmax, range.xmax},
        {"xmin", m_settings.xmin, range.xmin},
        {"ymax", m_settings.ymax, range.ymax},
        {"ymin", m_settings.ymin, range.ymin}};
    for (const auto& [name, text, value] : fields) {
        if (!parseNumber(trimmed(text), value) || !std::isfinite(value)) {
            host().messageBox(kErrorCaption, badRangeFieldMessage(name, text), Host::Icon::Error);
            return false;
        }
    }
    for (const auto& [name, text, value] : fields)
        m_env.setVariable(name, value, 3);
    return true;
}

bool Workbench::setWorld(const Range& r) {
    try {
        m_canvas.setWorld(r.xmin, r.ymin, r.xmax, r.ymax);
    } catch (const CanvasError&) {
        const char* which =
            r.xmax > r.xmin ? "ymax moet groter zijn dan ymin." : "xmax moet groter zijn dan xmin.";
        host().messageBox(kErrorCaption, which, Host::Icon::Error);
        return false;
    }
    return true;
}

// Fixes the axes frame (and with it the mapping the program draws in) without recording.
void Workbench::firstAxesPass() {
    const SinkPause recorders(m_drawing, Medium::Recordings);
    m_axes.drawWindowAxes(m_ownAxes);
}

void Workbench::setRunning(bool running) {
    m_running = running;
    emit runningChanged(running);
}

void Workbench::runProgram() {
    setRunning(true);
    m_env.controls.transparentGifs = m_settings.transparentGifs;
    m_env.flags.expressionError = false;
    m_env.flags.evaluationError = false;
    const std::optional<std::size_t> failedLine = runExecutor();
    setRunning(false);
    if (failedLine) emit runStoppedOnError(m_programNumber, *failedLine);
}

// The run; the compiled line it stopped on when it stopped with an error.
std::optional<std::size_t> Workbench::runExecutor() {
    Executor executor(m_env, m_commands, m_program, m_options);
    executor.abortCheck = abortCheck;
    executor.stopCheck = stopCheck;
    try {
        executor.run();
    } catch (const std::exception&) {
        if (!m_env.flags.expressionError && !m_env.flags.evaluationError)
            host().messageBox(kErrorCaption, kGeneralFailure, Host::Icon::Error);
        resetCanvasAttributes();
        return executor.context().commandLine;
    }
    return executor.context().failedLine();
}

void Workbench::resetCanvasAttributes() {
    m_canvas.pen() = CanvasPen{};
    m_canvas.brush() = CanvasBrush{};
    m_canvas.font() = m_windowFont;
}

// F, G, H and I, each on its own: a failure shows its message and the next one is plotted.
// Afterwards the pen is the window's again, so that a program's figures do not take the
// colour and width of the last function of the previous redraw.
void Workbench::plotFunctions() {
    RunContext ctx(m_env, m_program, m_options);
    int previousWidth = m_canvas.pen().width;
    for (int k = 0; k < 4; ++k) {
        const Swatch& swatch = m_settings.functionSwatches[k];
        m_canvas.pen().color = swatch.colour;
        if (swatch.width != previousWidth) {
            m_canvas.pen().width = swatch.width;
            m_drawing.announceLineWidth(swatch.width);
        }
        previousWidth = swatch.width;
        m_drawnFormulas[k].reset();
        try {
            plotFunction(ctx, m_settings.functions[k], m_env.parser(4));
            if (!m_settings.functions[k].empty()) m_drawnFormulas[k] = m_env.parser(4).expression();
        } catch (const std::exception&) {
            if (!m_env.flags.expressionError)
                host().messageBox(kErrorCaption, kGeneralFailure, Host::Icon::Error);
        }
    }
    m_canvas.pen() = CanvasPen{};
}

void Workbench::plotFunction(RunContext& ctx, std::string_view expression, Parser& parser) {
    // Only a field left empty means no graph; what preprocessing empties is the formula 0.
    if (expression.empty()) return;
    const std::string prepared = ctx.preprocess(expression);
    bool failed = false;
    try {
        parser.setExpression(prepared);
        failed = parser.parseFailed();
    } catch (const ParserError&) {
        failed = true;
    }
    if (failed) {
        const bool fromProgram = &parser != &m_env.parser(4);
        m_env.flags.expressionError = true;
        host().messageBox(kErrorCaption, cannotParseMessage(expression, fromProgram),
                          Host::Icon::Error);
        throw RunAborted("the formula of a graph could not be parsed");
    }
    samplePieces(parser, m_band, m_plotPoints, [this](const PointList& piece) {
        m_drawing.polyline([&piece] { return piece; }, PathText::PointLines);
    });
}

bool Workbench::drawOwnAxes(RunContext& ctx, std::string_view xFormat, std::string_view yFormat,
                            Number xStep, Number yStep) {
    m_ownAxes = true;
    SampleClock clock(ctx);
    const OwnAxesRequest request{std::string(xFormat), std::string(yFormat), xStep, yStep,
                                 [&clock] { return clock.aborted(); }};
    return m_axes.drawOwnAxes(request);
}

}  // namespace kalvor
