#include <gtest/gtest.h>

#include <array>
#include <functional>

#include <QTemporaryDir>

#include "../support/file_checks.h"
#include "../support/pixels.h"
#include "../support/svg_render.h"
#include "canvas/canvas_paint.h"
#include "canvas/tick_steps.h"
#include "canvas/world_canvas.h"

namespace kalvor {
namespace {

constexpr Color kRed = 0x0000FF;  // red in the low byte

QRgb rgb(const WorldCanvas& c, int x, int y) {
    return c.image().pixel(x, y) & 0xFFFFFF;
}

// A canvas of the given size showing the world (x1, y1)–(x2, y2), cleared white.
struct Fixture {
    WorldCanvas canvas;
    Fixture(int w, int h, Number x1, Number y1, Number x2, Number y2) {
        canvas.resize(w, h);
        canvas.setWorld(x1, y1, x2, y2);
        canvas.clear();
        canvas.brush().style = BrushStyle::Clear;
    }
};

TEST(WorldCanvasMapping, ClampsFarPointsAndRoundsHalfToEven) {
    Fixture f(11, 11, 0, 0, 10, 10);  // one pixel per world unit
    const WorldCanvas& c = f.canvas;
    struct Row {
        Number x;
        int pixel;
    };
    const Row rows[] = {{0.5L, 0},     {1.5L, 2},       {2.5L, 2},         {3.4999L, 3},
                        {1e7L, 16000}, {-1e7L, -16000}, {15999.4L, 15999}, {15999.6L, 16000}};
    for (const Row& r : rows)
        EXPECT_EQ(c.windowX(r.x), r.pixel) << static_cast<double>(r.x);
    Fixture wide(358, 350, -5, -5, 5, 5);
    EXPECT_EQ(wide.canvas.windowX(5 + 10 * 1e6L), 16000);
    EXPECT_EQ(wide.canvas.windowX(-5 - 10 * 1e6L), -16000);
}

TEST(WorldCanvasMapping, RejectsNonPositiveWidthsAndKeepsTheMapping) {
    Fixture f(358, 350, -5, -5, 5, 5);
    WorldCanvas& c = f.canvas;
    struct Row {
        std::function<void()> write;
        const char* message;
    };
    const Row rows[] = {
        {[&] { c.setD2WorldXW(0); }, "x-worldwidth must be positive"},
        {[&] { c.setD2WorldXW(-1); }, "x-worldwidth must be positive"},
        {[&] { c.setD2WorldYW(0); }, "y-worldwidth must be positive"},
        {[&] { c.setWorld(1, 0, 1, 2); }, "x-worldwidth must be positive"},
        {[&] { c.view3d().setWorldZW(0); }, "z-worldwidth must be positive"},
        {[&] { c.view3d().setWorldXW(-2); }, "x-worldwidth must be positive"},
    };
    for (const Row& r : rows) {
        try {
            r.write();
            ADD_FAILURE() << "no error for " << r.message;
        } catch (const CanvasError& e) {
            EXPECT_STREQ(e.what(), r.message);
        }
        EXPECT_EQ(c.windowX(5), 357);
        EXPECT_EQ(c.windowY(-5), 349);
        EXPECT_EQ(c.d2WorldXW(), 10);
    }
    EXPECT_EQ(c.view3d().worldZW(), 2);
}

TEST(WorldCanvasMapping, WorldPropertiesMoveTheRectangle) {
    Fixture f(101, 101, 0, 0, 10, 10);
    WorldCanvas& c = f.canvas;
    c.setD2WorldX1(-10);  // keeps the width
    EXPECT_EQ((std::array{c.windowX(-10), c.windowX(0)}), (std::array{0, 100}));
    c.setD2WorldYW(20);
    EXPECT_EQ((std::array{c.windowY(20), c.windowY(10)}), (std::array{0, 50}));
}

TEST(TickSteps, StepFirstTickAndLabels) {
    struct Row {
        Number u1, u2, d, k0;
        long long n;
    };
    const Row rows[] = {{-5, 5, 1, -5, 10},          {0, 1, 0.1L, 0, 10}, {-2, 100, 10, 0, 10},
                        {0.05L, 7.95L, 0.1L, 1, 79}, {-7, 9, 1, -7, 16},  {2, 3, 0.1L, 20, 10}};
    for (const Row& r : rows) {
        const TickSteps t = tickSteps(r.u1, r.u2);
        EXPECT_NEAR(static_cast<double>(t.d), static_cast<double>(r.d), 1e-12);
        EXPECT_EQ(t.k0, r.k0) << static_cast<double>(r.u1);
        EXPECT_EQ(t.n, r.n) << static_cast<double>(r.u1);
    }
}

TEST(TickSteps, HugeOffsetsStayBounded) {
    // k + 1 == k in extended precision here; the tick loops must still end.
    EXPECT_LE(axisTicks(1e25L, 1e25L + 1).size(), 11u);
    EXPECT_TRUE(axisTicks(0, std::numeric_limits<Number>::infinity()).empty());
}

TEST(View3DProperties, ClampsAndNormalisation) {
    View3D v;
    v.setViewAngle(200);
    EXPECT_EQ(v.viewAngle(), 179);
    v.setViewAngle(0);
    EXPECT_EQ(v.viewAngle(), 0.01L);
    for (Number d : {0.0L, -3.0L}) {
        v.setViewDist(d);
        EXPECT_EQ(v.viewDist(), 0.0001L) << static_cast<double>(d);
    }

    View3D box;
    box.setWorldXW(4);  // x from -1 to 3 is the longest axis
    const View3D::State& s = box.state();
    const Number got[] = {s.factor[0], s.factor[1], -s.factor[0] + s.offset[0],
                          3 * s.factor[0] + s.offset[0]};
    const double expected[] = {0.5, 0.5, -1, 1};  // both factors, then x = -1 and x = 3
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(static_cast<double>(got[i]), expected[i], 1e-15) << i;
    box.setAspectRatio(false);
    EXPECT_NEAR(static_cast<double>(box.state().factor[1]), 1, 1e-15);
}

TEST(WorldCanvasText, SymbolFontShowsGreekLetters) {
    CanvasFont symbol;
    symbol.name = "Symbol";
    EXPECT_EQ(displayText(symbol, "pa W1"), QString::fromUtf8("πα Ω1"));
    EXPECT_EQ(displayText(CanvasFont{}, "pa"), QString("pa"));
    // The letters reach the bitmap too.
    for (const std::string_view text : {"p", "-p", "a"}) {
        Fixture f(60, 30, 0, 0, 60, 30);
        f.canvas.font().name = "Symbol";
        f.canvas.d2TextOut(text, 0, 5, 25);
        EXPECT_GT(test::inkPixels(f.canvas.image()), static_cast<int>(text.size()) * 5) << text;
    }
}

TEST(WorldCanvasClipped, DrawingDoesNotOverwriteTheAxes) {
    Fixture f(200, 150, -5, -5, 5, 5);
    WorldCanvas& c = f.canvas;
    c.d2Axes("x", "y", false, kRed, kRed);
    const int left = c.windowX(-5), bottom = c.windowY(-5);
    c.pen().color = 0x00FF00;
    c.d2Line(-5, -5, 5, -5);
    c.d2Line(-5, -5, -5, 5);
    c.d2Line(-5, 0, 5, 0);
    for (int y = c.windowY(5) + 1; y <= bottom; ++y)
        EXPECT_EQ(rgb(c, left, y), 0xFF0000u) << y;
    for (int x = left; x < c.windowX(5); ++x)
        EXPECT_EQ(rgb(c, x, bottom), 0xFF0000u) << x;
    EXPECT_EQ(rgb(c, c.windowX(0), c.windowY(0)), 0x00FF00u);
}

bool isRed(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 180 && qBlue(p) < 180;
}

// How many runs of consecutive steps 0 … n - 1 `inked` accepts.
template <typename Inked>
int runs(int n, Inked inked) {
    int count = 0;
    for (int i = 0, before = false; i < n; before = inked(i++))
        count += inked(i) && !before;
    return count;
}

// The mirror of a 200 × 160 canvas, saved and rendered at its own size; null when it could
// not be saved.
QImage renderedMirror(WorldCanvas& c, const QTemporaryDir& dir) {
    const QString file = dir.path() + "/m.svg";
    if (!c.saveMetafile(file.toStdString())) return {};
    return test::renderSvgFile(file, dir.path() + "/m.png", 400, 320);
}

// A 200 × 160 canvas showing (0, 0)–(10, 10) in a clipped plot area, recording its mirror.
struct ClippedMirror : Fixture {
    QTemporaryDir dir;
    ClippedMirror() : Fixture(200, 160, 0, 0, 10, 10) {
        canvas.setClipped(true);
        canvas.setRecordMetafile(true);
    }
};

TEST(WorldCanvasMirror, ClipsAndHatchesAsVectors) {
    QTemporaryDir dir;
    Fixture f(200, 160, 0, 0, 10, 10);
    WorldCanvas& c = f.canvas;
    c.setRecordMetafile(true);
    c.d2Axes("x", "y", false, kBlack, kBlack);
    c.pen().color = kRed;
    c.d2Line(-100, 5, 100, 5);  // far beyond the plot area on both sides
    c.brush() = {0xFF0000, BrushStyle::Cross};
    c.pen().color = 0xFF0000;
    c.d2Rectangle(2, 1, 8, 4);
    const QImage image = renderedMirror(c, dir);
    ASSERT_FALSE(image.isNull());
    const CanvasMapping& m = c.mirrorMapping();
    const int row = m.y.toPixel(5), left = m.x.toPixel(0), right = m.x.toPixel(10);
    // A one-pixel line on whole coordinates is shared by two rows of the rendering.
    EXPECT_EQ(test::countPixels(image.copy(0, row - 2, left, 5), isRed), 0);
    EXPECT_GT(test::countPixels(image.copy(left + 2, row - 2, right - left - 2, 5), isRed),
              right - left - 4);
    const QImage hatched = image.copy(QRect(QPoint(m.x.toPixel(2.2L), m.y.toPixel(3.8L)),
                                            QPoint(m.x.toPixel(7.8L) - 1, m.y.toPixel(1.2L) - 1)));
    const int blue =
        test::countPixels(hatched, [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 100; });
    const int white = test::pixelsOf(hatched, 0xFFFFFF);
    EXPECT_GT(blue, 100);        // hatch lines
    EXPECT_GT(white, 4 * blue);  // and gaps between them
    // The hatch is the screen's, doubled: 16 mirror pixels from line to line.
    const int top = m.y.toPixel(3.8L), bottom = m.y.toPixel(1.2L);
    int lines = 0;
    for (int x = m.x.toPixel(4); x < m.x.toPixel(4) + 16; ++x)
        lines = std::max(lines, runs(bottom - top, [&](int i) {
                             const QRgb p = image.pixel(x, top + i);
                             return qBlue(p) > 200 && qRed(p) < 100;
                         }));
    EXPECT_NEAR(lines, (bottom - top) / 16, 1);
}

// Figures reaching beyond the plot area are cut at its edge in the mirror: texts (straight
// and turned), hatched fills, flood fills and dashed lines each leave ink inside and none
// outside.
TEST(WorldCanvasMirror, CutsTextsFillsAndDashesAtThePlotArea) {
    const struct Row {
        const char* what;
        std::function<void(WorldCanvas&)> draw;
        int leastInside;
    } rows[] = {
        // clang-format off
        {"texts", [](WorldCanvas& c) {
             c.d2TextOut("Hallo wereld", 0, -1, 6), c.d2TextOut("Hallo wereld", 30, 7, 8); }, 100},
        {"hatched ellipses", [](WorldCanvas& c) {
             c.brush().style = BrushStyle::DiagonalCross;
             c.d2Ellipse(-2, 3, 3, 8), c.d2Ellipse(7, 3, 12, 12); }, 300},
        {"flood fill, an embedded image", [](WorldCanvas& c) {
             c.brush().style = BrushStyle::Solid;
             c.d2FloodFill(5, 5, kWhite, FloodStyle::Surface); }, 20000},
        {"dashed line", [](WorldCanvas& c) {
             c.pen().style = PenStyle::Dash, c.d2Line(-5, 5, 15, 5); }, 100},
        // clang-format on
    };
    for (const Row& r : rows) {
        ClippedMirror f;
        WorldCanvas& c = f.canvas;
        c.pen().color = c.font().color = c.brush().color = kRed;
        r.draw(c);
        const QImage image = renderedMirror(c, f.dir);
        ASSERT_FALSE(image.isNull()) << r.what;
        const CanvasMapping& m = c.mirrorMapping();
        const QRect plot(QPoint(m.x.toPixel(0) + 1, m.y.toPixel(10)),
                         QPoint(m.x.toPixel(10), m.y.toPixel(0) - 1));
        const int inside = test::countPixels(image.copy(plot.adjusted(-1, -1, 1, 1)), isRed);
        EXPECT_EQ(test::countPixels(image, isRed), inside) << r.what;  // none outside
        EXPECT_GE(inside, r.leastInside) << r.what;
        if (r.what != std::string("dashed line")) continue;
        // Dashes of six screen pixels with gaps of three, doubled.
        int dashes = 0;
        for (int x = plot.left(), row = m.y.toPixel(5); x <= plot.right(); ++x)
            dashes += qGray(image.pixel(x, row)) < 200 && qGray(image.pixel(x - 1, row)) >= 200;
        EXPECT_NEAR(dashes, plot.width() / 18, 2);
    }
}

}  // namespace
}  // namespace kalvor
