#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "graph/preferences.h"
#include "graph/program_settings.h"
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
    const auto expected = test::ProgramRunner::splitLines(
        "xmin=-10\nxmax=12.5\nymin=-1\nymax=3\nF=3*x^2\nG=sin(a*x)\nH=\nI=1/x\nxlabel=t\n"
        "ylabel=v\ntoonxlabel=ja\ntoonylabel=nee\nasopties=RsG\nassen=zijden\n"
        "roosterkleur=12345\naskleur=255\nasdikte=2\nFkleur=0\nGkleur=65280\nHkleur=0\n"
        "Ikleur=16711680\nFdikte=1\nGdikte=3\nHdikte=1\nIdikte=2\nformulierbreedte=800\n"
        "formulierhoogte=600\ntransparantegifs=nee\neditorkleuren=ja\neditorcontrole=nee\n"
        "editoraanvullen=ja\nmuisnavigatie=ja\nvolgen=ja\ngladdelijnen=ja");
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

// The editor and canvas switches came later: a file without them leaves them as they are
// (editor help and mouse navigation on, tracing and smooth lines off).
TEST(Preferences, LaterSwitchesOnlyChangeWhenWritten) {
    const std::tuple<const char*, EditorHelp, bool, bool, bool> rows[] = {
        {"xmin=-1\n", {true, true, true}, true, false, false},
        {"editorkleuren=nee\neditoraanvullen=nee\n", {false, true, false}, true, false, false},
        {"editorcontrole=nee\neditorcontrole=ja\n", {true, false, true}, true, false, false},
        {"editorkleuren=uit\n", {true, true, true}, true, false, false},
        {"muisnavigatie=nee\nvolgen=ja\n", {true, true, true}, false, true, false},
        {"volgen=misschien\n", {true, true, true}, true, false, false},
        {"gladdelijnen=ja\n", {true, true, true}, true, false, true},
        {"gladdelijnen=misschien\n", {true, true, true}, true, false, false},
    };
    for (const auto& [text, editor, navigation, trace, smooth] : rows) {
        GraphSettings s;
        EXPECT_FALSE(applyPreferenceLines(test::ProgramRunner::splitLines(text), s));
        EXPECT_EQ(std::tie(s.editorHelp, s.mouseNavigation, s.trace, s.smoothLines),
                  std::tie(editor, navigation, trace, smooth))
            << text;
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
    EXPECT_FALSE(f.bench.loadPreferences(folder.path(), true));
    EXPECT_EQ(f.bench.settings().xmin, "-7");  // read before the failure
    EXPECT_EQ(f.bench.settings().ymax, "9");   // texts come first in the file's order
    EXPECT_EQ(f.bench.settings().axisSwatch.colour, 0u);
    EXPECT_EQ(f.bench.settings().functionSwatches[0].colour, 0u);  // after the failure
    ASSERT_EQ(f.texts().size(), 1u);
    EXPECT_NE(f.texts()[0].find("rood"), std::string::npos);
    EXPECT_EQ(f.redraws, 0);
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
    second.bench.loadPreferencesAtStart(folder.path());
    EXPECT_EQ(second.bench.settings().ymin, "-3");
    EXPECT_EQ(second.redraws, 0);

    BenchFixture quiet;
    quiet.bench.loadPreferencesAtStart(folder.path() + "/bestaat/niet");
    EXPECT_TRUE(quiet.texts().empty());
}

// Setting lines, and what they change in fields that start with the grid on, the ticks off
// and both swatches locked by an earlier program.
struct SettingCase {
    const char* name;
    std::vector<std::string> lines;
    std::function<void(GraphSettings&)> expect;
    RunOptions options{};
};

GraphSettings lockedDefaults() {
    GraphSettings s;
    s.grid = true;
    s.ticks = false;
    s.gridSwatch.enabled = false;
    s.axisSwatch.enabled = false;
    return s;
}

TEST(ProgramSettings, ApplyToTheFields) {
    using S = GraphSettings&;
    // clang-format off
    const SettingCase cases[] = {
        {"RangeAndFormulas", {"xmin=-10", "ymax=1", "F=3*x^2", "I=sin(x)"},
         [](S s) { s.xmin = "-10", s.ymax = "1", s.functions = {"3*x^2", "", "", "sin(x)"}; }},
        {"FirstLineWins", {"xmin=-1", "xmin=-2"}, [](S s) { s.xmin = "-1"; }},
        {"LongerNameOrNoValueIsNotTheSetting", {"xminimum=3", "Fkleur=255", "F"}, {}},
        {"LabelsCheckTheirBoxes", {"xlabel=t", "ylabel="},
         [](S s) { s.xlabel = "t", s.ylabel = "", s.showXLabel = s.showYLabel = true; }},
        {"OptionsOffOnlyForNee", {"reset=nee", "checking=ja"}, {}, {false, true}},
        {"Hint", {"hint=sleep het punt"},
         [](S s) { s.hint = "sleep het punt", s.showHints = true; }},
        {"AsoptiesLowerSwitchesOff", {"asopties=rS"}, [](S s) { s.grid = false, s.ticks = true; }},
        {"AsoptiesUpperWins", {"asopties=rR"}, [](S s) { s.grid = true; }},
        {"AsoptiesAnywhereInTheValue", {"asopties=gxr"}, [](S s) { s.grid = s.numbers = false; }},
        {"AssenExactValues", {"assen=zijden"}, [](S s) { s.axes = AxisStyle::Sides; }},
        {"AssenOtherTextChangesNothing", {"assen=Geen"}, {}},
        {"GridColourLocksItsSwatch", {"roosterkleur=255"},
         [](S s) { s.gridSwatch = {255, 1, false}; }},
        {"AxisColourWithoutWidthLeavesTheSwatchFree", {"askleur=65280"},
         [](S s) { s.axisSwatch.colour = 65280; }},
        {"AxisWidthLocks", {"asdikte=3"}, [](S s) { s.axisSwatch = {0, 3, false}; }},
        {"ColourThatIsNoNumberChangesNothing", {"roosterkleur=rood"},
         [](S s) { s.gridSwatch.enabled = false; }},
    };
    // clang-format on
    for (const SettingCase& c : cases) {
        GraphSettings settings = lockedDefaults();
        GraphSettings expected = lockedDefaults();
        expected.gridSwatch.enabled = expected.axisSwatch.enabled = true;  // no colour lines
        if (c.expect) c.expect(expected);
        const RunOptions options = applyProgramSettings(c.lines, settings);
        EXPECT_EQ(settings, expected) << c.name;
        EXPECT_EQ(options.reset, c.options.reset) << c.name;
        EXPECT_EQ(options.checking, c.options.checking) << c.name;
    }
}

TEST(ProgramSettings, AbsentNamesLeaveFieldsAsTheyWere) {
    GraphSettings settings;
    settings.xmin = "-3";
    settings.functions[2] = "x";
    settings.showXLabel = true;
    GraphSettings expected = settings;
    expected.axes = AxisStyle::None;
    applyProgramSettings({"assen=geen"}, settings);
    EXPECT_EQ(settings, expected);
}

}  // namespace
}  // namespace kalvor
