#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "expr/number.h"

namespace kalvor {

// ---- Errors ---------------------------------------------------------------------------------

/// Base of every error raised while compiling a formula; what() is the exact message.
class ParserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class SyntaxError : public ParserError { using ParserError::ParserError; };
class ExpressionHasBlanks : public ParserError { using ParserError::ParserError; };
class ExpressionTooComplex : public ParserError { using ParserError::ParserError; };
class TooManyNestings : public ParserError { using ParserError::ParserError; };
class MismatchedBrackets : public ParserError { using ParserError::ParserError; };
class BadName : public ParserError { using ParserError::ParserError; };
class ParserInternalError : public ParserError { using ParserError::ParserError; };
/// A function name registered twice in the same table.
class DuplicateName : public ParserError { using ParserError::ParserError; };

/// A formula that compiled but could not be evaluated: division by zero, an invalid operation
/// (root or logarithm of a negative number), overflow, DIV/MOD by zero, or a library function
/// that refuses its argument ("too big", the inverse normal range). Not a ParserError, so
/// callers can tell the two apart.
class EvaluationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Functions --------------------------------------------------------------------------------

/// A registered function. `context` is handed back unchanged on every call, so a library can
/// reach its own state (lists, prime table, host) without globals. A call fails with
/// EvaluationError when the function throws one (passed on unchanged) or when it raises the
/// invalid-operation, division-by-zero or overflow flag of the extended or the SSE unit, as
/// it would trap with those exceptions unmasked; a NaN returned without such a flag is a value.
using FunctionOneParam = Number (*)(void* context, Number x);
using FunctionTwoParam = Number (*)(void* context, Number p, Number q);

// ---- Compiled formulas -------------------------------------------------------------------------

/// One compiled formula: a flat list of operations over value cells. Variable cells belong to
/// the parser that compiled it (bound by address), constant and result cells to the formula.
/// Valid while that parser lives and until its ClearVariables. Move-only.
class Formula {
public:
    Formula();
    ~Formula();
    Formula(Formula&&) noexcept;
    Formula& operator=(Formula&&) noexcept;
    Formula(const Formula&) = delete;
    Formula& operator=(const Formula&) = delete;

    /// Runs the operations in list order; 0 for an empty formula. Allocates nothing, looks up
    /// nothing by name. Throws EvaluationError for the failures listed there.
    Number value() const;
    bool empty() const;

    struct Impl;

private:
    explicit Formula(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
    friend class ParserBase;
    friend struct FormulaAccess;
};

// ---- Parser -----------------------------------------------------------------------------------

/// Variables, function tables, formula compilation and evaluation. Names are upper-cased on
/// entry. Owns its variable cells (stable addresses) and its current compiled formula.
class ParserBase {
public:
    ParserBase();
    virtual ~ParserBase();
    ParserBase(const ParserBase&) = delete;
    ParserBase& operator=(const ParserBase&) = delete;

    /// Assigning frees the previous formula, keeps `text` unchanged and compiles it (unless
    /// empty). A failure leaves no formula, sets parseFailed() and then calls the error handler
    /// if one is set (swallowing the error) or throws the ParserError.
    void setExpression(std::string_view text);
    const std::string& expression() const { return m_expression; }
    bool parseFailed() const { return m_parseFailed; }

    /// Value of the current formula; 0 when there is none.
    Number value() const { return m_formula.value(); }

    /// Compiles `text` against this parser's tables without touching expression(); throws
    /// ParserError. The result may be kept and evaluated later (argument caches).
    Formula compile(std::string_view text) const;

    /// Stores `value` in the named variable, creating it when missing; returns its cell.
    /// Throws BadName for an invalid new name (message: the upper-cased name).
    Number* setVariable(std::string_view name, Number value);
    Number getVariable(std::string_view name) const;
    bool variableExists(std::string_view name) const;
    /// The variable's cell, or nullptr when it does not exist.
    Number* variableCell(std::string_view name);

    /// Throws BadName for an invalid name and DuplicateName for a name already in that table.
    void addFunctionOneParam(std::string_view name, FunctionOneParam fn, void* context = nullptr);
    void addFunctionTwoParam(std::string_view name, FunctionTwoParam fn, void* context = nullptr);

    /// Frees every variable except the parser's own one-letter cells, empties the table and
    /// assigns the empty expression. Every Formula compiled by this parser becomes invalid.
    void clearVariables();

    /// Changes whenever a variable or function is added or the variables are cleared, so a
    /// cache of compiled formulas or variable cells knows when to look names up again.
    std::uint64_t generation() const { return m_generation; }

    /// Optional handler for compile failures (the OnParserError event).
    std::function<void(ParserBase&, const ParserError&)> onParserError;

    struct OneParamEntry {
        FunctionOneParam fn;
        void* context;
    };
    struct TwoParamEntry {
        FunctionTwoParam fn;
        void* context;
    };

protected:
    /// Lets Parser register its own cells under one-letter names.
    void registerOwnCell(std::string_view name, Number* cell);
    virtual Number* ownCell(std::string_view upperName);

private:
    std::string m_expression;
    bool m_parseFailed = false;
    std::uint64_t m_generation = 0;
    Formula m_formula;
    std::map<std::string, Number*, std::less<>> m_variables;
    std::vector<std::unique_ptr<Number>> m_allocatedCells;
    std::map<std::string, OneParamEntry, std::less<>> m_oneParam;
    std::map<std::string, TwoParamEntry, std::less<>> m_twoParam;
};

/// The parser instance used everywhere: ParserBase with the cells A, B, C, D, E, X, Y, T and
/// the standard functions (TAN … LOGN).
class Parser : public ParserBase {
public:
    Parser();

    Number a = 0, b = 0, c = 0, d = 0, e = 0, x = 0, y = 0, t = 0;

protected:
    Number* ownCell(std::string_view upperName) override;
};

}  // namespace kalvor
