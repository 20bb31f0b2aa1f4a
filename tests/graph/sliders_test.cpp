#include <gtest/gtest.h>

#include "graph/sliders.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

TEST(Sliders, FocusNeverCountsAsAChange) {
    BenchFixture f;
    f.bench.setSliderPosition(0, 10);
    ASSERT_EQ(f.redraws, 1);
    f.bench.sliderEntered(0);
    f.bench.setSliderPosition(0, 10);
    EXPECT_EQ(f.redraws, 1);
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
