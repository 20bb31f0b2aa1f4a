#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "expr/parser.h"
#include "graph/canvas_navigation.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;
using Texts = std::array<std::string, 4>;

Texts fieldTexts(const GraphSettings& s) {
    return {s.xmin, s.xmax, s.ymin, s.ymax};
}

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

TEST(CanvasNavigation, FieldsAreWrittenRounded) {
    const std::pair<ViewRange, Texts> rows[] = {
        {{-4.0000000000001L, 4.0000000000001L, -0.1L - 0.2L, 0.3L}, {"-4", "4", "-0.3", "0.3"}},
        {{-1e-9L, 10, 2.123456789L, 2.2L}, {"0", "10", "2.12345679", "2.2"}},
        {{1e20L, 1e20L + 1e15L, -1e-30L, 1e-30L}, {"1E20", "1.00001E20", "-1E-30", "1E-30"}},
    };
    for (const auto& [range, texts] : rows) {
        GraphSettings s;
        setRangeFields(s, range);
        EXPECT_EQ(fieldTexts(s), texts);
        ASSERT_TRUE(rangeOfFields(s));
    }
}

TEST(CanvasNavigation, WheelZoomsAboutThePointerPixel) {
    struct Row {
        int px, py, notches;
        Texts expected;
    };
    const Row rows[] = {
        {252, 108, 1, {"-3.6", "4.4", "-3.6", "4.4"}},
        {180, 180, -1, {"-6.25", "6.25", "-6.25", "6.25"}},
        {180, 180, 2, {"-3.2", "3.2", "-3.2", "3.2"}},
        {0, 360, 1, {"-5", "3", "-5", "3"}},
    };
    for (const Row& row : rows) {
        NavigationFixture f;
        const Number x = f.bench.canvas().worldX(row.px), y = f.bench.canvas().worldY(row.py);
        int announced = 0;
        QObject::connect(&f.bench, &Workbench::fieldsChanged, [&] { ++announced; });
        ASSERT_TRUE(f.bench.zoomAt(row.px, row.py, row.notches));
        EXPECT_EQ(fieldTexts(f.bench.settings()), row.expected) << row.px;
        EXPECT_EQ(announced, 1);
        ASSERT_TRUE(f.bench.redraw());
        EXPECT_NEAR(f.bench.canvas().worldX(row.px), x, 1e-9);
        EXPECT_NEAR(f.bench.canvas().worldY(row.py), y, 1e-9);
    }
}

TEST(CanvasNavigation, PanAndStandardWindow) {
    struct Row {
        Texts typed;
        int toX, toY;
        Texts panned;
        bool typeAfter;  // fields typed after the pan: back to the start range
        Texts restored;
    };
    const Texts start{"-5", "5", "-5", "5"};
    const Row rows[] = {
        {start, 136, 100, {"-6", "4", "-5", "5"}, false, start},
        {start, 100, 64, {"-5", "5", "-6", "4"}, false, start},
        {{"-2", "8", "-5", "5"}, 64, 136, {"-1", "9", "-4", "6"}, false, {"-2", "8", "-5", "5"}},
        {{"-2", "8", "-5", "5"}, 136, 100, {"-3", "7", "-5", "5"}, true, start},
    };
    for (const Row& row : rows) {
        NavigationFixture f;
        GraphSettings& s = f.bench.settings();
        std::tie(s.xmin, s.xmax, s.ymin, s.ymax) =
            std::tie(row.typed[0], row.typed[1], row.typed[2], row.typed[3]);
        ASSERT_TRUE(f.bench.redraw());
        ASSERT_TRUE(f.bench.startPan(100, 100));
        ASSERT_TRUE(f.bench.panTo(row.toX, row.toY));
        f.bench.endPan();
        EXPECT_EQ(fieldTexts(s), row.panned) << row.toX;
        ASSERT_TRUE(f.bench.redraw());
        if (row.typeAfter) s.ymax = "6";
        ASSERT_TRUE(f.bench.restoreStandardWindow());
        EXPECT_EQ(fieldTexts(s), row.restored) << row.toX;
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

std::optional<Number> square(Number x) {
    return x * x;
}
std::optional<Number> inverse(Number x) {
    return x == 0 ? std::nullopt : std::optional<Number>(1 / x);
}
std::optional<Number> root(Number x) {
    return x < 0 ? std::nullopt : std::optional<Number>(std::sqrt(x));
}

TEST(CanvasNavigation, TraceGivesTheValuesOfTheFunctionsDrawn) {
    NavigationFixture f;
    f.bench.settings().functions = {"x^2", "1/x", "", "sqrt(x)"};
    ASSERT_TRUE(f.bench.redraw());
    f.bench.environment().parser(4).x = 42;
    const std::pair<int, const char*> rows[] = {
        {252, "x = 2   y = 0   F(x) = 4   G(x) = 0.5   I(x) = 1.414"},
        {180, "x = 0   y = 0   F(x) = 0   G(x) = ongedefinieerd   I(x) = 0"},
        {144, "x = -1   y = 0   F(x) = 1   G(x) = -1   I(x) = ongedefinieerd"},
    };
    for (const auto& [px, text] : rows) {
        const TraceReadout r = f.bench.traceAt(px, 180, true);
        EXPECT_EQ(r.text, text);
        ASSERT_EQ(r.values.size(), 3u);
        const int functions[] = {0, 1, 3};
        std::optional<Number> (*const expected[])(Number) = {square, inverse, root};
        std::size_t onCanvas = 0;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(r.values[i].first, functions[i]);
            EXPECT_EQ(r.values[i].second, expected[i](r.x)) << text;
            onCanvas += r.values[i].second && std::fabs(*r.values[i].second) <= 5;
        }
        EXPECT_EQ(r.marks.size(), onCanvas) << text;
        for (const auto& mark : r.marks)
            EXPECT_EQ(mark.px, px);
    }
    EXPECT_EQ(f.bench.environment().parser(4).x, 42);
    // Without tracing only the point.
    EXPECT_EQ(f.bench.traceAt(252, 108, false).text, "x = 2   y = 2");
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
