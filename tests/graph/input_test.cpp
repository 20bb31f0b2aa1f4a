#include <gtest/gtest.h>

#include "graph/swatches.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

TEST(Swatches, FillPatternCycleNeverChoosesClear) {
    using enum BrushStyle;
    const BrushStyle cycle[] = {Solid, Horizontal,    Vertical, ForwardDiagonal, BackwardDiagonal,
                                Cross, DiagonalCross, Solid};
    for (std::size_t i = 0; i + 1 < std::size(cycle); ++i)
        EXPECT_EQ(nextFillPattern(cycle[i]), cycle[i + 1]) << i;
    EXPECT_EQ(nextFillPattern(Clear), Horizontal);
}

TEST(Swatches, LineWidthAnswerIsClampedToOneToThree) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"7", 3},  {"0", 1},    {"2", 2},    {"-4", 1}, {" 3 ", 3},
        {"+1", 1}, {"abc", {}}, {"1.5", {}}, {"", {}},  {"99999999999999999999999", {}}};
    for (const auto& [answer, width] : cases)
        EXPECT_EQ(lineWidthFromAnswer(answer), width) << "'" << answer << "'";
}

TEST(Swatches, FunctionSwatchesRedrawAxisSwatchWaits) {
    BenchFixture f;
    EXPECT_TRUE(f.bench.setSwatchWidth(SwatchId::G, "7"));
    EXPECT_EQ(f.bench.swatch(SwatchId::G).width, 3);
    EXPECT_EQ(f.redraws, 1);
    f.bench.setSwatchColour(SwatchId::I, 255);
    EXPECT_EQ(f.redraws, 2);
    EXPECT_TRUE(f.bench.setSwatchWidth(SwatchId::Axis, "2"));
    f.bench.setSwatchColour(SwatchId::Grid, 255);
    EXPECT_EQ(f.redraws, 2);
    EXPECT_EQ(f.bench.settings().axisSwatch.width, 2);
    EXPECT_EQ(f.bench.settings().gridSwatch.colour, 255u);
    EXPECT_FALSE(f.bench.setSwatchWidth(SwatchId::F, "dik"));
    EXPECT_EQ(f.bench.swatch(SwatchId::F).width, 1);
    EXPECT_EQ(f.texts().size(), 1u);
    EXPECT_FALSE(f.bench.setSwatchWidth(SwatchId::Grid, "2"));
}

TEST(Mouse, CornerPressPutsFreePointsBack) {
    BenchFixture f;
    f.bench.redraw();  // a run end clears the flag
    ASSERT_FALSE(f.bench.environment().mouse.resetFreePoints);
    f.bench.mouseDown(300, 300, MouseButton::Left);
    EXPECT_FALSE(f.bench.environment().mouse.resetFreePoints);
    f.redraws = 0;
    f.bench.environment().flags.paused = true;  // seen before the run would clear it
    f.bench.mouseDown(355, 351, MouseButton::Left);
    EXPECT_TRUE(f.bench.environment().mouse.resetFreePoints);
    f.bench.environment().flags.paused = false;
    f.bench.mouseDown(355, 351, MouseButton::Right);
    EXPECT_EQ(f.redraws, 1);
}

TEST(Mouse, RightClickFillsTheAreaOnTheCanvasOnly) {
    BenchFixture f;
    f.program("assen=geen");
    f.bench.redraw();
    WorldCanvas& canvas = f.bench.canvas();
    canvas.brush().style = BrushStyle::Clear;
    canvas.d2Rectangle(-2, -2, 2, 2);
    canvas.brush().style = BrushStyle::Solid;
    const int outside = f.inkPixels();
    f.bench.mouseUp(canvas.windowX(0), canvas.windowY(0), MouseButton::Right);
    EXPECT_GT(f.inkPixels(), outside + 1000);
    // Red hatching inside, nothing outside, and the brush as it was.
    const int left = canvas.windowX(-2) + 1, row = canvas.windowY(0);
    EXPECT_GT(test::pixelsOf(canvas.image().copy(left, row, canvas.windowX(2) - left, 1), 0xFF0000),
              0);
    EXPECT_EQ(f.pixel(canvas.windowX(3), canvas.windowY(3)), QColor(Qt::white));
    EXPECT_EQ(canvas.brush(), CanvasBrush{});
    f.bench.redraw();
    EXPECT_EQ(f.inkPixels(), 0);
}

}  // namespace
}  // namespace kalvor
