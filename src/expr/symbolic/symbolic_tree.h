#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kalvor {

/// A symbolic expression between our formula syntax and the symbolic library: the command
/// reader builds it from a formula text, the library session builds it from an answer, and
/// the two writers print it in the other syntax. Subtraction is a Sum with a Neg operand and
/// division a Product with an Inv operand, which is how the library shapes its answers.
struct SymNode {
    enum class Kind {
        Number,    // text: an unsigned literal, "12", "2.5", "1.5E-7"
        Variable,  // text: the lower-case name
        Constant,  // text: "pi" or "inf"
        Call,      // text: the function name; args: its arguments
        Neg,       // -args[0]
        Inv,       // 1/args[0]
        Sum,       // args[0] + args[1] + …
        Product,   // args[0] * args[1] * …
        Power,     // args[0] ^ args[1]
        IntDiv,    // args[0] DIV args[1], truncating
        Mod,       // args[0] MOD args[1], truncating
    };

    Kind kind = Kind::Number;
    std::string text;
    std::vector<SymNode> args;

    static SymNode number(std::string literal) { return {Kind::Number, std::move(literal), {}}; }
    static SymNode variable(std::string name) { return {Kind::Variable, std::move(name), {}}; }
    static SymNode constant(std::string name) { return {Kind::Constant, std::move(name), {}}; }
    static SymNode call(std::string name, std::vector<SymNode> args) {
        return {Kind::Call, std::move(name), std::move(args)};
    }
    static SymNode unary(Kind kind, SymNode operand) { return {kind, {}, {std::move(operand)}}; }
    static SymNode nary(Kind kind, std::vector<SymNode> operands) {
        return {kind, {}, std::move(operands)};
    }
};

/// A command that cannot be done, or an answer that cannot be written as a formula. The
/// message is the short Dutch text the user sees as the answer.
class SymbolicFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace kalvor
