#include <gtest/gtest.h>

#include <optional>

#include "expr/parser.h"
#include "graph/canvas_navigation.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

// A 361-pixel canvas maps −5 … 5 onto 36 pixels per unit with 0 at pixel 180.
struct NavigationFixture : BenchFixture {
    NavigationFixture() {
        bench.resizeCanvas(361, 361);
        bench.redraw();
    }
};

TEST(CanvasNavigation, ZoomAboutAPointKeepsThatPoint) {
    struct Row {
        ViewRange range;
        Number x, y, factor;
        std::optional<ViewRange> expected;
    };
    const Row rows[] = {
        {{-5, 5, -5, 5}, 0, 0, 1.25L, ViewRange{-4, 4, -4, 4}},
        {{-5, 5, -5, 5}, 5, 5, 2, ViewRange{0, 5, 0, 5}},
        {{-4, 4, -4, 4}, 0, 0, 0.8L, ViewRange{-5, 5, -5, 5}},
        {{0, 10, -1, 1}, 2, 0, 0.5L, ViewRange{-2, 18, -2, 2}},
        // Too narrow for the digits of the fields, too wide to draw, no factor.
        {{1e6L, 1e6L + 1e-2L, 0, 1}, 1e6L, 0, 1e6L, std::nullopt},
        {{-1e29L, 1e29L, -1, 1}, 0, 0, 0.01L, std::nullopt},
        {{-5, 5, -5, 5}, 0, 0, 0, std::nullopt},
    };
    for (const Row& row : rows) {
        const auto zoomed = zoomedAbout(row.range, row.x, row.y, row.factor);
        ASSERT_EQ(zoomed.has_value(), row.expected.has_value()) << row.factor;
        if (!zoomed) continue;
        const ViewRange &z = *zoomed, &e = *row.expected;
        for (auto [got, want] :
             {std::pair{z.xmin, e.xmin}, {z.xmax, e.xmax}, {z.ymin, e.ymin}, {z.ymax, e.ymax}})
            EXPECT_NEAR(got, want, 1e-12) << row.factor;
    }
}

TEST(CanvasNavigation, NothingMovesWithoutAUsableRange) {
    NavigationFixture f;
    f.bench.settings().xmax = "vijf";
    EXPECT_FALSE(f.bench.zoomAt(180, 180, 1));
    EXPECT_FALSE(f.bench.startPan(180, 180));
    EXPECT_FALSE(f.bench.panTo(200, 180));
    EXPECT_EQ(f.bench.settings().xmin, "-5");
}

TEST(CanvasNavigation, TableOfTheFunctionsDrawn) {
    NavigationFixture f;
    f.bench.settings().functions = {"", "1/x", "x^2", ""};
    ASSERT_TRUE(f.bench.redraw());
    const FunctionTable table = f.bench.functionTable(-1, 0.5L, 5);
    EXPECT_EQ(functionTableText(table),
              "x\tG(x)\tH(x)\n-1\t-1\t1\n-0.5\t-2\t0.25\n0\tongedefinieerd\t0\n"
              "0.5\t2\t0.25\n1\t1\t1\n");
    // Fields typed but not drawn yet do not count.
    f.bench.settings().functions[0] = "x";
    EXPECT_EQ(f.bench.functionTable(0, 1, 1).functions, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace kalvor
