#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "../support/pixels.h"
#include "program_rows.h"

// The plane drawing commands, run as programs: the picture text and PDF operators each figure
// records during an export, the drawing state, and canvas pixels where they are fixed.

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

constexpr Color kRed = 0x0000FF;

// Colour lines depend on what the document wrote before; other tests check them.
Lines withoutColours(Lines pdf) {
    std::erase_if(pdf, [](const std::string& l) {
        return l.ends_with(" g") || l.ends_with(" G") || l.ends_with(" rg") || l.ends_with(" RG");
    });
    return pdf;
}

const ProgramRow kPictureCases[] = {
    pictureRow("Lijn", "lijn(0;0;1;1)", {"\\path(0.000,0.000)(1.000,1.000)"}),
    pictureRow("Stippellijn", "stippellijn(0;0;1;0)",
               {"\\drawline[-200](0.000,0.000)(1.000,0.000)",
                "%vervang eventueel door \\dashline of \\dottedline; zie eepichandleiding"}),
    pictureRow("VectorHasNoText", "vector(1;1;2;0)", {}),
    pictureRow("GaNaarLijnNaar", "gaNaar(1;2)\nlijnNaar(3;2)",
               {"\\path(1.000,2.000)(3.000,2.000)"}),
    pictureRow("Ellips", "ellips(0;0;2;1)", {"\\put(1.000,0.500){\\ellipse{2.000}{1.000}}"}),
    pictureRow("EllipsWithSwappedCorners", "ellips(3;1;1;2)",
               {"\\put(2.000,1.500){\\ellipse{2.000}{1.000}}"}),
    pictureRow("Rechthoek", "rechthoek(0;0;2;1)",
               {"\\path(0.000,0.000)(2.000,0.000)(2.000,1.000)(0.000,1.000)(0.000,0.000)"}),
    pictureRow("CirkelMiddelpuntPunt", "cirkelmppunt(0;0;3;4)",
               {"\\put(0.000,0.000){\\circle{10.000}}"}),
    pictureRow(
        "FilledRectangleIsShaded", "vulstijl(0)\nvulkleur(255)\nrechthoek(0;0;1;1)",
        {"\\shade", "\\path(0.000,0.000)(1.000,0.000)(1.000,1.000)(0.000,1.000)(0.000,0.000)"}),
    pictureRow("WhiteFillIsNotShaded", "vulstijl(0)\nrechthoek(0;0;1;1)",
               {"\\path(0.000,0.000)(1.000,0.000)(1.000,1.000)(0.000,1.000)(0.000,0.000)"}),
    pictureRow("ArcDropsTheShade", "vulstijl(0)\nvulkleur(255)\ncirkelboog(0;0;1;0;pi/2)",
               {"\\put(0.000,0.000){\\arc{2.000}", "{4.712}{6.283}}"}),
    pictureRow("SectorKeepsTheShadeAndRepeatsIt",
               "vulstijl(0)\nvulkleur(255)\ncirkelsector(0;0;1;0;pi/2)",
               {"\\shade", "\\put(0.000,0.000){\\arc{2.000}", "{4.712}{6.283}}",
                "\\shade\\path(0.000,1.000)(0.000,0.000)(1.000,0.000)"}),
    pictureRow("SegmentClosesWithItsChord",
               "vulstijl(0)\nvulkleur(255)\ncirkelsegment(0;0;1;0;pi/2)",
               {"\\shade", "\\put(0.000,0.000){\\arc{2.000}", "{4.712}{6.283}}",
                "\\path(0.000,1.000)(1.000,0.000)"}),
    pictureRow("UnfilledSectorHasNoShade", "cirkelsector(0;0;2;0;pi)",
               {"\\put(0.000,0.000){\\arc{4.000}", "{3.142}{6.283}}",
                "\\path(-2.000,0.000)(0.000,0.000)(2.000,0.000)"}),
    // A dot is filled in the pen colour; the user's fill coming back adds no second shade.
    pictureRow("DotDuringExportIsAtLeastATenthPixel", "vulstijl(0)\nvulkleur(255)\nstip(0;0;0)",
               {"\\shade", "\\put(0.000,0.000){\\ellipse{0.008}{0.008}}"}),
    pictureRow("WhiteDotIsNotShaded", "tekenkleur(16777215)\nstip(0;0;127)",
               {"\\put(0.000,0.000){\\ellipse{10.000}{10.000}}"}),
    pictureRow("KrommeSamplesEightPointsWithTheLastClamped", "kromme(t;t^2;-1;1;0.3)",
               {"\\path(-1.000,1.000)", "(-0.700,0.490)", "(-0.400,0.160)", "(-0.100,0.010)",
                "(0.200,0.040)", "(0.500,0.250)", "(0.800,0.640)", "(1.000,1.000)"}),
    pictureRow("KrommeSkipsTheSampleAfterLeavingTheBox",
               "L1(3):=50\nL1(4):=0\nkromme(t-3;L1(t);1;6;1)",
               {"\\path(-2.000,0.000)", "(-1.000,0.000)", "\\path(2.000,0.000)", "(3.000,0.000)"}),
    pictureRow("KrommeIsCutAtThePictureBorder", "kromme(t-2;2*t-6;2;7;1)",
               {"\\path(0.000,-2.000)", "(1.000,0.000)", "(2.000,2.000)", "(3.000,4.000)",
                "(3.500,5.000)"}),
    pictureRow("KrommeWithoutStepDrawsNothing", "kromme(t;t;0;1;0)\nkromme(t;t;0;1;-1)", {}),
    pictureRow("StippelkrommeDrawsDashes", "stippelkromme(t;0;0;2;0.25;0.5;0.5)",
               {"\\path(0.000,0.000)", "(0.250,0.000)", "(0.500,0.000)", "\\path(1.000,0.000)",
                "(1.250,0.000)", "(1.500,0.000)", "\\path(2.000,0.000)", "(2.250,0.000)",
                "(2.500,0.000)"}),
    pictureRow("StippelkrommeThatDoesNotAdvanceDrawsNothing",
               "stippelkromme(t;0;0;2;0.25;0.5;-0.5)\nstippelkromme(t;0;0;2;0.25;0;0)", {}),
    pictureRow("Pad", "pad(0;0;1;0;1;1)", {"\\path(0.000,0.000)(1.000,0.000)(1.000,1.000)"}),
    pictureRow("VeelhoekRepeatsTheFirstPoint", "veelhoek(0;0;1;0;1;1)",
               {"\\path(0.000,0.000)(1.000,0.000)(1.000,1.000)(0.000,0.000)"}),
    pictureRow("BezierLinesHoldFourPointsSharingEnds", "bezier(0;0;1;1;2;1;3;0;4;-1;5;-1;4;0)",
               {"\\spline(0.000,0.000)(1.000,1.000)(2.000,1.000)(3.000,0.000)",
                "\\spline(3.000,0.000)(4.000,-1.000)(5.000,-1.000)(4.000,0.000)"}),
    pictureRow("PadFromLists", "L5(1):=1\nL5(2):=2\nL6(1):=3\nL6(2):=4\npad(lijst;L5;L6;1;2)",
               {"\\path(1.000,3.000)(2.000,4.000)"}),
    pictureRow("ListRangeGivesAtLeastTheStartPoint", "L5(2):=2\nL6(2):=4\npad(lijst;L5;L6;2;1)",
               {"\\path(2.000,4.000)"}),
    pictureRow("PointNamesThroughPunten",
               "maakpunt(A;0;0)\nmaakpunt(B;2;0)\nveelhoek\npunten(A;B)\n#",
               {"\\path(0.000,0.000)(2.000,0.000)(0.000,0.000)"}),
    pictureRow("GebiedWithEqualEndsIsSkipped", "gebied(1;1;x)", {}),
    // A region's outline is closed, so that it keeps its edge on the line and its shading.
    pictureRow("HalfPlaneBelowIncludesTheAxis", "ax+by<c(0;1;0)",
               {"\\path(-5.000,0.000)", "(-5.000,-5.000)", "(5.000,-5.000)", "(5.000,0.000)",
                "(-5.000,0.000)"}),
    pictureRow(
        "ShadedRegionOfTheLowerRightCorner", "vulstijl(0)\nvulkleur(255)\nax+by>c(1;-1;8)",
        {"\\shade", "\\path(3.000,-5.000)", "(5.000,-5.000)", "(5.000,-3.000)", "(3.000,-5.000)"}),
    pictureRow("HalfPlaneAbove", "ax+by>c(0;1;0)",
               {"\\path(5.000,5.000)", "(-5.000,5.000)", "(-5.000,0.000)", "(5.000,0.000)",
                "(5.000,5.000)"}),
    pictureRow("LineInTheWindow", "ax+by=c(1;1;0)", {"\\path(-5.000,5.000)", "(5.000,-5.000)"}),
    pictureRow("Tekst", "tekst(1;2;hallo)", {"\\put(1.000,2.000){\\makebox(0,0)[lt]{hallo}}"}),
    pictureRow("GedraaideTekstIsWrittenUnturned", "gedraaidetekst(1;2;hallo;45)",
               {"\\put(1.000,2.000){\\makebox(0,0)[lt]{hallo}}"}),
    pictureRow(
        "TekstcTekstr", "tekstc(0;0;a)\ntekstr(0;0;b)",
        {"\\put(0.000,0.000){\\makebox(0,0)[ct]{a}}", "\\put(0.000,0.000){\\makebox(0,0)[rt]{b}}"}),
    pictureRow("Tekst2KeepsTheAnchorAndTheAlignment", "tekst2(1;1;$t;lb)",
               {"\\put(1.000,1.000){\\makebox(0,0)[lb]{}}"}),
    pictureRow("TekstFromTextVariable", "$t:=Kalvor\ntekst(0;0;$t)",
               {"\\put(0.000,0.000){\\makebox(0,0)[lt]{Kalvor}}"}),
    pictureRow("Tekst2PlusStip", "tekst2+stip(0;0;P;rb;127)",
               {"\\put(0.000,0.000){\\makebox(0,0)[rb]{P}}", "\\shade",
                "\\put(0.000,0.000){\\ellipse{10.000}{10.000}}"}),
    pictureRow("UitvoerWrites18Digits",
               "uitvoer(0;0;1/3)\nuitvoerc(0;0;2^70)\nuitvoerr(0;0;-2)\nuitvoer2(0;0;0.5;cc)",
               {"\\put(0.000,0.000){\\makebox(0,0)[lt]{0.333333333333333333}}",
                "\\put(0.000,0.000){\\makebox(0,0)[ct]{1.1805916207174113E21}}",
                "\\put(0.000,0.000){\\makebox(0,0)[rt]{-2}}",
                "\\put(0.000,0.000){\\makebox(0,0)[cc]{0.5}}"}),
    // The picture text is cut to the picture, -5 … 5 both ways.
    pictureRow("LineLeavingThePicture", "lijn(0;0;10;0)", {"\\path(0.000,0.000)(5.000,0.000)"}),
    pictureRow("LineOutsideThePicture", "lijn(6;6;7;8)", {}),
    pictureRow("LineToKeepsTheUncutCurrentPoint", "gaNaar(0;0)\nlijnNaar(0;10)\nlijnNaar(1;0)",
               {"\\path(0.000,0.000)(0.000,5.000)", "\\path(0.500,5.000)(1.000,0.000)"}),
    pictureRow(
        "PathLeavingAndComingBack", "pad(-6;0;0;0;0;6;1;6;1;0)",
        {"\\path(-5.000,0.000)(0.000,0.000)(0.000,5.000)", "\\path(1.000,5.000)(1.000,0.000)"}),
    pictureRow(
        "OutlineOfACutRectangle", "rechthoek(0;0;10;2)",
        {"\\path(0.000,0.000)(5.000,0.000)", "\\path(5.000,2.000)(0.000,2.000)(0.000,0.000)"}),
    pictureRow(
        "CutShadedAreaKeepsItsPart", "vulstijl(0)\nvulkleur(255)\nveelhoek(0;0;10;0;0;10)",
        {"\\shade", "\\path(0.000,0.000)(5.000,0.000)(5.000,5.000)(0.000,5.000)(0.000,0.000)"}),
    pictureRow("ShadedAreaOutsideLeavesNoShade",
               "vulstijl(0)\nvulkleur(255)\nveelhoek(6;6;9;6;6;9)\nlijn(0;0;1;0)",
               {"\\path(0.000,0.000)(1.000,0.000)"}),
    pictureRow("LineWidthsInThePictureText",
               "lijndikte(2)\nlijndikte(3)\nlijndikte(7)\nlijndikte(1)\nlijndikte(0)\nlijndikte(2)",
               {"\\thicklines", "\\Thicklines", "\\Thicklines", "\\thinlines", "\\thicklines",
                "\\thinlines"}),
};

INSTANTIATE_TEST_SUITE_P(Draw2d, ProgramRows, ::testing::ValuesIn(kPictureCases), rowName);

TEST(Draw2d, CurvePiecesStayInsideTheWidenedWorld) {
    // The box is -10 … 10 here: y = 1/t breaks at its pole instead of joining across it.
    const Lines lines = pictureOf("kromme(t;1/t;-3.05;3.05;0.1)");
    int paths = 0;
    for (const std::string& line : lines) {
        paths += line.rfind("\\path", 0) == 0;
        const std::size_t comma = line.find(',');
        const Number y = std::stold(line.substr(comma + 1));
        EXPECT_LE(std::fabs(y), 10) << line;
    }
    EXPECT_EQ(paths, 2);
}

// Curved figures across the picture's border become paths with every point inside it.
TEST(Draw2d, CurvedFiguresAcrossTheBorderBecomeCutPaths) {
    const char* const sources[] = {
        "cirkelmppunt(4;0;7;0)",   "ellips(-7;-1;-3;1)",
        "cirkelboog(0;4;3;0;3)",   "vulstijl(4)\nvulkleur(255)\ncirkelsector(0;-4;3;3.5;6)",
        "bezier(0;0;3;9;6;9;4;0)", "stip(5;5;4)"};
    for (const char* source : sources) {
        const Lines text = pictureOf(source);
        ASSERT_FALSE(text.empty()) << source;
        EXPECT_EQ(text.back().rfind("\\path(", 0), 0u) << text.back();
        for (const std::string& line : text)
            for (std::size_t at = line.find('('); at != std::string::npos;
                 at = line.find('(', at + 1)) {
                double x = 0, y = 0;
                if (std::sscanf(line.c_str() + at, "(%lf,%lf)", &x, &y) != 2) continue;
                EXPECT_LE(std::fabs(x), 5.0) << source << ": " << line;
                EXPECT_LE(std::fabs(y), 5.0) << source << ": " << line;
            }
    }
}

TEST(Draw2d, GebiedOutlinesTheRegionBetweenTwoGraphs) {
    // Under y = x² from -1 to 1, back along y = 0: 201 + 201 samples and the first again.
    const Lines lines = pictureOf("gebied(-1;1;x^2;1;-1;0)");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "\\path(-1.000,1.000)");
    EXPECT_EQ(lines.back(), "(-1.000,1.000)");
    EXPECT_NEAR(static_cast<double>(lines.size()), 403, 2);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "(0.000,0.000)"), lines.end());
}

TEST(Draw2d, HalfPlaneUsesTheWindowFieldsNotTheWorld) {
    ProgramRunner r;
    DrawingSinks& d = exportCanvas(r, false, true);
    d.fields["xmin"] = "-2";
    d.fields["ymax"] = "3";
    r.run("ax+by<c(0;1;0)");
    EXPECT_EQ(d.pictureLines(), (Lines{"\\path(-2.000,0.000)", "(-2.000,-5.000)", "(5.000,-5.000)",
                                       "(5.000,0.000)", "(-2.000,0.000)"}));
}

TEST(Draw2d, TurnedEllipseInThePictureTextIsA72PointPolygon) {
    const Lines lines = pictureOf("gedraaideellips(-3;-1;3;1;pi/2)");
    ASSERT_EQ(lines.size(), 73u);  // "\path" with the first of 72 points, 71 more, the first again
    EXPECT_EQ((Lines{lines.front(), lines[18], lines.back()}),
              (Lines{"\\path(0.000,3.000)", "(-1.000,0.000)", "(0.000,3.000)"}));
}

std::ptrdiff_t curves(const Lines& pdf) {
    return std::ranges::count_if(pdf, [](const std::string& l) { return l.ends_with(" c"); });
}

TEST(Draw2d, TurnedEllipseInThePdfIsTheRecordersOwn) {
    const ExportRun run("gedraaideellips(-3;-1;3;1;pi/2)", true);
    const Lines pdf = withoutColours(run.d.pdfLines());
    // Four quarter arcs from the turned top point; nothing reaches the canvas.
    ASSERT_EQ(pdf.size(), 6u);
    EXPECT_EQ(pdf[0], "-20.0000 0 m");
    EXPECT_EQ(curves(pdf), 4);
    EXPECT_EQ(pdf.back(), "s");
    EXPECT_EQ(inkPixels(run.d.canvas.image()), 0);
}

TEST(Draw2d, TurnedEllipseOnTheCanvas) {
    const std::tuple<const char*, WorldPoint, WorldPoint> rows[] = {
        // source, a point with ink, a blank point
        {"gedraaideellips(-3;-1;3;1;0)", {3, 0}, {0, 3}},
        {"gedraaideellips(-3;-1;3;1;pi/2)", {0, 3}, {3, 0}},
        {"vulstijl(0)\nvulkleur(255)\ngedraaideellips(-3;-1;3;1;pi/2)", {0, 3}, {3, 0}},
    };
    for (const auto& [source, ink, blank] : rows) {
        const ExportRun run(source);
        EXPECT_NE(run.d.pixelAt(ink.x, ink.y), kWhite) << source;
        EXPECT_EQ(run.d.pixelAt(blank.x, blank.y), kWhite) << source;
    }
}

TEST(Draw2d, PdfOperatorsOfFigures) {
    const std::pair<const char*, Lines> rows[] = {
        {"lijn(0;0;1;1)", {"0 0 m", "20.0000 20.0000 l", "S"}},
        {"stippellijn(0;0;1;0)", {"[2 2] 0 d", "0 0 m", "20.0000 0 l", "S", "[] 0 d"}},
        {"vector(1;1;2;0)",
         {"20.0000 20.0000 m", "60.0000 20.0000 l", "56.6667 23.3333 l", "60.0000 20.0000 m",
          "56.6667 16.6667 l", "S"}},
        {"gaNaar(1;2)\nlijndikte(4)\nlijnNaar(3;2)",
         {"20.0000 40.0000 m", "60.0000 40.0000 l", "S"}},
        {"rechthoek(0;0;2;1)", {"0 0 40.0000 20.0000 re", "S"}},
        {"lijndikte(3)\npad(0;0;1;0)", {"1.7008 w", "0 0 m", "20.0000 0 l", "S", "0.5669 w"}},
        {"veelhoek(0;0;1;0;1;1)", {"0 0 m", "20.0000 0 l", "20.0000 20.0000 l", "s"}},
        // Below one pixel a dot is a square in the PDF.
        {"stip(0;0;0)", {"-0.0787 -0.0787 0.1575 0.1575 re", "B"}},
        {"bezier(0;0;1;1;2;1;3;0;4;-1;5;-1)", {}},
        {"vector(1;1;0;0)", {}},  // no direction, no head
    };
    for (const auto& [source, pdf] : rows)
        EXPECT_EQ(withoutColours(pdfOf(source)), pdf) << source;
    EXPECT_EQ(curves(pdfOf("bezier(0;0;1;1;2;1;3;0;4;-1;5;-1;4;0)")), 2);  // seven points
}

TEST(Draw2d, DotIsOnePixelOnTheCanvasForSizeZero) {
    ExportRun run("tekenkleur(255)\nstip(0;0;0)");
    EXPECT_EQ(inkPixels(run.d.canvas.image()), 1);
    EXPECT_EQ(run.d.pixelAt(0, 0), kRed);
    run.r.run("stip(2;2;3)");
    // A disc of radius 3 pixels, filled in the pen colour.
    EXPECT_GT(inkPixels(run.d.canvas.image()), 20);
    EXPECT_EQ(run.d.pixelAt(2, 2), kBlack);
}

TEST(Draw2d, DotDuringAnExportLeavesTheCanvasAlone) {
    const ExportRun run("stip(0;0;5)", true, true);
    EXPECT_EQ(inkPixels(run.d.canvas.image()), 0);
    EXPECT_FALSE(run.d.pdfLines().empty());
    EXPECT_FALSE(run.d.pictureLines().empty());
}

TEST(Draw2d, VectorArrowEndsAtTheTip) {
    const ExportRun run("vector(1;1;2;0)");
    const WorldCanvas& c = run.d.canvas;
    const int row = c.windowY(1);
    auto ink = [&](int x, int y) { return (c.image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF; };
    // The shaft from x = 1 to the tip at 3, nothing beyond, and a wing 45 degrees back.
    EXPECT_EQ((std::vector<bool>{ink(c.windowX(1), row), ink(c.windowX(3), row),
                                 ink(c.windowX(3) + 1, row), ink(c.windowX(1) - 1, row),
                                 ink(c.windowX(3) - 5, row - 5)}),
              (std::vector<bool>{true, true, false, false, true}));
}

TEST(Draw2d, HalfPlaneFillsBelowTheLineIncludingIt) {
    const ExportRun run("vulstijl(0)\nvulkleur(255)\ntekenkleur(255)\nax+by<c(0;1;0)");
    const WorldCanvas& c = run.d.canvas;
    const int axis = c.windowY(0);
    auto colour = [&](int y) { return c.image().pixel(c.windowX(1), y) & 0xFFFFFF; };
    // QRgb: red in the high byte.
    EXPECT_EQ((std::vector<QRgb>{colour(axis), colour(axis + 30), colour(axis - 1)}),
              (std::vector<QRgb>{0xFF0000u, 0xFF0000u, 0xFFFFFFu}));
}

bool hasLine(const Lines& lines, const std::string& line) {
    return std::ranges::find(lines, line) != lines.end();
}

TEST(Draw2d, FontSizeContinuesTheCanvasSize) {
    const std::tuple<const char*, int, const char*> rows[] = {
        // the argument, half points, the PDF font
        {"*1.5", 30, "/F5 15 Tf"},
        {"+2", 24, "/F5 12 Tf"},
        {"", 20, "/F5 10 Tf"},
        {"*2-1", 38, "/F5 19 Tf"}};
    for (const auto& [argument, halfPoints, pdfFont] : rows) {
        const ExportRun run("lettergrootte(" + std::string(argument) + ")\ntekst(0;0;a)", true);
        EXPECT_EQ(run.d.context.state().fontHalfPoints, halfPoints) << argument;
        EXPECT_TRUE(hasLine(run.d.pdfLines(), pdfFont)) << argument;
        EXPECT_EQ(run.d.canvas.font().size, 10);  // the text commands put the canvas font back
    }
}

TEST(Draw2d, FontStyleAndNameReachThePdfFont) {
    const std::pair<const char*, const char*> rows[] = {
        {"letterstijl(vet)\nletterstijl(cursief)", "/F8 10 Tf"},
        {"letterstijl(vet)\nletterstijl(cursief)\nletterstijl()", "/F5 10 Tf"},
        {"letterstijl(Vet)\nletterstijl(vet )", "/F5 10 Tf"},
        {"letterstijl(cursief)", "/F7 10 Tf"},
        {"lettertype(Times New Roman)\nletterstijl(vet)", "/F10 10 Tf"},
        {"lettertype(Courier New)\nlettertype()", "/F5 10 Tf"},
        {"lettertype(Symbol)\nletterstijl(vet)", "/F13 10 Tf"},
    };
    for (const auto& [source, font] : rows)
        EXPECT_TRUE(
            hasLine(ExportRun(source + std::string("\ntekst(0;0;a)"), true).d.pdfLines(), font))
            << source;
}

TEST(Draw2d, UnderlinedTextDrawsItsLineInThePdf) {
    const ExportRun run("letterstijl(onderstreept)\nletterkleur(255)\ntekst(0;0;abc)", true);
    const Lines pdf = run.d.pdfLines();
    EXPECT_TRUE(hasLine(pdf, "1 0 0 rg"));  // the text colour
    EXPECT_EQ(std::ranges::count(pdf, "S"), 1);
}

TEST(Draw2d, StateCommandsSetTheRunState) {
    const ExportRun run(
        "tekenkleur(255.5)\nlijndikte(2.5)\nvulkleur(65280)\nvulstijl(4)\nletterkleur(12)");
    const DrawingState& s = run.d.context.state();
    // The pen colour rounds to even; the run's end put the canvas pen back.
    EXPECT_EQ(
        (std::vector<int>{static_cast<int>(s.penColor), s.lineWidth, static_cast<int>(s.fillColor),
                          s.fillStyle, static_cast<int>(run.d.canvas.font().color),
                          static_cast<int>(run.d.canvas.pen().color), run.d.canvas.pen().width}),
        (std::vector<int>{256, 2, 65280, 4, 12, static_cast<int>(kBlack), 1}));
}

TEST(Draw2d, TextIsDrawnInThePenlessFontColour) {
    const ExportRun run("letterkleur(255)\nlettergrootte(*3)\ntekst(-4;4;MMMM)");
    EXPECT_GT(pixelsOf(run.d.canvas.image().copy(0, 0, 150, 60), 0xFF0000), 50);
}

TEST(Draw2d, InvalidListNamesShowTheMessageAndDrawNothing) {
    const ExportRun run("pad(lijst;L7;L1;1;3)\nbezier(lijst;L1;l2;1;3)\nschrijfregel(t;ok)", false,
                        true);
    EXPECT_EQ(run.output, Lines{"ok"});
    EXPECT_EQ(run.r.texts(), (Lines{"ongeldige lijst: L7en/of L1", "ongeldige lijst: L1en/of l2"}));
    EXPECT_TRUE(run.d.pictureLines().empty());
}

// Figures of a million points and more (beyond what an earlier limit let through): drawn; above the
// memory limits: a warning, nothing drawn, and the run goes on; Escape (here the run's abort check)
// ends their sampling early.
struct LargeFigure {
    const char* source;
    const char* tooLarge;  // the same command over a range beyond its limit
    const char* message;
};

const LargeFigure kLargeFigures[] = {
    {"kromme(t;t;-5;5;0.00001)", "kromme(t;t;0;1;1E-9)",
     "kromme: de figuur vraagt meer dan 20000000 punten en wordt daarom niet getekend."},
    {"stippelkromme(t;0;-4;4;0.000004;0.5;0.5)", "stippelkromme(t;0;0;1;1E-9;0.5;0.5)",
     "stippelkromme: de figuur vraagt meer dan 20000000 punten en wordt daarom niet getekend."},
    {"gebied(0;10000;1;10000;0;-1)", "gebied(0;1E9;x)",
     "gebied: de figuur vraagt meer dan 5000000 punten en wordt daarom niet getekend."},
    {"L1(1):=-4\nL2(1):=-4\nL1(2):=4\nL2(2):=4\npad(lijst;L1;L2;1;1000001)",
     "pad(lijst;L1;L2;1;5000001)",
     "pad: de figuur vraagt meer dan 5000000 punten en wordt daarom niet getekend."},
    {"L1(1):=-4\nL2(1):=4\nL1(2):=4\nL2(2):=4\nveelhoek(lijst;L1;L2;1;1000001)",
     "veelhoek(lijst;L1;L2;-1E30;1E30)",
     "veelhoek: de figuur vraagt meer dan 5000000 punten en wordt daarom niet getekend."},
    {"L1(1):=-4\nL2(1):=-4\nL1(2):=4\nL2(2):=4\nbezier(lijst;L1;L2;1;1000003)",
     "bezier(lijst;L1;L2;0;5000000)",
     "bezier: de figuur vraagt meer dan 5000000 punten en wordt daarom niet getekend."},
};

TEST(Draw2d, LargeFiguresAreDrawnWarnedOfOrCutShortByEscape) {
    for (const LargeFigure& row : kLargeFigures) {
        SCOPED_TRACE(row.source);
        ProgramRunner drawn;
        DrawingSinks& d = drawn.attachCanvas(100, 100, -5, 5, -5, 5);
        drawn.run(row.source);
        EXPECT_TRUE(drawn.host.messages().empty());
        EXPECT_GT(inkPixels(d.canvas.image()), 30);

        const ExportRun refused(std::string(row.tooLarge) + "\nschrijfregel(t;na)", false, true);
        EXPECT_EQ(refused.output, Lines{"na"});
        EXPECT_EQ(boxesOf(refused.r.host), (std::vector<Box>{{"Waarschuwing", row.message}}));
        EXPECT_FALSE(refused.r.host.errorShown());
        EXPECT_TRUE(refused.d.pictureLines().empty());

        ProgramRunner escaped;
        DrawingSinks& e = exportCanvas(escaped, false, true);
        escaped.abortCheck = [] { return true; };
        EXPECT_EQ(escaped.run(std::string(row.source) + "\nschrijfregel(t;na)"), Lines{"na"});
        EXPECT_GT(escaped.host.eventRounds(), 0);
        std::size_t written = 0;
        for (const std::string& line : e.pictureLines())
            written += line.size();
        EXPECT_GT(written, 0u);  // what was sampled before Escape is drawn
        EXPECT_LT(written, 1'000'000u);
    }
}

TEST(Draw2d, RvraaklijnStoresTheTangentDirection) {
    ProgramRunner r;  // no canvas needed
    r.run("rvraaklijn(t^2;t^3;2;r1;r2)");
    EXPECT_EQ(r.failure, "");
    EXPECT_NEAR(static_cast<double>(r.value("r1")), 4, 1e-9);
    EXPECT_NEAR(static_cast<double>(r.value("r2")), 12, 1e-7);
    EXPECT_NEAR(static_cast<double>(r.value("r2", 2)), 12, 1e-7);
    EXPECT_FALSE(r.env.parser(3).variableExists("r1"));
}

TEST(Draw2d, CurveFormulaErrorsShowTheirMessage) {
    const std::pair<const char*, const char*> rows[] = {
        {"kromme(t;(t;0;1;0.1)", "Kalvor kan de uitdrukking: \r(t\r"},
        {"kromme(t;ln(t-2);0;1;0.5)", "Fout bij de evaluatie van ln(t-2)"},
        {"gebied(0;1;sqrt(x-5);1;0;0)", "Fout bij de evaluatie van sqrt(x-5)"},
    };
    for (const auto& [source, message] : rows) {
        const ExportRun run(source + std::string("\nschrijfregel(t;na)"));
        ASSERT_EQ(run.r.texts().size(), 1u) << source;
        EXPECT_TRUE(run.r.texts()[0].starts_with(message)) << run.r.texts()[0];
        EXPECT_TRUE(run.output.empty());  // the run ended
    }
}

// Without a canvas the figure commands draw nothing but keep their place in the program.
TEST(Draw2d, WithoutACanvasFiguresStillConsumeTheirArguments) {
    checkRow(outputRow(
        "",
        "lijn(0;0;1;1)\nstip(0;0;1)\nkromme(t;t;0;1;0.1)\npad(0;0;1;1)\nveelhoek(0;0;1;0;1;1)\n"
        "gebied(0;1;x;1;0;0)\nax+by<c(1;1;0)\ntekst(0;0;a)\nlettergrootte(*2)\nletterstijl(vet)\n"
        "gedraaideellips(0;0;1;1;1)\nschrijfregel(t;klaar)",
        {"klaar"}));
}

TEST(Draw2d, VariableLengthFiguresContinueAfterTheirTerminator) {
    const ExportRun run(
        "pad(0;0;1;1)\nschrijfregel(t;a)\nveelhoek(lijst;L1;L2;1;3)\nschrijfregel(t;b)\n"
        "gebied(0;1;x)\nschrijfregel(t;c)");
    EXPECT_EQ(run.output, (Lines{"a", "b", "c"}));
}

}  // namespace
}  // namespace kalvor::test
