#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "program_rows.h"

// The geometric constructions: computed points and values, named and free points, and the
// construction lines and marks as the picture text records them.

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

constexpr Number kMarker = 2147483647;

const ProgramRow kValueCases[] = {
    valueRow("DraaivermenigvuldigTurnsClockwise", "draaivermenigvuldig(0;0;1;0;90;1;x;y)",
             {{"x", 0}, {"y", -1}}),
    valueRow("DraaivermenigvuldigScalesFromTheCentre", "draaivermenigvuldig(1;1;2;1;180;3;x;y)",
             {{"x", -2}, {"y", 1}}),
    valueRow("HoekAtTheFirstPoint", "hoek(0;0;1;0;0;1;h)", {{"h", 90}}),
    valueRow("HoekOfOppositeRays", "hoek(0;0;1;0;-2;0;h)", {{"h", 180}}),
    // Rounding puts these cosines just beyond -1 and 1.
    valueRow("HoekOfAStraightAngleIsNotNaN", "hoek(0;0;0.1;0.2;-0.1;-0.2;h)", {{"h", 180}}),
    valueRow("HoekOfAZeroAngleIsNotNaN", "hoek(0;0;0.1;0.1;1.5;1.5;h)", {{"h", 0}}),
    valueRow("Projectie", "projectie(0;0;2;0;1;5;x;y)", {{"x", 1}, {"y", 0}}),
    valueRow("ProjectieOnASlantedLine", "projectie(0;0;1;1;2;0;x;y)", {{"x", 1}, {"y", 1}}),
    valueRow("Spiegelbeeld", "spiegelbeeld(0;0;1;1;2;0;x;y)", {{"x", 0}, {"y", 2}}),
    valueRow("SnijpuntMll", "snijpuntmll(0;0;4;0;0;4;x;y)", {{"x", 2}, {"y", 2}}),
    valueRow("SnijpuntBisIsTheIncentre", "snijpuntbis(0;0;4;0;0;3;x;y)", {{"x", 1}, {"y", 1}}),
    valueRow("Hoogtepunt", "hoogtepunt(0;0;4;0;1;3;hx;hy)", {{"hx", 1}, {"hy", 1}}),
    valueRow("HoogtepuntOfCollinearPointsIsA", "hoogtepunt(1;2;2;3;3;4;hx;hy)",
             {{"hx", 1}, {"hy", 2}}),
    valueRow("SnijpuntLijnLijn", "snijpuntlijnlijn(0;0;1;1;0;1;1;0;x;y)",
             {{"x", 0.5L}, {"y", 0.5L}}),
    valueRow("ParallelLinesGiveTheMarker", "snijpuntlijnlijn(0;0;1;1;0;1;1;2;x;y)",
             {{"x", kMarker}, {"y", kMarker}}),
    valueRow("SnijpuntLijnCir", "snijpuntlijncir(-2;0;2;0;0;0;1;0;S;T)",
             {{"S1", 1}, {"S2", 0}, {"T1", -1}, {"T2", 0}}),
    valueRow("TangentLineHasNoIntersection", "snijpuntlijncir(-2;1;2;1;0;0;1;0;S;T)",
             {{"S1", kMarker}, {"S2", 1}, {"T1", -kMarker}, {"T2", 1}}),
    valueRow("SnijpuntCirCir", "snijpuntcircir(0;0;1;0;1;0;2;0;S;T)",
             {{"S1", 0.5L}, {"S2", std::sqrt(0.75L)}, {"T1", 0.5L}, {"T2", -std::sqrt(0.75L)}}),
    valueRow("CirclesApartGiveTheMarker", "snijpuntcircir(0;0;1;0;5;0;6;0;S;T)", {{"S2", kMarker}}),
    valueRow("CircleInsideAnotherGivesTheMarker", "snijpuntcircir(0;0;1;0;1;0;6;0;S;T)",
             {{"S1", -11.5L}, {"S2", kMarker}, {"T2", -kMarker}}),
    // A segment of length 0 or one centre for two circles: the variables keep their values.
    valueRow("ZeroLengthLinesChangeNothing",
             "x:=7\ny:=8\nS1:=9\nh:=3\nprojectie(1;1;1;1;3;3;x;y)\nspiegelbeeld(1;1;1;1;3;3;x;y)\n"
             "snijpuntlijncir(1;1;1;1;0;0;2;0;S;T)\nsnijpuntcircir(0;0;1;0;0;0;2;0;S;T)\n"
             "hoek(0;0;0;0;1;1;h)\nsnijpuntbis(0;0;0;0;1;1;x;y)",
             {{"x", 7}, {"y", 8}, {"S1", 9}, {"h", 3}}),
    valueRow("MaakpuntWritesBothCoordinates", "maakpunt(P;1+2;4)", {{"P1", 3}, {"P2", 4}}),
    valueRow("MaakpuntNameFromATextVariable", "$n:=Q\nmaakpunt($n;5;6)", {{"Q1", 5}, {"Q2", 6}}),
};

INSTANTIATE_TEST_SUITE_P(Geometry, ProgramRows, ::testing::ValuesIn(kValueCases), rowName);

TEST(Geometry, ResultsGoToTheParsersEachCommandNames) {
    struct Row {
        const char* source;
        const char* variable;
        int lastParser;  // the variable exists in Parser1 … this one only
    };
    const Row rows[] = {
        {"projectie(0;0;2;0;1;5;px;py)", "px", 1},
        {"hoek(0;0;1;0;0;1;hh)", "hh", 1},
        {"snijpuntlijncir(-2;0;2;0;0;0;1;0;S;T)", "T2", 1},
        {"maakpunt(M;1;2)", "M1", 2},
        {"vrijpunt(V;1;2;0.1)", "V2", 2},
        {"hoogtepunt(0;0;4;0;1;3;hx;hy)", "hy", 3},
        {"puntinveelhoek?(0;0;L1;L2;3;binnen)", "binnen", 4},
    };
    for (const Row& row : rows) {
        ProgramRunner r;
        r.run(row.source);
        for (int p = 1; p <= 4; ++p)
            EXPECT_EQ(r.env.parser(p).variableExists(row.variable), p <= row.lastParser)
                << row.source << " in Parser" << p;
    }
}

// The square (0, 0) … (2, 2) with half-open edges, and the edge cases of the vertex count.
TEST(Geometry, PointInPolygon) {
    const std::pair<const char*, Number> rows[] = {
        {"1;1;L1;L2;4", 1},
        {"3;1;L1;L2;4", 0},
        {"-1;1;L1;L2;4", 0},
        {"1;0;L1;L2;4", 1},
        {"1;2;L1;L2;4", 0},
        {"0;1;L1;L2;4", 1},
        {"2;1;L1;L2;4", 0},
        {"1;-0.001;L1;L2;4", 0},
        {"1;1.999;L1;L2;4", 1},
        {"1;1;L1;L7;4", 0},    // not a list
        {"1;1;L1;L2;0", 0},    // no vertices
        {"1;1;L1;L2;3.6", 1},  // rounded to 4
        // Vertices past 100 read as (0, 0): the closing edge runs from there to vertex 1.
        {"0.5;0.25;L1;L2;1E12", 1},
    };
    for (const auto& [arguments, inside] : rows) {
        ProgramRunner r;
        r.run(std::string("L1(1):=0\nL1(2):=2\nL1(3):=2\nL1(4):=0\n"
                          "L2(1):=0\nL2(2):=0\nL2(3):=2\nL2(4):=2\nin:=7\n") +
              "puntinveelhoek?(" + arguments + ";in)");
        EXPECT_EQ(r.failure, "");
        EXPECT_EQ((std::pair{r.value("in"), r.value("in", 4)}), (std::pair{inside, inside}))
            << arguments;
    }
}

// The mouse drags a free point once it comes within delta of it.
TEST(Geometry, FreePointFollowsTheMouseOnceCaught) {
    ProgramRunner r;
    const char* program = "vrijpunt(P;1;1;0.5)\nvrijpunt(Q;1.2;1;0.5)";
    MouseState& mouse = r.env.mouse;
    ASSERT_TRUE(mouse.resetFreePoints);
    r.run(program);
    EXPECT_EQ(r.value("P1"), 1);
    EXPECT_FALSE(mouse.resetFreePoints);  // cleared by the run's end

    std::tie(mouse.x, mouse.y) = std::pair(3, 3);  // far away: nothing is caught
    r.run(program);
    EXPECT_EQ(r.value("P1"), 1);
    EXPECT_EQ(mouse.draggedPoint, "");

    // Within reach of both: the first one asked is caught.
    std::tie(mouse.x, mouse.y) = std::pair(1.3L, 1.1L);
    r.run(program);
    EXPECT_EQ(mouse.draggedPoint, "P");
    EXPECT_EQ((std::vector{r.value("P1"), r.value("P2", 2), r.value("Q1")}),
              (std::vector<Number>{1.3L, 1.1L, 1.2L}));

    mouse.x = 1.6L;  // dragging on
    r.run(program);
    EXPECT_EQ(r.value("P1"), 1.6L);

    mouse.resetFreePoints = true;  // the reset corner
    r.run(program);
    EXPECT_EQ(std::pair(r.value("P1"), r.value("Q1")), (std::pair<Number, Number>(1, 1.2L)));
}

TEST(Geometry, FreePointOutlinesTheResetCornerUnlessSwitchedOff) {
    struct Row {
        bool reset, outlined;
    };
    for (const Row row : {Row{true, true}, Row{false, false}}) {
        ProgramRunner r;
        DrawingSinks& d = r.attachCanvas(100, 80, -5, 5, -5, 5, false, true);
        r.run("vrijpunt(P;0;0;1)", RunOptions{row.reset, true});
        const QImage& image = d.canvas.image();
        auto ink = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; };
        const bool o = row.outlined;  // the outline's corners and edge; inside and outside blank
        EXPECT_EQ(
            (std::vector<bool>{ink(90, 70), ink(99, 79), ink(90, 75), ink(95, 75), ink(89, 69)}),
            (std::vector<bool>{o, o, o, false, false}));
        EXPECT_TRUE(d.pictureLines().empty());  // the corner belongs to the screen only
    }
}

// A 216 × 288 canvas showing 54 × 72 world units: the mark unit (a ninetieth of the diagonal)
// is 1 and yScale is 0.75.
Lines marksOf(const std::string& source) {
    ProgramRunner r;
    DrawingSinks& d = r.attachCanvas(216, 288, -27, 27, -36, 36, false, true);
    r.run(source);
    EXPECT_EQ(r.failure, "") << source;
    return d.pictureLines();
}

TEST(Geometry, Marks) {
    const std::tuple<const char*, Lines> rows[] = {
        // A right angle gets its square, whatever the number of arcs.
        {"hoekmarkering(0;0;4;0;0;2;0.25;3)",
         {"\\path(0.500,0.375)(0.500,0.000)", "\\path(0.000,0.375)(0.500,0.375)"}},
        {"hoekmarkering(0;0;1;0;1;1;0.5;2)",
         {"\\put(0.000,0.000){\\arc{1.000}", "{5.498}{6.283}}", "\\put(0.000,0.000){\\arc{1.200}",
          "{5.498}{6.283}}"}},
        {"hoekmarkering(0;0;1;0;1;1;0.5;0)", {}},
        {"lijnstukmarkering(-2;0;2;0;1;2)",
         {"\\path(0.250,-0.750)(0.250,0.750)", "\\path(-0.250,-0.750)(-0.250,0.750)"}},
        {"lijnstukmarkering(-2;0;2;0;1;1)", {"\\path(0.000,-0.750)(0.000,0.750)"}},
        {"lijnstukmarkering(0;-2;0;2;2;3)",
         {"\\path(2.000,0.375)(-2.000,0.375)", "\\path(2.000,0.000)(-2.000,0.000)",
          "\\path(2.000,-0.375)(-2.000,-0.375)"}},
        {"lijnstukmarkering(-2;0;2;0;1;5)",
         {"\\path(-0.700,-0.750)(0.000,0.750)", "\\path(0.000,0.750)(0.700,-0.750)"}},
        {"lijnstukmarkering(-2;0;2;0;1;0)", {"\\put(0.000,0.000){\\circle{2.000}}"}},
        {"vulstijl(0)\nvulkleur(255)\nlijnstukmarkering(-2;0;2;0;0.5;-3)",
         {"\\shade", "\\put(0.000,0.000){\\circle{1.000}}"}},
        {"lijnstukmarkering(1;1;1;1;1;2)\nhoekmarkering(0;0;0;0;1;1;1;1)", {}},
    };
    for (const auto& [source, picture] : rows)
        EXPECT_EQ(marksOf(source), picture) << source;
}

const ProgramRow kFigureCases[] = {
    pdfRow("RightAngleSquareIsRecordedAsPlainLines",
           "lijndikte(2)\nhoekmarkering(0;0;1;0;0;1;0.5;1)",
           {"1.1339 w", "1 g", "10.0000 10.0000 m", "10.0000 0 l", "S", "0.5669 w", "1.1339 w",
            "0 10.0000 m", "10.0000 10.0000 l", "S", "0.5669 w"}),
    pictureRow("Vectorvoorstelling", "vectorvoorstelling(1;1;1;0;0;2)",
               {"\\path(1.000,1.000)(3.000,1.000)"}),
    pictureRow("Middelloodlijn", "middelloodlijn(0;0;2;0;-1;1)",
               {"\\path(1.000,-2.000)(1.000,2.000)"}),
    pictureRow("Loodlijn", "loodlijn(0;0;2;0;1;1;0;1)", {"\\path(1.000,1.000)(1.000,3.000)"}),
    pictureRow("Bissectrice", "bissectrice(0;0;1;0;0;1;-1;0)",
               {"\\path(1.000,1.000)(0.000,0.000)"}),
    pictureRow("Hoogtelijn", "hoogtelijn(0;0;4;0;1;3)", {"\\path(1.000,3.000)(1.000,0.000)"}),
    pictureRow(
        "ConstructionLinesOfZeroLengthSegmentsDrawNothing",
        "hoogtelijn(1;1;1;1;2;2)\nmiddelloodlijn(1;1;1;1;0;1)\nbissectrice(0;0;0;0;1;1;0;1)\n"
        "loodlijn(2;2;2;2;0;0;0;1)",
        {}),
    pictureRow("ConflictLineOfAnUnknownKindIsNotDrawn", "conflictlijn(kromme;0;2;-1;0;1;0)", {}),
    pictureRow("ConflictLineOfACircleWithoutRadiusIsNotDrawn", "conflictlijn(cirkel;0;2;1;1;1;1)",
               {}),
};

INSTANTIATE_TEST_SUITE_P(GeometryFigures, ProgramRows, ::testing::ValuesIn(kFigureCases), rowName);

// Every point of a conflict line is as far from P = (0, 2) as from a point Q of the object,
// on the object's normal at Q.
TEST(Geometry, ConflictLinePointsAreEquidistant) {
    struct Row {
        const char* kind;
        std::function<Number(Number, Number)> mismatch;
    };
    auto fromP = [](Number x, Number y) { return std::hypot(x, y - 2); };
    const Row rows[] = {
        // The x axis: the distance is |y|.
        {"lijn", [&](Number x, Number y) { return std::fabs(fromP(x, y) - std::fabs(y)); }},
        // The unit circle about (-1, 0): Q lies on the ray from the centre, on either side.
        {"cirkel",
         [&](Number x, Number y) {
             const Number centre = std::hypot(x + 1, y);
             return std::min(std::fabs(fromP(x, y) - std::fabs(centre - 1)),
                             std::fabs(fromP(x, y) - (centre + 1)));
         }},
    };
    for (const Row& row : rows) {
        const Lines lines = pictureOf(std::string("conflictlijn(") + row.kind + ";0;2;-1;0;0;0)");
        ASSERT_GT(lines.size(), 20u) << row.kind;
        EXPECT_EQ(lines[0].rfind("\\path(", 0), 0u);
        for (const std::string& line : lines) {
            const std::size_t open = line.find('('), comma = line.find(',');
            const Number x = std::stold(line.substr(open + 1, comma - open - 1));
            const Number y = std::stold(line.substr(comma + 1));
            EXPECT_LT(row.mismatch(x, y), 0.01) << row.kind << " " << line;
            EXPECT_LE(std::fabs(y), 10);
        }
    }
}

TEST(Geometry, ConflictLineOfASegment) {
    // Over the segment from (-1, 0) to (1, 0) the points lie on y = (x² + 4) / 4.
    const Lines segment = pictureOf("conflictlijn(lijnstuk;0;2;-1;0;1;0)");
    ASSERT_EQ(segment.size(), 106u);  // s = 0, 0.01, … 1.05
    EXPECT_EQ(segment.front(), "\\path(-1.000,1.250)");
}

}  // namespace
}  // namespace kalvor::test
