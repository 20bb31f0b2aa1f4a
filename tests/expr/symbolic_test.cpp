#include "expr/symbolic/symbolic.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>

#include "../support/recording_host.h"
#include "expr/function_library.h"
#include "expr/number_lists.h"
#include "expr/parser.h"
#include "expr/symbolic/symbolic_command.h"
#include "expr/symbolic/symbolic_formula.h"
#include "expr/symbolic/symbolic_giac.h"
#include "expr/symbolic/symbolic_reader.h"
#include "expr/symbolic/symbolic_runner.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

using namespace std::chrono_literals;

struct TextCase {
    const char *input, *expected;
};

// ---- Our syntax to the library's --------------------------------------------------------------

std::string libraryText(const char* ours) {
    return toSymbolicLibraryText(readSymbolicCommand(ours));
}

TEST(SymbolicCommand, TranslatesOurFunctionsAndGrouping) {
    const TextCase cases[] = {
        {"diff(x^2,x)", "diff((kvx^2),kvx)"},
        {"diff(x^3,x,2)", "diff((kvx^3),kvx,2)"},
        {"int(x,x,0,1)", "int(kvx,kvx,0,1)"},
        {"subst(x^2,x,t+1)", "subst((kvx^2),kvx,(kvt+1))"},
        // LOG is base 10 and SQR a square, not a root; names are case-insensitive.
        {"LOG(x)+log10(y)", "(log10(kvx)+log10(kvy))"},
        {"Ln(x)", "ln(kvx)"},
        {"sqr(x)", "((kvx)^2)"},
        {"SQRT(x)", "sqrt(kvx)"},
        {"arctan(x)*atan(y)", "(atan(kvx)*atan(kvy))"},
        {"arcsin(x)-asin(y)", "(asin(kvx)-asin(kvy))"},
        {"ARCCOS(x)/acos(y)", "(acos(kvx)/acos(kvy))"},
        {"cotan(x)+cot(y)", "(cot(kvx)+cot(kvy))"},
        {"heav(x)", "ceil((sign(kvx)+1)/2)"},
        {"log2(x)", "(ln(kvx)/ln(2))"},
        {"logn(2,x)", "(ln(kvx)/ln(2))"},
        {"root(x,3)", "surd(kvx,3)"},
        {"power(x,y)", "((kvx)^(kvy))"},
        {"intpower(x,y)", "((kvx)^(sign(kvy)*floor(abs(kvy))))"},
        {"hypot(x,y)", "sqrt((kvx)^2+(kvy)^2)"},
        {"arctan2(y,x)", "atan2(kvy,kvx)"},
        {"arg(x,y)", "atan2(kvy,kvx)"},
        {"degtorad(x)", "((kvx)*pi/180)"},
        // TRUNC (and INT with one argument) truncates toward zero, also for symbols.
        {"trunc(x)", "(sign(kvx)*floor(abs(kvx)))"},
        {"int(x)", "(sign(kvx)*floor(abs(kvx)))"},
        {"7DIV2",
         "(sign(((sign(7)*floor(abs(7)))/(sign(2)*floor(abs(2)))))*floor(abs(((sign(7)*"
         "floor(abs(7)))/(sign(2)*floor(abs(2)))))))"},
        // Unary minus binds weaker than "^": -x^2 is -(x^2), -2^2 is -(2^2).
        {"-x^2", "(-(kvx^2))"},
        {"-2^2", "(-(2^2))"},
        {"2^-1", "(2^(-1))"},
        {"a-b-c", "(kva-kvb-kvc)"},
        {"a/b/c", "((kva/kvb)/kvc)"},
        // Literals become exact fractions, so answers stay exact.
        {"2.5E-3*x", "((25/10000)*kvx)"},
        {"0.5", "(5/10)"},
        {"1E3+007", "(1000+7)"},
        // e and i are our variables, not the library's constants; pi is a number.
        {"pi*e+i", "((pi*kve)+kvi)"},
        {"_m", "kv_m"},
        {" 2 * x ", "(2*kvx)"},
        {"factor(x^2-1)", "factor(((kvx^2)-1))"},
        {"Simplify(x)", "simplify(kvx)"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(libraryText(c.input), c.expected) << c.input;
    }
}

TEST(SymbolicCommand, RefusesWhatItCannotTranslate) {
    const TextCase cases[] = {
        {"", "lege opdracht"},
        {"   ", "lege opdracht"},
        {"foo(x)", "onbekende functie FOO"},
        {"sin(x,y)", "SIN verwacht 1 argument"},
        {"logn(x)", "LOGN verwacht 2 argumenten"},
        {"diff(x^2,x,y)", "diff: de orde moet een geheel getal van 0 tot 10000 zijn"},
        {"diff(x^2,x,2.5)", "diff: de orde moet een geheel getal van 0 tot 10000 zijn"},
        {"diff(x^2,x,99999)", "diff: de orde moet een geheel getal van 0 tot 10000 zijn"},
        {"diff(x^2,2)", "diff: argument 2 moet een variabele zijn"},
        {"diff(x^2)", "diff: verkeerd aantal argumenten"},
        {"int(x,x,1)", "int: geef beide grenzen of geen"},
        {"subst(x,x^2,3)", "subst: argument 2 moet een variabele zijn"},
        {"2^3^2", "'^' mag niet herhaald worden; schrijf (a^b)^c"},
        {"diff(x^2,x", "onverwacht einde van de opdracht"},
        {"x+", "onverwacht einde van de opdracht"},
        {"2x", "onverwacht teken 'x' op positie 2"},
        {"x$y", "onverwacht teken '$' op positie 2"},
        {"f()", "onverwacht teken ')' op positie 3"},
        {"1E99999", "getal 1E99999 is te groot of te klein"},
        {"x=1", "onverwacht teken '=' op positie 2"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(test::messageOf<SymbolicFailure>([&] { libraryText(c.input); }), c.expected)
            << c.input;
    }
}

TEST(SymbolicCommand, DeepNestingIsRefusedNotACrash) {
    const std::string deep = std::string(100000, '(') + "x" + std::string(100000, ')');
    EXPECT_THROW(libraryText(deep.c_str()), SymbolicFailure);
    const std::string minuses = std::string(100000, '-') + "x";
    EXPECT_THROW(libraryText(minuses.c_str()), SymbolicFailure);
}

// ---- The library's answers to our syntax -------------------------------------------------------

/// Compiles `text` the way a workbench parser would, function library included.
void expectCompiles(const std::string& text, std::initializer_list<const char*> variables) {
    NumberLists lists;
    test::RecordingHost host;
    FunctionLibrary library(lists, host);
    Parser parser;
    library.registerInto(parser, 1);
    for (const char* name : variables)
        parser.setVariable(name, 1);
    EXPECT_NO_THROW(parser.compile(text)) << text;
}

TEST(SymbolicFormula, WritesAnswersOurParserCompiles) {
    const TextCase cases[] = {
        // A leading minus may not start a difference: -x-1 does not parse.
        {"-kvx^2+1", "1-x^2"},
        {"-kvx-1", "-(x+1)"},
        {"-kvx+kvy", "y-x"},
        {"kvx-kvy", "x-y"},
        {"-sin(kvx)", "-sin(x)"},
        {"kvx*(-kvy)", "-x*y"},
        {"-2*kvx^3/3", "-2*x^3/3"},
        {"-2*kvx-4*kvy", "-(2*x+4*y)"},
        // Negative and fractional powers.
        {"kvx^(-1)", "1/x"},
        {"kvx^(-3)", "1/x^3"},
        {"2^(-kvx)", "1/2^x"},
        {"kvx^(-kvy)", "1/x^y"},
        {"kvx^(1/2)", "sqrt(x)"},
        {"kvx^(-1/2)", "1/sqrt(x)"},
        {"kvx^(2/3)", "(x^(1/3))^2"},
        {"(kvx-1)^(kvy+1)", "(x-1)^(y+1)"},
        {"(kvx^2)^kvy", "(abs(x)^y)^2"},
        {"1/((kvx+1)*(kvx-1))", "1/((x+1)*(x-1))"},
        // Numbers: exact fractions bracketed where needed, floats as our reader takes them.
        {"-1/3", "-1/3"},
        {"pi/2", "pi/2"},
        {"exp(1)", "exp(1)"},
        {"2^70", "1180591620717411303424"},
        {"0.5", "0.5"},
        {"-2.5", "-2.5"},
        {"1.5e-7", "(1.5E-7)"},
        {"-1/3.", "-0.3333333333333"},
        {"1.5e-7*kvx", "(1.5E-7)*x"},
        {"kvx/2/2", "x/4"},
        {"6*kvx/4", "3*x/2"},
        // Function names our parsers know.
        {"asin(kvx)+acos(kvx)", "arcsin(x)+arccos(x)"},
        {"atan(kvx)", "arctan(x)"},
        {"Heaviside(kvx)", "heav(x)"},
        {"surd(kvx,3)", "root(x,3)"},
        {"tanh(kvx)", "sinh(x)/cosh(x)"},
        {"asinh(kvx)", "ln(x+sqrt(x^2+1))"},
        {"acosh(kvx)", "ln(x+sqrt(x*x-1))"},
        {"atanh(kvx)", "ln((1+x)/(1-x))/2"},
        {"max(kvx,kvy,kvz)", "max(max(x,y),z)"},
        {"kve^2*kvi", "e^2*i"},
        {"kv_m", "_m"},
    };
    GiacSession session;
    for (const TextCase& c : cases) {
        const std::string text = toFormulaText(session.evaluate(c.input));
        EXPECT_EQ(text, c.expected) << c.input;
        expectCompiles(text, {"_m", "i", "z"});
    }
}

TEST(SymbolicFormula, LongSumsAreBracketedInHalves) {
    GiacSession session;
    const std::string text = toFormulaText(session.evaluate("expand((kvx+1)^30)"));
    EXPECT_NE(text.find(")+("), std::string::npos) << text;
    // Flat, 31 terms would exceed the parser's nesting limit.
    expectCompiles(text, {});
}

TEST(SymbolicFormula, RefusesAnswersThatAreNoFormula) {
    const TextCase cases[] = {
        {"sqrt(-1)", "het antwoord is complex"},
        {"[1,2]", "het antwoord is een lijst, geen formule"},
        {"1/0", "het antwoord is oneindig of onbepaald"},
        {"kvx+n", "het antwoord bevat de onbekende naam n"},
        {"Gamma(kvx+1/2)", "het antwoord bevat de functie Gamma, die Kalvor niet kent"},
        {"Dirac(kvx)", "het antwoord bevat een deltafunctie"},
        {"integrate(kvx^kvx,kvx)", "geen primitieve gevonden"},
        {"limit(sin(1/kvx),kvx,0)", "het antwoord is onbepaald"},
    };
    GiacSession session;
    for (const TextCase& c : cases) {
        EXPECT_EQ(
            test::messageOf<SymbolicFailure>([&] { toFormulaText(session.evaluate(c.input)); }),
            c.expected)
            << c.input;
    }
}

// ---- The engine --------------------------------------------------------------------------------

TEST(SymbolicEngine, AnswersInOurSyntax) {
    const TextCase cases[] = {
        {"diff(x^2*sin(x),x)", "2*x*sin(x)+x^2*cos(x)"},
        {"diff(x^3,x,2)", "6*x"},
        {"diff(log(x),x)", "1/(x*ln(10))"},
        {"diff(sqr(x),x)", "2*x"},
        {"diff(sqrt(x^2+1),x)", "x/sqrt(x^2+1)"},
        {"diff(arcsin(x),x)", "1/sqrt(1-x^2)"},
        {"diff(-x^2,x)", "-2*x"},
        {"int(1/(1+x^2),x)", "arctan(x)"},
        {"int(0.5*x,x)", "x^2/4"},
        {"int(1/x,x)", "ln(abs(x))"},
        {"int(x*exp(x),x,0,1)", "1"},
        {"int(sqrt(1-x^2),x)", "x*sqrt(1-x^2)/2+arcsin(x)/2"},
        {"subst(x^2+1,x,3)", "10"},
        {"subst(x^2+y,x,t+1)", "(t+1)^2+y"},
        {"factor(x^2-1)", "(x-1)*(x+1)"},
        // Our grouping and truncating DIV and MOD decide these values.
        {"3*5DIV2", "6"},
        {"7DIV2", "3"},
        {"-7DIV2", "-3"},
        {"7MOD-2", "1"},
        {"-7MOD2", "-1"},
        {"7.9DIV2", "3"},
        {"10-4-3", "3"},
        {"2^-1", "1/2"},
        {"-2^2", "-4"},
        {"(2^3)^2", "64"},
        {"log(100)", "2"},
        {"sqr(3)", "9"},
        {"logn(2,8)", "ln(8)/ln(2)"},
        {"root(-8,3)", "-8^(1/3)"},
        {"trunc(-2.5)", "-2"},
        {"int(-2.5)", "-2"},
        {"ceil(-2.5)", "-2"},
        {"floor(-2.5)", "-3"},
        {"arctan2(1,-1)", "pi-pi/4"},
        {"arg(-1,1)", "pi-pi/4"},
        {"hypot(3,4)", "5"},
        {"degtorad(180)", "pi"},
        {"max(2,3)", "3"},
        {"intpower(2,3.7)", "8"},
        {"power(4,0.5)", "2"},
        {"cotan(pi/4)", "1"},
        {"ln(e)", "ln(e)"},
        {"0.1+0.2", "3/10"},
        {"-x-1", "-(x+1)"},
        // HEAV is 1 from 0 on.
        {"subst(heav(x),x,0)", "1"},
        {"subst(heav(x),x,-1/2)", "0"},
    };
    SymbolicEngine engine;
    for (const TextCase& c : cases) {
        const SymbolicAnswer a = engine.answer(c.input);
        EXPECT_FALSE(a.error) << c.input << ": " << a.text;
        EXPECT_EQ(a.text, c.expected) << c.input;
    }
}

TEST(SymbolicEngine, ErrorAnswersAreDutchTextWithANegativeCount) {
    const TextCase cases[] = {
        {"foo(x)", "fout: onbekende functie FOO"},
        {"int(x^x,x)", "fout: geen primitieve gevonden"},
        {"int(sin(2*x)/x,x)", "fout: het antwoord bevat de functie Si, die Kalvor niet kent"},
        {"sqrt(-1)", "fout: het antwoord is complex"},
        {"diff(x^2,x,y)", "fout: diff: de orde moet een geheel getal van 0 tot 10000 zijn"},
    };
    SymbolicEngine engine;
    for (const TextCase& c : cases) {
        char buffer[kSymbolicAnswerSize];
        const int count = engine.calculateInto(c.input, buffer, kSymbolicAnswerSize);
        EXPECT_EQ(count, -static_cast<int>(std::strlen(c.expected))) << c.input;
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(std::abs(count))), c.expected);
        EXPECT_EQ(engine.calculate(c.input), c.expected);
    }
}

TEST(SymbolicEngine, LibraryCallWritesNoMoreThanTheBufferHolds) {
    SymbolicEngine engine;
    char buffer[8] = "#######";
    EXPECT_EQ(engine.calculateInto("diff(x^3,x)", buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 7), "3*x####");
    EXPECT_EQ(engine.calculateInto("foo(x)", buffer, 4), -4);
    EXPECT_EQ(std::string(buffer, 7), "fout###");
    EXPECT_EQ(engine.calculateInto("diff(x^3,x)", nullptr, 0), 0);
    EXPECT_EQ(engine.calculateInto(nullptr, buffer, 7), -7);
}

TEST(SymbolicEngine, AnswerTooLongForTheBufferIsAnError) {
    SymbolicEngine engine;
    // 2^4000 has 1205 digits; a cut answer would be a different number, not an error.
    const SymbolicAnswer a = engine.answer("subst(x,x,2^4000)");
    EXPECT_TRUE(a.error);
    EXPECT_EQ(a.text, "fout: het antwoord is langer dan 1000 tekens");
    // Too big for a number of ours as well: still the same short error.
    EXPECT_EQ(engine.answer("2^100000").text, "fout: het antwoord is langer dan 1000 tekens");
}

TEST(SymbolicEngine, SlowComputationIsInterruptedQuietlyAndTheEngineStaysUsable) {
    SymbolicEngine engine(1000ms);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const SymbolicAnswer slow = engine.answer("expand((x+y+z+w+1)^80)");
    const SymbolicAnswer warned = engine.answer("int(abs(x),x)");
    const SymbolicAnswer next = engine.answer("diff(x^2,x)");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(slow.error);
    EXPECT_EQ(slow.text, "fout: de berekening duurde langer dan 1 s en is afgebroken");
    EXPECT_EQ(warned.text, "x^2*sign(x)/2");
    EXPECT_EQ(next.text, "2*x");
}

// ---- The binding's contract --------------------------------------------------------------------

/// A library that fills the buffer with a known pattern and returns a chosen count.
struct FakeLibrary {
    int result;
    std::string seenCommand;
    int seenSize = -1;

    int operator()(const char* command, char* buffer, int size) {
        seenCommand = command;
        seenSize = size;
        for (int i = 0; i < size; ++i)
            buffer[i] = static_cast<char>('a' + i % 26);
        return result;
    }
};

TEST(CalculateSymbolic, TakesTheCountWithoutItsSign) {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    std::string thousand;
    while (thousand.size() < 1000)
        thousand += alphabet;
    thousand.resize(1000);
    const std::tuple<int, std::string> cases[] = {
        {12, "abcdefghijkl"}, {-12, "abcdefghijkl"}, {0, ""}, {1000, thousand}, {-1000, thousand},
        {1500, thousand},     {INT_MIN, thousand},
    };
    for (const auto& [result, expected] : cases) {
        FakeLibrary library{result, {}};
        EXPECT_EQ(calculateSymbolic("diff(x^2,x)", std::ref(library)), expected) << result;
        EXPECT_EQ(library.seenCommand, "diff(x^2,x)");
        EXPECT_EQ(library.seenSize, kSymbolicAnswerSize);
    }
}

TEST(CalculateSymbolic, CommandEndsAtItsFirstZero) {
    FakeLibrary library{0, {}};
    calculateSymbolic(std::string_view("diff(x,x)\0junk", 14), std::ref(library));
    EXPECT_EQ(library.seenCommand, "diff(x,x)");
}

// ---- The timed runner --------------------------------------------------------------------------

/// A job that runs until released, ignoring interrupts, as a library algorithm that never
/// looks at the stop flag does.
class Gate {
public:
    void release() {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }
    void wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
};

TEST(TimedRunner, GivesUpOnAJobThatIgnoresTheInterruptAndRefusesOthersUntilItEnds) {
    std::atomic<int> interrupts = 0;
    std::atomic<int> resets = 0;
    TimedRunner runner(
        {20ms, 20ms}, [&] { ++interrupts; }, [&] { ++resets; });
    auto gate = std::make_shared<Gate>();
    EXPECT_EQ(runner.run([gate] { gate->wait(); }), TimedRunner::Outcome::TimedOut);
    EXPECT_EQ(interrupts, 1);
    EXPECT_TRUE(runner.busy());
    std::atomic<bool> ran = false;
    EXPECT_EQ(runner.run([&ran] { ran = true; }), TimedRunner::Outcome::Busy);
    gate->release();
    while (runner.busy())
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(runner.run([&ran] { ran = true; }), TimedRunner::Outcome::Finished);
    EXPECT_TRUE(ran);
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(interrupts, 1);
}

TEST(TimedRunner, AJobThatHonoursTheInterruptFreesTheRunner) {
    auto stop = std::make_shared<Gate>();
    TimedRunner runner(
        {20ms, 60s}, [stop] { stop->release(); }, [] {});
    EXPECT_EQ(runner.run([stop] { stop->wait(); }), TimedRunner::Outcome::TimedOut);
    EXPECT_FALSE(runner.busy());
}

}  // namespace
}  // namespace kalvor
