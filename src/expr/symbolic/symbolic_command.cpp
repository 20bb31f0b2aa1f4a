#include "expr/symbolic/symbolic_command.h"

#include <array>
#include <cstdlib>

namespace kalvor {

namespace {

using Kind = SymNode::Kind;

// Beyond this a literal is no longer a finite extended number anyway.
constexpr long kMaxDecimalExponent = 5000;
constexpr long kMaxDerivativeOrder = 10000;

/// One of our functions with its library form: #1 and #2 stand for the arguments, which are
/// written self-delimiting so that they can be pasted anywhere, @1 and @2 for the arguments
/// truncated toward zero (the library's own trunc does not keep that for symbols).
struct FunctionForm {
    const char* name;
    int arity;
    const char* form;
};

constexpr std::array kFunctions = {
    FunctionForm{"SIN", 1, "sin(#1)"},
    FunctionForm{"COS", 1, "cos(#1)"},
    FunctionForm{"TAN", 1, "tan(#1)"},
    FunctionForm{"SINH", 1, "sinh(#1)"},
    FunctionForm{"COSH", 1, "cosh(#1)"},
    FunctionForm{"ARCTAN", 1, "atan(#1)"},
    FunctionForm{"ATAN", 1, "atan(#1)"},
    FunctionForm{"ARCSIN", 1, "asin(#1)"},
    FunctionForm{"ASIN", 1, "asin(#1)"},
    FunctionForm{"ARCCOS", 1, "acos(#1)"},
    FunctionForm{"ACOS", 1, "acos(#1)"},
    FunctionForm{"COTAN", 1, "cot(#1)"},
    FunctionForm{"COT", 1, "cot(#1)"},
    FunctionForm{"EXP", 1, "exp(#1)"},
    FunctionForm{"LN", 1, "ln(#1)"},
    FunctionForm{"LOG", 1, "log10(#1)"},
    FunctionForm{"LOG10", 1, "log10(#1)"},
    FunctionForm{"LOG2", 1, "(ln(#1)/ln(2))"},
    FunctionForm{"SQR", 1, "((#1)^2)"},
    FunctionForm{"SQRT", 1, "sqrt(#1)"},
    FunctionForm{"ABS", 1, "abs(#1)"},
    FunctionForm{"SIGN", 1, "sign(#1)"},
    // Not the library's Heaviside, which is 1/2 at 0 and differentiates to Dirac.
    FunctionForm{"HEAV", 1, "ceil((sign(#1)+1)/2)"},
    FunctionForm{"TRUNC", 1, "@1"},
    FunctionForm{"INT", 1, "@1"},
    FunctionForm{"CEIL", 1, "ceil(#1)"},
    FunctionForm{"FLOOR", 1, "floor(#1)"},
    FunctionForm{"DEGTORAD", 1, "((#1)*pi/180)"},
    FunctionForm{"ERF", 1, "erf(#1)"},
    FunctionForm{"POWER", 2, "((#1)^(#2))"},
    FunctionForm{"INTPOWER", 2, "((#1)^@2)"},
    FunctionForm{"LOGN", 2, "(ln(#2)/ln(#1))"},
    FunctionForm{"ROOT", 2, "surd(#1,#2)"},
    FunctionForm{"HYPOT", 2, "sqrt((#1)^2+(#2)^2)"},
    FunctionForm{"ARCTAN2", 2, "atan2(#1,#2)"},
    FunctionForm{"ARG", 2, "atan2(#2,#1)"},
    FunctionForm{"MAX", 2, "max(#1,#2)"},
    FunctionForm{"MIN", 2, "min(#1,#2)"},
};

/// A library command that may be given by name. `variableArg` is the 1-based position of an
/// argument that must be a variable (0: none).
struct CommandForm {
    const char* name;
    int minArgs;
    int maxArgs;
    int variableArg;
};

constexpr std::array kCommands = {
    CommandForm{"DIFF", 2, 3, 2},      CommandForm{"INT", 2, 4, 2},
    CommandForm{"INTEGRATE", 2, 4, 2}, CommandForm{"SUBST", 3, 3, 2},
    CommandForm{"LIMIT", 3, 4, 2},     CommandForm{"SUM", 4, 4, 2},
    CommandForm{"SIMPLIFY", 1, 1, 0},  CommandForm{"EXPAND", 1, 1, 0},
    CommandForm{"FACTOR", 1, 1, 0},    CommandForm{"NORMAL", 1, 1, 0},
    CommandForm{"PARTFRAC", 1, 1, 0},  CommandForm{"TEXPAND", 1, 1, 0},
    CommandForm{"TCOLLECT", 1, 1, 0},  CommandForm{"LNEXPAND", 1, 1, 0},
    CommandForm{"LNCOLLECT", 1, 1, 0},
};

std::string lowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

[[noreturn]] void fail(const std::string& message) {
    throw SymbolicFailure(message);
}

std::string trunc(const std::string& arg) {
    return "(sign(" + arg + ")*floor(abs(" + arg + ")))";
}

/// The literal as an exact integer or fraction: 2.5E-3 is (25/10000).
std::string exactLiteral(const std::string& literal) {
    const size_t e = literal.find('E');
    const std::string mantissa = literal.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        const std::string digits = literal.substr(e + 1);
        if (digits.size() > 6) fail("getal " + literal + " is te groot of te klein");
        exponent = std::strtol(digits.c_str(), nullptr, 10);
    }
    std::string digits;
    for (size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.') {
            exponent -= static_cast<long>(mantissa.size() - i - 1);
        } else {
            digits += mantissa[i];
        }
    }
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return "0";
    digits.erase(0, first);
    if (exponent > kMaxDecimalExponent || exponent < -kMaxDecimalExponent) {
        fail("getal " + literal + " is te groot of te klein");
    }
    if (exponent >= 0) return digits + std::string(static_cast<size_t>(exponent), '0');
    return "(" + digits + "/1" + std::string(static_cast<size_t>(-exponent), '0') + ")";
}

class Writer {
public:
    std::string write(const SymNode& node) {
        switch (node.kind) {
            case Kind::Number:
                return exactLiteral(node.text);
            case Kind::Variable:
                return std::string(kSymbolicVariablePrefix) + node.text;
            case Kind::Constant:
                return node.text;
            case Kind::Call:
                return call(node);
            case Kind::Neg:
                return "(-" + write(node.args[0]) + ")";
            case Kind::Inv:
                return "(1/" + write(node.args[0]) + ")";
            case Kind::Sum:
                return chain(node, '+', Kind::Neg, '-');
            case Kind::Product:
                return chain(node, '*', Kind::Inv, '/');
            case Kind::Power:
                return "(" + write(node.args[0]) + "^" + write(node.args[1]) + ")";
            case Kind::IntDiv:
                return intDiv(node);
            case Kind::Mod:
                return mod(node);
        }
        return {};
    }

private:
    /// a+b-c or a*b/c: an operand of kind `inverse` is written with `inverseSign`.
    std::string chain(const SymNode& node, char sign, Kind inverse, char inverseSign) {
        std::string out = "(";
        for (size_t i = 0; i < node.args.size(); ++i) {
            const SymNode& arg = node.args[i];
            if (arg.kind == inverse && i > 0) {
                out += inverseSign + write(arg.args[0]);
            } else {
                if (i > 0) out += sign;
                out += write(arg);
            }
        }
        return out + ")";
    }

    std::string intDiv(const SymNode& node) {
        return trunc("(" + trunc(write(node.args[0])) + "/" + trunc(write(node.args[1])) + ")");
    }

    std::string mod(const SymNode& node) {
        const std::string p = trunc(write(node.args[0]));
        const std::string q = trunc(write(node.args[1]));
        return "(" + p + "-" + q + "*" + trunc("(" + p + "/" + q + ")") + ")";
    }

    std::string call(const SymNode& node) {
        const int count = static_cast<int>(node.args.size());
        for (const FunctionForm& f : kFunctions) {
            if (node.text == f.name && count == f.arity) return fill(f.form, node.args);
        }
        for (const CommandForm& c : kCommands) {
            if (node.text == c.name) return command(c, node);
        }
        for (const FunctionForm& f : kFunctions) {
            if (node.text == f.name) fail(wrongCount(node.text, f.arity));
        }
        fail("onbekende functie " + node.text);
    }

    static std::string wrongCount(const std::string& name, int expected) {
        return name + " verwacht " + std::to_string(expected) +
               (expected == 1 ? " argument" : " argumenten");
    }

    std::string fill(const char* form, const std::vector<SymNode>& args) {
        std::string out;
        for (const char* p = form; *p != '\0'; ++p) {
            if ((p[0] == '#' || p[0] == '@') && (p[1] == '1' || p[1] == '2')) {
                const std::string arg = write(args[static_cast<size_t>(p[1] - '1')]);
                out += p[0] == '@' ? trunc(arg) : arg;
                ++p;
            } else {
                out += *p;
            }
        }
        return out;
    }

    std::string command(const CommandForm& form, const SymNode& node) {
        const int count = static_cast<int>(node.args.size());
        const std::string name = lowerAscii(node.text);
        if (count < form.minArgs || count > form.maxArgs) {
            fail(name + ": verkeerd aantal argumenten");
        }
        if (form.variableArg > 0 && node.args[form.variableArg - 1].kind != Kind::Variable) {
            fail(name + ": argument " + std::to_string(form.variableArg) +
                 " moet een variabele zijn");
        }
        if (node.text == "DIFF" && count == 3) checkOrder(node.args[2]);
        if ((node.text == "INT" || node.text == "INTEGRATE") && count == 3) {
            fail(name + ": geef beide grenzen of geen");
        }
        std::string out = name + "(";
        for (int i = 0; i < count; ++i) {
            if (i > 0) out += ",";
            out += write(node.args[static_cast<size_t>(i)]);
        }
        return out + ")";
    }

    // The third argument of diff is the order, never a second variable.
    static void checkOrder(const SymNode& order) {
        const bool whole = order.kind == Kind::Number &&
                           order.text.find_first_not_of("0123456789") == std::string::npos;
        if (!whole || order.text.size() > 5 ||
            std::strtol(order.text.c_str(), nullptr, 10) > kMaxDerivativeOrder) {
            fail("diff: de orde moet een geheel getal van 0 tot 10000 zijn");
        }
    }
};

}  // namespace

std::string toSymbolicLibraryText(const SymNode& command) {
    return Writer().write(command);
}

}  // namespace kalvor
