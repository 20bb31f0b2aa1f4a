#include "graph/formula_tools.h"

#include <cmath>

#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "lang/lang_messages.h"
#include "lang/run_context.h"
#include "numeric/integration.h"

namespace kalvor {

namespace {

constexpr Number kSlopeStep = 1e-6L;
constexpr Number kSlopeScale = 100000;
constexpr Number kIntegralTolerance = 1e-15L;

// A failure whose message has been shown; the operation ends without a result.
struct FieldFailure {};

}  // namespace

FormulaTools::FormulaTools(Environment& env, SymbolicCall symbolic)
    : m_env(env), m_symbolic(std::move(symbolic)) {
    if (!m_symbolic)
        m_symbolic = [&env](std::string_view command) { return env.symbolic().calculate(command); };
}

template <typename Work>
bool FormulaTools::guarded(Work&& work) {
    try {
        work();
        return true;
    } catch (const FieldFailure&) {
    } catch (const RunAborted&) {
        // A test form of the text failed and has shown its own message.
    }
    return false;
}

std::string FormulaTools::prepared(std::string_view text) {
    const CompiledProgram none;
    RunContext ctx(m_env, none, RunOptions{});
    return ctx.preprocess(text);
}

void FormulaTools::setFormula(std::string_view text) {
    try {
        m_env.parser(1).setExpression(prepared(text));
    } catch (const ParserError&) {
        m_env.host.messageBox(kErrorCaption, cannotParseMessage(text, false), Host::Icon::Error);
        throw FieldFailure{};
    }
}

Number FormulaTools::formulaAt(Number x) {
    Parser& parser = m_env.parser(1);
    parser.x = x;
    try {
        return parser.value();
    } catch (const EvaluationError&) {
        m_env.host.messageBox(kErrorCaption, cannotEvaluateMessage(parser.expression()),
                              Host::Icon::Error);
        throw FieldFailure{};
    }
}

// Fields such as x, a and b may be formulas ("pi/2"); they are computed in Parser1 too.
Number FormulaTools::fieldValue(std::string_view text) {
    setFormula(text);
    return formulaAt(m_env.parser(1).x);
}

bool FormulaTools::calculate(FormulaToolFields& fields) {
    return guarded([&] {
        if (fields.x.empty()) fields.x = "0";
        const Number x = fieldValue(fields.x);
        setFormula(fields.formula);
        fields.result = formatGeneral(formulaAt(x));
    });
}

bool FormulaTools::slope(FormulaToolFields& fields) {
    return guarded([&] {
        if (fields.x.empty()) fields.x = "0";
        const Number x = fieldValue(fields.x);
        setFormula(fields.formula);
        const Number rise = formulaAt(x + kSlopeStep) - formulaAt(x - kSlopeStep);
        const Number slope = rise / (2 * kSlopeStep);
        fields.result = formatGeneral(std::nearbyint(slope * kSlopeScale) / kSlopeScale);
    });
}

bool FormulaTools::integral(FormulaToolFields& fields) {
    return guarded([&] {
        const Number a = fieldValue(fields.a);
        const Number b = fieldValue(fields.b);
        setFormula(fields.formula);
        const Number value = integrate([this](Number x) { return formulaAt(x); }, a, b,
                                       kIntegralTolerance, IntegrationMethod::Gauss);
        fields.result = formatGeneral(value);
    });
}

bool FormulaTools::askSymbolic(FormulaToolFields& fields,
                               const std::function<std::string()>& command) {
    return guarded([&] { fields.result = m_symbolic(command()); });
}

bool FormulaTools::derivative(FormulaToolFields& fields) {
    return askSymbolic(fields, [&] {
        const std::string order = fields.order.empty() ? "1" : fields.order.substr(0, 1);
        return "diff(" + prepared(fields.formula) + "," + fields.variable + "," + order + ")";
    });
}

bool FormulaTools::antiderivative(FormulaToolFields& fields) {
    return askSymbolic(
        fields, [&] { return "int(" + prepared(fields.formula) + "," + fields.variable + ")"; });
}

bool FormulaTools::definiteIntegral(FormulaToolFields& fields) {
    // The bounds go as typed: the library may keep them exact (pi, 1/3).
    return askSymbolic(fields, [&] {
        return "int(" + prepared(fields.formula) + "," + fields.variable + "," + fields.a + "," +
               fields.b + ")";
    });
}

}  // namespace kalvor
