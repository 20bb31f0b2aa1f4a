#include <gtest/gtest.h>

#include "program_runner.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

struct FormCase {
    const char* setup;  // program lines run before the form is written
    const char* form;
    const char* result;
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.form;
}

class TestForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(TestForm, BecomesOneOrZero) {
    const FormCase& c = GetParam();
    ProgramRunner runner;
    const std::string source =
        std::string(c.setup) + (*c.setup ? "\n" : "") + "schrijfregel(t;" + c.form + ")";
    EXPECT_EQ(runner.run(source), Lines{c.result}) << source;
    EXPECT_EQ(runner.failure, "");
    EXPECT_TRUE(runner.host.messages().empty()) << runner.texts().front();
}

const FormCase kForms[] = {
    // Text equality: preprocessed, case ignored.
    {"", "?gelijk$(Abc,aBC)", "1"},
    {"", "?gelijk$(abc,abd)", "0"},
    {"", "?gelijk$(abc,abc )", "0"},
    {"$a:=HALLO", "?gelijk$($a,hallo)", "1"},
    {"", "?gelijk$($leeg,)", "1"},
    {"", "?gelijk$(\xC3\x89\xC3\x89N,\xC3\xA9\xC3\xA9n)", "1"},
    {"", "?gelijk$(a,b,a,b)", "0"},  // the second argument runs to the last ")"
    {"", "?gelijk$(f(x),f(x))", "1"},
    {"", "$gelijk$(ja,JA)", "1"},
    {"", "$a $gelijk$(ja,nee)", "0"},
    // Forms without a known marker.
    {"", "?onbekend(1)", ""},
    {"", "?GELIJK$(a,a)", ""},
    // Numerical equivalence.
    {"", "?equivalent$(x^2-1,(x-1)*(x+1),x,-3,3)", "1"},
    {"", "?equivalent$(x,x+0.001,x,0,1)", "0"},
    {"", "?equivalent$(x,x+0.000001,x,0,1)", "1"},
    {"", "?equivalent$(sin(x)^2+cos(x)^2,1,x,-10,10)", "1"},
    {"", "?equivalent$(abs(x),x,x,-1,1)", "0"},
    {"", "?equivalent$(abs(x),x,x,0,1)", "1"},
    {"", "?equivalent$(x,x,x,1,0)", "0"},
    {"", "?equivalent$(x,x,x,2,2)", "1"},
    {"", "?equivalent$(x+,x,x,0,1)", "0"},
    {"", "?equivalent$(x,x,x,nul,1)", "0"},
    {"", "?equivalent$(x,x,x,0)", "0"},
    {"", "?equivalent$(1/x,1/x,x,-1,1)", "0"},  // fails to evaluate at 0
    {"", "?equivalent$(1/x,1/x,x,0.5,1)", "1"},
    {"", "?equivalent$(u^2,u*u,u,-2,2)", "1"},  // a variable that did not exist yet
    {"", "?equivalent$(x,x,3a,0,1)", "0"},
    {"$f:=x^2-1\n$g:=(x-1)*(x+1)", "?equivalent$($f,$g,x,-3,3)", "1"},
    {"", "$equivalent$(2*x,x+x,x,-1,1)", "1"},
    // Big-integer tests.
    {"#A:=1000003", "?ispriem#(#A)", "1"},
    {"#A:=1000001", "?ispriem#(#A)", "0"},
    {"#A:=561", "?ispriem#(#a)", "0"},
    {"", "?ispriem#(97)", "1"},
    {"#A:=-7", "?isoneven#(#A)", "1"},
    {"#A:=0", "?isoneven#(#A)", "0"},
    {"#A:=5", "?ispositief#(#A)", "1"},
    {"#A:=0", "?ispositief#(#A)", "0"},
    {"#A:=-3", "?ispositief#(#A)", "0"},
    {"#A:=17", "?gelijk#(#A,17)", "1"},
    {"#A:=17\n$n:=17", "?gelijk#(#A,$n)", "1"},
    {"#A:=17\n#B:=17", "?gelijk#(#A,#b)", "1"},
    {"#A:=17\n#B:=18", "?groter#(#A,#B)", "0"},
    {"#A:=17\n#B:=18", "?kleiner#(#A,#B)", "1"},
    {"#A:=17", "?kleinergelijk#(#A,17)", "1"},
    {"#A:=17", "?kleinergelijk#(#A,16)", "0"},
    {"#A:=17", "?grotergelijk#(#A,18)", "0"},
    {"#A:=17", "?grotergelijk#(#A,-18)", "1"},
    {"#A:=123456789012345678901234567890", "?groter#(#A,123456789012345678901234567889)", "1"},
};

INSTANTIATE_TEST_SUITE_P(Preprocessing, TestForm, ::testing::ValuesIn(kForms));

TEST(TestForms, EquivalenceLeavesTheVariableAsItWas) {
    ProgramRunner runner;
    EXPECT_EQ(runner.run("x:=5\nschrijf(t;?equivalent$(x,x,x,0,1))\nschrijf(u;x)"), Lines{"15"});
    // A loop variable used as the variable of the test is no assignment to it.
    EXPECT_EQ(runner.run("for(x;1;3;1)\nschrijf(t;?equivalent$(x,x,x,0,1))\nnext"), Lines{"111"});
    EXPECT_TRUE(runner.host.messages().empty());
}

TEST(TestForms, WorkAsConditions) {
    ProgramRunner runner;
    EXPECT_EQ(runner.run("#A:=12\nals(?groter#(#A,10))\nschrijfregel(t;ja)\neindals"), Lines{"ja"});
    EXPECT_EQ(runner.run("$a:=x\nals($gelijk$($a,y))\nschrijfregel(t;ja)\neindals"), Lines{});
}

TEST(TestForms, RegisterNameWithoutLetterEndsTheRun) {
    ProgramRunner runner;
    EXPECT_EQ(runner.run("schrijfregel(t;?ispriem#(#1))\nschrijfregel(t;verder)"), Lines{});
    EXPECT_EQ(runner.captions(), Lines{"Oeps"});
}

}  // namespace
}  // namespace kalvor::test
