#include "expr/symbolic/symbolic_formula.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <numeric>
#include <string_view>

namespace kalvor {

namespace {

using Kind = SymNode::Kind;

// Sums with more terms than this are bracketed in halves.
constexpr size_t kFlatSumTerms = 8;

/// What the formula parser sees at the top of a printed text; it decides where the text may
/// stand without brackets.
enum class Form {
    Atom,       // variable, unsigned number, function call or bracket term
    NegNumber,  // a number literal with its minus: -3
    Neg,        // a negation: -x, -x^2, -(a+b)
    Power,      // a^b
    Quotient,   // a/b (also a product ending in a quotient: a*b/c is Product)
    Product,    // a*b
    Sum,        // a+b, a-b
};

struct Text {
    std::string s;
    Form form;
};

Text bracket(const Text& t) {
    return {"(" + t.s + ")", Form::Atom};
}

Text restrict(const Text& t, std::initializer_list<Form> allowed) {
    return std::find(allowed.begin(), allowed.end(), t.form) != allowed.end() ? t : bracket(t);
}

[[noreturn]] void fail(const std::string& message) {
    throw SymbolicFailure(message);
}

SymNode call1(const char* name, SymNode arg) {
    return SymNode::call(name, {std::move(arg)});
}
SymNode num(const char* literal) {
    return SymNode::number(literal);
}
SymNode sum(std::vector<SymNode> terms) {
    return SymNode::nary(Kind::Sum, std::move(terms));
}
SymNode product(std::vector<SymNode> factors) {
    return SymNode::nary(Kind::Product, std::move(factors));
}
SymNode neg(SymNode n) {
    return SymNode::unary(Kind::Neg, std::move(n));
}
SymNode inv(SymNode n) {
    return SymNode::unary(Kind::Inv, std::move(n));
}
SymNode square(SymNode n) {
    return SymNode::nary(Kind::Power, {std::move(n), num("2")});
}

/// Library functions that have the same meaning under another name in our parsers.
struct Rename {
    std::string_view library;
    const char* ours;
};

constexpr std::array kRenames = {
    Rename{"sin", "sin"},     Rename{"cos", "cos"},     Rename{"tan", "tan"},
    Rename{"exp", "exp"},     Rename{"ln", "ln"},       Rename{"sqrt", "sqrt"},
    Rename{"abs", "abs"},     Rename{"sign", "sign"},   Rename{"floor", "floor"},
    Rename{"ceil", "ceil"},   Rename{"sinh", "sinh"},   Rename{"cosh", "cosh"},
    Rename{"erf", "erf"},     Rename{"asin", "arcsin"}, Rename{"acos", "arccos"},
    Rename{"atan", "arctan"}, Rename{"cot", "cotan"},   Rename{"Heaviside", "heav"},
    Rename{"log10", "log10"}, Rename{"max", "max"},     Rename{"min", "min"},
};

/// Why an answer holding this library function cannot be a formula.
struct Refusal {
    std::string_view library;
    const char* message;
};

constexpr std::array kRefusals = {
    Refusal{"integrate", "geen primitieve gevonden"},
    Refusal{"diff", "geen afgeleide gevonden"},
    Refusal{"derive", "geen afgeleide gevonden"},
    Refusal{"limit", "geen limiet gevonden"},
    Refusal{"sum", "geen som gevonden"},
    Refusal{"when", "het antwoord hangt af van gevallen"},
    Refusal{"piecewise", "het antwoord hangt af van gevallen"},
    Refusal{"ifte", "het antwoord hangt af van gevallen"},
    Refusal{"Dirac", "het antwoord bevat een deltafunctie"},
    Refusal{"bounded_function", "het antwoord is onbepaald"},
};

/// Functions we have no name for but can write out in the ones we have.
bool rewrite(const SymNode& call, SymNode& out) {
    if (call.args.size() != 1) return false;
    const SymNode& u = call.args[0];
    const std::string& f = call.text;
    if (f == "tanh") {
        out = product({call1("sinh", u), inv(call1("cosh", u))});
    } else if (f == "sec") {
        out = inv(call1("cos", u));
    } else if (f == "csc") {
        out = inv(call1("sin", u));
    } else if (f == "asinh") {
        out = call1("ln", sum({u, call1("sqrt", sum({square(u), num("1")}))}));
    } else if (f == "acosh") {
        out = call1("ln", sum({u, call1("sqrt", sum({square(u), neg(num("1"))}))}));
    } else if (f == "atanh") {
        const SymNode ratio = product({sum({num("1"), u}), inv(sum({num("1"), neg(u)}))});
        out = product({call1("ln", ratio), inv(num("2"))});
    } else {
        return false;
    }
    return true;
}

bool isNumber(const SymNode& n, std::string_view literal) {
    return n.kind == Kind::Number && n.text == literal;
}

/// The exponent 1/2, as the library writes it.
bool isHalf(const SymNode& e) {
    return e.kind == Kind::Product && e.args.size() == 2 && isNumber(e.args[0], "1") &&
           e.args[1].kind == Kind::Inv && isNumber(e.args[1].args[0], "2");
}

/// A product split into sign, numerator and denominator factors.
struct Factors {
    bool negative = false;
    std::vector<SymNode> numerator;
    std::vector<SymNode> denominator;
};

bool isNegative(const SymNode& n);

void collect(const SymNode& n, bool below, Factors& f) {
    switch (n.kind) {
        case Kind::Neg:
            f.negative = !f.negative;
            collect(n.args[0], below, f);
            return;
        case Kind::Inv:
            collect(n.args[0], !below, f);
            return;
        case Kind::Product:
            for (const SymNode& arg : n.args)
                collect(arg, below, f);
            return;
        case Kind::Power:
            if (n.args[1].kind == Kind::Neg) {
                const SymNode& e = n.args[1].args[0];
                collect(isNumber(e, "1") ? n.args[0] : SymNode::nary(Kind::Power, {n.args[0], e}),
                        !below, f);
                return;
            }
            break;
        case Kind::Sum:
            if (std::all_of(n.args.begin(), n.args.end(), isNegative)) {
                f.negative = !f.negative;
                std::vector<SymNode> terms;
                for (const SymNode& t : n.args)
                    terms.push_back(neg(t));
                (below ? f.denominator : f.numerator).push_back(sum(std::move(terms)));
                return;
            }
            break;
        default:
            break;
    }
    (below ? f.denominator : f.numerator).push_back(n);
}

/// Whether the term is written with a leading minus: -x, -2*x, x*(-y).
bool isNegative(const SymNode& n) {
    if (n.kind != Kind::Neg && n.kind != Kind::Product) return false;
    Factors f;
    collect(n, false, f);
    return f.negative;
}

bool isWholeNumber(const SymNode& n) {
    return n.kind == Kind::Number && n.text.size() <= 18 &&
           n.text.find_first_not_of("0123456789") == std::string::npos;
}

/// Multiplies the whole numbers among `factors` into one, as far as that stays below 10^18,
/// and takes them out.
unsigned long long takeWholeNumbers(std::vector<SymNode>& factors) {
    constexpr unsigned long long kLimit = 1'000'000'000'000'000'000ULL;
    unsigned long long product = 1;
    std::erase_if(factors, [&product](const SymNode& n) {
        if (!isWholeNumber(n)) return false;
        unsigned long long next = 0;
        if (__builtin_mul_overflow(product, std::stoull(n.text), &next) || next >= kLimit) {
            return false;
        }
        product = next;
        return true;
    });
    return product;
}

/// One reduced number in front of the numerator and of the denominator (the library leaves
/// products such as 1/2*x/2 standing), and factors 1 dropped.
void tidy(Factors& f) {
    unsigned long long top = takeWholeNumbers(f.numerator);
    unsigned long long bottom = takeWholeNumbers(f.denominator);
    const unsigned long long common = std::gcd(top, bottom);
    if (common > 1) {
        top /= common;
        bottom /= common;
    }
    if (top != 1) f.numerator.insert(f.numerator.begin(), SymNode::number(std::to_string(top)));
    if (bottom != 1) {
        f.denominator.insert(f.denominator.begin(), SymNode::number(std::to_string(bottom)));
    }
}

bool startsWithDigit(const std::string& s) {
    return !s.empty() && std::isdigit(static_cast<unsigned char>(s[0]));
}

struct Signed {
    bool negative;
    Text magnitude;
};

class FormulaWriter {
public:
    Text write(const SymNode& n) {
        switch (n.kind) {
            case Kind::Number:
                return number(n.text);
            case Kind::Variable:
                return {n.text, Form::Atom};
            case Kind::Constant:
                if (n.text == "pi") return {"pi", Form::Atom};
                fail("het antwoord is oneindig");
            case Kind::Call:
                return call(n);
            case Kind::Sum:
                return sumText(n.args);
            case Kind::Power:
                if (n.args[1].kind != Kind::Neg) return power(n);
                [[fallthrough]];
            case Kind::Neg:
            case Kind::Inv:
            case Kind::Product:
                return withSign(signedText(n));
            case Kind::IntDiv:
                return wordOperator(n, "DIV");
            case Kind::Mod:
                return wordOperator(n, "MOD");
        }
        return {};
    }

private:
    static Text number(const std::string& literal) {
        // An exponent's sign must not be taken for a subtraction: 1.5E-7 is bracketed.
        if (literal.find('E') != std::string::npos) return {"(" + literal + ")", Form::Atom};
        return {literal, Form::Atom};
    }

    Text call(const SymNode& n) {
        SymNode rewritten;
        if (rewrite(n, rewritten)) return write(rewritten);
        if (n.text == "NTHROOT" && n.args.size() == 2) {
            return callText("root", {n.args[1], n.args[0]});
        }
        if ((n.text == "max" || n.text == "min") && n.args.size() > 2) {
            // Our max and min take two arguments: max(a,b,c) is max(a,max(b,c)).
            std::vector<SymNode> rest(n.args.begin() + 1, n.args.end());
            return callText(n.text.c_str(), {n.args[0], SymNode::call(n.text, std::move(rest))});
        }
        for (const Rename& r : kRenames) {
            if (n.text == r.library) return callText(r.ours, n.args);
        }
        for (const Refusal& r : kRefusals) {
            if (n.text == r.library) fail(r.message);
        }
        fail("het antwoord bevat de functie " + n.text + ", die Kalvor niet kent");
    }

    Text callText(const char* name, const std::vector<SymNode>& args) {
        std::string s = std::string(name) + "(";
        for (size_t i = 0; i < args.size(); ++i) {
            if (i > 0) s += ",";
            s += write(args[i]).s;
        }
        return {s + ")", Form::Atom};
    }

    Text power(const SymNode& n) {
        if (isHalf(n.args[1])) return callText("sqrt", {n.args[0]});
        const Text base = restrict(write(n.args[0]), {Form::Atom});
        const Text exponent = restrict(write(n.args[1]), {Form::Atom});
        return {base.s + "^" + exponent.s, Form::Power};
    }

    Text wordOperator(const SymNode& n, const char* op) {
        const Text left = restrict(write(n.args[0]), {Form::Atom, Form::NegNumber, Form::Neg,
                                                      Form::Power, Form::Quotient});
        const Text right = restrict(write(n.args[1]), {Form::Atom, Form::Power});
        return {left.s + op + right.s, Form::Quotient};
    }

    /// A negation or product as sign and unsigned text.
    Signed signedText(const SymNode& n) {
        if (n.kind == Kind::Neg) {
            Signed s = signedText(n.args[0]);
            s.negative = !s.negative;
            return s;
        }
        if (n.kind != Kind::Product && n.kind != Kind::Inv && n.kind != Kind::Power) {
            return {false, write(n)};
        }
        Factors f;
        collect(n, false, f);
        tidy(f);
        return {f.negative, quotient(f)};
    }

    Text factorChain(const std::vector<SymNode>& factors) {
        if (factors.empty()) return {"1", Form::Atom};
        std::vector<Text> parts;
        for (const SymNode& factor : factors) {
            parts.push_back(restrict(write(factor), {Form::Atom, Form::Power, Form::Quotient}));
        }
        if (parts.size() == 1) return parts[0];
        std::string s = parts[0].s;
        for (size_t i = 1; i < parts.size(); ++i)
            s += "*" + parts[i].s;
        return {s, Form::Product};
    }

    Text quotient(const Factors& f) {
        const Text top = factorChain(f.numerator);
        if (f.denominator.empty()) return top;
        const Text bottom = restrict(factorChain(f.denominator), {Form::Atom, Form::Power});
        // a*b/c is read as a*(b/c): the same value, so the numerator needs no bracket.
        const Form form = top.form == Form::Product ? Form::Product : Form::Quotient;
        return {top.s + "/" + bottom.s, form};
    }

    static Text withSign(const Signed& s) {
        if (!s.negative) return s.magnitude;
        const Text& m = s.magnitude;
        switch (m.form) {
            case Form::Atom:
                if (startsWithDigit(m.s)) return {"-" + m.s, Form::NegNumber};
                return {"-" + m.s, Form::Neg};
            case Form::Power:
                return {"-" + m.s, Form::Neg};
            // The leading factor is an atom or power, which the parser negates before it
            // multiplies or divides: -2*x is (-2)*x, -x/2 is (-x)/2.
            case Form::Product:
            case Form::Quotient:
                return {"-" + m.s, m.form};
            default:
                return {"-" + bracket(m).s, Form::Neg};
        }
    }

    Text sumText(const std::vector<SymNode>& terms) {
        std::vector<Signed> signedTerms;
        for (const SymNode& t : terms)
            signedTerms.push_back(signedText(t));
        return sumOf(signedTerms);
    }

    static Text term(const Text& t) {
        return restrict(t, {Form::Atom, Form::Power, Form::Quotient, Form::Product});
    }

    Text sumOf(std::vector<Signed> terms) {
        if (terms.size() > kFlatSumTerms) return halves(terms);
        // A leading minus may not start a difference (-x-1 does not parse): lead with a
        // positive term, or negate the whole sum.
        const auto positive =
            std::find_if(terms.begin(), terms.end(), [](const Signed& s) { return !s.negative; });
        if (positive == terms.end()) {
            for (Signed& s : terms)
                s.negative = false;
            return withSign({true, sumOf(terms)});
        }
        std::rotate(terms.begin(), positive, positive + 1);
        const Text first = term(terms[0].magnitude);
        if (terms.size() == 1) return first;
        std::string s = first.s;
        for (size_t i = 1; i < terms.size(); ++i) {
            s += (terms[i].negative ? "-" : "+") + term(terms[i].magnitude).s;
        }
        return {s, Form::Sum};
    }

    Text halves(const std::vector<Signed>& terms) {
        const auto middle = terms.begin() + static_cast<std::ptrdiff_t>(terms.size() / 2);
        const Text left = sumOf({terms.begin(), middle});
        const Text right = sumOf({middle, terms.end()});
        return {bracket(left).s + "+" + bracket(right).s, Form::Sum};
    }
};

}  // namespace

std::string toFormulaText(const SymNode& answer) {
    return FormulaWriter().write(answer).s;
}

}  // namespace kalvor
