#include <gtest/gtest.h>

#include "lang/headless_host.h"
#include "program_rows.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

TEST_P(ProgramRows, GiveWhatTheRowSays) {
    checkRow(GetParam());
}

const ProgramRow kPrograms[] = {
    {"ForRunsBodyOnceWhenStartBeyondEnd", "for(i;5;1;1)\nschrijfregel(u;i)\nnext", {"5"}},
    {"ForWithStepZeroRunsOnce", "for(i;1;3;0)\nschrijfregel(u;i)\nnext", {"1"}},
    {"ForCountsDown", "for(i;3;1;-1)\nschrijfregel(u;i)\nnext", {"3", "2", "1"}},
    outputRow("ForEndsAtEndInclusive", "for(i;0;1;0.25)\nschrijf(u;i)\nschrijf(t;,)\nnext",
              {"0,0.25,0.5,0.75,1,"}),
    {"MetAndVolgendeAreForAndNext", "met(k;1;2;1)\nschrijfregel(u;k)\nvolgende", {"1", "2"}},
    {"NestedLoops", "for(i;1;2;1)\nfor(j;1;2;1)\nschrijf(u;10*i+j)\nnext\nnext", {"11122122"}},
    {"VoorelkeWalksTheList", "voorelke(v;3,1+1,7)\nschrijfregel(u;v)\nnext", {"3", "2", "7"}},
    outputRow("VoorelkeOverTextVariable",
              "$lijst:=4,5,6\nvoorelke(v;$lijst)\nschrijfregel(u;v*2)\nnext", {"8", "10", "12"}),
    {"HerhaalTotdat", "n:=0\nherhaal\nn:=n+1\ntotdat(1-sign(3-n))\nschrijfregel(u;n)", {"3"}},
    {"AlsTrue", "als(1)\nschrijfregel(t;ja)\nanders\nschrijfregel(t;nee)\neindals", {"ja"}},
    outputRow("AlsFalseTakesAnders",
              "als(0)\nschrijfregel(t;ja)\nanders\nschrijfregel(t;nee)\neindals", {"nee"}),
    outputRow(
        "AlsFalseSkipsNestedBlocks",
        "als(0)\nals(1)\nschrijfregel(t;a)\nanders\nschrijfregel(t;b)\neindals\nschrijfregel(t;c)\n"
        "eindals\nschrijfregel(t;d)",
        {"d"}),
    outputRow("AndersFollowedByEindals",
              "als(1)\nschrijfregel(t;a)\nanders\neindals\nschrijfregel(t;b)", {"a", "b"}),
    {"AssignmentsReachThreeParsers", "q:=2\nq:=q*q+1\nschrijfregel(u;q)", {"5"}},
    {"IncAddsPlainNumber", "k:=1\ninc(k;2.5)\nschrijfregel(u;k)", {"3.5"}},
    outputRow("SettingLineInsideProgramDoesNothing",
              "schrijfregel(t;a)\nassen=geen\nschrijfregel(t;b)", {"a", "b"}),
    {"UnknownCommandIsSkipped", "lijnn(1;2;3;4)\nschrijfregel(t;ok)", {"ok"}},
    {"RepeatOnFirstLineIsSkipped", "_(t;x)\nschrijfregel(t;a)\n_(t;b)", {"a", "b"}},
    {"EindEndsTheMainPart", "schrijfregel(t;a)\neind\nschrijfregel(t;b)", {"a"}},
    outputRow("SchrijfAppendsToLastLine",
              "schrijf(t;a)\nschrijf(t;b)\nschrijfregel(t;c)\nschrijf(t;d)", {"ab", "cd"}),
    outputRow("SchrijfUitvoerUses18Digits", "schrijfregel(u;1/3)\nschrijfregel(u;2^70)",
              {"0.333333333333333333", "1.1805916207174113E21"}),
    {"SchrijfChar", "schrijf(c;72)\nschrijf(char;105.4)\nschrijf(c;233)", {"Hi\xC3\xA9"}},
    {"SchrijfTextVariable", "$naam:=Piet\nschrijfregel(t;$naam)", {"Piet"}},
    outputRow("ProcedureWithValueParameters",
              "proc som(2;3)\nschrijfregel(u;s)\neind\ndefproc som(a;b)\ns:=a+b\neindproc", {"5"}),
    outputRow("ProcedureRestoresParameters",
              "a:=7\nproc p(1)\nschrijfregel(u;a)\neind\ndefproc p(a)\na:=a+100\nendproc", {"7"}),
    outputRow("ReferenceParameterIsWrittenBack",
              "x:=4\nproc dubbel(x)\nschrijfregel(u;x)\neind\ndefproc dubbel(^a)\na:=2*a\neindproc",
              {"8"}),
    outputRow("ReferenceParameterWithSameNameSharesVariable",
              "a:=4\nproc dubbel(a)\nschrijfregel(u;a)\neind\ndefproc dubbel(^a)\na:=2*a\neindproc",
              {"8"}),
    outputRow("ArgumentsEvaluatedBeforeBinding",
              "a:=1\nb:=2\nproc p(b;a)\neind\ndefproc p(a;b)\nschrijfregel(u;10*a+b)\neindproc",
              {"21"}),
    outputRow("FewerArgumentsBindOnlyPaired",
              "b:=9\nproc p(1)\neind\ndefproc p(a;b)\nschrijfregel(u;10*a+b)\neindproc", {"19"}),
    outputRow(
        "FirstDefinitionWins",
        "proc p\neind\ndefproc p\nschrijfregel(t;een)\neindproc\ndefproc p\nschrijfregel(t;twee)\n"
        "eindproc",
        {"een"}),
    outputRow("LocalIsRestored",
              "t1:=5\nproc p\nschrijfregel(u;t1)\neind\ndefproc p\nlocal(t1)\nt1:=3\neindproc",
              {"5"}),
    // An empty argument, written so or left empty by preprocessing, is the number 0, and
    // the run goes on.
    {"EmptyNumberArgument", "schrijfregel(u;)\nschrijfregel(t;na)", {"0", "na"}},
    {"UnknownQuestionFormAssigned", "e:=7\ne:=?onzin\nschrijfregel(u;e)", {"0"}},
    outputRow("UnsetTextVariableAssigned",
              "x:=$a\n$a:=3\n$b:=$a\nschrijfregel(u;x)\nschrijfregel(t;$b)", {"0", "3"}),
    {"DollarTextThatIsNoName", "$e:=5\nschrijfregel(u;$e+1)", {"0"}},
    {"EmptyCondition", "als(?onzin)\nschrijfregel(t;ja)\neindals\nschrijfregel(t;na)", {"na"}},
    {"EmptyListValue", "voorelke(v;1,,3)\nschrijf(u;v)\nnext", {"103"}},
    {"EmptyLoopBounds", "for(i;$van;2;1)\nschrijf(u;i)\nnext", {"012"}},
    outputRow("EmptyProcedureArgument",
              "proc p($niets)\neind\ndefproc p(a)\nschrijfregel(u;a+1)\neindproc", {"1"}),
    outputRow("MouseVariablesInProgramParsers",
              "muisy:=muisx+1\nschrijfregel(u;muisx)\nschrijfregel(u;muisy)", {"0", "1"}),
    outputRow("RecursionWorks",
              "proc f(4)\neind\ndefproc f(n)\nschrijf(u;n)\nals(n-1)\nproc f(n-1)\neindals\n"
              "eindproc",
              {"4321"}),
    // Restoring writes the value Parser1 had before the call into all four parsers.
    {"ProcedureBindingReachesThePlotParser",
     "a:=1\nproc p(5)\neind\ndefproc p(a)\nschrijfregel(u;a)\neindproc",
     {"5"},
     {},
     {},
     {{"a", 1, 0, 4}}},
    // A failure for the redraw to report.
    {"BlankBeforeAssignment", "a :=3\nschrijfregel(t;niet)", {}, {}, "A "},
    // Rows that show a message.
    outputRow("LoopVariableAssigned", "for(i;1;5;1)\nschrijf(u;i)\ni:=10\nnext\nschrijfregel(t;na)",
              {"1", "na"}, {{"foutje", "Toekenning aan lusvariabele niet toegestaan"}}),
    outputRow("ParseFailure", "schrijfregel(u;3+*2)\nschrijfregel(t;niet)", {},
              {{"Oeps",
                "Kalvor kan de uitdrukking: \r3+*2\rniet verwerken.\rDe oorzaak kan deze "
                "uitdrukking zelf zijn, maar ook een fout in een voorafgaande programmaregel."}},
              "argument could not be parsed"),
    outputRow("EvaluationFailure", "schrijfregel(t;a)\nschrijfregel(u;1/0)\nschrijfregel(t;b)",
              {"a"}, {{"Oeps", "Fout bij de evaluatie van 1/0"}},
              "argument could not be evaluated"),
    {"ProcWithoutEind", "proc p\ndefproc p\neindproc", {}, {{"Oeps", "eind niet gevonden"}}},
    outputRow("ProcNotFound",
              "schrijfregel(t;a)\nproc q(1)\nschrijfregel(t;b)\neind\ndefproc p\neindproc", {"a"},
              {{"Oeps", "proc q niet gevonden."}}),
    outputRow("ProcedureDepthLimit", "n:=0\nproc p\neind\ndefproc p\nn:=n+1\nproc p\neindproc", {},
              {{"Oeps", "Het aantal geneste procedures is beperkt tot 100"}}),
    outputRow("EmptyVoorelkeList",
              "voorelke(v;$leeg)\nschrijfregel(t;romp)\nnext\nschrijfregel(t;na)", {"romp", "na"},
              {{"Oeps", "Ongeldige expressie: $leeg"}}),
    outputRow("InvalidListName", "L7(2):=1\nschrijfregel(t;door)", {"door"},
              {{"Kalvor 2.1", "Ongeldige lijst: L7"}}),
    outputRow("InvalidListIndex", "L1(101):=1\nschrijfregel(t;door)", {"door"},
              {{"Kalvor 2.1", "Ongeldige index: 101 of ongeldige lijst: L"}}),
    outputRow("InvalidListFirstLetter", "M1(2):=1", {},
              {{"Kalvor 2.1", "Ongeldige index: 2 of ongeldige lijst: M"}}),
    outputRow(
        "NextWithoutLoop", "schrijfregel(t;a)\nnext\nschrijfregel(t;b)", {"a"},
        {{"Oeps", "next of volgende zonder lus: er hoort een for, met, film of voorelke bij."}}),
    outputRow("TotdatWithoutHerhaal", "totdat(1)\nschrijfregel(t;b)", {},
              {{"Oeps", "totdat zonder herhaal: er hoort een herhaal bij."}}),
    outputRow("EindprocWithoutProcedure", "eindproc\nschrijfregel(t;b)", {},
              {{"Oeps", "eindproc zonder procedure: zet eind voor de eerste defproc."}}),
    outputRow("LocalOutsideProcedure", "local(a)\nschrijfregel(t;b)", {},
              {{"Oeps", "local kan alleen binnen een procedure gebruikt worden."}}),
};

INSTANTIATE_TEST_SUITE_P(Executor, ProgramRows, ::testing::ValuesIn(kPrograms), rowName);

TEST(Executor, MoreThanTwentyNestedLoopsEndTheRun) {
    std::string source;
    for (int i = 0; i < 21; ++i)
        source += "for(i" + std::to_string(i) + ";1;1;1)\n";
    source += "schrijfregel(t;binnen)\n";
    ProgramRunner runner;
    EXPECT_TRUE(runner.run(source).empty());
    ASSERT_EQ(runner.host.messages().size(), 1u);
    EXPECT_NE(runner.texts().front().find("20"), std::string::npos);
}

TEST(Executor, FrameHoldsSixteenNames) {
    std::string locals;
    for (int i = 0; i < 17; ++i)
        locals += (i ? ";v" : "v") + std::to_string(i);
    ProgramRunner runner;
    runner.run("proc p\neind\ndefproc p\nlocal(" + locals + ")\nschrijfregel(t;niet)\neindproc");
    ASSERT_EQ(runner.host.messages().size(), 1u);
    EXPECT_NE(runner.texts().front().find("16"), std::string::npos);
    EXPECT_TRUE(runner.env.output.lines().empty());
}

// Escape arrives while the first loop processes events: that loop ends at its next end
// test, the code after it still runs, and a later loop runs its body once.
TEST(Executor, EscapeEndsLoopsAtTheirNextTest) {
    ProgramRunner runner;
    int rounds = 0;
    runner.host.onEvents = [&] {
        if (++rounds == 3) runner.env.keyPressed(Environment::kEscape);
    };
    const Lines out = runner.run(
        "for(i;1;1e18;1)\nnext\nschrijfregel(u;i)\nfor(j;1;5;1)\nschrijfregel(u;j)\nnext\n"
        "schrijfregel(u;_toetscode)");
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], "1");
    EXPECT_EQ(out[2], "27");
    EXPECT_TRUE(runner.env.flags.abort);
}

TEST(Executor, StepBudgetStopsRunawayLoops) {
    ProgramRunner runner;
    runner.run("herhaal\ntotdat(0)", {}, 10'000);
    EXPECT_EQ(runner.failure, "");
}

// Whatever the program text, a run ends in an orderly way: no crash, no hang.
TEST(ExecutorRobustness, HostilePrograms) {
    const auto deep = [](const char* line) {
        std::string text;
        for (int i = 0; i < 10000; ++i)
            text += line;
        return text + "schrijfregel(t;x)";
    };
    const std::string programs[] = {
        deep("als(0)\n"),
        deep("als(1)\n"),
        "proc a\neind\ndefproc a\nproc b\neindproc\ndefproc b\nproc a\neindproc",
        "proc a\neind\ndefproc a\nproc a\nproc a\neindproc",
        "for(i;1;2;1)\n((((((\n;;;;\nnext)\n",
        std::string("\x01\xff(\x80;\x00)\n:=:=\n#\n$\n?\n_\n_\n", 22),
        "anders\neindals\nanders\nals\n",
        "herhaal\nherhaal\ntotdat(1)\n",
        "voorelke(v;,,,,)\nnext",
        "L1(1e300):=1\nL1(0/0):=2\nL1(-1e300):=3",
        "inc(q;abc)",
        "proc\nproc\ndefproc\n#\neindproc",
    };
    for (const std::string& program : programs) {
        ProgramRunner runner;
        runner.run(program, {}, 2'000'000);
        SUCCEED();
    }
}

TEST(ExecutorRobustness, BinaryRecursionIsBoundedByTheStepBudget) {
    ProgramRunner runner;
    runner.run("proc p\neind\ndefproc p\nproc p\nproc p\neindproc", {}, 100'000);
    EXPECT_EQ(runner.failure, "");
}

}  // namespace
}  // namespace kalvor::test
