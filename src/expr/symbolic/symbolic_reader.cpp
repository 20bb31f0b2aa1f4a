#include "expr/symbolic/symbolic_reader.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kalvor {

namespace {

constexpr int kMaxDepth = 200;

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

/// Position of the first "DIV" or "MOD" in `name` at or after `from`, or npos.
size_t findWordOperator(std::string_view name, size_t from) {
    const std::string up = upper(name);
    const size_t div = up.find("DIV", from);
    const size_t mod = up.find("MOD", from);
    return std::min(div, mod);
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    SymNode command() {
        skipBlanks();
        if (atEnd()) fail("lege opdracht");
        SymNode node = sum();
        skipBlanks();
        if (!atEnd()) unexpected();
        return node;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    int m_depth = 0;

    [[noreturn]] static void fail(const std::string& message) { throw SymbolicFailure(message); }

    [[noreturn]] void unexpected() const {
        if (atEnd()) fail("onverwacht einde van de opdracht");
        fail(std::string("onverwacht teken '") + m_text[m_pos] + "' op positie " +
             std::to_string(m_pos + 1));
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }

    void skipBlanks() {
        while (!atEnd() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }

    bool accept(char c) {
        skipBlanks();
        if (peek() != c) return false;
        ++m_pos;
        return true;
    }

    void expect(char c) {
        if (!accept(c)) unexpected();
    }

    /// "DIV" or "MOD" at the current position, as an operator between two operands.
    std::optional<SymNode::Kind> wordOperator() {
        skipBlanks();
        if (m_pos + 3 > m_text.size()) return std::nullopt;
        const std::string word = upper(m_text.substr(m_pos, 3));
        if (word == "DIV") return SymNode::Kind::IntDiv;
        if (word == "MOD") return SymNode::Kind::Mod;
        return std::nullopt;
    }

    // sum := product { ("+" | "-") product }
    SymNode sum() {
        std::vector<SymNode> terms{product()};
        for (;;) {
            if (accept('+')) {
                terms.push_back(product());
            } else if (accept('-')) {
                terms.push_back(SymNode::unary(SymNode::Kind::Neg, product()));
            } else {
                break;
            }
        }
        return terms.size() == 1 ? std::move(terms[0])
                                 : SymNode::nary(SymNode::Kind::Sum, std::move(terms));
    }

    // product := quotient { "*" quotient }
    SymNode product() {
        std::vector<SymNode> factors{quotient()};
        while (accept('*'))
            factors.push_back(quotient());
        return factors.size() == 1 ? std::move(factors[0])
                                   : SymNode::nary(SymNode::Kind::Product, std::move(factors));
    }

    // quotient := unary { ("/" | "DIV" | "MOD") unary }, grouped to the left
    SymNode quotient() {
        SymNode left = unary();
        for (;;) {
            if (accept('/')) {
                SymNode right = SymNode::unary(SymNode::Kind::Inv, unary());
                left = SymNode::nary(SymNode::Kind::Product, {std::move(left), std::move(right)});
                continue;
            }
            const std::optional<SymNode::Kind> word = wordOperator();
            if (!word) return left;
            m_pos += 3;
            left = SymNode::nary(*word, {std::move(left), unary()});
        }
    }

    // unary := "-" unary | power
    SymNode unary() {
        if (accept('-')) return SymNode::unary(SymNode::Kind::Neg, nested(&Reader::unary));
        return power();
    }

    // power := primary [ "^" exponent ]; exponent := "-" exponent | primary
    SymNode power() {
        SymNode base = primary();
        if (!accept('^')) return base;
        SymNode exponent = signedPrimary();
        skipBlanks();
        if (peek() == '^') fail("'^' mag niet herhaald worden; schrijf (a^b)^c");
        return SymNode::nary(SymNode::Kind::Power, {std::move(base), std::move(exponent)});
    }

    SymNode signedPrimary() {
        if (accept('-')) return SymNode::unary(SymNode::Kind::Neg, nested(&Reader::signedPrimary));
        return primary();
    }

    // primary := number | name | name "(" arguments ")" | "(" sum ")"
    SymNode primary() {
        skipBlanks();
        if (accept('(')) {
            SymNode inner = nested(&Reader::sum);
            expect(')');
            return inner;
        }
        const char c = peek();
        if (isDigit(c) || c == '.') return number();
        if (isNameStart(c)) return nameOrCall();
        unexpected();
    }

    SymNode nested(SymNode (Reader::*rule)()) {
        if (++m_depth > kMaxDepth) fail("opdracht te diep genest");
        SymNode node = (this->*rule)();
        --m_depth;
        return node;
    }

    size_t digitsFrom(size_t pos) const {
        while (pos < m_text.size() && isDigit(m_text[pos]))
            ++pos;
        return pos;
    }

    // number := digits [ "." digits ] [ ("E" | "e") [ "+" | "-" ] digits ]
    SymNode number() {
        const size_t start = m_pos;
        size_t end = digitsFrom(m_pos);
        if (end < m_text.size() && m_text[end] == '.') end = digitsFrom(end + 1);
        if (end == start + 1 && m_text[start] == '.') unexpected();
        if (end < m_text.size() && (m_text[end] == 'E' || m_text[end] == 'e')) {
            size_t exp = end + 1;
            if (exp < m_text.size() && (m_text[exp] == '+' || m_text[exp] == '-')) ++exp;
            const size_t expEnd = digitsFrom(exp);
            if (expEnd > exp) end = expEnd;
        }
        m_pos = end;
        return SymNode::number(upper(m_text.substr(start, end - start)));
    }

    SymNode nameOrCall() {
        size_t end = m_pos;
        while (end < m_text.size() && isNameChar(m_text[end]))
            ++end;
        // As in the formula parser, DIV and MOD inside a word are operators: nMOD2, xDIVy.
        const size_t word = findWordOperator(m_text.substr(m_pos, end - m_pos), 1);
        if (word != std::string_view::npos) end = m_pos + word;
        const std::string_view name = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        if (accept('(')) return SymNode::call(upper(name), arguments());
        const std::string up = upper(name);
        if (up == "PI") return SymNode::constant("pi");
        if (up == "INF" || up == "INFINITY") return SymNode::constant("inf");
        return SymNode::variable(lower(name));
    }

    // arguments := sum { "," sum } ")"
    std::vector<SymNode> arguments() {
        std::vector<SymNode> args{nested(&Reader::sum)};
        while (accept(','))
            args.push_back(nested(&Reader::sum));
        expect(')');
        return args;
    }
};

}  // namespace

SymNode readSymbolicCommand(std::string_view text) {
    return Reader(text).command();
}

}  // namespace kalvor
