#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/environment.h"
#include "lang/run_context.h"

namespace kalvor {

/// The command lines the executor handles itself rather than through the command table:
/// loops, conditions, procedures, assignments, "_" and "eindals".
std::vector<std::string_view> executorKeywords();

/// Runs a compiled program from top to bottom: the control structures (loops, conditions,
/// procedures), assignments, and the dispatch of every other command to its family's handler.
/// One Executor serves one run; nothing of its stacks survives the run.
class Executor {
public:
    static constexpr std::size_t kMaxLoops = 20;
    static constexpr std::size_t kMaxRepeats = 100;
    static constexpr int kMaxProcedureDepth = 100;
    static constexpr std::size_t kMaxFrameNames = 16;

    Executor(Environment& env, const CommandTable& commands, const CompiledProgram& program,
             RunOptions options = {});

    /// RunProgram. Argument errors show their message and throw RunAborted; other failures
    /// (bad variable names, a refused conversion) propagate as they are for the redraw to
    /// report. `maxSteps` bounds the number of command lines executed (0: no bound), so a fuzz
    /// run or a test cannot hang.
    void run(std::uint64_t maxSteps = 0);

    RunContext& context() { return m_ctx; }

    /// Asked every thousand lines or so. `abortCheck` true acts as the Escape key (the
    /// command line's --timeout); `stopCheck` true ends the run at once, for programs that
    /// Escape cannot end (procedures that call themselves twice).
    std::function<bool()> abortCheck;
    std::function<bool()> stopCheck;

private:
    /// for and met count; voorelke walks a list; film counts and shows a snapshot per round.
    enum class LoopKind { Counting, ForEach, Film };
    struct Loop {
        LoopKind kind = LoopKind::Counting;
        Number current = 0, written = 0, end = 0, step = 0;
        std::string variable;
        std::array<Number*, 3> cells{};  // the variable's cell in Parser1 … Parser3
        std::size_t body = 0;
        std::string remaining;
        bool inert = false;  // a voorelke over an empty list: its next just ends it
    };
    /// A parameter by value, a "^" parameter by reference (written back at eindproc), or a
    /// local variable.
    enum class BindingKind { Value, Reference, Local };
    struct Binding {
        std::string name;
        BindingKind kind = BindingKind::Value;
        std::string callerVariable;
        Number saved = 0;
    };
    struct Frame {
        std::size_t returnIndex = 0;
        std::vector<Binding> names;
    };

    void runStart();
    void runEnd();
    void dispatch(CompiledProgram::Kind kind, const CommandRow* row);
    void resolve(std::size_t index, CompiledProgram::LineCache& cache) const;
    void runCommand(const CommandRow& row);

    void startCounting(LoopKind kind);
    void startForEach();
    void takeNextListValue(Loop& loop);
    void setLoopVariable(Loop& loop, Number value);
    void next();
    void startRepeat();
    void until();
    void ifBlock();
    void elseBlock();
    std::size_t scanBlock(std::size_t from, bool stopAtElse) const;
    std::size_t cachedScan(std::size_t keyLine, bool stopAtElse) const;
    void callProcedure();
    std::size_t findDefinition(const std::string& name) const;
    void bindArguments(Frame& frame, std::size_t param, std::size_t arg);
    void declareLocals();
    void endProc();
    void assign();
    void assignListElement(const std::string& target, Number value);
    void increment();

    Environment& m_env;
    const CommandTable& m_commands;
    const CompiledProgram& m_program;
    RunContext m_ctx;
    std::size_t m_mainEnd = 0;
    const CommandRow* m_previous = nullptr;
    CompiledProgram::Kind m_previousKind = CompiledProgram::Kind::Unknown;
    std::vector<Loop> m_loops;
    std::vector<std::size_t> m_repeats;
    std::vector<Frame> m_frames;
};

}  // namespace kalvor
