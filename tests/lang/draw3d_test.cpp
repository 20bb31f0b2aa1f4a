#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "../support/file_checks.h"
#include "../support/pixels.h"
#include "program_rows.h"

// The space commands run as programs: the values they compute, the picture text and PDF of
// what they draw, and their messages. Images are worked out by hand: in the default view
// (x, y, z) goes to (y − 0.5·x·cos 30°, z − 0.5·x·sin 30°), so a point with x = 0 is its own
// (y, z), and its figure must equal the plane figure there.

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

constexpr Number kNone = 2147483647;  // no such point

// ---- Values ----

constexpr Number kCos30 = 0.86602540378443864676L;  // cos 30°

// Checked in Parser1 … Parser3.
const ProgramRow kValueRows[] = {
    valueRow("", "3d->2d(1;0;0;a;b)", {{"a", -kCos30 / 2}, {"b", -0.25L}}, 3),
    valueRow("", "set3d(90;2)\n3d->2d(1;1;1;a;b)", {{"a", 1}, {"b", -1}}, 3),
    valueRow("", "rot3d(z;90)\n3d->2d(1;0;0;a;b)", {{"a", 1}, {"b", 0}}, 3),
    // Only the last rotation is in force.
    valueRow("", "rot3d(z;45)\nrot3d(x;30)\n3d->2d(0;1;0;a;b)", {{"a", kCos30}, {"b", 0.5L}}, 3),
    // An unknown axis keeps the matrix.
    valueRow("", "rot3d(z;90)\nrot3d(w;30)\n3d->2d(1;0;0;a;b)", {{"a", 1}, {"b", 0}}, 3),
    valueRow("", "spiegel3d(x;45)\n3d->2d(0;1;0;a;b)", {{"a", 0}, {"b", 1}}, 3),
    valueRow("", "rot3d(z;90)\nsetmat3d(1;0;0;0;1;0;0;0;1)\n3d->2d(0;1;0;a;b)",
             {{"a", 1}, {"b", 0}}, 3),
    valueRow("", "setmat3d(0;1;0;1;0;0;0;0;1)\n3d->2d(1;0;0;a;b)", {{"a", 1}, {"b", 0}}, 3),
    valueRow("", "set3dcentraal(0;90;10;5)\n3d->2d(5;2;4;a;b)", {{"a", 2}, {"b", 4}}, 3),
    // On the eye's plane the point has no image.
    valueRow("", "set3dcentraal(0;90;10;5)\n3d->2d(10;1;1;a;b)", {{"a", kNone}, {"b", kNone}}, 3),
    valueRow("", "maakpunt3d(p;1;2;1+2)", {{"p1", 1}, {"p2", 2}, {"p3", 3}}, 3),
    valueRow("", "vglvlak(1;0;0;0;1;0;0;0;1;a;b;c;d)", {{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}}, 3),
    valueRow("", "snijpuntlijnvlak(0;0;1;2;0;0;0;1;1;1;s1;s2;s3)",
             {{"s1", 2}, {"s2", 2}, {"s3", 2}}, 3),
    valueRow("", "snijpuntlijnvlak(0;0;1;2;0;0;0;1;0;0;s1;s2;s3)",
             {{"s1", kNone}, {"s2", kNone}, {"s3", kNone}}, 3),
};
INSTANTIATE_TEST_SUITE_P(Draw3dValues, ProgramRows, ::testing::ValuesIn(kValueRows));

TEST(Draw3d, EveryRunStartsWithTheDefaultView) {
    ProgramRunner r;
    r.run("set3dcentraal(0;90;10;5)\nrot3d(z;90)\n3d->2d(1;0;0;a;b)");
    r.run("3d->2d(0;1;0;a;b)");
    EXPECT_EQ((std::pair{r.value("a"), r.value("b")}), (std::pair<Number, Number>{1, 0}));
}

// ---- Figures ----

// With x = 0 a space figure is the plane figure at (y, z), in the picture text and the PDF.
TEST(Draw3d, FiguresInTheYZPlaneAreThePlaneFigures) {
    const std::tuple<const char*, const char*> rows[] = {
        {"lijn3d(0;1;2;0;3;4)", "lijn(1;2;3;4)"},
        {"stippellijn3d(0;1;2;0;3;-4)", "stippellijn(1;2;3;-4)"},
        {"stip3d(0;1;2;3)", "stip(1;2;3)"},
        {"gaNaar3d(0;1;2)\nlijnNaar3d(0;3;2)\nlijnNaar3d(0;3;3)",
         "gaNaar(1;2)\nlijnNaar(3;2)\nlijnNaar(3;3)"},
        {"pad3d(0;0;0;0;1;0;0;1;1)", "pad(0;0;1;0;1;1)"},
        {"vulstijl(0)\nvulkleur(255)\nveelhoek3d(0;0;0;0;1;0;0;1;1)",
         "vulstijl(0)\nvulkleur(255)\nveelhoek(0;0;1;0;1;1)"},
        {"L1(2):=0\nL2(2):=1\nL3(2):=2\nL1(3):=0\nL2(3):=3\nL3(3):=1\npad3d(lijst;L1;L2;L3;2;3)",
         "pad(1;2;3;1)"},
        {"tekst3d2(0;1;2;A;rb)", "tekst2(1;2;A;rb)"},
        {"tekst3d2+stip(0;1;2;A;lt;4)", "tekst2+stip(1;2;A;lt;4)"},
        {"uitvoer3d2(0;1;2;1/3;cc)", "uitvoer2(1;2;1/3;cc)"},
        {"lijnstukmarkering3d(0;0;0;0;2;0;1;2)", "lijnstukmarkering(0;0;2;0;1;2)"},
        {"lijnstukmarkering3d(0;0;0;0;2;1;1;9)", "lijnstukmarkering(0;0;2;1;1;9)"},
        {"lijnstukmarkering3d(0;0;0;0;2;1;1;0)", "lijnstukmarkering(0;0;2;1;1;0)"},
        {"hoekmarkering3d(0;0;0;0;2;0;0;1;1;0.3;2)", "hoekmarkering(0;0;2;0;1;1;0.3;2)"},
        // A right angle keeps its arcs in space (the plane mark would draw a square).
        {"hoekmarkering3d(0;0;0;0;2;0;0;0;1;0.3;1)", "cirkelboog(0;0;0.3;0;pi/2)"},
    };
    for (const auto& [space, plane] : rows) {
        EXPECT_EQ(pictureOf(space), pictureOf(plane)) << space;
        EXPECT_EQ(pdfOf(space), pdfOf(plane)) << space;
    }
}

const ProgramRow kPictureCases[] = {
    pictureRow("LijnAlongX", "lijn3d(0;0;0;2;0;0)", {"\\path(0.000,0.000)(-0.866,-0.500)"}),
    pictureRow("RotatedLijnIsTheYAxis", "rot3d(z;90)\nlijn3d(0;0;0;1;0;0)",
               {"\\path(0.000,0.000)(1.000,0.000)"}),
    pictureRow("VeelhoekRepeatsTheFirstPoint", "veelhoek3d(2;0;0;0;1;0;0;0;1)",
               {"\\path(-0.866,-0.500)(1.000,0.000)(0.000,1.000)(-0.866,-0.500)"}),
    // The last sample stays below tmax.
    pictureRow("KrommeEndsBelowTmax", "kromme3d(0;t;0;0;1;0.3)",
               {"\\path(0.000,0.000)", "(0.300,0.000)", "(0.600,0.000)", "(0.900,0.000)"}),
    pictureRow("KrommeSkipsTheSampleAfterLeavingTheBox", "L1(3):=50\nkromme3d(0;t-3;L1(t);1;6;1)",
               {"\\path(-2.000,0.000)", "(-1.000,0.000)", "\\path(2.000,0.000)", "(3.000,0.000)"}),
    pictureRow("KrommeWithoutStepDrawsNothing", "kromme3d(t;t;t;0;1;0)\nkromme3d(t;t;t;0;1;-1)",
               {}),
    pictureRow("StippelkrommeDrawsDashes", "stippelkromme3d(0;t;0;0;2;0.25;0.5;0.5)",
               {"\\path(0.000,0.000)", "(0.250,0.000)", "(0.500,0.000)", "\\path(1.000,0.000)",
                "(1.250,0.000)", "(1.500,0.000)", "\\path(2.000,0.000)", "(2.250,0.000)",
                "(2.500,0.000)"}),
    pictureRow("StippelkrommeThatDoesNotAdvanceDrawsNothing",
               "stippelkromme3d(0;t;0;0;2;0.25;0.5;-0.5)", {}),
    // Lines of constant u (u = 0, 1), then of constant v.
    pictureRow("OppervlakDrawsBothFamilies", "oppervlak3d(2*u;v;0;0;1;0;1;1;1)",
               {"\\path(0.000,0.000)", "(1.000,0.000)", "\\path(-0.866,-0.500)", "(0.134,-0.500)",
                "\\path(0.000,0.000)", "(-0.866,-0.500)", "\\path(1.000,0.000)", "(0.134,-0.500)"}),
    pictureRow("OppervlakWithoutStepDrawsNothing", "oppervlak3d(u;v;0;0;1;0;1;0;1)", {}),
    // Central view with the eye on the x axis at 10: z = 1 shows at 5/(10 − x).
    pictureRow("EyePlaneBreaksTheCurve", "set3dcentraal(0;90;10;5)\nkromme3d(t;0;1;8;13;1)",
               {"\\path(0.000,2.500)", "(0.000,5.000)", "\\path(0.000,-2.500)", "(0.000,-1.667)"}),
    pictureRow("EyePlaneBreaksThePath",
               "set3dcentraal(0;90;10;5)\npad3d(8;0;1;10;0;1;12;0;1;13;0;1)",
               {"\\path(0.000,2.500)", "\\path(0.000,-2.500)(0.000,-1.667)"}),
    pictureRow("EyePlaneLeavesACornerOut",
               "set3dcentraal(0;90;10;5)\nveelhoek3d(8;0;1;10;0;1;8;1;1)",
               {"\\path(0.000,2.500)(2.500,2.500)(0.000,2.500)"}),
    pictureRow(
        "EyePlaneDrawsNoLineOrText",
        "set3dcentraal(0;90;10;5)\nlijn3d(10;1;1;0;0;0)\nstip3d(10;0;0;2)\ntekst3d2(10;0;0;A;cc)",
        {}),
    pictureRow("EyePlaneLiftsThePen",
               "set3dcentraal(0;90;10;5)\ngaNaar3d(8;0;1)\nlijnNaar3d(10;0;1)\nlijnNaar3d(12;0;1)\n"
               "lijnNaar3d(13;0;1)",
               {"\\path(0.000,-2.500)(0.000,-1.667)"}),
};

INSTANTIATE_TEST_SUITE_P(Draw3d, ProgramRows, ::testing::ValuesIn(kPictureCases), rowName);

TEST(Draw3d, PdfOfSpaceLines) {
    const Lines pdf = pdfOf("lijn3d(1;0;0;0;1;0)\nstippellijn3d(0;0;0;0;0;1)");
    EXPECT_TRUE(std::ranges::search(pdf, Lines{"-8.6603 -5.0000 m", "20.0000 0 l", "S"}))
        << ::testing::PrintToString(pdf);
    EXPECT_TRUE(std::ranges::search(pdf, Lines{"[2 2] 0 d", "0 0 m", "0 20.0000 l", "S", "[] 0 d"}))
        << ::testing::PrintToString(pdf);
}

// The arguments are evaluated once: a random end lands at the same place in every sink.
TEST(Draw3d, EverySinkDrawsTheSameProjectedPoints) {
    ProgramRunner r;
    DrawingSinks& d = r.attachCanvas(254, 254, -5, 5, -5, 5, true, true);
    r.run("lijn3d(0;0;0;0;random(1)*4;0)");
    const Lines picture = d.pictureLines();
    ASSERT_EQ(picture.size(), 1u);
    const Number inPicture =
        std::stold(picture[0].substr(std::string_view("\\path(0.000,0.000)(").size()));
    const Lines pdf = d.pdfLines();
    const auto to =
        std::ranges::find_if(pdf, [](const std::string& l) { return l.ends_with(" 0 l"); });
    ASSERT_NE(to, pdf.end());
    EXPECT_NEAR(std::stold(*to) / 20, inPicture, 0.0006L) << *to << " / " << picture[0];
}

TEST(Draw3d, InvalidListNamesShowTheMessageAndDrawNothing) {
    const ExportRun run(
        "pad3d(lijst;L1;L7;L2;1;3)\nveelhoek3d(lijst;L1;L2;x;1;3)\nschrijfregel(t;ok)", false,
        true);
    EXPECT_EQ(run.output, Lines{"ok"});
    EXPECT_EQ(run.r.texts(), (Lines{"ongeldige lijst: L1 en/of L7 en/of L2",
                                    "ongeldige lijst: L1 en/of L2 en/of x"}));
    EXPECT_TRUE(run.d.pictureLines().empty());
}

// A figure that would need too many points is not drawn; the run goes on after a warning.
TEST(Draw3d, TooManyPointsWarnAndDrawNothing) {
    const std::pair<const char*, const char*> rows[] = {
        {"kromme3d(t;t;t;0;1;1E-9)", "kromme3d"},
        {"stippelkromme3d(t;t;t;0;1E9;0.1;0.5;0.5)", "stippelkromme3d"},
        {"oppervlak3d(u;v;0;0;1E4;0;1E4;1;1)", "oppervlak3d"},
        {"veelhoek3d(lijst;L1;L2;L3;1;1E7)", "veelhoek3d"},
    };
    for (const auto& [source, command] : rows) {
        const ExportRun run(source + std::string("\nschrijfregel(t;ok)"), false, true);
        EXPECT_EQ(run.output, Lines{"ok"}) << source;
        EXPECT_EQ(run.r.captions(), Lines{"Waarschuwing"}) << source;
        ASSERT_EQ(run.r.texts().size(), 1u);
        EXPECT_TRUE(run.r.texts()[0].starts_with(command + std::string(": de figuur vraagt meer")))
            << run.r.texts()[0];
        EXPECT_TRUE(run.d.pictureLines().empty()) << source;
    }
}

TEST(Draw3d, CurveFormulaErrorsShowTheirMessage) {
    const ExportRun run("kromme3d(t;t;(t;0;1;0.5)");
    EXPECT_EQ(run.r.captions(), Lines{"Oeps"});
    ASSERT_EQ(run.r.texts().size(), 1u);
    EXPECT_NE(run.r.texts()[0].find("(t"), std::string::npos);
}

// The built-in figure library draws the box of the program library: 8 labelled vertices, the
// 9 visible edges solid and the hidden ones as dashes.
TEST(Draw3d, FigureLibraryDrawsABox) {
    const Lines picture = pictureOf(
        "proc init\nl:=3\nb:=4\nh:=2\n$punten:=ABCDEFGH\n$lijnen:=BC,CD,EF,FG,GH,HE,BF,CG,DH\n"
        "$stippellijnen:=AB,AD,AE\nproc punt(1;0;0;0;lt)\nproc punt(2;l;0;0;lt)\n"
        "proc punt(3;l;b;0;lt)\nproc punt(4;0;b;0;lt)\nproc punt(5;0;0;h;lb)\n"
        "proc punt(6;l;0;h;lb)\nproc punt(7;l;b;h;cb)\nproc punt(8;0;b;h;lb)\n"
        "proc lijnstukken\neind\n&\\ruimfig\\ruimfigprocs.txt");
    const Lines expected = {
        "\\put(0.000,0.000){\\makebox(0,0)[lt]{A}}",  "\\put(-1.299,-0.750){\\makebox(0,0)[lt]{B}}",
        "\\put(2.701,-0.750){\\makebox(0,0)[lt]{C}}", "\\put(4.000,0.000){\\makebox(0,0)[lt]{D}}",
        "\\put(0.000,2.000){\\makebox(0,0)[lb]{E}}",  "\\put(-1.299,1.250){\\makebox(0,0)[lb]{F}}",
        "\\put(2.701,1.250){\\makebox(0,0)[cb]{G}}",  "\\put(4.000,2.000){\\makebox(0,0)[lb]{H}}",
        "\\path(-1.299,-0.750)(2.701,-0.750)",        "\\path(2.701,-0.750)(4.000,0.000)",
        "\\path(0.000,2.000)(-1.299,1.250)",          "\\path(-1.299,1.250)(2.701,1.250)",
        "\\path(2.701,1.250)(4.000,2.000)",           "\\path(4.000,2.000)(0.000,2.000)",
        "\\path(-1.299,-0.750)(-1.299,1.250)",        "\\path(2.701,-0.750)(2.701,1.250)",
        "\\path(4.000,0.000)(4.000,2.000)",
    };
    ASSERT_GT(picture.size(), expected.size());
    EXPECT_EQ(Lines(picture.begin(), picture.begin() + expected.size()), expected);
    // The hidden edges AB, AD and AE: ten dashes each, the first from A.
    const Lines rest(picture.begin() + expected.size(), picture.end());
    for (const char* dash : {"\\path(-0.130,-0.075)", "\\path(0.400,0.000)", "\\path(0.000,0.200)"})
        EXPECT_NE(std::ranges::find(rest, dash), rest.end()) << dash;
    EXPECT_EQ(
        std::ranges::count_if(rest, [](const std::string& l) { return l.starts_with("\\path"); }),
        3 * 10);
}

// The example program of space figures runs without a message and draws in each quarter of
// its window (the box, the pyramid, the surface and the helix).
TEST(Draw3d, ExampleProgramDrawsItsFourFigures) {
    const std::string source =
        readBytes(QString(KALVOR_TEST_DATA) + "/../../resources/examples/ruimtefiguren.txt");
    ASSERT_FALSE(source.empty());
    ProgramRunner r;
    DrawingSinks& d = r.attachCanvas(480, 360, -12, 12, -9, 9);
    r.run(source);
    EXPECT_EQ(r.failure, "");
    EXPECT_TRUE(r.host.messages().empty());
    const QImage& image = d.canvas.image();
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int x0 = quarter % 2 * 240, y0 = quarter / 2 * 180;
        // Below the title.
        EXPECT_GT(inkPixels(image.copy(x0, y0 + 20, 240, 160)), 300) << "quarter " << quarter;
    }
}

}  // namespace
}  // namespace kalvor::test
