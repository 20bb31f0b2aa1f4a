#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "../support/pixels.h"
#include "canvas/canvas_paint.h"
#include "canvas/world_canvas.h"
#include "lang/commands/picture_stamp.h"

// The device bitmap of a screen with several device pixels per canvas pixel: figures at the
// device's precision, while everything programs read stays the canvas-sized bitmap.

namespace kalvor {
namespace {

constexpr QRgb kWhitePixel = 0xFFFFFF;
constexpr QRgb kRedPixel = 0xFF0000;
constexpr Color kRed = 0x0000FF;  // red in the low byte

QRgb rgbAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// A white canvas over the world (-10, -10)–(10, 10) at the given ratio: 40 × 40, or 100 ×
// 100 with margins for framed axes.
struct Canvas {
    WorldCanvas c;
    explicit Canvas(int ratio, bool axes = false) {
        c.resize(axes ? 100 : 40, axes ? 100 : 40);
        c.setDeviceRatio(ratio);
        c.setWorld(-10, -10, 10, 10);
        if (axes) c.d2Axes("x", "y", false, kBlack, kBlack);
        c.clear();
        c.brush().style = BrushStyle::Clear;
    }
};

// The bounding box of the pixels that are not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rgbAt(image, x, y) != kWhitePixel) box |= QRect(x, y, 1, 1);
    return box;
}

using Figure = std::function<void(WorldCanvas&)>;

TEST(DeviceRatio, TheBitmapIsTheSameAtEveryRatio) {
    const std::vector<std::pair<const char*, Figure>> rows = {
        {"circle", [](WorldCanvas& c) { c.d2Ellipse(-6, -6, 6, 6); }},
        {"wide line",
         [](WorldCanvas& c) {
             c.pen().width = 3;
             c.d2Line(-8, -7, 9, 4);
         }},
        {"text", [](WorldCanvas& c) { c.d2TextOut("Ab", 30, -5, 5); }},
        {"filled pie",
         [](WorldCanvas& c) {
             c.brush().style = BrushStyle::Solid;
             c.brush().color = kRed;
             c.d2Pie(-8, -8, 8, 8, 5, 0, 0, 5);
         }},
        {"axes and a clipped line",
         [](WorldCanvas& c) {
             c.d2Axes("x", "y", true, kBlack, kRed);
             c.d2Line(-20, -20, 20, 20);
         }},
        {"pixel and fill",
         [](WorldCanvas& c) {
             c.d2Rectangle(-5, -5, 5, 5);
             c.d2SetPixel(0, 0);
             c.brush().style = BrushStyle::Solid;
             c.brush().color = kRed;
             c.d2FloodFill(2, 2, kBlack, FloodStyle::Border);
         }},
    };
    for (const auto& [name, draw] : rows) {
        Canvas single(1), doubled(2);
        draw(single.c);
        draw(doubled.c);
        EXPECT_EQ(single.c.image(), doubled.c.image()) << name;
        EXPECT_EQ(doubled.c.screenImage().size(), QSize(80, 80)) << name;
        EXPECT_GT(test::inkPixels(doubled.c.screenImage()), 0) << name;
    }
}

// A thin circle lies on its box's device pixels, one device pixel wide, not as blocks.
TEST(DeviceRatio, ACircleLiesAtDevicePositions) {
    for (int ratio : {2, 3}) {
        Canvas f(ratio);
        f.c.d2Ellipse(-6, -6, 6, 6);
        const CanvasMapping& m = f.c.deviceMapping();
        const int left = m.x.toPixel(-6), right = m.x.toPixel(6);
        const int top = m.y.toPixel(6), bottom = m.y.toPixel(-6);
        const QImage& device = f.c.screenImage();
        EXPECT_EQ(inkBox(device), QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))) << ratio;
        const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
        const double radius = (right - 1 - left) / 2.0;
        int ink = 0;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x) {
                if (rgbAt(device, x, y) == kWhitePixel) continue;
                ++ink;
                EXPECT_NEAR(std::hypot(x - cx, y - cy), radius, 1.0)
                    << ratio << " " << x << "," << y;
            }
        // One device pixel wide: about the ratio times the bitmap's ink, not its square.
        const int logical = test::inkPixels(f.c.image());
        EXPECT_LT(ink, logical * ratio * 3 / 2) << ratio;
        EXPECT_GT(ink, logical * ratio / 2) << ratio;
    }
}

// What `pixel` reads inside a filled figure, the screen shows under it; the border stops both.
TEST(DeviceRatio, FloodFillAndPixelAgree) {
    struct Row {
        FloodStyle style;
        Color key;
        int ratio;
        bool axes;
    };
    const Row rows[] = {{FloodStyle::Border, kBlack, 2, false},
                        {FloodStyle::Surface, kWhite, 2, false},
                        {FloodStyle::Border, kBlack, 3, false},
                        {FloodStyle::Surface, kWhite, 2, true}};
    for (const Row& row : rows) {
        Canvas f(row.ratio, row.axes);
        WorldCanvas& c = f.c;
        c.d2Ellipse(-6, -6, 6, 6);
        c.brush() = CanvasBrush{kRed, BrushStyle::Solid};
        c.d2FloodFill(0, 0, row.key, row.style);
        const std::string label = std::to_string(row.ratio) + (row.axes ? " axes" : "");
        EXPECT_EQ(canvasColour(c, 0, 0), kRed) << label;
        EXPECT_EQ(canvasColour(c, 9, 9), kWhite) << label;
        const QImage& bitmap = c.image();
        const QImage& device = c.screenImage();
        const int k = row.ratio;
        const int radius = c.windowX(6) - c.windowX(0);
        int filled = 0;
        for (int y = 1; y + 1 < bitmap.height(); ++y)
            for (int x = 1; x + 1 < bitmap.width(); ++x) {
                const bool red = rgbAt(bitmap, x, y) == kRedPixel;
                filled += red;
                for (int d = 0; d < k * k; ++d) {
                    const QRgb under = rgbAt(device, k * x + d % k, k * y + d / k);
                    // Inside the fill every device pixel is filled; far outside none is.
                    const bool far = std::hypot(x - c.windowX(0), y - c.windowY(0)) > radius + 2;
                    if (red || far) {
                        EXPECT_EQ(under == kRedPixel, red) << label << " " << x << "," << y;
                    }
                }
            }
        EXPECT_GT(filled, 50) << label;
        // No seam between the fill and the device's thinner border.
        const CanvasMapping& m = c.deviceMapping();
        const int left = m.x.toPixel(-6), right = m.x.toPixel(6) - 1;
        const int top = m.y.toPixel(6), bottom = m.y.toPixel(-6) - 1;
        const double rx = (right - left) / 2.0 - 1.5, ry = (bottom - top) / 2.0 - 1.5;
        int seams = 0;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x) {
                const double u = (x - (left + right) / 2.0) / rx,
                             v = (y - (top + bottom) / 2.0) / ry;
                seams += u * u + v * v < 1 && rgbAt(device, x, y) != kRedPixel;
            }
        EXPECT_EQ(seams, 0) << label;
    }
}

// Hatches keep the bitmap's spacing and phase: away from the borders every device pixel
// has the colour of the pixel it lies in, for a hatched figure and a hatched fill.
TEST(DeviceRatio, HatchesKeepTheBitmapsPattern) {
    Canvas f(2);
    WorldCanvas& c = f.c;
    c.brush() = CanvasBrush{kRed, BrushStyle::ForwardDiagonal};
    c.d2Rectangle(-8, -8, 0, 8);
    c.brush().style = BrushStyle::Clear;
    c.d2Rectangle(1, -8, 8, 8);
    c.brush() = CanvasBrush{0x00FF00, BrushStyle::Cross};
    c.d2FloodFill(4, 0, kBlack, FloodStyle::Border);
    const QImage& bitmap = c.image();
    const QImage& device = c.screenImage();
    auto nearBorder = [&](int x, int y) {
        for (int d = 0; d < 9; ++d)
            if (rgbAt(bitmap, x + d % 3 - 1, y + d / 3 - 1) == 0) return true;
        return false;
    };
    int hatched = 0;
    for (int y = 1; y + 1 < bitmap.height(); ++y)
        for (int x = 1; x + 1 < bitmap.width(); ++x) {
            if (nearBorder(x, y)) continue;
            hatched += rgbAt(bitmap, x, y) != kWhitePixel;
            for (int d = 0; d < 4; ++d)
                EXPECT_EQ(rgbAt(device, 2 * x + d % 2, 2 * y + d / 2), rgbAt(bitmap, x, y))
                    << x << "," << y;
        }
    EXPECT_GT(hatched, 100);
}

// Fills that find nothing to fill leave the screen as they leave the bitmap.
TEST(DeviceRatio, FloodFillFromTheKeyColourDoesNothing) {
    Canvas f(2);
    f.c.d2Ellipse(-6, -6, 6, 6);
    const QImage before = f.c.screenImage().copy();
    f.c.brush() = CanvasBrush{kRed, BrushStyle::Solid};
    f.c.d2FloodFill(0, 0, kWhite, FloodStyle::Border);
    f.c.d2FloodFill(0, 0, kBlack, FloodStyle::Surface);
    EXPECT_EQ(f.c.screenImage(), before);
}

TEST(DeviceRatio, PixelsPicturesClearAndResizeCoverWholeBlocks) {
    Canvas f(2);
    WorldCanvas& c = f.c;
    c.pen().color = kRed;
    c.d2SetPixel(0, 0);
    const QPoint p(c.windowX(0), c.windowY(0));
    EXPECT_EQ(canvasColour(c, 0, 0), kRed);
    EXPECT_EQ(inkBox(c.screenImage()), QRect(2 * p, QSize(2, 2)));

    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    c.drawImage(5, 4, picture);
    const QImage device = c.screenImage().copy();
    EXPECT_EQ(device.copy(10, 8, 6, 4), picture.scaled(6, 4));
    EXPECT_EQ(c.image().copy(5, 4, 3, 2), picture);

    c.resize(50, 30);
    EXPECT_EQ(c.screenImage().size(), QSize(100, 60));
    EXPECT_EQ(c.screenImage().copy(0, 0, 80, 60), device.copy(0, 0, 80, 60));
    EXPECT_EQ(rgbAt(c.screenImage(), 99, 10), kWhitePixel);

    c.brush() = CanvasBrush{kRed, BrushStyle::Solid};
    c.clear();
    EXPECT_EQ(test::pixelsOf(c.screenImage(), kRedPixel), 100 * 60);

    c.setDeviceRatio(1);
    EXPECT_EQ(&c.screenImage(), &c.image());
}

// An animation's background comes back sharp, and enlarged after a change of ratio.
TEST(DeviceRatio, ASnapshotKeepsTheDevicePicture) {
    Canvas f(2);
    WorldCanvas& c = f.c;
    c.d2Ellipse(-6, -6, 6, 6);
    const QImage image = c.image().copy(), device = c.screenImage().copy();
    const WorldCanvas::Snapshot snapshot = c.snapshot();
    c.d2Line(-9, 9, 9, -9);
    c.restore(snapshot);
    EXPECT_EQ(c.image(), image);
    EXPECT_EQ(c.screenImage(), device);
    c.setDeviceRatio(3);
    c.restore(snapshot);
    EXPECT_EQ(c.screenImage(), image.scaled(image.size() * 3));
}

// A new ratio starts from the bitmap enlarged and asks for a redraw, as a new size does.
TEST(DeviceRatio, ANewRatioAnnouncesAResize) {
    WorldCanvas c;
    c.resize(10, 10);
    c.clear();
    int resizes = 0;
    QObject::connect(&c, &WorldCanvas::resized, [&] { ++resizes; });
    for (int ratio : {2, 2, 5, 0})
        c.setDeviceRatio(ratio);
    EXPECT_EQ(resizes, 3);  // 2, then 3 (the most), then 1
    EXPECT_EQ(c.deviceRatio(), 1);
}

// Smoothing blends edge pixels on both bitmaps; off, a line has its colour and white only.
TEST(DeviceRatio, SmoothLinesBlendOnlyWhenAskedFor) {
    for (bool smooth : {false, true}) {
        Canvas f(2);
        f.c.setSmoothLines(smooth);
        f.c.d2Line(-9, -7, 8, 3);
        for (const QImage* image : {&f.c.image(), &f.c.screenImage()}) {
            const int pure = test::pixelsOf(*image, 0) + test::pixelsOf(*image, kWhitePixel);
            EXPECT_EQ(pure == image->width() * image->height(), !smooth) << smooth;
        }
    }
}

}  // namespace
}  // namespace kalvor
