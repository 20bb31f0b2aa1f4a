#include "expr/formula_compiler.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "expr/fast_evaluator.h"
#include "expr/fp_status.h"
#include "expr/parser_messages.h"
#include "expr/standard_functions.h"

namespace kalvor {

namespace {

constexpr int kDeepestLevel = 20;
constexpr int kOperationsPerLevel = 50;

constexpr TermForm kSplitOrder[] = {
    TermForm::Addition, TermForm::Subtraction, TermForm::Multiplication, TermForm::IntDivide,
    TermForm::Modulo,   TermForm::Division,    TermForm::Power,
};

/// Where an operand's value lives until the cells are allocated.
struct OperandRef {
    enum class Source : std::uint8_t { None, Variable, Constant, Result };
    Source source = Source::None;
    Number* variable = nullptr;
    std::uint32_t index = 0;
};

struct Node {
    OpKind kind;
    int level;
    OperandRef first;
    OperandRef second;
    FunctionOneParam one = nullptr;
    FunctionTwoParam two = nullptr;
    void* context = nullptr;
    bool folded = false;  // computed at compile time into m_constants[constantIndex]
    std::uint32_t constantIndex = 0;
};

// Arithmetic never has side effects; of the calls, only the pure standard functions.
bool isPure(const Node& n) {
    if (n.kind == OpKind::CallOne) return isPureStandardFunction(n.one);
    if (n.kind == OpKind::CallTwo) return isPureStandardFunction(n.two);
    return true;
}

OpKind binaryKind(TermForm form) {
    switch (form) {
        case TermForm::Addition:
            return OpKind::Add;
        case TermForm::Subtraction:
            return OpKind::Subtract;
        case TermForm::Multiplication:
            return OpKind::Multiply;
        case TermForm::IntDivide:
            return OpKind::IntDivide;
        case TermForm::Modulo:
            return OpKind::Modulo;
        case TermForm::Division:
            return OpKind::Divide;
        default:
            throw ParserInternalError(kInternalErrorMessage);
    }
}

// Kinds 11-13 for the exponents 2, 3 and 4, kind 9 for other integral literals.
OpKind integralPowerKind(Number exponent) {
    if (exponent == 2) return OpKind::Square;
    if (exponent == 3) return OpKind::Cube;
    if (exponent == 4) return OpKind::FourthPower;
    return OpKind::IntegerPower;
}

/// Builds the operation tree top-down, one node per operator or function application, and
/// links it into the evaluation list.
class FormulaBuilder {
public:
    explicit FormulaBuilder(TermAnalyzer& analyzer) : m_an(analyzer) {}

    /// The operand for piece p; an operator term becomes a node at `level`.
    OperandRef build(Piece p, int level) {
        p = m_an.stripBrackets(p);
        if (Number* cell = m_an.variableCell(p)) {
            return {OperandRef::Source::Variable, cell, 0};
        }
        if (const std::optional<Number> v = m_an.numberValue(p)) return constant(*v);
        return buildOperator(p, level);
    }

    /// Computes every pure operation on constants once, unless it would fail: that failure
    /// belongs to the evaluation. Results and their order are the same as without folding.
    void foldConstants();

    std::unique_ptr<Formula::Impl> finish(const OperandRef& root) const;

private:
    bool fastCapable(const Node& n) const;
    void addFastTree(Formula::Impl& impl, const OperandRef& root,
                     const std::function<Number*(const OperandRef&)>& cellOf) const;

    // A reference to a folded operation's result is a reference to its constant.
    OperandRef folded(const OperandRef& r) const {
        if (r.source != OperandRef::Source::Result || !m_nodes[r.index].folded) return r;
        return {OperandRef::Source::Constant, nullptr, m_nodes[r.index].constantIndex};
    }

    OperandRef constant(Number v) {
        m_constants.push_back(v);
        return {OperandRef::Source::Constant, nullptr,
                static_cast<std::uint32_t>(m_constants.size() - 1)};
    }

    std::uint32_t addNode(OpKind kind, int level) {
        if (level > kDeepestLevel) throw TooManyNestings(kTooManyNestingsMessage);
        if (m_perLevel[level] == kOperationsPerLevel) {
            throw ExpressionTooComplex(kTooComplexMessage);
        }
        ++m_perLevel[level];
        m_nodes.push_back(Node{kind, level, {}, {}});
        return static_cast<std::uint32_t>(m_nodes.size() - 1);
    }

    static OperandRef resultOf(std::uint32_t node) {
        return {OperandRef::Source::Result, nullptr, node};
    }

    // Negation, the split operators in order, then the two kinds of function call.
    OperandRef buildOperator(Piece p, int level) {
        if (m_an.check(TermForm::Negation, p)) {
            const std::uint32_t n = addNode(OpKind::Negate, level);
            m_nodes[n].first = build({p.begin + 1, p.end}, level + 1);
            return resultOf(n);
        }
        std::optional<SplitPieces> lastTried;
        for (TermForm form : kSplitOrder) {
            if (const std::optional<SplitPieces> s = m_an.split(form, p, lastTried)) {
                return form == TermForm::Power ? buildPower(*s, level)
                                               : buildBinary(binaryKind(form), *s, level);
            }
        }
        if (m_an.check(TermForm::CallOne, p)) return buildCallOne(p, level);
        if (const std::optional<SplitPieces> args = m_an.callArguments(p)) {
            return buildCallTwo(p, *args, level);
        }
        throw SyntaxError(syntaxMessage(p, lastTried));
    }

    OperandRef buildBinary(OpKind kind, const SplitPieces& s, int level) {
        return buildOperands(addNode(kind, level), s, level);
    }

    OperandRef buildPower(const SplitPieces& s, int level) {
        std::optional<Number> exponent;
        if (!m_an.variableCell(s.right)) exponent = m_an.numberValue(s.right);
        const bool integral =
            exponent && std::isfinite(*exponent) && *exponent == std::trunc(*exponent);
        const OpKind kind = integral ? integralPowerKind(*exponent) : OpKind::RealPower;
        const std::uint32_t n = addNode(kind, level);
        const OperandRef base = build(s.left, level + 1);
        m_nodes[n].first = base;
        if (kind == OpKind::IntegerPower) {
            m_nodes[n].second = constant(*exponent);
        } else if (kind == OpKind::RealPower) {
            const OperandRef power = build(s.right, level + 1);
            m_nodes[n].second = power;
        }
        return resultOf(n);
    }

    OperandRef buildCallOne(Piece p, int level) {
        const ParserBase::OneParamEntry& entry = *m_an.oneParamEntry(m_an.callName(p));
        const std::uint32_t n = addNode(OpKind::CallOne, level);
        m_nodes[n].one = entry.fn;
        m_nodes[n].context = entry.context;
        const OperandRef argument = build(m_an.callArgument(p), level + 1);
        m_nodes[n].first = argument;
        return resultOf(n);
    }

    OperandRef buildCallTwo(Piece p, const SplitPieces& args, int level) {
        const ParserBase::TwoParamEntry& entry = *m_an.twoParamEntry(m_an.callName(p));
        const std::uint32_t n = addNode(OpKind::CallTwo, level);
        m_nodes[n].two = entry.fn;
        m_nodes[n].context = entry.context;
        return buildOperands(n, args, level);
    }

    OperandRef buildOperands(std::uint32_t n, const SplitPieces& s, int level) {
        const OperandRef left = build(s.left, level + 1);
        m_nodes[n].first = left;
        const OperandRef right = build(s.right, level + 1);
        m_nodes[n].second = right;
        return resultOf(n);
    }

    std::string syntaxMessage(Piece p, const std::optional<SplitPieces>& lastTried) const {
        std::string message = kSyntaxErrorPrefix;
        if (!lastTried) return message.append(m_an.text(p));
        return message.append(m_an.text(lastTried->left))
            .append("\r")
            .append(m_an.text(lastTried->right));
    }

    TermAnalyzer& m_an;
    std::vector<Node> m_nodes;
    std::vector<Number> m_constants;
    std::array<int, kDeepestLevel + 1> m_perLevel{};
};

void FormulaBuilder::foldConstants() {
    // Operands are created after their operation, so going backwards folds them first.
    for (std::size_t i = m_nodes.size(); i-- > 0;) {
        Node& n = m_nodes[i];
        n.first = folded(n.first);
        n.second = folded(n.second);
        const auto constantOrNone = [](const OperandRef& r) {
            return r.source == OperandRef::Source::Constant || r.source == OperandRef::Source::None;
        };
        if (!isPure(n) || !constantOrNone(n.first) || !constantOrNone(n.second)) continue;
        Number cells[3] = {m_constants[n.first.index], 0, 0};
        if (n.second.source == OperandRef::Source::Constant) cells[1] = m_constants[n.second.index];
        const bool binary = n.second.source != OperandRef::Source::None;
        const Operation op{
            cells, binary ? cells + 1 : nullptr, cells + 2, n.one, n.two, n.context, n.kind, true};
        try {
            runOperation(op);
        } catch (const EvaluationError&) {
            continue;
        }
        if (!std::isfinite(cells[2])) continue;
        n.folded = true;
        n.constantIndex = constant(cells[2]).index;
    }
}

// Cells: the constants, then one result cell per node (initialised to 0). The list holds the
// deepest level first and, within a level, the nodes in creation order.
std::unique_ptr<Formula::Impl> FormulaBuilder::finish(const OperandRef& root) const {
    auto impl = std::make_unique<Formula::Impl>();
    const std::size_t constantCount = m_constants.size();
    impl->cells = std::make_unique<Number[]>(constantCount + m_nodes.size());
    Number* cells = impl->cells.get();
    std::copy(m_constants.begin(), m_constants.end(), cells);
    const auto resolve = [&](const OperandRef& r) -> Number* {
        switch (r.source) {
            case OperandRef::Source::Variable:
                return r.variable;
            case OperandRef::Source::Constant:
                return cells + r.index;
            case OperandRef::Source::Result:
                return cells + constantCount + r.index;
            case OperandRef::Source::None:
                break;
        }
        return nullptr;
    };
    impl->result = resolve(folded(root));
    addFastTree(*impl, folded(root), resolve);
    impl->operations.reserve(m_nodes.size());
    for (int level = kDeepestLevel; level >= 1; --level) {
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const Node& n = m_nodes[i];
            if (n.level != level || n.folded) continue;
            const bool standard = (n.kind == OpKind::CallOne && isStandardFunction(n.one)) ||
                                  (n.kind == OpKind::CallTwo && isStandardFunction(n.two));
            impl->operations.push_back(Operation{resolve(n.first), resolve(n.second),
                                                 cells + constantCount + i, n.one, n.two, n.context,
                                                 n.kind, standard});
            if (n.kind == OpKind::CallOne || n.kind == OpKind::CallTwo) {
                impl->callsFunctions = true;
            }
        }
    }
    return impl;
}

// Operations that have no side effects and report failures only through NaN and infinities.
bool FormulaBuilder::fastCapable(const Node& n) const {
    if (!isPure(n)) return false;
    if (n.kind != OpKind::IntegerPower) return true;
    const Number exponent = m_constants[n.second.index];
    return exponent >= -0x1p63L && exponent < 0x1p63L;
}

void FormulaBuilder::addFastTree(Formula::Impl& impl, const OperandRef& root,
                                 const std::function<Number*(const OperandRef&)>& cellOf) const {
    if (root.source != OperandRef::Source::Result) return;
    const auto onCell = [](const OperandRef& r) { return r.source != OperandRef::Source::Result; };
    std::vector<FastOp> ops(m_nodes.size(), FastOp::None);
    std::vector<bool> inPlace(m_nodes.size(), false);
    std::vector<bool> negatedInPlace(m_nodes.size(), false);
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const Node& n = m_nodes[i];
        if (n.folded) continue;
        ops[i] = fastCapable(n) ? fastOpFor(n.kind, n.one) : FastOp::None;
        if (ops[i] == FastOp::None) return;
    }
    // In place: an operation on cells, or the negation of one (operands come later in
    // creation order, so going backwards decides them first).
    for (std::size_t i = m_nodes.size(); i-- > 0;) {
        const Node& n = m_nodes[i];
        if (n.folded || i == root.index) continue;
        const bool negatesInPlace = n.kind == OpKind::Negate &&
                                    n.first.source == OperandRef::Source::Result &&
                                    inPlace[n.first.index] && !negatedInPlace[n.first.index];
        inPlace[i] =
            negatesInPlace || (computedInPlace(ops[i]) && onCell(n.first) && onCell(n.second));
        negatedInPlace[i] = negatesInPlace;
    }
    impl.fastNodes.resize(m_nodes.size());
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const Node& n = m_nodes[i];
        if (n.folded || inPlace[i]) continue;
        FastNode& f = impl.fastNodes[i];
        const auto link = [&](const OperandRef& r, FastOperand& o) {
            if (r.source != OperandRef::Source::Result) {
                o.cell = cellOf(r);
                return OperandSource::Cell;
            }
            if (!inPlace[r.index]) {
                o.node = &impl.fastNodes[r.index];
                return OperandSource::Node;
            }
            std::size_t inner = r.index;
            if (negatedInPlace[inner]) {
                o.negated = true;
                inner = m_nodes[inner].first.index;
            }
            const Node& c = m_nodes[inner];
            o.cell = cellOf(c.first);
            o.cell2 = cellOf(c.second);
            o.inlineOp = static_cast<std::uint8_t>(ops[inner]);
            return OperandSource::InPlace;
        };
        const OperandSource first = link(n.first, f.operand[0]);
        const OperandSource second = link(n.second, f.operand[1]);
        f.eval = fastEvalFor(ops[i], first, second);
        f.library = n.kind == OpKind::CallOne ? directFormOf(n.one).library : nullptr;
        f.one = n.one;
        f.two = n.two;
        f.context = n.context;
    }
    impl.fastRoot = &impl.fastNodes[root.index];
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::unique_ptr<Formula::Impl> compileFormula(std::string_view text, const NameTables& tables) {
    std::string upper(text);
    for (char& c : upper)
        c = upperAscii(c);
    const std::size_t first = upper.find_first_not_of(' ');
    const std::string trimmed = first == std::string::npos
                                    ? std::string()
                                    : upper.substr(first, upper.find_last_not_of(' ') - first + 1);
    if (trimmed.find(' ') != std::string::npos) throw ExpressionHasBlanks(kHasBlanksMessage);
    std::ptrdiff_t brackets = 0;
    for (char c : trimmed)
        brackets += (c == '(') - (c == ')');
    if (brackets != 0) throw MismatchedBrackets(kMismatchedBracketsMessage);

    TermAnalyzer analyzer(trimmed, tables);
    FormulaBuilder builder(analyzer);
    const OperandRef root = builder.build(analyzer.whole(), 1);
    // Folding runs procedures, which are judged by the flags they raise: start clean and
    // leave nothing behind.
    if (fpstatus::allErrors() != 0) fpstatus::clearAll();
    builder.foldConstants();
    if (fpstatus::allErrors() != 0) fpstatus::clearAll();
    return builder.finish(root);
}

}  // namespace kalvor
