#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "expr/number.h"

namespace kalvor {

class Environment;

/// The fields of the editor's calculator and symbolic tools, as the person typed them.
struct FormulaToolFields {
    std::string formula;         // "Expressie"
    std::string x;               // the point of "=" and "helling"; empty counts as "0"
    std::string a, b;            // bounds of "Integraal" and "Bep. Int."
    std::string variable = "x";  // variable of the symbolic operations
    std::string order = "1e";    // order of "Afgeleide": "1e" … "5e"
    std::string result;          // the result line
};

/// The calculator and symbolic tools of the editor window, without widgets: each operation
/// reads the fields, computes in the program's Parser1 (so the variables of the last run are
/// there) or asks the symbolic library, and writes the result line. A field the parser cannot
/// handle shows the formula fields' message and leaves the result line as it was (false).
class FormulaTools {
public:
    /// The symbolic library: command text in, answer text out (error answers included).
    using SymbolicCall = std::function<std::string(std::string_view command)>;

    /// Without `symbolic`, the environment's own symbolic library answers.
    explicit FormulaTools(Environment& env, SymbolicCall symbolic = {});
    /// Another symbolic library (tests record the command texts).
    void setSymbolic(SymbolicCall symbolic) { m_symbolic = std::move(symbolic); }

    /// "=": the formula at x.
    bool calculate(FormulaToolFields& fields);
    /// "helling": the central slope with step 1e-6, rounded to 5 decimals.
    bool slope(FormulaToolFields& fields);
    /// "Integraal": the Gauss integral from a to b.
    bool integral(FormulaToolFields& fields);
    /// "Afgeleide", "Primitieve", "Bep. Int.": the command text goes to the symbolic library
    /// and its answer, an error answer too, becomes the result line.
    bool derivative(FormulaToolFields& fields);
    bool antiderivative(FormulaToolFields& fields);
    bool definiteIntegral(FormulaToolFields& fields);
    /// "=>expressie".
    static void resultToFormula(FormulaToolFields& fields) { fields.formula = fields.result; }

private:
    Number fieldValue(std::string_view text);
    void setFormula(std::string_view text);
    Number formulaAt(Number x);
    std::string prepared(std::string_view text);
    bool askSymbolic(FormulaToolFields& fields, const std::function<std::string()>& command);
    template <typename Work>
    bool guarded(Work&& work);

    Environment& m_env;
    SymbolicCall m_symbolic;
};

}  // namespace kalvor
