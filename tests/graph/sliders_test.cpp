#include <gtest/gtest.h>

#include "graph/sliders.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;
using Readouts = std::array<std::string, 2>;

TEST(SliderBinding, MapsPositionsLinearlyOntoTheRange) {
    struct Case {
        Number min, max;
        int position;
        Number value;
    };
    const Case cases[] = {{0, 1, -100, 0},     {0, 1, 0, 0.5L}, {0, 1, 100, 1},
                          {-10, 10, 37, 3.7L}, {2, -2, 50, -1}, {5, 5, -100, 5}};
    for (const Case& c : cases) {
        const SliderBinding binding{"p", c.min, c.max};
        EXPECT_NEAR(static_cast<double>(binding.valueAt(c.position)), static_cast<double>(c.value),
                    1e-15)
            << c.min << " … " << c.max << " at " << c.position;
    }
}

TEST(SliderPanel, MenuShowsTheSlidersTheModeLeaves) {
    struct Case {
        int mode;
        bool first, second;
        int modeAfter;
    };
    const Case cases[] = {
        {3, true, true, 0}, {0, true, true, 0}, {1, true, false, 1}, {2, false, true, 2}};
    for (const Case& c : cases) {
        SliderPanel panel;
        panel.mode = c.mode;
        panel.toggleMenu();
        EXPECT_TRUE(panel.menuChecked);
        EXPECT_EQ(panel.sliderVisible[0], c.first) << c.mode;
        EXPECT_EQ(panel.sliderVisible[1], c.second) << c.mode;
        EXPECT_TRUE(panel.readoutVisible[0] && panel.readoutVisible[1]);
        EXPECT_EQ(panel.mode, c.modeAfter);
        panel.toggleMenu();
        EXPECT_FALSE(panel.menuChecked || panel.sliderVisible[0] || panel.sliderVisible[1] ||
                     panel.readoutVisible[0] || panel.readoutVisible[1]);
    }
}

TEST(Sliders, DefaultModeDrivesAAndB) {
    BenchFixture f;
    f.program("F=a*x");
    f.redraws = 0;
    f.bench.setSliderPosition(0, 37);
    EXPECT_EQ(f.bench.environment().parser(4).a, 3.7L);
    EXPECT_EQ(f.bench.sliderTexts(), (Readouts{"a=3.7", "b=0"}));
    EXPECT_EQ(f.redraws, 1);
    f.bench.setSliderPosition(0, 37);  // no change
    EXPECT_EQ(f.redraws, 1);
    f.bench.setSliderPosition(1, -250);  // clamped
    EXPECT_EQ(f.bench.sliders().positions[1], -100);
    EXPECT_EQ(f.bench.sliderTexts()[1], "b=-10");
}

TEST(Sliders, FocusNeverCountsAsAChange) {
    BenchFixture f;
    f.bench.setSliderPosition(0, 10);
    ASSERT_EQ(f.redraws, 1);
    f.bench.sliderEntered(0);
    f.bench.setSliderPosition(0, 10);
    EXPECT_EQ(f.redraws, 1);
}

TEST(Sliders, ProgramSliderDrivesItsVariableEverywhere) {
    BenchFixture f;
    f.bench.bindSlider(1, "p", 0, 1);
    EXPECT_EQ(f.bench.environment().parser(4).getVariable("p"), 0.5L);
    EXPECT_EQ(f.bench.sliderTexts()[0], "p=0.5");
    EXPECT_TRUE(f.bench.sliderVisible(0));
    EXPECT_FALSE(f.bench.sliderVisible(1));
    EXPECT_EQ(f.bench.sliders().mode, 1);
    EXPECT_FALSE(f.bench.environment().flags.paramsFollowSliders);
    f.bench.setSliderPosition(0, 100);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(f.bench.environment().parser(n).getVariable("p"), 1) << "Parser" << n;
    EXPECT_EQ(f.bench.sliderTexts()[0], "p=1");
    // The redraw ran a program that binds no slider: the slider stands for a again.
    f.bench.setSliderPosition(0, -100);
    EXPECT_EQ(f.bench.environment().parser(1).getVariable("p"), 1);
    EXPECT_EQ(f.bench.environment().parser(4).a, -10);
    EXPECT_EQ(f.bench.sliderTexts()[0], "a=-10");
}

TEST(Sliders, OtherSliderNumbersAreIgnored) {
    BenchFixture f;
    f.bench.bindSlider(3, "q", 0, 1);
    EXPECT_EQ(f.bench.sliders().mode, SliderPanel::kNoProgramSliders);
    EXPECT_FALSE(f.bench.sliderVisible(0) || f.bench.sliderVisible(1));
}

TEST(Sliders, RunsStartWithParameterReadoutsAndEndWithAAndB) {
    BenchFixture f;
    f.bench.bindSlider(2, "q", -1, 1);
    ASSERT_EQ(f.bench.sliderTexts()[1], "q=0");
    f.bench.environment().parser(4).b = 9;
    // A program without sliders: back to a and b, which follow the positions.
    f.bench.redraw();
    EXPECT_EQ(f.bench.sliders().mode, SliderPanel::kNoProgramSliders);
    EXPECT_EQ(f.bench.sliderTexts()[1], "b=0");
    EXPECT_EQ(f.bench.environment().parser(4).b, 0);
}

TEST(Sliders, ProgramBindsASliderWithSchuifbalk) {
    BenchFixture f;
    f.program("schuifbalk(1;k;0;1)\nschuifbalk(7;w;0;1)\nschrijfregel(u;k+w)");
    ASSERT_TRUE(f.bench.redraw());
    EXPECT_EQ(f.bench.environment().output.lines().back(), "0.5");
    EXPECT_EQ(f.bench.sliderTexts()[0], "k=0.5");
    EXPECT_TRUE(f.bench.sliderVisible(0));
    EXPECT_TRUE(f.bench.environment().parser(4).variableExists("w"));
    f.bench.setSliderPosition(0, 100);  // moving a bound slider runs the program again
    EXPECT_EQ(f.bench.environment().output.lines().back(), "1");
    EXPECT_EQ(f.bench.sliderTexts()[0], "k=1");
}

}  // namespace
}  // namespace kalvor
