#include <gtest/gtest.h>

#include <functional>

#include "graph/program_settings.h"

namespace kalvor {
namespace {

struct SettingCase {
    const char* name;
    std::vector<std::string> lines;
    std::function<void(const GraphSettings&, const RunOptions&)> check;
};

void PrintTo(const SettingCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(ProgramSettings, ApplyToTheFields) {
    GraphSettings settings;
    // A program before it may have locked the swatches; the settings decide afresh.
    settings.gridSwatch.enabled = false;
    settings.axisSwatch.enabled = false;
    const RunOptions options = applyProgramSettings(GetParam().lines, settings);
    GetParam().check(settings, options);
}

const SettingCase kSettings[] = {
    {"RangeAndFormulas",
     {"xmin=-10", "xmax=20", "ymin=-1", "ymax=1", "F=3*x^2", "I=sin(x)"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.xmin, "-10");
         EXPECT_EQ(s.xmax, "20");
         EXPECT_EQ(s.ymin, "-1");
         EXPECT_EQ(s.ymax, "1");
         EXPECT_EQ(s.functions[0], "3*x^2");
         EXPECT_EQ(s.functions[1], "");
         EXPECT_EQ(s.functions[3], "sin(x)");
     }},
    {"FirstLineWins",
     {"xmin=-1", "xmin=-2"},
     [](const GraphSettings& s, const RunOptions&) { EXPECT_EQ(s.xmin, "-1"); }},
    {"LongerNameIsNotTheSetting",
     {"xminimum=3", "Fkleur=255", "F"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.xmin, "-5");
         EXPECT_EQ(s.functions[0], "");
     }},
    {"LabelsCheckTheirBoxes",
     {"xlabel=t", "ylabel="},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_TRUE(s.showXLabel);
         EXPECT_EQ(s.xlabel, "t");
         EXPECT_TRUE(s.showYLabel);
         EXPECT_EQ(s.ylabel, "");
     }},
    {"OptionsDefaultOn",
     {},
     [](const GraphSettings& s, const RunOptions& o) {
         EXPECT_TRUE(o.reset);
         EXPECT_TRUE(o.checking);
         EXPECT_FALSE(s.showHints);
         EXPECT_TRUE(s.gridSwatch.enabled);
         EXPECT_TRUE(s.axisSwatch.enabled);
     }},
    {"OptionsOffOnlyForNee",
     {"reset=nee", "checking=ja"},
     [](const GraphSettings&, const RunOptions& o) {
         EXPECT_FALSE(o.reset);
         EXPECT_TRUE(o.checking);
     }},
    {"Hint",
     {"hint=sleep het punt"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.hint, "sleep het punt");
         EXPECT_TRUE(s.showHints);
     }},
    {"AsoptiesLowerSwitchesOff",
     {"asopties=rS"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_FALSE(s.grid);
         EXPECT_TRUE(s.ticks);
         EXPECT_TRUE(s.numbers);
     }},
    {"AsoptiesUpperWins",
     {"asopties=rR"},
     [](const GraphSettings& s, const RunOptions&) { EXPECT_TRUE(s.grid); }},
    {"AsoptiesAnywhereInTheValue",
     {"asopties=xgs"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_FALSE(s.ticks);
         EXPECT_FALSE(s.numbers);
     }},
    {"AssenExactValues",
     {"assen=zijden"},
     [](const GraphSettings& s, const RunOptions&) { EXPECT_EQ(s.axes, AxisStyle::Sides); }},
    {"AssenOtherTextChangesNothing",
     {"assen=Geen"},
     [](const GraphSettings& s, const RunOptions&) { EXPECT_EQ(s.axes, AxisStyle::Middle); }},
    {"GridColourLocksItsSwatch",
     {"roosterkleur=255"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.gridSwatch.colour, 255u);
         EXPECT_FALSE(s.gridSwatch.enabled);
     }},
    {"AxisWidthDecidesTheLock",
     {"askleur=65280"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.axisSwatch.colour, 65280u);
         EXPECT_TRUE(s.axisSwatch.enabled);  // no asdikte: the swatch is free
     }},
    {"AxisWidthLocks",
     {"asdikte=3"},
     [](const GraphSettings& s, const RunOptions&) {
         EXPECT_EQ(s.axisSwatch.width, 3);
         EXPECT_FALSE(s.axisSwatch.enabled);
     }},
    {"ColourThatIsNoNumberIsIgnored",
     {"roosterkleur=rood"},
     [](const GraphSettings& s, const RunOptions&) { EXPECT_EQ(s.gridSwatch.colour, 0xE6E6E6u); }},
};

INSTANTIATE_TEST_SUITE_P(Lines, ProgramSettings, ::testing::ValuesIn(kSettings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramSettings, AbsentNamesLeaveFieldsAsTheyWere) {
    GraphSettings settings;
    settings.xmin = "-3";
    settings.functions[2] = "x";
    settings.showXLabel = true;
    applyProgramSettings({"assen=geen"}, settings);
    EXPECT_EQ(settings.xmin, "-3");
    EXPECT_EQ(settings.functions[2], "x");
    EXPECT_TRUE(settings.showXLabel);
}

}  // namespace
}  // namespace kalvor
