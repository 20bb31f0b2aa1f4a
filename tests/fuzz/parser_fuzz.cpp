// Formula texts from libFuzzer: every text compiles or raises a ParserError, every compiled
// formula evaluates or raises an EvaluationError, and where a formula has the tree form its
// values and errors are those of the operation list.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "expr/formula_impl.h"
#include "expr/parser.h"

namespace {

using kalvor::Number;

Number twice(void*, Number x) {
    return 2 * x;
}
Number difference(void*, Number p, Number q) {
    return p - q;
}

kalvor::Parser& fuzzParser() {
    static kalvor::Parser* parser = [] {
        auto* p = new kalvor::Parser;
        p->setVariable("q", 2);
        p->setVariable("mode", -3);  // a name that holds MOD
        p->setVariable("divx", 0.5);
        p->addFunctionOneParam("twice", twice);
        p->addFunctionTwoParam("diff", difference);
        p->a = 2;
        p->b = -1.5L;
        return p;
    }();
    return *parser;
}

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
    } catch (const kalvor::EvaluationError& e) {
        o.failed = true;
        o.message = e.what();
    }
    return o;
}

bool same(const Outcome& a, const Outcome& b) {
    if (a.failed || b.failed) return a.failed == b.failed && a.message == b.message;
    if (std::isnan(a.value) && std::isnan(b.value)) return true;
    return std::memcmp(&a.value, &b.value, 10) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kalvor::Parser& parser = fuzzParser();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const kalvor::Formula f = parser.compile(text);
        const kalvor::Formula::Impl* impl = kalvor::FormulaAccess::impl(f);
        for (const Number x : {Number(0), Number(-1.5L), Number(3), Number(1E300L)}) {
            parser.x = x;
            const Outcome value = outcomeOf([&] { return f.value(); });
            if (impl->fastRoot == nullptr) continue;  // may draw random numbers
            const Outcome list = outcomeOf([&] { return kalvor::evaluateList(*impl); });
            if (!same(value, list)) __builtin_trap();
        }
    } catch (const kalvor::ParserError&) {
    }
    return 0;
}
