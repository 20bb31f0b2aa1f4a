#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/projection3d.h"
#include "lang/compiled_program.h"
#include "lang/environment.h"
#include "lang/lang_messages.h"

namespace kalvor {

/// Thrown after an argument error has been shown: the run ends and the redraw, seeing the
/// error flags, adds no message of its own.
class RunAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The state of one program run, and everything a command handler may use: the lines and the
/// program counter, argument evaluation and preprocessing, variable writes, messages and the
/// end of the run. Loop, repeat and procedure stacks belong to the executor.
class RunContext {
public:
    RunContext(Environment& env, const CompiledProgram& program, RunOptions options);

    Environment& env;
    const RunOptions options;
    /// Index of the next line to read; a handler starts with it at its first argument line.
    std::size_t pc = 0;
    /// The command line being run, so that a failure can say where the program stopped.
    std::size_t commandLine = 0;
    /// The 3D commands' view of space; every run starts with the default view.
    Projection3D view3d;
    /// A 3D pen move went to a point without a plane image: the next line starts afresh.
    bool spacePenLifted = false;

    Host& host() { return env.host; }
    Parser& parser(int number) { return env.parser(number); }

    // ---- Lines ----
    std::size_t lineCount() const { return m_program.size(); }
    /// The line at `index`, or the empty text past the end.
    const std::string& line(std::size_t index) const {
        return index < m_program.size() ? m_program.lines()[index] : m_empty;
    }
    /// Argument line `k` (0-based) of the running command.
    const std::string& arg(int k) const { return line(pc + k); }

    // ---- Arguments ----
    /// EvaluateArgument of argument line k, with the per-line formula cache.
    Number number(int k) { return evaluateLine(pc + k); }
    /// PreprocessArgument of argument line k.
    std::string text(int k) { return preprocess(arg(k)); }
    Number evaluateLine(std::size_t index) {
        // The common case inside loops: a plain line whose formula is already compiled.
        if (index < m_program.size()) {
            const CompiledProgram::LineCache& cache = m_program.cache(index);
            if (cache.hasFormula && cache.formulaGeneration == parserGeneration()) {
                try {
                    return cache.formula.value();
                } catch (const EvaluationError&) {
                    evaluationFailure(line(index));
                }
            }
        }
        return evaluateLineSlowly(index);
    }
    /// EvaluateArgument of any text: preprocess, compile in Parser1, evaluate.
    Number evaluate(std::string_view text);
    std::string preprocess(std::string_view text);
    /// Compiles `text` as the expression of `parser`; a failure shows the "Kalvor kan de
    /// uitdrukking" box and throws RunAborted.
    void setExpression(Parser& parser, std::string_view text);
    /// The value of `parser`; a failure shows "Fout bij de evaluatie van " + `shown` and throws.
    Number valueOf(const Parser& parser, std::string_view shown);

    // ---- Results ----
    /// A numeric result or assignment: Parser1 … Parser3.
    void setNumber(std::string_view name, Number value) { env.setVariable(name, value, 3); }
    /// Results that the plot parser must see too: all four.
    void setNumberEverywhere(std::string_view name, Number value) {
        env.setVariable(name, value, Environment::kParsers);
    }

    // ---- Control ----
    /// Ends the run after the current command.
    void stop() { pc = lineCount(); }
    bool finished() const { return pc >= lineCount(); }
    /// Shows `text` in an error box and ends the run.
    void fail(std::string_view text, std::string_view caption = kErrorCaption);
    /// The command line on which fail() ended the run, if it did.
    std::optional<std::size_t> failedLine() const { return m_failedLine; }
    /// Lets the window process pending events (keys, sliders, buttons) and marks it.
    void processEvents();
    /// Asked every few thousand samples by the sampling loops of one command (curves,
    /// regions, ticks): lets the window process events now and then (not with checking=nee),
    /// so that Escape arrives, and answers whether the run was aborted.
    bool samplingAborted();
    /// Acts as the Escape key when it answers true (the command line's --timeout).
    std::function<bool()> abortCheck;
    /// Loop ends: processes events at most once per pass, and not at all with checking=nee.
    void processEventsAtLoopEnd(bool always) {
        if (env.flags.pumped || (!always && !options.checking)) return;
        pumpEvents(always);
    }

private:
    friend class Executor;

    [[noreturn]] void parseFailure(std::string_view shownText);
    [[noreturn]] void evaluationFailure(std::string_view shownText);
    std::uint64_t parserGeneration() const { return env.parsers[0].generation(); }
    Number evaluateLineSlowly(std::size_t index);
    Formula compileArgument(const std::string& text);
    void pumpEvents(bool always);

    Number evaluateCachedLine(std::size_t index, CompiledProgram::LineCache& cache);

    const CompiledProgram& m_program;
    const std::string m_empty;
    std::optional<std::size_t> m_failedLine;
    long long m_lastPumpNs = 0;
};

/// Sampling loops ask the run whether it was aborted once per this many samples.
inline constexpr long long kSamplesPerAbortCheck = 4096;

/// Counts the samples of one command. Every kSamplesPerAbortCheck-th sample it lets the
/// window process events and learns whether Escape ended the run, and from then on says so
/// at every sample. As with the program's own loops, a sampling loop that starts after
/// Escape stops at its first check.
class SampleClock {
public:
    explicit SampleClock(RunContext& ctx) : m_ctx(ctx) {}
    bool aborted() {
        if (!m_aborted && ++m_count % kSamplesPerAbortCheck == 0)
            m_aborted = m_ctx.samplingAborted();
        return m_aborted;
    }

private:
    RunContext& m_ctx;
    long long m_count = 0;
    bool m_aborted = false;
};

}  // namespace kalvor
