#include "expr/term_analyzer.h"

#include <algorithm>

#include "expr/arithmetic.h"
#include "expr/number_literal.h"
#include "expr/parser_messages.h"

namespace kalvor {

namespace {

// Recursion beyond this many nested questions continues on a fresh stack.
constexpr int kMaxRecursion = 200;

constexpr std::uint32_t bit(TermForm f) {
    return 1u << static_cast<unsigned>(f);
}

// Operand classes of the split table.
constexpr std::uint32_t kCall = bit(TermForm::CallOne) | bit(TermForm::CallTwo);
constexpr std::uint32_t kAtom =
    bit(TermForm::Variable) | bit(TermForm::Number) | bit(TermForm::Bracket) | kCall;
constexpr std::uint32_t kQuotients =
    bit(TermForm::IntDivide) | bit(TermForm::Modulo) | bit(TermForm::Division);
constexpr std::uint32_t kProductLeft =
    kAtom | bit(TermForm::Negation) | kQuotients | bit(TermForm::Power);
constexpr std::uint32_t kSumLeft =
    kProductLeft | bit(TermForm::Multiplication) | bit(TermForm::Subtraction);
constexpr std::uint32_t kProductRight =
    kAtom | bit(TermForm::Multiplication) | kQuotients | bit(TermForm::Power);
constexpr std::uint32_t kSumRight =
    kProductRight | bit(TermForm::Addition) | bit(TermForm::Subtraction);
constexpr std::uint32_t kQuotientRight = kAtom | bit(TermForm::Power);
constexpr std::uint32_t kAnyTerm = kSumRight | bit(TermForm::Negation);

// Cheap checks first; the order does not change any answer.
constexpr TermForm kTryOrder[] = {
    TermForm::Variable, TermForm::Number,    TermForm::Bracket,        TermForm::CallOne,
    TermForm::CallTwo,  TermForm::Negation,  TermForm::Power,          TermForm::Division,
    TermForm::Modulo,   TermForm::IntDivide, TermForm::Multiplication, TermForm::Subtraction,
    TermForm::Addition,
};

// Operator characters a term may hold at its own bracket level (its first character aside).
constexpr std::uint32_t kBinaryPlus = 1, kBinaryMinus = 2, kTimes = 4, kSlash = 8, kCaret = 16;
constexpr std::uint32_t kAnyOperator = kBinaryPlus | kBinaryMinus | kTimes | kSlash | kCaret;

// The operator characters no term of `form` holds: a variable, number, bracket term or call
// holds none, a power or negation only "^", a quotient no "*" and no sum sign, a product no
// sum sign, a difference no binary "+".
constexpr std::uint32_t excludedOperators(TermForm form) {
    switch (form) {
        case TermForm::Negation:
        case TermForm::Power:
            return kAnyOperator & ~kCaret;
        case TermForm::IntDivide:
        case TermForm::Modulo:
        case TermForm::Division:
            return kBinaryPlus | kBinaryMinus | kTimes;
        case TermForm::Multiplication:
            return kBinaryPlus | kBinaryMinus;
        case TermForm::Subtraction:
            return kBinaryPlus;
        case TermForm::Addition:
        case TermForm::Valid:
            return 0;
        default:
            return kAnyOperator;
    }
}

// Operator characters that no form in `forms` holds.
constexpr std::uint32_t excludedByAll(std::uint32_t forms) {
    std::uint32_t excluded = kAnyOperator;
    for (TermForm f : kTryOrder) {
        if (forms & bit(f)) excluded &= excludedOperators(f);
    }
    return excluded;
}

constexpr std::pair<std::uint32_t, TermIndex::Token> kOperatorTokens[] = {
    {kBinaryPlus, TermIndex::BinaryPlus}, {kBinaryMinus, TermIndex::BinaryMinus},
    {kTimes, TermIndex::Times},           {kSlash, TermIndex::Slash},
    {kCaret, TermIndex::Caret},
};

}  // namespace

// ---- Memo -------------------------------------------------------------------------------------

TermAnalyzer::Memo::Memo() : m_entries(64, 0) {}

std::size_t TermAnalyzer::Memo::slot(std::uint64_t entry) const {
    return static_cast<std::size_t>((entry * 0x9E3779B97F4A7C15ull) >> 24) & (m_entries.size() - 1);
}

std::optional<bool> TermAnalyzer::Memo::find(std::uint64_t key) const {
    const std::uint64_t wanted = key + 1;
    for (std::size_t i = slot(wanted);; i = (i + 1) & (m_entries.size() - 1)) {
        const std::uint64_t e = m_entries[i];
        if (e == 0) return std::nullopt;
        if ((e >> 1) == wanted) return (e & 1) != 0;
    }
}

void TermAnalyzer::Memo::insert(std::uint64_t key, bool value) {
    if (2 * (m_size + 1) > m_entries.size()) grow();
    const std::uint64_t wanted = key + 1;
    std::size_t i = slot(wanted);
    while (m_entries[i] != 0 && (m_entries[i] >> 1) != wanted) {
        i = (i + 1) & (m_entries.size() - 1);
    }
    if (m_entries[i] == 0) ++m_size;
    m_entries[i] = (wanted << 1) | (value ? 1 : 0);
}

void TermAnalyzer::Memo::grow() {
    std::vector<std::uint64_t> old(m_entries.size() * 2, 0);
    old.swap(m_entries);
    for (std::uint64_t e : old) {
        if (e == 0) continue;
        std::size_t i = slot(e >> 1);
        while (m_entries[i] != 0)
            i = (i + 1) & (m_entries.size() - 1);
        m_entries[i] = e;
    }
}

// ---- Recursion and work limits -------------------------------------------------------------

class TermAnalyzer::DepthGuard {
public:
    DepthGuard(TermAnalyzer& a, const Query& q) : m_a(a) {
        if (++m_a.m_depth > kMaxRecursion) {
            --m_a.m_depth;
            throw DepthLimit{q};
        }
    }
    ~DepthGuard() { --m_a.m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    TermAnalyzer& m_a;
};

void TermAnalyzer::spendWork() {
    if (++m_work > kWorkBudget) throw ExpressionTooComplex(kTooComplexMessage);
}

TermAnalyzer::TermAnalyzer(std::string_view text, const NameTables& tables)
    : m_text(text),
      m_tables(tables),
      m_index(text.size() <= kMaxTextLength ? text
                                            : throw ExpressionTooComplex(kTooComplexMessage)) {}

std::uint64_t TermAnalyzer::keyOf(TermForm form, Piece p) {
    return (std::uint64_t{p.end} << 25) | (std::uint64_t{p.begin} << 4) |
           static_cast<std::uint64_t>(form);
}

// Asks the question; when the recursion below it gets too deep, the innermost open question
// is answered first (from a fresh stack) and the outer ones asked again.
bool TermAnalyzer::check(TermForm form, Piece p) {
    if (p.empty() || quickReject(form, p)) return false;
    std::vector<Query> pending{{form, p}};
    while (!pending.empty()) {
        const Query q = pending.back();
        try {
            m_depth = 0;
            is(q.form, q.piece);
            pending.pop_back();
        } catch (const DepthLimit& limit) {
            pending.push_back(limit.query);
        }
    }
    return is(form, p);
}

bool TermAnalyzer::is(TermForm form, Piece p) {
    if (p.empty()) return false;
    const std::uint64_t key = keyOf(form, p);
    if (const std::optional<bool> known = m_memo.find(key)) return *known;
    if (quickReject(form, p)) return false;
    const bool result = [&] {
        DepthGuard guard(*this, Query{form, p});
        spendWork();
        return compute(form, p);
    }();
    m_memo.insert(key, result);
    return result;
}

bool TermAnalyzer::hasOperator(std::uint32_t operatorClasses, Piece p) const {
    const std::int32_t level = m_index.depthAt(p.begin);
    for (const auto& [cls, token] : kOperatorTokens) {
        if ((operatorClasses & cls) && !m_index.atDepth(token, level, p.begin + 1, p.end).empty()) {
            return true;
        }
    }
    return false;
}

bool TermAnalyzer::quickReject(TermForm form, Piece p) const {
    // Every term holds as many "(" as ")".
    if (!m_index.balanced(p) || hasOperator(excludedOperators(form), p)) return true;
    const char first = m_text[p.begin];
    const char last = m_text[p.end - 1];
    switch (form) {
        case TermForm::Negation:
            return first != '-';
        case TermForm::Bracket:
            return first != '(' || last != ')' || p.end - p.begin < 2;
        case TermForm::CallOne:
        case TermForm::CallTwo:
            return last != ')' || firstOpen(p) >= p.end;
        default:
            return false;
    }
}

bool TermAnalyzer::compute(TermForm form, Piece p) {
    switch (form) {
        case TermForm::Variable:
            return variableCell(p) != nullptr;
        case TermForm::Number:
            return numberValue(p).has_value();
        case TermForm::Negation:
            return isNegation(p);
        case TermForm::CallOne:
            return isCallOne(p);
        case TermForm::CallTwo:
            return commaSplit(p).has_value();
        case TermForm::Bracket:
            return is(TermForm::Valid, {p.begin + 1, p.end - 1});
        case TermForm::Valid:
            return anyOf(kAnyTerm, p);
        default:
            return fastSplit(form, p).has_value();
    }
}

bool TermAnalyzer::anyOf(std::uint32_t forms, Piece p) {
    for (TermForm f : kTryOrder) {
        if ((forms & bit(f)) && is(f, p)) return true;
    }
    return false;
}

bool TermAnalyzer::anyOfChecked(std::uint32_t forms, Piece p) {
    for (TermForm f : kTryOrder) {
        if ((forms & bit(f)) && check(f, p)) return true;
    }
    return false;
}

// ---- Leaves
// --------------------------------------------------------------------------------------

Number* TermAnalyzer::variableCell(Piece p) const {
    const auto it = m_tables.variables.find(text(p));
    return it == m_tables.variables.end() ? nullptr : it->second;
}

std::optional<Number> TermAnalyzer::numberValue(Piece p) const {
    const std::string_view t = text(p);
    if (t == "PI") return kPi;
    if (t == "-PI") return -kPi;
    Number v = 0;
    if (readNumberLiteral(t, v)) return v;
    return std::nullopt;
}

// "-" followed by a bracket term, a variable, a power or a function call.
bool TermAnalyzer::isNegation(Piece p) {
    const Piece rest{p.begin + 1, p.end};
    return is(TermForm::Bracket, rest) || is(TermForm::Variable, rest) ||
           is(TermForm::Power, rest) || is(TermForm::CallOne, rest) || is(TermForm::CallTwo, rest);
}

Piece TermAnalyzer::stripBrackets(Piece p) {
    while (check(TermForm::Bracket, p))
        p = {p.begin + 1, p.end - 1};
    return p;
}

// ---- Splits at an operator ---------------------------------------------------------------------

namespace {

struct SplitTable {
    TermForm form;
    TermIndex::Token token;
    std::uint32_t length;
    std::uint32_t leftForms;
    std::uint32_t rightForms;
};

constexpr SplitTable kSplits[] = {
    {TermForm::Addition, TermIndex::Plus, 1, kSumLeft, kSumRight},
    {TermForm::Subtraction, TermIndex::Minus, 1, kSumLeft, kProductRight},
    {TermForm::Multiplication, TermIndex::Times, 1, kProductLeft, kProductRight},
    {TermForm::IntDivide, TermIndex::IntDivide, 3, kProductLeft, kQuotientRight},
    {TermForm::Modulo, TermIndex::Modulo, 3, kProductLeft, kQuotientRight},
    {TermForm::Division, TermIndex::Slash, 1, kProductLeft, kQuotientRight},
    {TermForm::Power, TermIndex::Caret, 1, kAtom, kAtom},
};

const SplitTable& splitRule(TermForm form) {
    for (const SplitTable& s : kSplits) {
        if (s.form == form) return s;
    }
    throw ParserInternalError(kInternalErrorMessage);
}

}  // namespace

// The scan as the compiler defines it: occurrences from the left; one at the first character,
// or none before the last character, ends the check at once; otherwise the first occurrence
// whose pieces have balanced brackets and allowed forms wins.
std::optional<SplitPieces> TermAnalyzer::split(TermForm form, Piece p,
                                               std::optional<SplitPieces>& lastTried) {
    const SplitTable& r = splitRule(form);
    const auto at = m_index.all(r.token, p.begin, p.end);
    if (at.empty() || at.front() == p.begin) return std::nullopt;
    for (const std::uint32_t pos : at) {
        if (pos + r.length > p.end || pos + 1 >= p.end) break;
        spendWork();
        const SplitPieces s{{p.begin, pos}, {pos + r.length, p.end}};
        lastTried = s;
        if (m_index.balanced(s.left) && m_index.balanced(s.right) &&
            anyOfChecked(r.leftForms, s.left) && anyOfChecked(r.rightForms, s.right)) {
            return s;
        }
    }
    return std::nullopt;
}

// The same answer as split(), trying only the occurrences that can succeed: those on the
// piece's own bracket level, with no operator left of them that the left operand cannot hold
// and none right of them that the right operand cannot hold.
std::optional<SplitPieces> TermAnalyzer::fastSplit(TermForm form, Piece p) {
    const SplitTable& r = splitRule(form);
    const std::int32_t level = m_index.depthAt(p.begin);
    const auto at = m_index.atDepth(r.token, level, p.begin, p.end);
    if (at.empty() || at.front() == p.begin) return std::nullopt;
    std::uint32_t leftLimit = p.end;  // candidates at or before it
    std::uint32_t rightStart = 0;     // candidates whose operator ends at or after it
    const std::uint32_t leftExcluded = excludedByAll(r.leftForms);
    const std::uint32_t rightExcluded = excludedByAll(r.rightForms);
    for (const auto& [cls, token] : kOperatorTokens) {
        const auto positions = m_index.atDepth(token, level, p.begin + 1, p.end);
        if (positions.empty()) continue;
        if (leftExcluded & cls) leftLimit = std::min(leftLimit, positions.front());
        if (rightExcluded & cls) rightStart = std::max(rightStart, positions.back());
    }
    const auto first =
        std::lower_bound(at.begin(), at.end(), rightStart > r.length ? rightStart - r.length : 0);
    for (auto it = first; it != at.end(); ++it) {
        const std::uint32_t pos = *it;
        if (pos > leftLimit || pos + r.length > p.end || pos + 1 >= p.end) break;
        spendWork();
        const SplitPieces s{{p.begin, pos}, {pos + r.length, p.end}};
        if (anyOf(r.leftForms, s.left) && anyOf(r.rightForms, s.right)) return s;
    }
    return std::nullopt;
}

// ---- Function calls
// ------------------------------------------------------------------------------

std::uint32_t TermAnalyzer::firstOpen(Piece p) const {
    const auto opens = m_index.all(TermIndex::Open, p.begin, p.end);
    return opens.empty() ? p.end : opens.front();
}

const ParserBase::OneParamEntry* TermAnalyzer::oneParamEntry(Piece name) const {
    const auto it = m_tables.oneParam.find(text(name));
    return it == m_tables.oneParam.end() ? nullptr : &it->second;
}

const ParserBase::TwoParamEntry* TermAnalyzer::twoParamEntry(Piece name) const {
    const auto it = m_tables.twoParam.find(text(name));
    return it == m_tables.twoParam.end() ? nullptr : &it->second;
}

// name "(" term ")" with a one-parameter name
bool TermAnalyzer::isCallOne(Piece p) {
    return oneParamEntry(callName(p)) && is(TermForm::Bracket, callArgument(p));
}

std::optional<SplitPieces> TermAnalyzer::callArguments(Piece p) {
    if (!check(TermForm::CallTwo, p)) return std::nullopt;
    return commaSplit(p);  // every question it asks is answered by now
}

// name "(" term "," term ")" with a two-parameter name, split at the first comma whose sides
// are both valid; a comma at the first or last position inside the brackets ends the search.
// Commas off the inner bracket level leave unbalanced sides and are skipped.
std::optional<SplitPieces> TermAnalyzer::commaSplit(Piece p) {
    const std::uint32_t open = firstOpen(p);
    if (!twoParamEntry({p.begin, open})) return std::nullopt;
    const Piece inner{open + 1, p.end - 1};
    if (inner.empty()) return std::nullopt;
    for (const std::uint32_t pos :
         m_index.atDepth(TermIndex::Comma, m_index.depthAt(inner.begin), inner.begin, inner.end)) {
        if (pos == inner.begin || pos + 1 == inner.end) return std::nullopt;
        spendWork();
        const SplitPieces s{{inner.begin, pos}, {pos + 1, inner.end}};
        if (is(TermForm::Valid, s.left) && is(TermForm::Valid, s.right)) return s;
    }
    return std::nullopt;
}

}  // namespace kalvor
