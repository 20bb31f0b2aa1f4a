#include <gtest/gtest.h>

#include <vector>

#include "expr/parser.h"
#include "graph/function_plot.h"

namespace kalvor {
namespace {

// The pieces a formula is drawn in, sampled as the redraw samples it.
std::vector<PointList> pieces(const char* formula, const PlotBand& band) {
    Parser parser;
    parser.setExpression(formula);
    std::vector<PointList> out;
    PointList scratch;
    samplePieces(parser, band, scratch, [&](const PointList& piece) { out.push_back(piece); });
    return out;
}

const PlotBand kStandard = PlotBand::of(-5, 5, -5, 5, 360);

struct BandCase {
    Number ymin, ymax, lower, upper;
};

TEST(PlotBand, TwiceTheVisibleRangeOnEachSideOfZero) {
    const BandCase cases[] = {
        {-5, 5, -10, 10}, {1, 5, 0, 10}, {-5, -1, -10, 0}, {-2, 0, -4, 0}, {0.5L, 3, 0, 6}};
    for (const BandCase& c : cases) {
        const PlotBand band = PlotBand::of(-5, 5, c.ymin, c.ymax, 360);
        EXPECT_EQ(band.lower, c.lower) << c.ymin << " … " << c.ymax;
        EXPECT_EQ(band.upper, c.upper) << c.ymin << " … " << c.ymax;
    }
    EXPECT_EQ(kStandard.step, 10.0L / 360);
}

TEST(PlotFunction, OneSamplePerColumnAndTwentyOneMore) {
    const auto drawn = pieces("1", kStandard);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].size(), 360u + 21u);
    EXPECT_NEAR(static_cast<double>(drawn[0].front().x), -5 - 9 * 10.0 / 360, 1e-12);
    EXPECT_NEAR(static_cast<double>(drawn[0].back().x), 5 + 11 * 10.0 / 360, 1e-12);
}

TEST(PlotFunction, PoleBreaksTheCurveIntoTwoPieces) {
    const auto drawn = pieces("1/x", kStandard);
    ASSERT_EQ(drawn.size(), 2u);
    for (const WorldPoint& p : drawn[0])
        EXPECT_LT(p.x, 0);
    for (const WorldPoint& p : drawn[1])
        EXPECT_GT(p.x, 0);
    // The branches run off the canvas before they are cut at twice the visible range.
    EXPECT_GE(drawn[0].back().y, -10);
    EXPECT_LT(drawn[0].back().y, -5);
    EXPECT_LE(drawn[1].front().y, 10);
    EXPECT_GT(drawn[1].front().y, 5);
}

TEST(PlotFunction, UndefinedStretchDrawsNothing) {
    const auto drawn = pieces("sqrt(x)", kStandard);
    ASSERT_EQ(drawn.size(), 1u);
    // The sample after the last undefined one is skipped, so the curve starts one or two
    // steps right of zero.
    EXPECT_GT(drawn[0].front().x, 0);
    EXPECT_LE(drawn[0].front().x, 2 * kStandard.step + 1e-15L);
}

TEST(PlotFunction, UndefinedSamplesAreCutWhateverTheWindow) {
    // With ymax below zero the band's upper bound is 0; an undefined value must not show up
    // as a line inside it.
    const PlotBand below = PlotBand::of(-5, 5, -5, -1, 360);
    const auto drawn = pieces("sqrt(x)-3", below);
    ASSERT_EQ(drawn.size(), 1u);
    for (const WorldPoint& p : drawn[0])
        EXPECT_GT(p.x, 0);
}

TEST(PlotFunction, SteepBranchesLeaveTheBandAndComeBack) {
    // tan has poles at ±π/2 and ±3π/2 in −5 … 5: five pieces.
    EXPECT_EQ(pieces("tan(x)", kStandard).size(), 5u);
    EXPECT_EQ(pieces("x^2", kStandard).size(), 1u);
    EXPECT_TRUE(pieces("100", kStandard).empty());
}

TEST(PlotFunction, SamplesFollowTheWidth) {
    const auto drawn = pieces("x", PlotBand::of(-5, 5, -5, 5, 1920));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].size(), 1920u + 21u);
}

}  // namespace
}  // namespace kalvor
