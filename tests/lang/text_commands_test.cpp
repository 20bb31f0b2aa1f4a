#include <gtest/gtest.h>

#include <set>

#include "expr/random_source.h"
#include "lang/window_services.h"
#include "program_rows.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

const ProgramRow kTextPrograms[] = {
    // maak$ and reading text variables
    {"MaakCopiesAnotherVariable", "$a:=hallo\n$b:=$a\n$a:=weg\nschrijfregel(t;$b)", {"hallo"}},
    outputRow("MaakStoresTestResult",
              "$a:=?gelijk$(Abc,aBC)\n$b:=?gelijk$(abc,abd)\nschrijf(t;$a)\nschrijf(t;$b)", {"10"}),
    {"TextVariableEvaluatesAsNumber", "$e:=2*3\nq:=$e\nschrijfregel(u;q+1)", {"7"}},
    {"NamesIgnoreCase", "$Naam:=Piet\nschrijfregel(t;$NAAM)", {"Piet"}},
    {"UnsetVariableIsEmpty", "samen$($s;[;$nooit)\nschrijf(t;$s)\nschrijf(t;])", {"[]"}},
    // samen$, mid$, pos$, lengte$
    {"SamenJoins", "$l:=ab\nsamen$($s;$l;cd)\nschrijfregel(t;$s)", {"abcd"}},
    {"MidTakesCount", "mid$($m;abcdef;2;3)\nschrijfregel(t;$m)", {"bcd"}},
    {"MidPastEndGivesFewer", "mid$($m;abcdef;5;10)\nschrijfregel(t;$m)", {"ef"}},
    {"MidStartBeyondEndIsEmpty", "mid$($m;abc;9;2)\nschrijf(t;$m)\nschrijf(t;|)", {"|"}},
    {"MidRoundsDown", "mid$($m;abcdef;2.9;2.9)\nschrijfregel(t;$m)", {"bc"}},
    {"MidStartBelowOneCountsFromFirst", "mid$($m;abcdef;0;2)\nschrijfregel(t;$m)", {"ab"}},
    {"MidNegativeCountIsEmpty", "mid$($m;abcdef;2;-1)\nschrijf(t;$m)\nschrijf(t;|)", {"|"}},
    outputRow("MidCountsCharactersNotBytes", "mid$($m;\xC3\xA9\xC3\xA9n;2;2)\nschrijfregel(t;$m)",
              {"\xC3\xA9n"}),
    {"PosFindsFirst", "pos$(p;cd;abcdcd)\nschrijfregel(u;p)", {"3"}},
    {"PosOfAbsentNeedleIsZero", "pos$(p;xy;abcdef)\nschrijfregel(u;p)", {"0"}},
    {"PosOfEmptyNeedleIsZero", "pos$(p;$leeg;abc)\nschrijfregel(u;p)", {"0"}},
    {"PosCountsCharacters", "pos$(p;n;\xC3\xA9\xC3\xA9n)\nschrijfregel(u;p)", {"3"}},
    {"LengteCountsCharacters", "lengte$(n;h\xC3\xA9llo)\nschrijfregel(u;n)", {"5"}},
    {"LengteOfUndefinedIsZero", "lengte$(n;$nooit)\nschrijfregel(u;n)", {"0"}},
    // tussen$
    {"TussenBalancesBrackets", "tussen$($t;f(g(x))+1;(;))\nschrijfregel(t;$t)", {"g(x)"}},
    {"TussenWithoutOpeningGivesWhole", "tussen$($t;abc;(;))\nschrijfregel(t;$t)", {"abc"}},
    {"TussenUnbalancedGivesWhole", "tussen$($t;f(g(x)+1;(;))\nschrijfregel(t;$t)", {"f(g(x)+1"}},
    {"TussenUsesFirstCharacterOfDelimiters", "tussen$($t;a[b]c;[x;]y)\nschrijfregel(t;$t)", {"b"}},
    {"TussenSameDelimiterCloses", "tussen$($t;zeg 'hoi' nu;';')\nschrijfregel(t;$t)", {"hoi"}},
    {"TussenEmptyDelimiterGivesWhole", "tussen$($t;(a);$leeg;))\nschrijfregel(t;$t)", {"(a)"}},
    // vervang$, split$
    {"VervangEveryOccurrence", "vervang$($v;abcabc;b;XY)\nschrijfregel(t;$v)", {"aXYcaXYc"}},
    {"VervangIsCaseSensitive", "vervang$($v;aBc;b;x)\nschrijfregel(t;$v)", {"aBc"}},
    {"VervangReplacementHoldingSearch", "vervang$($v;aa;a;aa)\nschrijfregel(t;$v)", {"aaaa"}},
    {"VervangEmptySearchKeepsText", "vervang$($v;abc;$leeg;x)\nschrijfregel(t;$v)", {"abc"}},
    outputRow("SplitAtFirstSeparator",
              "split$($h;$r;BC,CD,EF;,)\nschrijfregel(t;$h)\nschrijfregel(t;$r)", {"BC", "CD,EF"}),
    outputRow("SplitWithoutSeparator", "split$($h;$r;BC;,)\nschrijfregel(t;$h)\nschrijfregel(t;$r)",
              {"", "BC"}),
    outputRow("SplitOverwritesEarlierHead",
              "$h:=oud\nsplit$($h;$r;BC;,)\nschrijf(t;$h)\nschrijf(t;|)", {"|"}),
    outputRow("SplitWalksAList",
              "$r:=1,2,3\nherhaal\nsplit$($h;$r;$r;,)\nschrijf(t;$h)\nschrijf(t;/)\nlengte$(n;$h)\n"
              "totdat(1-sign(n))\nschrijf(t;$r)",
              {"1/2//3"}),
    // keus$, operators, number texts
    {"KoppelWithoutWindowGivesTheDefault", "koppel$(F;$f;x^2)\nschrijfregel(t;$f)", {"x^2"}},
    {"KeusWithOneItem", "keus$($k;enig)\nschrijfregel(t;$k)", {"enig"}},
    {"KeusListIsNotPreprocessed", "$a:=x\nkeus$($k;$a)\nschrijfregel(t;$k)", {"$a"}},
    {"TimesBuildsText", "*$($p;x+1;x-1)\nschrijfregel(t;$p)", {"(x+1)*(x-1)"}},
    outputRow("OperatorTexts",
              "+$($p;a;b)\nschrijf(t;$p)\n-$($p;a;b)\nschrijf(t;$p)\n/$($p;a;b)\nschrijf(t;$p)\n"
              "^$($p;a;b)\nschrijf(t;$p)",
              {"(a)+(b)(a)-(b)(a)/(b)(a)^(b)"}),
    {"OperatorTextEvaluatesLater", "*$($p;x+1;x-1)\nx:=3\nq:=$p\nschrijfregel(u;q)", {"8"}},
    {"OperatorsNest", "$f:=x\n^$($f;$f;2)\n+$($f;$f;1)\nschrijfregel(t;$f)", {"((x)^(2))+(1)"}},
    outputRow("GetalnaarUses15Digits",
              "getalnaar$($g;1/3)\nschrijfregel(t;$g)\ngetalnaar$($g;2^60)\nschrijfregel(t;$g)",
              {"0.333333333333333", "1.15292150460685E18"}),
    outputRow("RomanNumerals",
              "getalnaarromeins$($r;1994)\nschrijfregel(t;$r)\ngetalnaarromeins$($r;3.9)\n"
              "schrijfregel(t;$r)\ngetalnaarromeins$($r;-3.9)\nschrijfregel(t;$r)\n"
              "getalnaarromeins$($r;4999)\nschrijfregel(t;$r)",
              {"MCMXCIV", "III", "", "MMMMCMXCIX"}),
    outputRow("RomanValue",
              "romeinsnaargetal$(mcmxciv;r)\nschrijfregel(u;r)\nromeinsnaargetal$(IXC;r)\n"
              "schrijfregel(u;r)\nromeinsnaargetal$($leeg;r)\nschrijfregel(u;r)",
              {"1994", "89", "0"}),
    {"RomanValueFromVariable", "$r:=XLII\nromeinsnaargetal$($r;n)\nschrijfregel(u;n)", {"42"}},
    outputRow("InputDialogHeadlessKeepsDefault",
              "$d:=ja\ninvoerdialoog$($i;Titel;Vraag;$d)\nschrijfregel(t;$i)", {"ja"}),
    // Numeric results reach all four parsers.
    valueRow("NumericResults", "pos$(p;c;abc)\nlengte$(n;abcd)\nromeinsnaargetal$(XIV;r)",
             {{"p", 3}, {"n", 4}, {"r", 14}}, 4),
    // An invalid Roman numeral abandons the run.
    outputRow("RomanNumeralWithALetter", "romeinsnaargetal$(MCMZ;r)\nschrijfregel(t;verder)", {},
              {}, "Invalid character: Z"),
    outputRow("RomanNumeralWithABlank", "romeinsnaargetal$(X I;r)\nschrijfregel(t;verder)", {}, {},
              "Invalid character:  "),
    outputRow("RomanNumeralWithAnAccent", "romeinsnaargetal$(X\xC3\xA9;r)\nschrijfregel(t;verder)",
              {}, {}, "Invalid character: \xC3\xA9"),
};

INSTANTIATE_TEST_SUITE_P(Text, ProgramRows, ::testing::ValuesIn(kTextPrograms), rowName);

// Answers are checked by evaluating them, not by their exact spelling.
const ProgramRow kSymbolicPrograms[] = {
    {"Diff", "diff$($d;x^3;x)\nx:=2\nq:=$d\nschrijfregel(u;q)", {"12"}},
    outputRow("DiffOfTextVariables",
              "$f:=sin(t)\n$v:=t\ndiff$($d;$f;$v)\nt:=0\nq:=$d\nschrijfregel(u;q)", {"1"}),
    {"DiffnTakesOrder", "diffn$($d;x^3;x;2)\nx:=2\nq:=$d\nschrijfregel(u;q)", {"12"}},
    {"Int", "int$($i;2*x;x)\nx:=3\nq:=$i\nschrijfregel(u;q)", {"9"}},
    {"Subst", "subst$($s;x^2+y;x;t+1)\nt:=2\ny:=1\nq:=$s\nschrijfregel(u;q)", {"10"}},
    {"SymbPassesTheCommand", "symb$($s;diff(x^2,x))\nx:=5\nq:=$s\nschrijfregel(u;q)", {"10"}},
    outputRow("ErrorAnswerIsStoredAsText",
              "diffn$($d;x^2;x;y)\nmid$($m;$d;1;5)\nschrijfregel(t;$m)", {"fout:"}),
};

INSTANTIATE_TEST_SUITE_P(Symbolic, ProgramRows, ::testing::ValuesIn(kSymbolicPrograms), rowName);

TEST(TextCommands, KeusKeepsEmptyItems) {
    seedRandom(5);
    ProgramRunner runner;
    std::set<std::string> seen;
    for (const std::string& line :
         runner.run("for(k;1;200;1)\nkeus$($k;a,,b)\nschrijfregel(t;$k)\nnext"))
        seen.insert(line);
    EXPECT_EQ(seen, (std::set<std::string>{"a", "", "b"}));
}

// A person at the input dialog: types `typed` and presses OK, or presses Cancel.
class DialogHost : public HeadlessHost {
public:
    bool ok = true;
    std::string typed;
    std::string caption, prompt, shownDefault;
    bool inputDialog(std::string_view c, std::string_view p, std::string& value) override {
        caption = c, prompt = p, shownDefault = value;
        if (ok) value = typed;
        return ok;
    }
};

TEST(TextCommands, InputDialogGivesTypedTextOrEmptyOnCancel) {
    for (const bool ok : {true, false}) {
        DialogHost host;
        host.ok = ok;
        host.typed = "getypt";
        Environment env{host};
        const CommandTable table = buildCommandTable();
        const CompiledProgram program(ProgramRunner::compile(
            "$t:=Kop\n$i:=oud\ninvoerdialoog$($i;$t;Hoeveel?;10)\nschrijfregel(t;$i)"));
        Executor(env, table, program).run(1000);
        EXPECT_EQ(env.output.lines(), Lines{ok ? "getypt" : ""});
        EXPECT_EQ(host.caption, "Kop");
        EXPECT_EQ(host.prompt, "Hoeveel?");
        EXPECT_EQ(host.shownDefault, "10");
    }
}

}  // namespace
}  // namespace kalvor::test
