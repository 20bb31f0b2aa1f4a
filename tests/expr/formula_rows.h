#pragma once

// Formula rows: a formula text and the value or evaluation error it must give, checked through
// every path a formula can take: as the parser evaluates it (the tree form when it has one),
// its operation list, and the same text with the variables written as constants, which the
// compiler folds.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <regex>
#include <string>

#include "expr/formula_impl.h"
#include "expr/parser.h"
#include "extended_near.h"

namespace kalvor::test {

/// What one evaluation gave: a value, or the message of its EvaluationError.
struct Outcome {
    bool failed = false;
    std::string message;
    Number value = 0;
};

template <typename F>
Outcome outcomeOf(F evaluate) {
    Outcome o;
    try {
        o.value = evaluate();
    } catch (const EvaluationError& e) {
        o.failed = true;
        o.message = e.what();
    }
    return o;
}

/// The message of the `Error` that `action` throws, or "<no error>".
template <typename Error, typename Action>
std::string messageOf(Action action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "<no error>";
}

inline bool sameBits(Number a, Number b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, 10) == 0;
}

/// `text` with the one-letter variables x, y, a and b written as bracketed constants where
/// their value is a whole number (others stay variables).
inline std::string withConstants(const Parser& p, const std::string& text) {
    std::string out = text;
    const std::pair<const char*, Number> cells[] = {{"x", p.x}, {"y", p.y}, {"a", p.a}, {"b", p.b}};
    for (const auto& [name, value] : cells) {
        if (!std::isfinite(value) || value != std::trunc(value) || std::fabs(value) > 1e15)
            continue;
        const std::regex word(std::string("(^|[^A-Za-z0-9_])") + name + "(?![A-Za-z0-9_(])",
                              std::regex::icase);
        out = std::regex_replace(out, word,
                                 "$1(" + std::to_string(static_cast<long long>(value)) + ")");
    }
    return out;
}

/// The outcomes of `text` on every path, named.
inline std::vector<std::pair<std::string, Outcome>> outcomesOf(Parser& p, const std::string& text) {
    p.setExpression(text);
    const Formula f = p.compile(text);
    const std::string folded = withConstants(p, text);
    return {{"parser", outcomeOf([&] { return p.value(); })},
            {"operation list", outcomeOf([&] { return evaluateList(*FormulaAccess::impl(f)); })},
            {"folded " + folded, outcomeOf([&] { return p.compile(folded).value(); })}};
}

/// A formula and its value: exactly, or within `tolerance`.
struct FormulaRow {
    std::string text;
    Number expected;
    Number tolerance = 0;
};

/// A formula whose evaluation fails with `message`.
struct FailureRow {
    std::string text, message;
};

inline void checkFormula(Parser& p, const FormulaRow& row) {
    for (const auto& [path, o] : outcomesOf(p, row.text)) {
        SCOPED_TRACE(row.text + " by " + path);
        ASSERT_FALSE(o.failed) << o.message;
        if (row.tolerance == 0)
            EXPECT_EQ(o.value, row.expected);
        else
            EXPECT_TRUE(extendedNear(o.value, row.expected, row.tolerance));
    }
}

inline void checkFormula(Parser& p, const FailureRow& row) {
    for (const auto& [path, o] : outcomesOf(p, row.text)) {
        SCOPED_TRACE(row.text + " by " + path);
        EXPECT_TRUE(o.failed);
        EXPECT_EQ(o.message, row.message);
    }
}

}  // namespace kalvor::test
