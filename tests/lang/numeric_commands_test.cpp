#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "../support/file_checks.h"
#include "lang/commands/families.h"
#include "program_rows.h"

// The numerical and statistics commands run as programs: values by hand, the messages they
// show, and the figures they record during an export.

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

const ProgramRow kValueCases[] = {
    valueRow("NulpuntSqrt2", "nulpunt(x^2-2;0;2;1;1E-10;w)", {{"w", std::sqrt(2.0), 1e-12, 3}}),
    valueRow("NulpuntStartOutside", "nulpunt(x^2-2;0;2;5;1E-10;w)",
             {{"w", std::sqrt(2.0), 1e-12, 3}}),
    valueRow("NulpuntNoZero", "nulpunt(x^2+1;-2;2;1;1E-10;w)", {{"w", 0, 0, 3}}),
    valueRow("IntegraalReversed", "integraal(x^2;1;0;1E-10;kronrod;v)",
             {{"v", -1.0 / 3, 1e-10, 3}}),
    valueRow("IntegraalUsesVariables", "k:=3\nintegraal(k*x^2;0;1;1E-10;gauss;v)",
             {{"v", 1, 1e-10, 3}}),
    valueRow("Helling", "helling(x^3;2;0.001;s)", {{"s", 12.000001, 1e-9, 3}}),
    valueRow("IteratieCos", "iteratie(cos(x);1;100;c)", {{"c", 0.7390851332151607, 1e-12, 3}}),
    valueRow("IteratieFloorsCount", "iteratie(x+1;0;2.9;c)", {{"c", 2, 0, 3}}),
    valueRow("IteratieNothingBelowOne", "iteratie(x+1;5;-2;c)", {{"c", 5, 0, 3}}),
    // The mean also reaches the plot parser.
    valueRow("Stats", "L1(1):=1\nL1(2):=2\nL1(3):=3\nL1(4):=4\nstats(L1;1;4;m;s)",
             {{"m", 2.5, 1e-15, 4}, {"s", std::sqrt(1.25), 1e-15, 3}}),
    valueRow("StatsFrequencies", "L1(1):=1\nL1(2):=2\nL2(1):=3\nL2(2):=1\nstats(L1,L2;1;2;m;s)",
             {{"m", 1.25, 1e-15, 3}}),
    valueRow("StatsRangeCutToList", "L3(99):=4\nL3(100):=6\nstats(L3;99;250;m;s)",
             {{"m", 5, 1e-15, 3}}),
    valueRow("LinregR",
             "L1(1):=1\nL1(2):=2\nL1(3):=3\nL2(1):=2\nL2(2):=4\nL2(3):=6\n"
             "linreg(L1,L2;1;3;$v;r)",
             {{"r", 1, 1e-15, 3}}),
    valueRow("RegressieFallingR",
             "L1(1):=1\nL1(2):=2\nL1(3):=3\nL2(1):=3\nL2(2):=1\nL2(3):=2\n"
             "regressie(L1,L2;1;3;$v;r;linreg)",
             {{"r", -0.5, 1e-15, 3}}),
    valueRow("PolyregDegreeLowered",
             "L1(1):=1\nL1(2):=2\nL1(3):=3\nL2(1):=2\nL2(2):=5\nL2(3):=10\n"
             "L4(50):=9\npolyreg(L1,L2;1;3;5;L4)\nc:=L4(1)+10*L4(2)+100*L4(3)"
             "+1000*L4(4)+L4(50)",
             {{"c", 101, 1e-9, 3}}),
    pictureRow("Webgrafiek", "webgrafiek(0.5*x;1;2;0)",
               {"\\path(1.000,0.000)(1.000,0.500)", "\\path(1.000,0.500)(0.500,0.500)",
                "\\path(0.500,0.500)(0.500,0.250)", "\\path(0.500,0.250)(0.250,0.250)",
                "\\path(0.250,0.250)(0.250,0.125)"}),
    // With skip 2 the first step and the start segment are left out.
    pictureRow("WebgrafiekSkips", "webgrafiek(0.5*x;1;2;2)",
               {"\\path(0.500,0.250)(0.250,0.250)", "\\path(0.250,0.250)(0.250,0.125)"}),
    pictureRow("Afbeelding2DotsAfterSkip", "afbeelding2(x/2;y/4;1;1;3;1;10)",
               {"\\shade", "\\put(0.250,0.063){\\ellipse{0.787}{0.787}}", "\\shade",
                "\\put(0.125,0.016){\\ellipse{0.787}{0.787}}"}),
};

INSTANTIATE_TEST_SUITE_P(Numeric, ProgramRows, ::testing::ValuesIn(kValueCases), rowName);

TEST(NumericCommands, RegressionEquationTexts) {
    const struct {
        const char* model;
        const char* y;  // y values at x = 1, 2, 3
        const char* equation;
    } rows[] = {
        {"linreg", "L2(1):=2\nL2(2):=4\nL2(3):=6", "(2)*x+(0)"},
        {"", "L2(1):=2\nL2(2):=4\nL2(3):=6", "(2)*x+(0)"},
        {"expreg", "L2(1):=6\nL2(2):=12\nL2(3):=24", "(3)*2^x"},
        {"pwrreg", "L2(1):=3\nL2(2):=24\nL2(3):=81", "(3)*x^(3)"},
        {"logistisch", "L2(1):=2\nL2(2):=4\nL2(3):=6", ""},
    };
    for (const auto& row : rows) {
        ProgramRunner r;
        r.run("L1(1):=1\nL1(2):=2\nL1(3):=3\n" + std::string(row.y) +
              "\n$v:=oud\nregressie(L1,L2;1;3;$v;r;" + row.model + ")");
        EXPECT_EQ(r.failure, "") << row.model;
        EXPECT_EQ(r.env.texts.get("$v"), row.equation) << row.model;
    }
}

TEST(NumericCommands, MessagesAndUnchangedResults) {
    const struct {
        const char *source, *variable;
        Number value;
        const char* message;
    } rows[] = {
        {"v:=7\nintegraal(x^2;0;1;1E-10;Simpson;v)", "v", 7,
         "Onbekende integratiemethode: \"Simpson\".\rKies trapezium, simpson, romberg, gauss of "
         "kronrod; de uitkomst is niet veranderd."},
        {"L5(1):=4\npolyreg(L1,L2;1;3;2;L7)\nc:=L5(1)", "c", 4, "Ongeldige doellijst"},
        {"m:=3\nstats(l1;1;4;m;s)", "m", 3, "Ongeldige lijst: l1"},
    };
    for (const auto& row : rows) {
        ProgramRunner r;
        r.run(row.source);
        EXPECT_EQ(r.failure, "") << row.source;
        EXPECT_EQ(r.value(row.variable), row.value) << row.source;
        EXPECT_EQ(r.texts(), Lines{row.message}) << row.source;
    }
}

// Failures that reach the redraw: an empty range divides by zero; a formula that does not
// compile shows its box and names the program sentence.
TEST(NumericCommands, FailuresEndTheRun) {
    ProgramRunner r;
    r.run("stats(L1;5;4;m;s)\nm:=1");
    EXPECT_NE(r.failure, "");
    EXPECT_FALSE(r.env.parser(1).variableExists("m"));
    ProgramRunner s;
    s.run("nulpunt(x^^2;0;1;0.5;1E-9;w)");
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_TRUE(s.texts()[0].starts_with("Kalvor kan de uitdrukking: \rx^^2\rniet verwerken."));
}

// ---- Figures ----

// Every "(x,y)" of the picture text lines.
std::vector<std::pair<double, double>> picturePoints(const Lines& lines) {
    std::vector<std::pair<double, double>> points;
    const std::regex point(R"(\((-?[0-9.]+),(-?[0-9.]+)\))");
    for (const std::string& line : lines)
        for (std::sregex_iterator it(line.begin(), line.end(), point), end; it != end; ++it)
            points.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
    return points;
}

std::size_t pathCount(const Lines& lines) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("\\path"); }));
}

TEST(NumericFigures, SolutionCurveOfTenStepsHasTwelvePoints) {
    const Lines picture = pictureOf("oplossingskromme(y;0;1;0.1;10;euler)");
    EXPECT_EQ(pathCount(picture), 1u);
    const auto points = picturePoints(picture);
    ASSERT_EQ(points.size(), 12u);
    EXPECT_EQ(picture.back(), "(1.100,2.853)");  // 1.1^11
    EXPECT_TRUE(picturePoints(pictureOf("oplossingskromme(y;0;1;0.1;10;rk4)")).size() <= 1);
}

TEST(NumericFigures, SolutionCurveStopsAtTheBand) {
    // y' = 10 from y = 0: the first point above 1.4 · 5 = 7 is the last. The PDF keeps the
    // points beyond the picture (20 units a world unit here); the picture text is cut there.
    Lines pdf = pdfOf("oplossingskromme(10;0;0;0.1;100;runge)");
    std::erase_if(pdf,
                  [](const std::string& l) { return !l.ends_with(" m") && !l.ends_with(" l"); });
    ASSERT_EQ(pdf.size(), 9u);
    EXPECT_EQ(pdf.back(), "16.0000 160.0000 l");
}

TEST(NumericFigures, SystemCurveEndsWhereUndefined) {
    const auto points =
        picturePoints(pictureOf("oplossingskromme2(1;sqrt(0.25-x);0;0;0.1;100;euler)"));
    EXPECT_EQ(points.size(), 4u);  // 0, 0.1, 0.2, 0.3; sqrt fails beyond 0.25
}

TEST(NumericFigures, DirectionFieldSegments) {
    const Lines picture = pictureOf("lijnelveld(0;5;5)");
    ASSERT_EQ(picture.size(), 9u);
    EXPECT_EQ(picture[0], "\\path(-5.000,-5.000)(-4.833,-5.000)");  // cut at the frame
    // 1/x is undefined on the column x = 0; lijnelveld2 skips points without direction.
    EXPECT_EQ(pictureOf("lijnelveld(1/x;5;5)").size(), 6u);
    EXPECT_EQ(pictureOf("lijnelveld2(x;y;5;5)").size(), 8u);
}

TEST(NumericFigures, ImplicitCircle) {
    const Lines picture = pictureOf("impliciet(x^2+y^2-4)");
    EXPECT_GT(pathCount(picture), 50u);
    for (const auto& [x, y] : picturePoints(picture))
        EXPECT_NEAR(std::hypot(x, y), 2, 0.01) << x << "," << y;
    EXPECT_TRUE(pictureOf("impliciet(1/x)").empty());
}

TEST(NumericFigures, Impliciet2OnlyInsideItsRectangle) {
    const auto points = picturePoints(pictureOf("impliciet2(x^2+y^2-4;0;3;0;3;0)"));
    ASSERT_FALSE(points.empty());
    for (const auto& [x, y] : points) {
        EXPECT_GE(x, -0.001);
        EXPECT_GE(y, -0.001);
    }
}

// The second formula has no symbolic derivative (the library does not know the list
// function), so the forward differences take over.
TEST(NumericFigures, Impliciet3TracesBothBranches) {
    for (const char* f : {"x^2+y^2-4", "x^2+y^2-4+0*L1(1)"}) {
        const Lines picture = pictureOf("impliciet3(" + std::string(f) + ";2.5;0.3;0.01;40)");
        EXPECT_EQ(pathCount(picture), 2u) << f;
        const auto points = picturePoints(picture);
        EXPECT_EQ(points.size(), 84u) << f;
        for (const auto& [x, y] : points)
            EXPECT_NEAR(std::hypot(x, y), 2, 0.002) << f << ": " << x << "," << y;
    }
}

TEST(NumericFigures, PdfOfASolutionCurveAndAField) {
    Lines pdf = pdfOf("oplossingskromme(0;0;1;1;2;euler)\nlijnelveld(0;10;10)");
    std::erase_if(pdf, [](const std::string& l) { return l.ends_with("G") || l.ends_with("g"); });
    EXPECT_EQ(pdf, (Lines{"0 20.0000 m", "20.0000 20.0000 l", "40.0000 20.0000 l",
                          "60.0000 20.0000 l", "S", "-103.3330 -100.0000 m", "-96.6667 -100.0000 l",
                          "S", "-103.3330 100.0000 m", "-96.6667 100.0000 l", "S",
                          "96.6667 -100.0000 m", "103.3330 -100.0000 l", "S", "96.6667 100.0000 m",
                          "103.3330 100.0000 l", "S"}));
}

// The example programs of solution curves and of regression run without a message and draw
// (graphs of formulas and the programs' own ranges need the graph window, which this runner
// does not have, so the regression's data mostly lies beyond the -5 … 5 picture).
TEST(NumericFigures, ExamplePrograms) {
    for (const auto& [name, minimum] :
         {std::pair{"richtingsveld.txt", 10u}, {"regressie.txt", 5u}}) {
        const ExportRun run(
            readBytes(QString(KALVOR_TEST_DATA) + "/../../resources/examples/" + name), false,
            true);
        EXPECT_EQ(run.r.failure, "") << name;
        EXPECT_EQ(run.r.texts(), Lines{}) << name;
        EXPECT_GT(run.d.pictureLines().size(), minimum) << name;
    }
}

// Escape ends a long computation: the iteration stops early (unlimited it takes a million
// steps) and the run goes on after the command.
TEST(NumericCommands, EscapeEndsLongLoops) {
    ProgramRunner r;
    r.host.onEvents = [&r] { r.env.keyPressed(Environment::kEscape); };
    r.run("iteratie(x+1+sin(x)*0;0;1E18;c)\nklaar:=1", {}, 1000);
    EXPECT_LT(r.value("c"), 1'000'000);
    EXPECT_EQ(r.value("klaar"), 1);
}

// Missing, huge and degenerate arguments end every command of the two families in an orderly
// way and in bounded time, and nothing drawn carries a coordinate that is not a number.
TEST(NumericFigures, EveryCommandSurvivesOddArguments) {
    const char* argumentSets[] = {
        "()",
        "(1)",
        "(0;0;0;0;0;0;0;0)",
        "(x;1E300;-1E300;1E300;-1E300;1E300;1E300;1E300)",
        "(1/x;y;1E-30;1E-30;1E18;1E18;1E18;1E18)",
        "(ln(x*y);x/y;1E18;-1E18;1E-18;1E18;runge;1)",
        "(L1,L2;-1E18;1E18;1E18;L1;1;1)",
    };
    CommandTable families;
    registerNumericCommands(families);
    registerListCommands(families);
    const char* names[] = {
        "impliciet",  "impliciet2",  "impliciet3",        "iteratie",    "integraal",
        "nulpunt",    "helling",     "lijnelveld",        "lijnelveld2", "oplossingskromme",
        "webgrafiek", "afbeelding2", "oplossingskromme2", "stats",       "linreg",
        "regressie",  "polyreg"};
    EXPECT_EQ(families.size(), std::size(names));
    for (const char* name : names)
        expectOrderlyRuns(name, argumentSets);
}

}  // namespace
}  // namespace kalvor::test
