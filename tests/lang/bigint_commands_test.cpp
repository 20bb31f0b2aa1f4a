#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "program_rows.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

// Each program ends by writing the register #A that holds the result.
const ProgramRow kRegisterPrograms[] = {
    // Operands: a register when the line holds "#", else lenient decimal text.
    outputRow("MaakFromText", "#A:=123456789012345678901234567890\nschrijfregel(#;#A)",
              {"123456789012345678901234567890"}),
    {"MaakReadsLeniently", "#A:=-12 345 678\nschrijfregel(#;#A)", {"-12345678"}},
    {"MaakOfTextWithoutDigitsIsZero", "#A:=7\n#A:=abc\nschrijfregel(#;#A)", {"0"}},
    {"MaakDoesNotEvaluate", "#A:=2^10\nschrijfregel(#;#A)", {"210"}},
    {"MaakFromTextVariable", "$n:=1000\nmaak#(#A;$n)\nschrijfregel(#;#A)", {"1000"}},
    {"MaakCopiesRegister", "#B:=5\n#A:=#B\ntelop#(#B;1)\nschrijfregel(#;#A)", {"5"}},
    {"LowerCaseNamesSameRegister", "#a:=5\ntelop#(#A;#a)\nschrijfregel(#;#A)", {"10"}},
    {"CharactersAfterLetterIgnored", "#AB:=7\n#B:=1\ntelop#(#Abc;#bA)\nschrijfregel(#;#A)", {"8"}},
    // Arithmetic with operands.
    {"Telop", "#A:=99999\ntelop#(#A;1)\nschrijfregel(#;#A)", {"100000"}},
    {"Trekaf", "#A:=5\ntrekaf#(#A;12)\nschrijfregel(#;#A)", {"-7"}},
    {"TrekafSelf", "#A:=5\ntrekaf#(#A;#A)\nschrijfregel(#;#A)", {"0"}},
    {"MaalCrossesElements", "#A:=100000\nmaal#(#A;100000)\nschrijfregel(#;#A)", {"10000000000"}},
    {"DivTruncates", "#A:=-7\ndiv#(#A;3)\nschrijfregel(#;#A)", {"-2"}},
    {"ModTakesQuotientSign", "#A:=7\nmod#(#A;-3)\nschrijfregel(#;#A)", {"-1"}},
    {"Ggd", "#A:=-12\nggd#(#A;18)\nschrijfregel(#;#A)", {"6"}},
    {"Invmod", "#A:=3\ninvmod#(#A;11)\nschrijfregel(#;#A)", {"4"}},
    {"Modpow", "#A:=4\nmodpow#(#A;13;497)\nschrijfregel(#;#A)", {"445"}},
    {"ModpowRegisters", "#A:=4\n#E:=13\n#M:=497\nmodpow#(#A;#E;#M)\nschrijfregel(#;#A)", {"445"}},
    // Commands with a whole number n, evaluated.
    {"Macht", "#A:=2\nmacht#(#A;64)\nschrijfregel(#;#A)", {"18446744073709551616"}},
    outputRow("MachtEvaluatesN", "#A:=2\nk:=8\nmacht#(#A;k*8)\nschrijfregel(#;#A)",
              {"18446744073709551616"}),
    {"MachtTruncatesN", "#A:=3\nmacht#(#A;2.9)\nschrijfregel(#;#A)", {"9"}},
    {"Nwortel", "#A:=100000000000000000000\nnwortel#(#A;2)\nschrijfregel(#;#A)", {"10000000000"}},
    {"NPr", "#A:=5\nnPr#(#A;2)\nschrijfregel(#;#A)", {"20"}},
    {"NPrNegativeKeepsValue", "#A:=5\nnPr#(#A;-1)\nschrijfregel(#;#A)", {"5"}},
    {"NCr", "#A:=52\nnCr#(#A;5)\nschrijfregel(#;#A)", {"2598960"}},
    {"NCrOfNegativeKeepsValue", "#A:=-5\nnCr#(#A;2)\nschrijfregel(#;#A)", {"-5"}},
    {"GetalnaarTruncates", "getalnaar#(#A;-7.9)\nschrijfregel(#;#A)", {"-7"}},
    {"GetalnaarLarge", "getalnaar#(#A;2^62)\nschrijfregel(#;#A)", {"4611686018427387904"}},
    // Commands on the register alone.
    {"Kwadraat", "#A:=-12\nkwadraat#(#A)\nschrijfregel(#;#A)", {"144"}},
    {"Wortel", "#A:=99\nwortel#(#A)\nschrijfregel(#;#A)", {"9"}},
    {"Faculteit", "#A:=20\nfaculteit#(#A)\nschrijfregel(#;#A)", {"2432902008176640000"}},
    {"FaculteitOfNegativeKeepsValue", "#A:=-3\nfaculteit#(#A)\nschrijfregel(#;#A)", {"-3"}},
    {"FactorSmallestOdd", "#A:=1000001\nfactor#(#A)\nschrijfregel(#;#A)", {"101"}},
    outputRow("FactorOfPrimeKeepsValue", "#A:=2305843009213693951\nfactor#(#A)\nschrijfregel(#;#A)",
              {"2305843009213693951"}),
    {"VolgendepriemBelowTwo", "#A:=-5\nvolgendepriem#(#A)\nschrijfregel(#;#A)", {"2"}},
    {"VolgendepriemOfTwo", "#A:=2\nvolgendepriem#(#A)\nschrijfregel(#;#A)", {"3"}},
    {"VolgendepriemOfPrime", "#A:=13\nvolgendepriem#(#A)\nschrijfregel(#;#A)", {"17"}},
    {"VolgendepriemOfEven", "#A:=14\nvolgendepriem#(#A)\nschrijfregel(#;#A)", {"17"}},
    {"VolgendepriemLarge", "#A:=1000000\nvolgendepriem#(#A)\nschrijfregel(#;#A)", {"1000003"}},
    // divmod writes two registers.
    {"DivmodQuotient", "#A:=-7\ndivmod#(#A;3;#R)\nschrijfregel(#;#A)", {"-2"}},
    {"DivmodRemainder", "#A:=-7\ndivmod#(#A;3;#r)\nschrijfregel(#;#R)", {"-1"}},
    {"DivmodRemainderIntoSameRegister", "#A:=17\ndivmod#(#A;5;#A)\nschrijfregel(#;#A)", {"2"}},
};

INSTANTIATE_TEST_SUITE_P(Registers, ProgramRows, ::testing::ValuesIn(kRegisterPrograms), rowName);

TEST(BigIntCommands, NaargetalWritesAllParsers) {
    const std::pair<const char*, Number> cases[] = {
        {"-42", -42},
        {"9223372036854775806", 9223372036854775806.0L},
        {"12345678901234567890123", 12345678901234567890123.0L},
        {"-12345678901234567890123", -12345678901234567890123.0L},
    };
    for (const auto& [text, expected] : cases) {
        ProgramRunner runner;
        runner.run(std::string("#Q:=") + text + "\nnaargetal#(#q;v)");
        for (int parser = 1; parser <= 4; ++parser) {
            // Exact up to 64 bits; beyond, within one unit of the 64-bit mantissa.
            const Number relative = std::fabs(runner.value("v", parser) / expected - 1);
            EXPECT_LE(relative, 1e-18L) << text << " parser " << parser;
        }
    }
}

TEST(BigIntCommands, VergelijkComparesWithRegisterOrWholeNumber) {
    const std::pair<const char*, int> cases[] = {
        {"vergelijk#(#A;7;c)", -1},  {"vergelijk#(#A;#B;c)", 0},
        {"vergelijk#(#A;2*2;c)", 1},  // evaluated: 4, not the digits 22
        {"vergelijk#(#A;4.9;c)", 1}, {"vergelijk#(#A;5.9;c)", 0},
        {"vergelijk#(#A;-9;c)", 1},
    };
    for (const auto& [line, expected] : cases) {
        ProgramRunner runner;
        runner.run(std::string("#A:=5\n#B:=5\n") + line);
        EXPECT_EQ(runner.value("c"), expected) << line;
    }
}

TEST(BigIntCommands, RegistersKeepTheirValuesAcrossRuns) {
    ProgramRunner runner;
    runner.run("#A:=3");
    const char* doubling = "maal#(#A;2)\nschrijfregel(#;#A)";
    EXPECT_EQ(runner.run(doubling), Lines{"6"});
    EXPECT_EQ(runner.run(doubling), Lines{"12"});
    EXPECT_EQ(runner.run("#A:=1\n" + std::string(doubling)), Lines{"2"});
}

TEST(BigIntCommands, FailuresShowAMessageAndEndTheRun) {
    const std::tuple<const char*, const char*> cases[] = {
        {"maak#(#1;5)", "\"#1\" is geen groot getal"},
        {"#A:=5\ntelop#(#A;#?)", "\"#?\" is geen groot getal"},
        {"#A:=5\ndivmod#(#A;2;R)", "\"R\" is geen groot getal"},
        {"schrijfregel(#;A)", "\"A\" is geen groot getal"},
        {"#A:=2\nmacht#(#A;2000000000)", "De uitkomst in #A wordt te groot"},
        {"#a:=100000000\nfaculteit#(#a)", "De uitkomst in #A wordt te groot"},
        {"#A:=100000000\nnPr#(#A;90000000)", "De uitkomst in #A wordt te groot"},
        {"#A:=1\nmacht#(#A;1E30)", "De waarde van \"1E30\" is geen geheel getal"},
        {"#A:=1\ngetalnaar#(#A;-1E19)", "De waarde van \"-1E19\" is geen geheel getal"},
    };
    for (const auto& [source, message] : cases) {
        ProgramRunner runner;
        runner.run("#A:=0\n" + std::string(source) + "\nschrijfregel(t;verder)");
        EXPECT_TRUE(runner.env.output.lines().empty()) << source;
        ASSERT_EQ(runner.host.messages().size(), 1u) << source;
        EXPECT_EQ(runner.captions().front(), "Oeps");
        EXPECT_EQ(runner.texts().front().rfind(message, 0), 0u)
            << source << ": " << runner.texts().front();
    }
}

TEST(BigIntCommands, RefusedResultLeavesRegisterUnchanged) {
    ProgramRunner runner;
    runner.run("#A:=2\nmacht#(#A;2000000000)");
    EXPECT_EQ(runner.env.bigIntRegister("#A")->toString(), "2");
}

TEST(BigIntCommands, FactorFindsADivisorByRho) {
    // Both factors lie beyond the trial divisions.
    ProgramRunner runner;
    runner.run("#A:=1000036000099\nfactor#(#A)");
    const std::string found = runner.env.bigIntRegister("#A")->toString();
    EXPECT_TRUE(found == "1000003" || found == "1000033") << found;
}

// A person who presses Escape as soon as the program lets the window look at its keys.
TEST(BigIntCommands, EscapeCancelsLongProductsQuietly) {
    const char* lines[] = {"faculteit#(#A)", "nPr#(#A;2900000)", "nCr#(#A;1500000)"};
    for (const char* line : lines) {
        ProgramRunner r;
        r.host.onEvents = [&r] { r.env.keyPressed(Environment::kEscape); };
        EXPECT_EQ(r.run(std::string("#A:=3000000\n") + line + "\nschrijfregel(t;verder)", {}, 1000),
                  Lines{"verder"})
            << line;
        EXPECT_EQ(r.env.registers[0].toString(), "3000000") << line;
        EXPECT_TRUE(r.host.messages().empty()) << line;
        EXPECT_GT(r.host.eventRounds(), 0) << line;
    }
}

}  // namespace
}  // namespace kalvor::test
