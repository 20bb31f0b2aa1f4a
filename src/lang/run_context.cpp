#include "lang/run_context.h"

#include <time.h>

#include "lang/lang_messages.h"
#include "lang/test_forms.h"

namespace kalvor {

namespace {

constexpr long kPumpIntervalNs = 2'000'000;

// A coarse clock is enough to space event processing a few milliseconds apart, and reading
// it costs almost nothing inside a tight loop.
long long coarseNowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

std::string decide(const TestForm& form, RunContext& ctx, std::string_view text) {
    if (!form.test) return {};
    return form.test(ctx, text) ? "1" : "0";
}

}  // namespace

RunContext::RunContext(Environment& environment, const CompiledProgram& program,
                       RunOptions runOptions)
    : env(environment), options(runOptions), m_program(program) {}

Number RunContext::evaluateLineSlowly(std::size_t index) {
    if (index < m_program.size()) {
        CompiledProgram::LineCache& cache = m_program.cache(index);
        const std::string& text = line(index);
        if (text.empty() || (text[0] != '$' && text[0] != '?'))
            return evaluateCachedLine(index, cache);
    }
    return evaluate(line(index));
}

// Compiles a plain argument line (one that preprocessing leaves as it is) into its cache.
Number RunContext::evaluateCachedLine(std::size_t index, CompiledProgram::LineCache& cache) {
    const std::string& text = line(index);
    const std::uint64_t generation = parserGeneration();
    cache.formula = compileArgument(text);
    cache.hasFormula = true;
    cache.formulaGeneration = generation;
    try {
        return cache.formula.value();
    } catch (const EvaluationError&) {
        evaluationFailure(text);
    }
}

Number RunContext::evaluate(std::string_view text) {
    std::string prepared = preprocess(text);
    auto& cache = m_program.textCache();
    const std::uint64_t generation = parserGeneration();
    auto it = cache.find(prepared);
    if (it == cache.end() || it->second.generation != generation) {
        Formula formula = compileArgument(prepared);
        if (cache.size() >= CompiledProgram::kMaxCachedTexts) cache.clear();
        it = cache
                 .insert_or_assign(std::move(prepared),
                                   CompiledProgram::TextCache{generation, std::move(formula)})
                 .first;
    }
    try {
        return it->second.formula.value();
    } catch (const EvaluationError&) {
        evaluationFailure(text);
    }
}

// The empty text (written so, or what preprocessing leaves of an unknown "$" or "?" text) is
// a formula with the value 0, as it is for the parser's own expression.
Formula RunContext::compileArgument(const std::string& text) {
    if (text.empty()) return Formula();
    try {
        return env.parsers[0].compile(text);
    } catch (const ParserError&) {
        parseFailure(text);
    }
}

std::string RunContext::preprocess(std::string_view text) {
    if (text.empty()) return {};
    if (text[0] == '?') {
        for (const TestForm& form : questionTestForms())
            if (text.find(form.marker) != std::string_view::npos) return decide(form, *this, text);
        return {};
    }
    if (text[0] != '$') return std::string(text);
    for (const TestForm& form : dollarTestForms())
        if (text.find(form.marker) != std::string_view::npos) return decide(form, *this, text);
    return env.texts.get(text);
}

void RunContext::setExpression(Parser& parser, std::string_view text) {
    try {
        parser.setExpression(text);
    } catch (const ParserError&) {
        parseFailure(text);
    }
}

Number RunContext::valueOf(const Parser& parser, std::string_view shown) {
    try {
        return parser.value();
    } catch (const EvaluationError&) {
        evaluationFailure(shown);
    }
}

void RunContext::parseFailure(std::string_view shownText) {
    env.flags.expressionError = true;
    host().messageBox(kErrorCaption, cannotParseMessage(shownText, true), Host::Icon::Error);
    throw RunAborted("argument could not be parsed");
}

void RunContext::evaluationFailure(std::string_view shownText) {
    env.flags.evaluationError = true;
    host().messageBox(kErrorCaption, cannotEvaluateMessage(shownText), Host::Icon::Error);
    throw RunAborted("argument could not be evaluated");
}

void RunContext::fail(std::string_view text, std::string_view caption) {
    host().messageBox(caption, text, Host::Icon::Error);
    m_failedLine = commandLine;
    stop();
}

void RunContext::processEvents() {
    host().processEvents();
    env.flags.pumped = true;
}

bool RunContext::samplingAborted() {
    if (abortCheck && abortCheck()) env.flags.abort = true;
    if (options.checking) {
        const long long now = coarseNowNs();
        if (now - m_lastPumpNs >= kPumpIntervalNs) {
            m_lastPumpNs = now;
            host().processEvents();
        }
    }
    return env.flags.abort;
}

void RunContext::pumpEvents(bool always) {
    const long long now = coarseNowNs();
    if (always || now - m_lastPumpNs >= kPumpIntervalNs) {
        m_lastPumpNs = now;
        host().processEvents();
    }
    env.flags.pumped = true;
}

}  // namespace kalvor
