#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graph/graph_settings.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/environment.h"

namespace kalvor {

/// The document of the graph window: its fields, the program environment (the four parsers,
/// lists, text variables, output lines, flags), the command table and the compiled program.
/// Windows observe and edit it; the command line drives it headless.
class Workbench {
public:
    explicit Workbench(Host& host);
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    Host& host() { return m_env.host; }
    Environment& environment() { return m_env; }
    GraphSettings& settings() { return m_settings; }
    const CompiledProgram& program() const { return m_program; }
    void setProgram(std::vector<std::string> compiledLines);

    /// Applies the program's setting lines, publishes xmin … ymax to Parser1 … Parser3 and
    /// runs the program, reporting a failure as the redraw does. Returns false when the
    /// range fields do not hold numbers (nothing was run).
    bool runProgram();

    /// Passed to every run's executor (see Executor::abortCheck and stopCheck).
    std::function<bool()> abortCheck;
    std::function<bool()> stopCheck;

private:
    bool publishRange();

    Environment m_env;
    CommandTable m_commands;
    GraphSettings m_settings;
    CompiledProgram m_program;
    RunOptions m_options;
};

}  // namespace kalvor
