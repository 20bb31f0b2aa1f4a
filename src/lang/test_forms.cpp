#include "lang/test_forms.h"

#include <QString>
#include <cmath>
#include <optional>
#include <vector>

#include "expr/numtext.h"
#include "lang/commands/bigint_operands.h"
#include "lang/run_context.h"

namespace kalvor {

namespace {

// ---- Arguments: marker(first,second) ----

// The text between the first "(" and the last ")" (or the end when no ")" follows); empty
// without "(".
std::string_view inside(std::string_view form) {
    const std::size_t open = form.find('(');
    if (open == std::string_view::npos) return {};
    const std::size_t close = form.rfind(')');
    const std::size_t end = close == std::string_view::npos || close < open ? form.size() : close;
    return form.substr(open + 1, end - open - 1);
}

// The first argument runs to the first ",", the second from there to the last ")".
std::pair<std::string_view, std::string_view> twoArguments(std::string_view form) {
    const std::string_view in = inside(form);
    const std::size_t comma = in.find(',');
    if (comma == std::string_view::npos) return {in, {}};
    return {in.substr(0, comma), in.substr(comma + 1)};
}

// ---- Big-integer tests ----

template <bool (*property)(const BigInt&)>
bool registerProperty(RunContext& ctx, std::string_view form) {
    const std::optional<BigInt> x = testOperand(ctx, inside(form));
    return x && property(*x);
}

bool isPrime(const BigInt& x) {
    return x.isProbablePrime();
}
bool isOdd(const BigInt& x) {
    return x.isOdd();
}
bool isPositive(const BigInt& x) {
    return x.sign() > 0;
}

template <bool (*holds)(int order)>
bool comparison(RunContext& ctx, std::string_view form) {
    const auto [first, second] = twoArguments(form);
    const std::optional<BigInt> x = testOperand(ctx, first);
    if (!x) return false;
    const std::optional<BigInt> y = testOperand(ctx, second);
    return y && holds(x->compare(*y));
}

bool equal(int order) {
    return order == 0;
}
bool greater(int order) {
    return order > 0;
}
bool smaller(int order) {
    return order < 0;
}
bool smallerOrEqual(int order) {
    return order <= 0;
}
bool greaterOrEqual(int order) {
    return order >= 0;
}

// ---- Text tests ----

std::string lowerCase(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toLower()
        .toStdString();
}

// marker(text1,text2): equal after preprocessing, regardless of case.
bool textsEqual(RunContext& ctx, std::string_view form) {
    const auto [first, second] = twoArguments(form);
    return lowerCase(ctx.preprocess(first)) == lowerCase(ctx.preprocess(second));
}

// ---- Numerical equivalence ----

struct Equivalence {
    std::string_view first, second, variable, from, to;
};

// marker(expr1,expr2,variable,from,to): the last three never hold a ",", so they are taken
// from the right; expr1 runs to the first "," and expr2 takes the rest.
std::optional<Equivalence> equivalenceArguments(std::string_view form) {
    std::string_view in = inside(form);
    std::string_view tail[3];
    for (int i = 2; i >= 0; --i) {
        const std::size_t comma = in.rfind(',');
        if (comma == std::string_view::npos) return std::nullopt;
        tail[i] = in.substr(comma + 1);
        in = in.substr(0, comma);
    }
    const std::size_t comma = in.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    return Equivalence{in.substr(0, comma), in.substr(comma + 1), tail[0], tail[1], tail[2]};
}

std::optional<Number> plainNumber(std::string_view text) {
    while (text.starts_with(' '))
        text.remove_prefix(1);
    while (text.ends_with(' '))
        text.remove_suffix(1);
    Number value = 0;
    if (!parseNumber(text, value)) return std::nullopt;
    return value;
}

// Gives the variable of the test back its value afterwards, so that the test does not change
// the program's variable (a loop variable among them) behind its back.
class BorrowedVariable {
public:
    BorrowedVariable(Parser& parser, std::string_view name, Number start)
        : m_existed(parser.variableExists(name)),
          m_saved(m_existed ? parser.getVariable(name) : 0),
          m_cell(parser.setVariable(name, start)) {}
    ~BorrowedVariable() {
        if (m_existed) *m_cell = m_saved;
    }
    BorrowedVariable(const BorrowedVariable&) = delete;
    BorrowedVariable& operator=(const BorrowedVariable&) = delete;
    Number& cell() { return *m_cell; }

private:
    bool m_existed;
    Number m_saved;
    Number* m_cell;
};

constexpr Number kTolerance = 0.00001L;
constexpr int kSteps = 20;

bool agreesEverywhere(const Formula& difference, Number& variable, Number from, Number to) {
    Number step = (to - from) / kSteps;
    if (step == 0) step = kTolerance;
    for (int i = 0; i <= kSteps; ++i) {
        const Number x = i == 0 ? from : from + i * step;
        if (!(x <= to)) break;
        variable = x;
        Number gap = 1;  // a point where the evaluation fails counts as 1
        try {
            gap = std::fabs(difference.value());
        } catch (const EvaluationError&) {
        }
        if (!(gap <= kTolerance)) return false;
    }
    return true;
}

// Whether two expressions agree within 0.00001 at 21 evenly spaced points of [from, to]
// (Parser1, the variable set to each point).
bool expressionsEquivalent(RunContext& ctx, std::string_view form) {
    const std::optional<Equivalence> args = equivalenceArguments(form);
    if (!args) return false;
    const std::string first = ctx.preprocess(args->first);
    const std::string second = ctx.preprocess(args->second);
    const std::optional<Number> from = plainNumber(args->from);
    const std::optional<Number> to = plainNumber(args->to);
    if (!from || !to || !(*from <= *to)) return false;
    Parser& parser = ctx.parser(1);
    try {
        BorrowedVariable variable(parser, args->variable, *from);
        parser.compile(first);
        parser.compile(second);
        const Formula difference = parser.compile("(" + second + ")-(" + first + ")");
        return agreesEverywhere(difference, variable.cell(), *from, *to);
    } catch (const ParserError&) {  // an expression, or the variable's name, is invalid
        return false;
    }
}

// The order is the order of preprocessing: the first marker found decides.
constexpr TestForm kQuestionForms[] = {
    {"?ispriem#", registerProperty<isPrime>},
    {"?isoneven#", registerProperty<isOdd>},
    {"?ispositief#", registerProperty<isPositive>},
    {"?gelijk$", textsEqual},
    {"?equivalent$", expressionsEquivalent},
    {"?gelijk#", comparison<equal>},
    {"?groter#", comparison<greater>},
    {"?kleiner#", comparison<smaller>},
    {"?kleinergelijk#", comparison<smallerOrEqual>},
    {"?grotergelijk#", comparison<greaterOrEqual>},
};
constexpr TestForm kDollarForms[] = {
    {"$gelijk$", textsEqual},
    {"$equivalent$", expressionsEquivalent},
};

}  // namespace

std::span<const TestForm> questionTestForms() {
    return kQuestionForms;
}
std::span<const TestForm> dollarTestForms() {
    return kDollarForms;
}

}  // namespace kalvor
