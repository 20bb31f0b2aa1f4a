#include <gtest/gtest.h>

#include <functional>

#include "graph/program_settings.h"

namespace kalvor {
namespace {

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
