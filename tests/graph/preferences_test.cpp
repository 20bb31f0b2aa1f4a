#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "graph/preferences.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

struct Folder {
    QTemporaryDir dir;
    std::string path() const { return dir.path().toStdString(); }
    std::string file() const { return path() + "/voorkeuren.txt"; }
    void write(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }
    std::string read() const {
        std::ifstream in(file(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

GraphSettings changedSettings() {
    GraphSettings s;
    s.xmin = "-10";
    s.xmax = "12.5";
    s.ymin = "-1";
    s.ymax = "3";
    s.functions = {"3*x^2", "sin(a*x)", "", "1/x"};
    s.xlabel = "t";
    s.ylabel = "v";
    s.showXLabel = true;
    s.axes = AxisStyle::Sides;
    s.grid = true;
    s.ticks = false;
    s.gridSwatch.colour = 12345;
    s.axisSwatch = {255, 2, true};
    s.functionSwatches[1] = {65280, 3, true};
    s.functionSwatches[3] = {16711680, 2, true};
    s.formWidth = 800;
    s.formHeight = 600;
    s.transparentGifs = false;
    s.editorHelp.lineChecks = false;
    s.trace = true;
    s.smoothLines = true;
    return s;
}

TEST(Preferences, LinesInTheFileOrder) {
    const auto lines = preferenceLines(changedSettings());
    const std::vector<std::string> expected = {"xmin=-10",
                                               "xmax=12.5",
                                               "ymin=-1",
                                               "ymax=3",
                                               "F=3*x^2",
                                               "G=sin(a*x)",
                                               "H=",
                                               "I=1/x",
                                               "xlabel=t",
                                               "ylabel=v",
                                               "toonxlabel=ja",
                                               "toonylabel=nee",
                                               "asopties=RsG",
                                               "assen=zijden",
                                               "roosterkleur=12345",
                                               "askleur=255",
                                               "asdikte=2",
                                               "Fkleur=0",
                                               "Gkleur=65280",
                                               "Hkleur=0",
                                               "Ikleur=16711680",
                                               "Fdikte=1",
                                               "Gdikte=3",
                                               "Hdikte=1",
                                               "Idikte=2",
                                               "formulierbreedte=800",
                                               "formulierhoogte=600",
                                               "transparantegifs=nee",
                                               "editorkleuren=ja",
                                               "editorcontrole=nee",
                                               "editoraanvullen=ja",
                                               "muisnavigatie=ja",
                                               "volgen=ja",
                                               "gladdelijnen=ja"};
    EXPECT_EQ(lines, expected);
}

TEST(Preferences, WrittenFileReadsBackEveryControl) {
    Folder folder;
    BenchFixture writer;
    writer.bench.settings() = changedSettings();
    ASSERT_TRUE(writer.bench.savePreferences(folder.path()));
    EXPECT_EQ(folder.read().substr(0, 10), "xmin=-10\r\n");

    BenchFixture reader;
    // Values that the file does not change must differ beforehand to prove the load.
    reader.bench.settings().functions[2] = "";
    ASSERT_TRUE(reader.bench.loadPreferences(folder.path(), false));
    EXPECT_EQ(reader.bench.settings(), changedSettings());
}

TEST(Preferences, SingleLineChangesOnlyItsSettingAndFreesTheSwatches) {
    Folder folder;
    folder.write("xmin=-10\n");
    BenchFixture f;
    f.bench.settings().gridSwatch = {255, 1, false};
    f.bench.settings().axisSwatch = {65280, 2, false};
    GraphSettings expected = f.bench.settings();
    expected.xmin = "-10";
    expected.gridSwatch.enabled = true;
    expected.axisSwatch.enabled = true;
    ASSERT_TRUE(f.bench.loadPreferences(folder.path(), false));
    EXPECT_EQ(f.bench.settings(), expected);
}

struct ReadCase {
    const char* text;
    bool showXLabelBefore, transparentBefore;
    bool showXLabel, transparent;
};

TEST(Preferences, YesNoRules) {
    const ReadCase cases[] = {
        {"toonxlabel=nee\n", true, true, true, true},  // "nee" does not uncheck a label
        {"toonxlabel=ja\n", false, true, true, true},
        {"transparantegifs=nee\n", false, true, false, false},
        {"transparantegifs=ja\n", false, false, false, true},
        {"transparantegifs=soms\n", false, false, false, false},
    };
    for (const ReadCase& c : cases) {
        GraphSettings s;
        s.showXLabel = c.showXLabelBefore;
        s.transparentGifs = c.transparentBefore;
        const auto lines = test::ProgramRunner::splitLines(c.text);
        EXPECT_FALSE(applyPreferenceLines(lines, s));
        EXPECT_EQ(s.showXLabel, c.showXLabel) << c.text;
        EXPECT_EQ(s.transparentGifs, c.transparent) << c.text;
    }
}

// The editor switches came later: a file without them leaves them as they are (on).
TEST(Preferences, EditorSwitchesOnlyChangeWhenWritten) {
    const std::pair<const char*, EditorHelp> rows[] = {
        {"xmin=-1\n", {true, true, true}},
        {"editorkleuren=nee\neditoraanvullen=nee\n", {false, true, false}},
        {"editorcontrole=nee\neditorcontrole=ja\n", {true, false, true}},
        {"editorkleuren=uit\n", {true, true, true}},
    };
    for (const auto& [text, expected] : rows) {
        GraphSettings s;
        EXPECT_FALSE(applyPreferenceLines(test::ProgramRunner::splitLines(text), s));
        EXPECT_EQ(s.editorHelp, expected) << text;
    }
}

TEST(Preferences, CanvasSwitchesOnlyChangeWhenWritten) {
    const std::tuple<const char*, bool, bool, bool> rows[] = {
        {"xmin=-1\n", true, false, false},
        {"muisnavigatie=nee\nvolgen=ja\n", false, true, false},
        {"volgen=misschien\n", true, false, false},
        {"gladdelijnen=ja\n", true, false, true},
        {"gladdelijnen=misschien\n", true, false, false},
    };
    for (const auto& [text, navigation, trace, smooth] : rows) {
        GraphSettings s;
        EXPECT_FALSE(applyPreferenceLines(test::ProgramRunner::splitLines(text), s));
        EXPECT_EQ(s.mouseNavigation, navigation) << text;
        EXPECT_EQ(s.trace, trace) << text;
        EXPECT_EQ(s.smoothLines, smooth) << text;
    }
}

TEST(Preferences, EmptyValueLeavesTheSetting) {
    GraphSettings s;
    s.functions[0] = "x";
    EXPECT_FALSE(applyPreferenceLines({"F=", "askleur="}, s));
    EXPECT_EQ(s.functions[0], "x");
    EXPECT_EQ(s.axisSwatch.colour, 0u);
}

TEST(Preferences, NoNumberEndsTheLoadThere) {
    Folder folder;
    folder.write("xmin=-7\r\nFkleur=255\r\naskleur=rood\r\nymax=9\r\n");
    BenchFixture f;
    int redraws = 0;
    QObject::connect(&f.bench, &Workbench::redrawn, [&] { ++redraws; });
    EXPECT_FALSE(f.bench.loadPreferences(folder.path(), true));
    EXPECT_EQ(f.bench.settings().xmin, "-7");  // read before the failure
    EXPECT_EQ(f.bench.settings().ymax, "9");   // texts come first in the file's order
    EXPECT_EQ(f.bench.settings().axisSwatch.colour, 0u);
    EXPECT_EQ(f.bench.settings().functionSwatches[0].colour, 0u);  // after the failure
    ASSERT_EQ(f.texts().size(), 1u);
    EXPECT_NE(f.texts()[0].find("rood"), std::string::npos);
    EXPECT_EQ(redraws, 0);
}

TEST(Preferences, LoadWithoutFileAppliesTheLastSavedValues) {
    Folder folder;
    BenchFixture f;
    f.bench.settings().xmin = "-2";
    ASSERT_TRUE(f.bench.savePreferences(folder.path()));
    std::filesystem::remove(folder.file());
    f.bench.settings().xmin = "-9";
    ASSERT_TRUE(f.bench.loadPreferences(folder.path(), false));
    EXPECT_EQ(f.bench.settings().xmin, "-2");
}

TEST(Preferences, UnwritableFileGivesItsMessage) {
    Folder folder;
    BenchFixture f;
    EXPECT_FALSE(f.bench.savePreferences(folder.path() + "/bestaat/niet"));
    ASSERT_EQ(f.texts().size(), 1u);
    EXPECT_EQ(f.texts()[0], "Geen toegang tot voorkeuren, voorkeuren niet opgeslagen");
    EXPECT_FALSE(f.bench.savePreferences(folder.path() + "/bestaat/niet"));
}

TEST(Preferences, StartCreatesTheFileOrLoadsItWithoutRedraw) {
    Folder folder;
    BenchFixture first;
    first.bench.loadPreferencesAtStart(folder.path());
    EXPECT_TRUE(std::filesystem::exists(folder.file()));

    folder.write("ymin=-3\n");
    BenchFixture second;
    int redraws = 0;
    QObject::connect(&second.bench, &Workbench::redrawn, [&] { ++redraws; });
    second.bench.loadPreferencesAtStart(folder.path());
    EXPECT_EQ(second.bench.settings().ymin, "-3");
    EXPECT_EQ(redraws, 0);

    BenchFixture quiet;
    quiet.bench.loadPreferencesAtStart(folder.path() + "/bestaat/niet");
    EXPECT_TRUE(quiet.texts().empty());
}

}  // namespace
}  // namespace kalvor
