#include <gtest/gtest.h>

#include "program_rows.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

// What the programs write of their test forms.
const ProgramRow kForms[] = {
    // Text equality: preprocessed, case ignored.
    {"", "schrijfregel(t;?gelijk$(Abc,aBC))", {"1"}},
    {"", "schrijfregel(t;?gelijk$(abc,abd))", {"0"}},
    {"", "schrijfregel(t;?gelijk$(abc,abc ))", {"0"}},
    {"", "$a:=HALLO\nschrijfregel(t;?gelijk$($a,hallo))", {"1"}},
    {"", "schrijfregel(t;?gelijk$($leeg,))", {"1"}},
    {"", "schrijfregel(t;?gelijk$(\xC3\x89\xC3\x89N,\xC3\xA9\xC3\xA9n))", {"1"}},
    {"", "schrijfregel(t;?gelijk$(a,b,a,b))", {"0"}},  // the second argument runs to the last ")"
    {"", "schrijfregel(t;?gelijk$(f(x),f(x)))", {"1"}},
    {"", "schrijfregel(t;$gelijk$(ja,JA))", {"1"}},
    {"", "schrijfregel(t;$a $gelijk$(ja,nee))", {"0"}},
    // Forms without a known marker.
    {"", "schrijfregel(t;?onbekend(1))", {""}},
    {"", "schrijfregel(t;?GELIJK$(a,a))", {""}},
    // Numerical equivalence.
    {"", "schrijfregel(t;?equivalent$(x^2-1,(x-1)*(x+1),x,-3,3))", {"1"}},
    {"", "schrijfregel(t;?equivalent$(x,x+0.001,x,0,1))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(x,x+0.000001,x,0,1))", {"1"}},
    {"", "schrijfregel(t;?equivalent$(sin(x)^2+cos(x)^2,1,x,-10,10))", {"1"}},
    {"", "schrijfregel(t;?equivalent$(abs(x),x,x,-1,1))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(abs(x),x,x,0,1))", {"1"}},
    {"", "schrijfregel(t;?equivalent$(x,x,x,1,0))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(x,x,x,2,2))", {"1"}},
    {"", "schrijfregel(t;?equivalent$(x+,x,x,0,1))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(x,x,x,nul,1))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(x,x,x,0))", {"0"}},
    {"", "schrijfregel(t;?equivalent$(1/x,1/x,x,-1,1))", {"0"}},  // fails to evaluate at 0
    {"", "schrijfregel(t;?equivalent$(1/x,1/x,x,0.5,1))", {"1"}},
    outputRow("", "schrijfregel(t;?equivalent$(u^2,u*u,u,-2,2))",
              {"1"}),  // a variable that did not exist yet
    {"", "schrijfregel(t;?equivalent$(x,x,3a,0,1))", {"0"}},
    {"", "$f:=x^2-1\n$g:=(x-1)*(x+1)\nschrijfregel(t;?equivalent$($f,$g,x,-3,3))", {"1"}},
    {"", "schrijfregel(t;$equivalent$(2*x,x+x,x,-1,1))", {"1"}},
    // Big-integer tests.
    {"", "#A:=1000003\nschrijfregel(t;?ispriem#(#A))", {"1"}},
    {"", "#A:=1000001\nschrijfregel(t;?ispriem#(#A))", {"0"}},
    {"", "#A:=561\nschrijfregel(t;?ispriem#(#a))", {"0"}},
    {"", "schrijfregel(t;?ispriem#(97))", {"1"}},
    {"", "#A:=-7\nschrijfregel(t;?isoneven#(#A))", {"1"}},
    {"", "#A:=0\nschrijfregel(t;?isoneven#(#A))", {"0"}},
    {"", "#A:=5\nschrijfregel(t;?ispositief#(#A))", {"1"}},
    {"", "#A:=0\nschrijfregel(t;?ispositief#(#A))", {"0"}},
    {"", "#A:=-3\nschrijfregel(t;?ispositief#(#A))", {"0"}},
    {"", "#A:=17\nschrijfregel(t;?gelijk#(#A,17))", {"1"}},
    {"", "#A:=17\n$n:=17\nschrijfregel(t;?gelijk#(#A,$n))", {"1"}},
    {"", "#A:=17\n#B:=17\nschrijfregel(t;?gelijk#(#A,#b))", {"1"}},
    {"", "#A:=17\n#B:=18\nschrijfregel(t;?groter#(#A,#B))", {"0"}},
    {"", "#A:=17\n#B:=18\nschrijfregel(t;?kleiner#(#A,#B))", {"1"}},
    {"", "#A:=17\nschrijfregel(t;?kleinergelijk#(#A,17))", {"1"}},
    {"", "#A:=17\nschrijfregel(t;?kleinergelijk#(#A,16))", {"0"}},
    {"", "#A:=17\nschrijfregel(t;?grotergelijk#(#A,18))", {"0"}},
    {"", "#A:=17\nschrijfregel(t;?grotergelijk#(#A,-18))", {"1"}},
    outputRow("",
              "#A:=123456789012345678901234567890\nschrijfregel(t;?groter#(#A,"
              "123456789012345678901234567889))",
              {"1"}),
    // Equivalence leaves the variable as it was, also a loop variable (no assignment to it).
    {"", "x:=5\nschrijf(t;?equivalent$(x,x,x,0,1))\nschrijf(u;x)", {"15"}},
    {"", "for(x;1;3;1)\nschrijf(t;?equivalent$(x,x,x,0,1))\nnext", {"111"}},
    // The forms work as conditions.
    {"", "#A:=12\nals(?groter#(#A,10))\nschrijfregel(t;ja)\neindals", {"ja"}},
    {"", "$a:=x\nals($gelijk$($a,y))\nschrijfregel(t;ja)\neindals", {}},
};

INSTANTIATE_TEST_SUITE_P(Preprocessing, ProgramRows, ::testing::ValuesIn(kForms));

TEST(TestForms, RegisterNameWithoutLetterEndsTheRun) {
    ProgramRunner runner;
    EXPECT_EQ(runner.run("schrijfregel(t;?ispriem#(#1))\nschrijfregel(t;verder)"), Lines{});
    EXPECT_EQ(runner.captions(), Lines{"Oeps"});
}

}  // namespace
}  // namespace kalvor::test
