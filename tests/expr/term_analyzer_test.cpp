// The term checks against a direct, unoptimised reading of the rules, on many random texts.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>

#include "expr/number_literal.h"
#include "expr/term_analyzer.h"

namespace kalvor {
namespace {

// Every check exactly as worded, with no memo and no pruning (exponential; short texts only).
class ReferenceTerms {
public:
    std::set<std::string, std::less<>> variables, oneParam, twoParam;

    bool is(TermForm f, const std::string& s) const {
        switch (f) {
            case TermForm::Variable:
                return variables.count(s) != 0;
            case TermForm::Number:
                return number(s);
            case TermForm::Negation:
                return negation(s);
            case TermForm::Addition:
                return split(s, "+", sumLeft(), sumRight());
            case TermForm::Subtraction:
                return split(s, "-", sumLeft(), productRight());
            case TermForm::Multiplication:
                return split(s, "*", productLeft(), productRight());
            case TermForm::IntDivide:
                return split(s, "DIV", productLeft(), quotientRight());
            case TermForm::Modulo:
                return split(s, "MOD", productLeft(), quotientRight());
            case TermForm::Division:
                return split(s, "/", productLeft(), quotientRight());
            case TermForm::Power:
                return split(s, "^", atom(), atom());
            case TermForm::CallOne:
                return callOne(s);
            case TermForm::CallTwo:
                return callTwo(s);
            case TermForm::Bracket:
                return bracket(s);
            case TermForm::Valid:
                return valid(s);
        }
        return false;
    }

private:
    using Forms = std::vector<TermForm>;
    static Forms atom() {
        return {TermForm::Variable, TermForm::Number, TermForm::Bracket, TermForm::CallOne,
                TermForm::CallTwo};
    }
    static Forms with(Forms f, Forms more) {
        f.insert(f.end(), more.begin(), more.end());
        return f;
    }
    static Forms productLeft() {
        return with(atom(), {TermForm::Negation, TermForm::IntDivide, TermForm::Modulo,
                             TermForm::Division, TermForm::Power});
    }
    static Forms sumLeft() {
        return with(productLeft(), {TermForm::Subtraction, TermForm::Multiplication});
    }
    static Forms productRight() {
        return with(atom(), {TermForm::Multiplication, TermForm::IntDivide, TermForm::Modulo,
                             TermForm::Division, TermForm::Power});
    }
    static Forms sumRight() {
        return with(productRight(), {TermForm::Addition, TermForm::Subtraction});
    }
    static Forms quotientRight() { return with(atom(), {TermForm::Power}); }

    bool anyOf(const Forms& forms, const std::string& s) const {
        for (TermForm f : forms) {
            if (is(f, s)) return true;
        }
        return false;
    }
    static bool balanced(const std::string& s) {
        int n = 0;
        for (char c : s)
            n += (c == '(') - (c == ')');
        return n == 0;
    }
    static bool number(const std::string& s) {
        Number v;
        return s == "PI" || s == "-PI" || readNumberLiteral(s, v);
    }
    bool valid(const std::string& s) const {
        return !s.empty() && (anyOf(sumRight(), s) || negation(s));
    }
    bool bracket(const std::string& s) const {
        return s.size() >= 2 && s.front() == '(' && s.back() == ')' &&
               valid(s.substr(1, s.size() - 2));
    }
    bool negation(const std::string& s) const {
        if (s.empty() || s[0] != '-') return false;
        const std::string r = s.substr(1);
        return bracket(r) || is(TermForm::Variable, r) || is(TermForm::Power, r) || callOne(r) ||
               callTwo(r);
    }
    bool split(const std::string& s, const std::string& op, const Forms& left,
               const Forms& right) const {
        std::size_t pos = s.find(op);
        if (pos == std::string::npos || pos == 0) return false;
        for (; pos != std::string::npos && pos + 1 < s.size(); pos = s.find(op, pos + 1)) {
            const std::string l = s.substr(0, pos), r = s.substr(pos + op.size());
            if (balanced(l) && balanced(r) && anyOf(left, l) && anyOf(right, r)) return true;
        }
        return false;
    }
    bool callOne(const std::string& s) const {
        const std::size_t open = s.find('(');
        return open != std::string::npos && oneParam.count(s.substr(0, open)) && s.back() == ')' &&
               bracket(s.substr(open));
    }
    bool callTwo(const std::string& s) const {
        const std::size_t open = s.find('(');
        if (open == std::string::npos || !twoParam.count(s.substr(0, open)) || s.back() != ')') {
            return false;
        }
        const std::string inner = s.substr(open + 1, s.size() - open - 2);
        for (std::size_t c = inner.find(','); c != std::string::npos; c = inner.find(',', c + 1)) {
            if (c == 0 || c + 1 == inner.size()) return false;
            if (valid(inner.substr(0, c)) && valid(inner.substr(c + 1))) return true;
        }
        return false;
    }
};

constexpr TermForm kAllForms[] = {
    TermForm::Variable,    TermForm::Number,         TermForm::Negation,  TermForm::Addition,
    TermForm::Subtraction, TermForm::Multiplication, TermForm::IntDivide, TermForm::Modulo,
    TermForm::Division,    TermForm::Power,          TermForm::CallOne,   TermForm::CallTwo,
    TermForm::Bracket,     TermForm::Valid,
};

TEST(TermAnalyzer, AgreesWithTheRulesAsWorded) {
    const char* tokens[] = {"X", "Y", "MODE", "1", "2", ".", "E", "PI",  "+",   "-",   "-",  "*",
                            "/", "^", "(",    "(", ")", ")", ",", "DIV", "MOD", "SIN", "MAX"};
    std::map<std::string, Number*, std::less<>> variables;
    Number cell = 0;
    for (const char* v : {"X", "Y", "MODE"})
        variables[v] = &cell;
    std::map<std::string, ParserBase::OneParamEntry, std::less<>> oneParam{{"SIN", {}}};
    std::map<std::string, ParserBase::TwoParamEntry, std::less<>> twoParam{{"MAX", {}}};
    const NameTables tables{variables, oneParam, twoParam};
    ReferenceTerms reference;
    reference.variables = {"X", "Y", "MODE"};
    reference.oneParam = {"SIN"};
    reference.twoParam = {"MAX"};

    std::mt19937 random(20240611);
    int validCount = 0;
    for (int round = 0; round < 30000; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 9);
        for (int i = 0; i < length; ++i)
            text += tokens[random() % std::size(tokens)];
        TermAnalyzer analyzer(text, tables);
        for (TermForm f : kAllForms) {
            ASSERT_EQ(analyzer.check(f, analyzer.whole()), reference.is(f, text))
                << text << " form " << static_cast<int>(f);
        }
        validCount += reference.is(TermForm::Valid, text);
    }
    EXPECT_GT(validCount, 1000);  // the sample reaches the interesting cases
}

}  // namespace
}  // namespace kalvor
