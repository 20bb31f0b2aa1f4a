#pragma once

#include <optional>
#include <string>

#include "lang/run_context.h"
#include "numeric/real_function.h"

// Formula arguments of the numerical commands and the handlers of the family.

namespace kalvor::numeric {

/// The value of `parser` with X = x and Y = y, or std::nullopt where it cannot be evaluated.
std::optional<Number> tryValueAt(Parser& parser, Number x, Number y);

/// A formula argument set as the expression of one parser instance and evaluated by setting
/// that parser's X and Y. Compiling it shows the "Kalvor kan de uitdrukking" box on failure
/// and ends the run.
class FormulaArgument {
public:
    FormulaArgument(RunContext& ctx, int parserNumber, std::string text);
    FormulaArgument(const FormulaArgument&) = delete;
    FormulaArgument& operator=(const FormulaArgument&) = delete;

    /// The value at (x, y); an evaluation error shows its message and ends the run.
    Number at(Number x, Number y = 0);
    /// The value at (x, y), or std::nullopt where the formula cannot be evaluated.
    std::optional<Number> tryAt(Number x, Number y = 0);

    RealFunction ofX() {
        return [this](Number x) { return at(x); };
    }
    PlaneFunction ofXY() {
        return [this](Number x, Number y) { return at(x, y); };
    }
    PartialPlaneFunction partial() {
        return [this](Number x, Number y) { return tryAt(x, y); };
    }
    const std::string& text() const { return m_text; }

private:
    RunContext& m_ctx;
    Parser& m_parser;
    std::string m_text;
};

}  // namespace kalvor::numeric
