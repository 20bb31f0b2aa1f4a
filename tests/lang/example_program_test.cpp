#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <set>

#include "../support/file_checks.h"
#include "../support/pixels.h"
#include "lang/commands/families.h"
#include "program_rows.h"

// The example program of plane figures: it runs without a message, uses every command of the
// plane drawing and construction families, and draws something in each of its 64 cells.
// With KALVOR_EXAMPLE_OUT set to a folder the drawing is also written there as PNG, PDF and
// picture text, for a look at all three.

namespace kalvor::test {
namespace {

constexpr int kSize = 800;
constexpr const char* kExample = "/../../resources/examples/vlakke_figuren.txt";

std::string exampleSource() {
    return readBytes(QString(KALVOR_TEST_DATA) + kExample);
}

// The program sets the window 0 … 80 both ways; the runner gets the same world.
DrawingSinks& runExample(ProgramRunner& r, bool pdf, bool eepic) {
    DrawingSinks& d = r.attachCanvas(kSize, kSize, 0, 80, 0, 80, pdf, eepic);
    r.run(exampleSource());
    d.pdf.endDoc();
    d.picture.endPicture();
    return d;
}

// The plane drawing and construction families.
CommandTable planeFamilies() {
    CommandTable families;
    registerDraw2dCommands(families);
    registerGeometryCommands(families);
    return families;
}

// The commands of the two families that the example uses.
std::set<std::string> planeCommandsOfExample() {
    const CommandTable families = planeFamilies();
    std::set<std::string> used;
    for (const std::string& line : ProgramRunner::compile(exampleSource()))
        if (families.find(line)) used.insert(line);
    return used;
}

TEST(ExampleProgram, UsesEveryPlaneCommand) {
    EXPECT_EQ(planeCommandsOfExample().size(), planeFamilies().size());
}

// Missing, repeated, huge and degenerate arguments end every command in an orderly way, and
// nothing that is drawn carries a coordinate that is not a number.
TEST(ExampleProgram, EveryPlaneCommandSurvivesOddArguments) {
    const char* argumentSets[] = {
        "()",
        "(1)",
        "(0;0;0;0;0;0;0;0;0;0;0;0)",
        "(1;1;1;1;1;1;1;1;1;1;1;1)",
        "(-1E300;1E300;-1E300;1E300;1E300;-1E300;1E300;1E300;1E300;1E300;1E300;1E300)",
        "(t;t;0;1E30;1E-30;1E-30;1E-30;1;1;1;1;1)",
        "(lijst;L1;L2;-1E18;1E18)",
        "(1E18;1E18;x;1E-18;1E18;x)"};
    for (const std::string& name : planeCommandsOfExample())
        expectOrderlyRuns(name, argumentSets);
}

TEST(ExampleProgram, DrawsEveryCellWithoutAMessage) {
    ProgramRunner r;
    DrawingSinks& d = runExample(r, false, false);
    EXPECT_EQ(r.failure, "");
    EXPECT_TRUE(r.host.messages().empty()) << r.texts().front();
    const QImage& image = d.canvas.image();
    const int cell = kSize / 8;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            EXPECT_GT(inkPixels(image.copy(col * cell + 3, row * cell + 3, cell - 6, cell - 6)), 30)
                << "cell " << row << "," << col;
}

TEST(ExampleProgram, WritesTheThreeRenderingsOnRequest) {
    const QString out = qEnvironmentVariable("KALVOR_EXAMPLE_OUT");
    if (out.isEmpty()) GTEST_SKIP() << "KALVOR_EXAMPLE_OUT not set";
    QDir().mkpath(out);
    ProgramRunner screen, pdf, eepic;
    ASSERT_TRUE(runExample(screen, false, false).canvas.image().save(out + "/vlakke_figuren.png"));
    ASSERT_TRUE(
        runExample(pdf, true, false).pdf.writeFile((out + "/vlakke_figuren.pdf").toStdString()));
    ASSERT_TRUE(runExample(eepic, false, true)
                    .picture.saveToFile((out + "/vlakke_figuren.tex").toStdString()));
}

}  // namespace
}  // namespace kalvor::test
