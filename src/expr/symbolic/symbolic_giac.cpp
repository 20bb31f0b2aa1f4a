// The installed library headers describe the library's object layout correctly only when
// its build configuration is seen first; without it a gen has another size and the library
// crashes on our objects.
#define HAVE_CONFIG_H 1
#include <giac/config.h>
#include <giac/giac.h>

#include "expr/symbolic/symbolic_giac.h"

#include <cmath>
#include <streambuf>

#include "expr/numtext.h"
#include "expr/symbolic/symbolic_command.h"

namespace kalvor {

namespace {

constexpr int kMaxAnswerDepth = 2000;
constexpr size_t kMaxMessage = 120;
// The library keeps 45 bits of a double's mantissa: 13 digits are all it knows.
constexpr int kDoubleDigits = 13;

/// Swallows what the library logs (warnings such as the one about integrating abs).
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

[[noreturn]] void fail(const std::string& message) {
    throw SymbolicFailure(message);
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.size() > kMaxMessage) line = line.substr(0, kMaxMessage) + "...";
    return line;
}

SymNode negated(SymNode n, bool negative) {
    return negative ? SymNode::unary(SymNode::Kind::Neg, std::move(n)) : n;
}

class Converter {
public:
    explicit Converter(const giac::context* ctx) : m_ctx(ctx) {}

    SymNode convert(const giac::gen& g) {
        if (++m_depth > kMaxAnswerDepth) fail("het antwoord is te diep genest");
        SymNode n = convertNode(g);
        --m_depth;
        return n;
    }

private:
    const giac::context* m_ctx;
    int m_depth = 0;

    SymNode convertNode(const giac::gen& g) {
        switch (g.type) {
            case giac::_INT_: {
                const long long v = g.val;
                return negated(SymNode::number(std::to_string(std::llabs(v))), v < 0);
            }
            case giac::_ZINT: {
                std::string digits = g.print(m_ctx);
                const bool negative = !digits.empty() && digits[0] == '-';
                if (negative) digits.erase(0, 1);
                return negated(SymNode::number(digits), negative);
            }
            case giac::_DOUBLE_:
                return real(g._DOUBLE_val);
            case giac::_REAL:
                return real(giac::evalf_double(g, 1, m_ctx)._DOUBLE_val);
            case giac::_FRAC:
                return fraction(g);
            case giac::_IDNT:
                return identifier(g._IDNTptr->id_name);
            case giac::_SYMB:
                return symbolic(g);
            case giac::_VECT:
                if (g._VECTptr->size() == 1) return convert(g._VECTptr->front());
                fail("het antwoord is een lijst, geen formule");
            case giac::_CPLX:
                fail("het antwoord is complex");
            case giac::_STRNG:
                fail("de berekening lukte niet: " + firstLine(*g._STRNGptr));
            default:
                fail("het antwoord is geen formule");
        }
    }

    static SymNode real(double v) {
        if (!std::isfinite(v)) fail("het antwoord is oneindig of onbepaald");
        return negated(SymNode::number(formatGeneral(std::fabs(v), kDoubleDigits)), v < 0);
    }

    SymNode fraction(const giac::gen& g) {
        SymNode top = convert(g._FRACptr->num);
        SymNode bottom = SymNode::unary(SymNode::Kind::Inv, convert(g._FRACptr->den));
        const bool negative = top.kind == SymNode::Kind::Neg;
        SymNode magnitude = negative ? std::move(top.args[0]) : std::move(top);
        return negated(SymNode::nary(SymNode::Kind::Product, {std::move(magnitude), bottom}),
                       negative);
    }

    static SymNode identifier(const std::string& name) {
        if (name == "pi") return SymNode::constant("pi");
        if (name.compare(0, kSymbolicVariablePrefix.size(), kSymbolicVariablePrefix) == 0) {
            return SymNode::variable(name.substr(kSymbolicVariablePrefix.size()));
        }
        if (name == "infinity" || name == "undef") fail("het antwoord is oneindig of onbepaald");
        fail("het antwoord bevat de onbekende naam " + name);
    }

    std::vector<SymNode> arguments(const giac::gen& feuille) {
        std::vector<SymNode> args;
        if (feuille.type == giac::_VECT && feuille.subtype == giac::_SEQ__VECT) {
            for (const giac::gen& arg : *feuille._VECTptr)
                args.push_back(convert(arg));
        } else {
            args.push_back(convert(feuille));
        }
        return args;
    }

    SymNode symbolic(const giac::gen& g) {
        const std::string name = g._SYMBptr->sommet.ptr()->s;
        std::vector<SymNode> args = arguments(g._SYMBptr->feuille);
        using Kind = SymNode::Kind;
        if (name == "+") return SymNode::nary(Kind::Sum, std::move(args));
        if (name == "*") return SymNode::nary(Kind::Product, std::move(args));
        if (name == "^" && args.size() == 2) return SymNode::nary(Kind::Power, std::move(args));
        if (name == "inv" && args.size() == 1) return SymNode::unary(Kind::Inv, args[0]);
        if (name == "-" && args.size() == 1) return SymNode::unary(Kind::Neg, args[0]);
        if (name == "-" && args.size() == 2) {
            return SymNode::nary(Kind::Sum, {args[0], SymNode::unary(Kind::Neg, args[1])});
        }
        if (name == "/" && args.size() == 2) {
            return SymNode::nary(Kind::Product, {args[0], SymNode::unary(Kind::Inv, args[1])});
        }
        return SymNode::call(name, std::move(args));
    }
};

}  // namespace

struct GiacSession::Impl {
    giac::context context;
    NullBuffer nullBuffer;
    std::ostream nullStream{&nullBuffer};
};

GiacSession::GiacSession() : m_impl(std::make_unique<Impl>()) {
    giac::logptr(&m_impl->nullStream, &m_impl->context);
}

GiacSession::~GiacSession() = default;

SymNode GiacSession::evaluate(const std::string& libraryText) {
    giac::context* ctx = &m_impl->context;
    giac::gen answer;
    try {
        const giac::gen input(libraryText, ctx);
        answer = giac::eval(input, 1, ctx);
        // A second pass folds what the first leaves standing, such as 1/2*2*x.
        answer = giac::eval(answer, 1, ctx);
    } catch (const std::exception& e) {
        if (giac::interrupted) fail("de berekening is afgebroken");
        fail("de berekening lukte niet: " + firstLine(e.what()));
    }
    if (giac::interrupted) fail("de berekening is afgebroken");
    return Converter(ctx).convert(answer);
}

void GiacSession::interrupt() {
    giac::ctrl_c = true;
    giac::interrupted = true;
}

void GiacSession::clearInterrupt() {
    giac::ctrl_c = false;
    giac::interrupted = false;
}

}  // namespace kalvor
