#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <vector>

#include <QFile>
#include <QFontInfo>
#include <QPainter>
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
bool ink(const WorldCanvas& c, int x, int y) {
    return rgb(c, x, y) != 0xFFFFFF;
}
int inkCount(const WorldCanvas& c) {
    return test::inkPixels(c.image());
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

TEST(WorldCanvasMapping, MapsWorldEdgesToPixelEdges) {
    Fixture f(358, 350, -5, -5, 5, 5);
    const WorldCanvas& c = f.canvas;
    EXPECT_EQ((std::array{c.windowX(-5), c.windowX(5), c.windowY(5), c.windowY(-5)}),
              (std::array{0, 357, 0, 349}));
    EXPECT_EQ((std::array{c.worldX(357), c.worldY(349)}), (std::array<Number, 2>{5, -5}));
}

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

TEST(TickSteps, MinusFiveToFiveHasTenTicksAndFiveLabels) {
    std::vector<double> all, labelled;
    for (const Tick& t : axisTicks(-5, 5)) {
        all.push_back(static_cast<double>(t.value));
        if (t.labelled) labelled.push_back(static_cast<double>(t.value));
    }
    EXPECT_EQ(all, (std::vector<double>{-5, -4, -3, -2, -1, 0, 1, 2, 3, 4}));
    EXPECT_EQ(labelled, (std::vector<double>{-5, -3, -1, 1, 3}));
}

TEST(TickSteps, HugeOffsetsStayBounded) {
    // k + 1 == k in extended precision here; the tick loops must still end.
    EXPECT_LE(axisTicks(1e25L, 1e25L + 1).size(), 11u);
    EXPECT_TRUE(axisTicks(0, std::numeric_limits<Number>::infinity()).empty());
}

TEST(WorldCanvasPixels, RectangleOverTheWholeWorldCoversEveryEdgePixel) {
    Fixture f(40, 30, -5, -5, 5, 5);
    WorldCanvas& c = f.canvas;
    c.brush() = {kRed, BrushStyle::Solid};
    c.d2Rectangle(-5, -5, 5, 5);
    const QImage& i = c.image();
    for (const QRect edge :
         {QRect(0, 0, 40, 1), QRect(0, 29, 40, 1), QRect(0, 0, 1, 30), QRect(39, 0, 1, 30)})
        EXPECT_EQ(test::inkPixels(i.copy(edge)), edge.width() * edge.height()) << edge.y();
    EXPECT_EQ(rgb(c, 20, 15), 0xFF0000u);  // filled red
    EXPECT_EQ(rgb(c, 0, 0), 0u);           // black outline
}

TEST(WorldCanvasPixels, LinesAndEndPixels) {
    struct Row {
        const char* name;
        std::function<void(WorldCanvas&)> draw;
        int inkPixels;  // the horizontal run from column 2 to 8 on row 5
    };
    const PointList run{{2, 5}, {8, 5}}, single{{2, 5}}, repeated{{2, 5}, {8, 5}, {8, 5}};
    const Row rows[] = {
        {"line paints both ends", [](WorldCanvas& c) { c.d2Line(2, 5, 8, 5); }, 7},
        {"line backwards", [](WorldCanvas& c) { c.d2Line(8, 5, 2, 5); }, 7},
        {"line-to leaves the end pixel", [](WorldCanvas& c) { c.d2MoveTo(2, 5), c.d2LineTo(8, 5); },
         6},
        {"polyline leaves the end pixel", [&](WorldCanvas& c) { c.d2Polyline(run); }, 6},
        {"single-point polyline draws nothing", [&](WorldCanvas& c) { c.d2Polyline(single); }, 0},
        {"set pixel", [](WorldCanvas& c) { c.d2SetPixel(2, 5); }, 1},
        {"zero-length line", [](WorldCanvas& c) { c.d2Line(2, 5, 2, 5); }, 0},
        {"repeated end point", [&](WorldCanvas& c) { c.d2Polyline(repeated); }, 6},
    };
    for (const Row& r : rows) {
        Fixture f(11, 11, 0, 0, 10, 10);
        r.draw(f.canvas);
        EXPECT_EQ(inkCount(f.canvas), r.inkPixels) << r.name;
    }
}

TEST(WorldCanvasPixels, WidePensAreWide) {
    Fixture f(21, 21, 0, 0, 20, 20);
    f.canvas.pen().width = 3;
    f.canvas.d2Line(2, 10, 18, 10);
    EXPECT_TRUE(ink(f.canvas, 10, 9) && ink(f.canvas, 10, 10) && ink(f.canvas, 10, 11));
    EXPECT_FALSE(ink(f.canvas, 10, 8) || ink(f.canvas, 10, 12));
}

TEST(WorldCanvasPixels, ArrowHeadWings) {
    Fixture f(41, 41, 0, 0, 40, 40);
    WorldCanvas& c = f.canvas;
    c.d2Arrow(10, 20, 20, 0);  // tip at pixel (30, 20), pointing right
    // The tip, and the last painted pixels of the wings ending at (24, 14) and (24, 26).
    EXPECT_TRUE(ink(c, 30, 20) && ink(c, 25, 15) && ink(c, 25, 25));
    EXPECT_FALSE(ink(c, 35, 15) || ink(c, 35, 25));
    for (Number d : {0.0L, 0.2L}) {
        Fixture g(41, 41, 0, 0, 40, 40);
        g.canvas.d2Arrow(10, 20, d, -d);
        EXPECT_EQ(inkCount(g.canvas), 0) << static_cast<double>(d);
    }
}

TEST(WorldCanvasPixels, EllipseStaysInsideItsBox) {
    Fixture f(40, 30, -5, -5, 5, 5);
    f.canvas.d2Ellipse(-5, -5, 5, 5);  // box columns 0 … 38, rows 0 … 28
    const QImage& image = f.canvas.image();
    const auto inkIn = [&](int x, int y, int w, int h) {
        return test::inkPixels(image.copy(x, y, w, h)) > 0;
    };
    EXPECT_TRUE(inkIn(0, 0, 1, 30) && inkIn(38, 0, 1, 30));    // columns 0 and 38
    EXPECT_FALSE(inkIn(39, 0, 1, 30) || inkIn(0, 29, 40, 1));  // column 39, row 29
}

TEST(WorldCanvasPixels, ArcsRunCounterClockwiseFromStartRayToEndRay) {
    // The world is 200 × 50 pixels, so rays at 45° are not the ellipse's parameter angle.
    struct Row {
        const char* name;
        Number sx, sy, ex, ey;        // points on the start and end rays (from the centre)
        Number inX, inY, outX, outY;  // a pixel inside the pie, one outside
    };
    const Row rows[] = {
        {"first quadrant", 10, 0, 0, 10, 50, 10, -50, -10},
        {"wraps through 0", 0, -10, 0, 10, 50, 0, -50, 0},
        {"reflex angle", 0, 10, 10, 0, -50, 0, 50, 10},
        {"below a 45 degree ray", 10, 0, 10, 10, 60, 12, 15, 18},
        {"equal rays give all", 10, 0, 10, 0, -50, -5, 200, 200},
    };
    for (const Row& r : rows) {
        Fixture f(201, 51, -100, -25, 100, 25);
        WorldCanvas& c = f.canvas;
        c.brush() = {kRed, BrushStyle::Solid};
        c.d2Pie(-100, -25, 100, 25, r.sx, r.sy, r.ex, r.ey);
        auto red = [&](Number x, Number y) {
            const int px = c.windowX(x), py = c.windowY(y);
            return c.image().rect().contains(px, py) && rgb(c, px, py) == 0xFF0000u;
        };
        EXPECT_TRUE(red(r.inX, r.inY)) << r.name;
        EXPECT_FALSE(red(r.outX, r.outY)) << r.name;
    }
}

TEST(WorldCanvasPixels, ChordCutsAlongTheSecant) {
    Fixture f(101, 101, -50, -50, 50, 50);
    WorldCanvas& c = f.canvas;
    c.brush() = {kRed, BrushStyle::Solid};
    c.d2Chord(-50, -50, 50, 50, 10, 0, 0, 10);  // quarter arc from 0° to 90°, closed by a secant
    EXPECT_EQ(rgb(c, c.windowX(30), c.windowY(30)), 0xFF0000u);
    EXPECT_EQ(rgb(c, c.windowX(10), c.windowY(10)), 0xFFFFFFu);  // in the pie, not the chord
}

TEST(WorldCanvasPixels, HatchDiagonalsRunAsNamed) {
    struct Row {
        BrushStyle style;
        int step;  // ink at (x, y) continues at (x + 1, y + step)
    };
    for (const Row& r :
         {Row{BrushStyle::ForwardDiagonal, 1}, Row{BrushStyle::BackwardDiagonal, -1}}) {
        Fixture f(32, 32, 0, 0, 31, 31);
        WorldCanvas& c = f.canvas;
        c.brush() = {0, r.style};
        c.pen().color = kWhite;
        c.d2Rectangle(0, 0, 31, 31);
        int followed = 0, total = 0;
        for (int y = 8; y < 24; ++y)
            for (int x = 8; x < 24; ++x)
                if (ink(c, x, y)) ++total, followed += ink(c, x + 1, y + r.step);
        EXPECT_GT(total, 16);
        EXPECT_EQ(followed, total);
    }
}

TEST(WorldCanvasPixels, FloodFillBothStylesStayInsideTheBorder) {
    for (FloodStyle style : {FloodStyle::Border, FloodStyle::Surface}) {
        for (BrushStyle brush : {BrushStyle::Solid, BrushStyle::Cross}) {
            Fixture f(40, 40, 0, 0, 39, 39);
            WorldCanvas& c = f.canvas;
            c.d2Rectangle(10, 10, 30, 30);  // black outline: columns 10 … 30, rows 9 … 29
            c.brush() = {kRed, brush};
            const Color key = style == FloodStyle::Border ? kBlack : kWhite;
            c.d2FloodFill(20, 20, key, style);
            const int red = test::pixelsOf(c.image(), 0xFF0000);
            EXPECT_EQ(test::pixelsOf(c.image().copy(11, 10, 19, 19), 0xFF0000), red);  // inside
            if (brush == BrushStyle::Solid) {
                EXPECT_EQ(red, 19 * 19);
            } else {
                EXPECT_TRUE(red > 40 && red < 200) << red;
            }
            EXPECT_EQ(rgb(c, 10, 9), 0u);
        }
    }
}

TEST(WorldCanvasPixels, FloodFillFromTheKeyColourDoesNothing) {
    Fixture f(20, 20, 0, 0, 19, 19);
    WorldCanvas& c = f.canvas;
    c.brush() = {kRed, BrushStyle::Solid};
    c.d2FloodFill(5, 5, kWhite, FloodStyle::Border);   // the seed is on the border colour
    c.d2FloodFill(5, 5, kBlack, FloodStyle::Surface);  // the seed is not the surface colour
    EXPECT_EQ(inkCount(c), 0);
}

TEST(WorldCanvasText, UpperLeftReferenceAndRotation) {
    struct Row {
        int angle;
        int minX, maxX, minY, maxY;  // ink box relative to the reference pixel
    };
    Fixture probe(200, 200, 0, 0, 199, 199);
    const int w = probe.canvas.textWidth("Hallo"), h = probe.canvas.textHeight("Hallo");
    const Row rows[] = {{0, 0, w, 0, h}, {90, 0, h, -w, 1}, {180, -w, 1, -h, 1}};
    for (const Row& r : rows) {
        Fixture f(200, 200, 0, 0, 199, 199);
        WorldCanvas& c = f.canvas;
        c.d2TextOut("Hallo", r.angle, 100, 100);  // pixel (100, 99)
        int lx = 1000, hx = -1000, ly = 1000, hy = -1000;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (ink(c, x, y)) {
                    lx = std::min(lx, x - 100), hx = std::max(hx, x - 100);
                    ly = std::min(ly, y - 99), hy = std::max(hy, y - 99);
                }
        EXPECT_GE(lx, r.minX - 1) << r.angle;
        EXPECT_LE(hx, r.maxX) << r.angle;
        EXPECT_GE(ly, r.minY - 1) << r.angle;
        EXPECT_LE(hy, r.maxY) << r.angle;
        EXPECT_GT(hx - lx, 0);
    }
}

TEST(WorldCanvasText, ClassicFontNamesResolveToMetricCompatibleFonts) {
    struct Row {
        const char* name;
        const char* family;
    };
    const Row rows[] = {{"Arial", "Liberation Sans"},
                        {"Times New Roman", "Liberation Serif"},
                        {"Courier New", "Liberation Mono"}};
    for (const Row& r : rows) {
        CanvasFont font;
        font.name = r.name;
        EXPECT_EQ(QFontInfo(qtFont(font, 1)).family().toStdString(), r.family);
    }
}

TEST(WorldCanvasText, SymbolFontShowsGreekLetters) {
    CanvasFont symbol;
    symbol.name = "Symbol";
    EXPECT_EQ(displayText(symbol, "pa W1"), QString::fromUtf8("πα Ω1"));
    EXPECT_EQ(displayText(CanvasFont{}, "pa"), QString("pa"));
    // The letters reach the bitmap too.
    for (const char* text : {"p", "-p", "a"}) {
        Fixture f(60, 30, 0, 0, 60, 30);
        f.canvas.font().name = "Symbol";
        f.canvas.d2TextOut(text, 0, 5, 25);
        EXPECT_GT(inkCount(f.canvas), static_cast<int>(std::strlen(text)) * 5) << text;
    }
}

TEST(WorldCanvasColors, RedIsInTheLowByte) {
    Fixture f(11, 11, 0, 0, 10, 10);
    f.canvas.pen().color = kRed;
    f.canvas.d2SetPixel(5, 5);
    EXPECT_EQ(rgb(f.canvas, 5, 5), 0xFF0000u);
    EXPECT_EQ(colorOfPixel(0xFF123456), makeColor(0x12, 0x34, 0x56));
}

TEST(WorldCanvasState, ResizeKeepsThePictureAndRemaps) {
    Fixture f(20, 20, 0, 0, 19, 19);
    WorldCanvas& c = f.canvas;
    c.d2SetPixel(3, 16);  // pixel (3, 3)
    int resized = 0;
    QObject::connect(&c, &WorldCanvas::resized, [&] { ++resized; });
    c.resize(40, 30);
    EXPECT_EQ(resized, 1);
    EXPECT_TRUE(ink(c, 3, 3));
    EXPECT_EQ((std::array{c.windowX(19), c.windowY(0)}), (std::array{39, 29}));
    EXPECT_EQ(rgb(c, 35, 25), 0xFFFFFFu);
}

TEST(WorldCanvasState, ChangesAreAnnouncedOnceOutsideLocks) {
    Fixture f(20, 20, 0, 0, 19, 19);
    WorldCanvas& c = f.canvas;
    int changed = 0;
    QObject::connect(&c, &WorldCanvas::changed, [&] { ++changed; });
    c.d2Line(1, 1, 5, 5);
    EXPECT_EQ(changed, 1);
    c.beginUpdate();
    c.d2Line(1, 1, 5, 5);
    c.d2Ellipse(1, 1, 5, 5);
    EXPECT_EQ(changed, 1);
    c.endUpdate();
    EXPECT_EQ(changed, 2);
    c.d2Axes("x", "y", true, kBlack, kBlack);
    EXPECT_EQ(changed, 3);
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

int labelWidth(int fontSize, std::initializer_list<const char*> labels) {
    WorldCanvas measure;
    measure.font().size = fontSize;
    int widest = 0;
    for (const char* l : labels)
        widest = std::max(widest, measure.textWidth(l));
    return widest;
}

TEST(WorldCanvasClipped, MarginsFollowTheMeasuredLabels) {
    Fixture f(358, 350, -5, -5, 5, 5);
    WorldCanvas& c = f.canvas;
    c.setClipped(true);
    const int ly = labelWidth(9, {"-5", "-3", "-1", "1", "3"});
    const int lx = ly;
    const int th = c.textHeight("-1.234567");
    EXPECT_EQ((std::array{c.windowX(-5), c.windowX(5), c.windowY(5), c.windowY(-5)}),
              (std::array{ly + 8, 358 - 1 - lx / 2, th, 350 - 7 - th}));
    EXPECT_EQ(c.clipRect(), QRect(QPoint(ly + 9, th), QPoint(357 - lx / 2, 350 - 8 - th)));
    c.setClipped(false);
    EXPECT_EQ(c.windowX(5), 357);
    EXPECT_EQ(c.clipRect(), QRect(0, 0, 358, 350));
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

TEST(WorldCanvasClipped, AxesTicksLabelsAndArrows) {
    Fixture f(358, 350, -5, -5, 5, 5);
    WorldCanvas& c = f.canvas;
    c.d2Axes("", "", false, kBlack, kBlack);
    const int bottom = c.windowY(-5);
    // Ticks at -5 … 4 hang 4 pixels below the axis, labelled ones 6; none at 5.
    for (int k = -4; k <= 4; ++k) {
        const int px = c.windowX(k);
        const bool labelled = k % 2 != 0;
        EXPECT_TRUE(ink(c, px, bottom + 3)) << k;
        EXPECT_EQ(ink(c, px, bottom + 5), labelled) << k;
    }
    const int tip = c.windowX(5);
    EXPECT_FALSE(ink(c, tip, bottom + 3));
    EXPECT_TRUE(ink(c, tip - 5, bottom - 5) && ink(c, tip - 5, bottom + 5));  // arrow wings
    // The labels sit below the labelled ticks.
    EXPECT_GT(test::inkPixels(c.image().copy(c.windowX(-3), bottom + 6, 1, 350 - bottom - 6)), 0);
}

TEST(WorldCanvasMirror, RecordsAtTwiceTheSizeAndKeepsRecordingAfterASave) {
    QTemporaryDir dir;
    Fixture f(100, 80, 0, 0, 10, 10);
    WorldCanvas& c = f.canvas;
    EXPECT_TRUE(c.saveMetafile((dir.path() + "/none.svg").toStdString()));
    EXPECT_FALSE(QFile::exists(dir.path() + "/none.svg"));
    c.setRecordMetafile(true);
    EXPECT_EQ((std::array{c.mirrorMapping().x.toPixel(10), c.mirrorMapping().y.toPixel(0)}),
              (std::array{199, 159}));
    c.pen().color = kRed;
    c.d2Line(0, 0, 10, 10);
    const std::string first = (dir.path() + "/a.svg").toStdString();
    ASSERT_TRUE(c.saveMetafile(first));
    c.d2TextOut("Hallo", 0, 1, 9);
    const std::string second = (dir.path() + "/b.svg").toStdString();
    ASSERT_TRUE(c.saveMetafile(second));
    const auto read = [](const std::string& path) {
        return test::readBytes(QString::fromStdString(path));
    };
    const std::string a = read(first), b = read(second);
    EXPECT_NE(a.find("viewBox=\"0 0 200 160\""), std::string::npos);
    EXPECT_NE(a.find("d=\"M0,159 L199,0\""), std::string::npos) << a;  // once, not out and back
    EXPECT_EQ(a.find("Hallo"), std::string::npos);
    EXPECT_NE(b.find("d=\"M0,159 L199,0\""), std::string::npos);
    EXPECT_NE(b.find("Hallo"), std::string::npos);
    c.clear();  // starts an empty mirror
    ASSERT_TRUE(c.saveMetafile(first));
    EXPECT_EQ(read(first).find("Hallo"), std::string::npos);
    EXPECT_FALSE(c.saveMetafile(dir.path().toStdString() + "/missing/c.svg"));
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

// Dotted pens keep their pattern in the mirror, at the mirror's scale: dots of two screen
// pixels are four mirror pixels, every eight pixels, for lines, line-tos and polylines, and
// also where a line is cut at the clip.
TEST(WorldCanvasMirror, DottedPensStayDotted) {
    const PointList points{{1, 5}, {5, 5}, {9, 5}};
    const std::function<void(WorldCanvas&)> figures[] = {
        [](WorldCanvas& c) { c.d2Line(1, 5, 9, 5); },
        [](WorldCanvas& c) { c.d2Line(-20, 5, 30, 5); },
        [](WorldCanvas& c) { c.d2MoveTo(1, 5), c.d2LineTo(9, 5); },
        [&](WorldCanvas& c) { c.d2Polyline(points); },
    };
    for (const auto& draw : figures) {
        ClippedMirror f;
        WorldCanvas& c = f.canvas;
        c.pen().style = PenStyle::Dot;
        draw(c);
        const QImage image = renderedMirror(c, f.dir);
        ASSERT_FALSE(image.isNull());
        const CanvasMapping& m = c.mirrorMapping();
        const int row = m.y.toPixel(5), from = m.x.toPixel(2), to = m.x.toPixel(8);
        const int dots = runs(to - from, [&](int i) {
            return std::min({qGray(image.pixel(from + i, row - 1)),
                             qGray(image.pixel(from + i, row)),
                             qGray(image.pixel(from + i, row + 1))}) < 200;
        });
        EXPECT_NEAR(dots, (to - from) / 8, 2) << &draw - figures;
    }
}

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

// The bitmap keeps one painter from figure to figure. Reading the image ends it, so a canvas
// read after every step paints each figure with a fresh painter; both must give the same
// pixels whatever attribute changes between the figures.
TEST(WorldCanvasState, KeptPainterPaintsAsAFreshOne) {
    using Step = std::function<void(WorldCanvas&)>;
    struct Row {
        const char* name;
        std::vector<Step> steps;
    };
    const Step line = [](WorldCanvas& c) { c.d2Line(-4, -3, 4, 2); };
    const Step cross = [](WorldCanvas& c) { c.d2Polyline(PointList{{-4, 4}, {4, -4}}); };
    const Step box = [](WorldCanvas& c) { c.d2Rectangle(-3, -3, 1, 2); };
    const Step text = [](WorldCanvas& c) { c.d2TextOut("Wg", 0, -2, 3); };
    const CanvasBrush redCross{kRed, BrushStyle::Cross}, blackSolid{kBlack, BrushStyle::Solid};
    const QImage picture(8, 8, QImage::Format_RGB32);
    const Row rows[] = {
        {"pen colour", {line, [](WorldCanvas& c) { c.pen().color = kRed; }, cross}},
        {"pen width after a pixel",
         {[](WorldCanvas& c) { c.pen().width = 3; }, [](WorldCanvas& c) { c.d2SetPixel(0, 0); },
          cross}},
        {"dotted, then solid",
         {[](WorldCanvas& c) { c.pen().style = PenStyle::Dot; }, line,
          [](WorldCanvas& c) { c.pen().style = PenStyle::Solid; }, cross}},
        {"brush",
         {[&](WorldCanvas& c) { c.brush() = redCross; }, box,
          [&](WorldCanvas& c) { c.brush() = blackSolid; },
          [](WorldCanvas& c) { c.d2Ellipse(0, 0, 4, 3); }}},
        {"font", {text, [](WorldCanvas& c) { c.font().size = 20; }, text}},
        {"clip on and off",
         {[](WorldCanvas& c) { c.d2Axes("x", "y", false, kRed, kRed); }, line,
          [](WorldCanvas& c) { c.setClipped(false); }, cross}},
        {"flood fill",
         {box, [](WorldCanvas& c) { c.d2FloodFill(-1, 0, kBlack, FloodStyle::Border); }, line}},
        {"resize", {line, [](WorldCanvas& c) { c.resize(90, 70); }, cross}},
        {"picture and clear",
         {line, [&](WorldCanvas& c) { c.drawImage(5, 5, picture); },
          [](WorldCanvas& c) { c.brush().color = kRed, c.brush().style = BrushStyle::Solid; },
          [](WorldCanvas& c) { c.clear(); }, cross}},
    };
    for (const Row& row : rows) {
        Fixture kept(80, 60, -5, -5, 5, 5), fresh(80, 60, -5, -5, 5, 5);
        for (const Step& step : row.steps) {
            step(kept.canvas);
            step(fresh.canvas);
            (void)fresh.canvas.image();
        }
        EXPECT_EQ(kept.canvas.image(), fresh.canvas.image()) << row.name;
    }
}

// Copies share pixels with the image until one side is painted on.
TEST(WorldCanvasState, ACopyKeepsThePictureOfItsMoment) {
    Fixture f(20, 20, 0, 0, 19, 19);
    WorldCanvas& c = f.canvas;
    c.d2Line(1, 1, 5, 1);
    const QImage shared = c.image();
    const QImage deep = c.image().copy();
    c.d2Line(1, 10, 18, 10);
    EXPECT_TRUE(ink(c, 10, c.windowY(10)));
    EXPECT_EQ(shared, deep);
    EXPECT_EQ(shared.pixel(10, c.windowY(10)) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace kalvor
