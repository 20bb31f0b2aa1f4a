#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "expr/parser.h"
#include "expr/term_index.h"

namespace kalvor {

/// The three name tables a formula is compiled against.
struct NameTables {
    const std::map<std::string, Number*, std::less<>>& variables;
    const std::map<std::string, ParserBase::OneParamEntry, std::less<>>& oneParam;
    const std::map<std::string, ParserBase::TwoParamEntry, std::less<>>& twoParam;
};

/// The forms a term can take. The split forms are listed in the order the compiler tries them.
enum class TermForm : std::uint8_t {
    Variable,
    Number,
    Negation,
    Addition,
    Subtraction,
    Multiplication,
    IntDivide,
    Modulo,
    Division,
    Power,
    CallOne,
    CallTwo,
    Bracket,
    Valid,
};

struct SplitPieces {
    Piece left;
    Piece right;
};

/// Decides which forms the pieces of one upper-cased formula text take.
///
/// The checks are recursive (a bracket term's inside must be valid, a split's operands must be
/// of allowed forms), so every answer is remembered per (form, piece), and forms are ruled out
/// at once when the piece holds an operator character at its own bracket level that no term of
/// that form can hold. Recursion deeper than a fixed bound is not an error: the innermost
/// pending question is answered on a fresh stack first and the outer one asked again, so any
/// nesting depth is decided exactly without exhausting the stack. Only more work than a fixed
/// budget (thousands of operators in one chain) raises ExpressionTooComplex.
class TermAnalyzer {
public:
    /// Longest text accepted at all; longer ones raise ExpressionTooComplex.
    static constexpr std::size_t kMaxTextLength = std::size_t{1} << 20;
    /// Pieces examined plus split candidates tried before ExpressionTooComplex.
    static constexpr std::uint64_t kWorkBudget = 20'000'000;

    TermAnalyzer(std::string_view text, const NameTables& tables);

    Piece whole() const { return {0, static_cast<std::uint32_t>(m_text.size())}; }
    std::string_view text(Piece p) const { return m_text.substr(p.begin, p.end - p.begin); }

    /// Whether p takes `form` (for Valid: any form a term may take).
    bool check(TermForm form, Piece p);

    /// The first split of p at the operator of the split form `form`, scanning every
    /// occurrence from the left as the compiler does; `lastTried` receives each candidate.
    std::optional<SplitPieces> split(TermForm form, Piece p, std::optional<SplitPieces>& lastTried);
    /// The two arguments of a two-parameter call, or nullopt when p is not one.
    std::optional<SplitPieces> callArguments(Piece p);
    /// The bracketed argument of a one-parameter call, brackets included.
    Piece callArgument(Piece p) const { return {firstOpen(p), p.end}; }
    /// The text before the first "(".
    Piece callName(Piece p) const { return {p.begin, firstOpen(p)}; }

    /// p without every pair of brackets around a valid term.
    Piece stripBrackets(Piece p);
    Number* variableCell(Piece p) const;
    std::optional<Number> numberValue(Piece p) const;
    const ParserBase::OneParamEntry* oneParamEntry(Piece name) const;
    const ParserBase::TwoParamEntry* twoParamEntry(Piece name) const;

private:
    struct Query {
        TermForm form;
        Piece piece;
    };
    struct DepthLimit {
        Query query;
    };

    /// Remembered answers, keyed by form and piece; open addressing.
    class Memo {
    public:
        Memo();
        std::optional<bool> find(std::uint64_t key) const;
        void insert(std::uint64_t key, bool value);

    private:
        std::size_t slot(std::uint64_t entry) const;
        void grow();
        std::vector<std::uint64_t> m_entries;  // 0: empty; otherwise (key + 1) << 1 | value
        std::size_t m_size = 0;
    };

    class DepthGuard;

    static std::uint64_t keyOf(TermForm form, Piece p);
    bool is(TermForm form, Piece p);
    bool quickReject(TermForm form, Piece p) const;
    bool compute(TermForm form, Piece p);
    bool anyOf(std::uint32_t forms, Piece p);
    bool anyOfChecked(std::uint32_t forms, Piece p);
    bool isNegation(Piece p);
    bool isCallOne(Piece p);
    bool hasOperator(std::uint32_t operatorClasses, Piece p) const;
    std::optional<SplitPieces> fastSplit(TermForm form, Piece p);
    std::optional<SplitPieces> commaSplit(Piece p);
    std::uint32_t firstOpen(Piece p) const;
    void spendWork();

    std::string_view m_text;
    const NameTables& m_tables;
    TermIndex m_index;
    Memo m_memo;
    int m_depth = 0;
    std::uint64_t m_work = 0;
};

}  // namespace kalvor
