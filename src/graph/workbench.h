#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "canvas/drawing_context.h"
#include "canvas/world_canvas.h"
#include "graph/graph_settings.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/environment.h"
#include "lang/window_services.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace kalvor {

/// The document of the graph window: its fields, the program environment (the four parsers,
/// lists, text variables, registers, output lines, flags), the drawing sinks (canvas, PDF
/// recorder, picture text and the drawing layer over them), the command table and the
/// compiled program. Windows observe and edit it; the command line drives it headless.
class Workbench : public WindowServices {
public:
    static constexpr int kStartWidth = 360;
    static constexpr int kStartHeight = 360;

    explicit Workbench(Host& host);
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    Host& host() { return m_env.host; }
    Environment& environment() { return m_env; }
    GraphSettings& settings() { return m_settings; }
    WorldCanvas& canvas() { return m_canvas; }
    DrawingContext& drawing() { return m_drawing; }
    const CompiledProgram& program() const { return m_program; }
    void setProgram(std::vector<std::string> compiledLines);

    /// Applies the program's setting lines, publishes xmin … ymax to Parser1 … Parser3 and
    /// runs the program, reporting a failure as the redraw does. Returns false when the
    /// range fields do not hold numbers (nothing was run).
    bool runProgram();

    std::string* field(std::string_view name) override;

    /// Passed to every run's executor (see Executor::abortCheck and stopCheck).
    std::function<bool()> abortCheck;
    std::function<bool()> stopCheck;

private:
    bool publishRange();

    Environment m_env;
    WorldCanvas m_canvas;
    PdfRecorder m_pdf;
    PictureText m_picture;
    DrawingContext m_drawing{m_canvas, m_pdf, m_picture};
    /// The font colour of the window's font choice, given to every run.
    Color m_fontColor = kBlack;
    CommandTable m_commands;
    GraphSettings m_settings;
    CompiledProgram m_program;
    RunOptions m_options;
};

}  // namespace kalvor
