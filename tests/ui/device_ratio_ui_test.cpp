#include <QAction>
#include <QImage>

#include "desktop_fixture.h"
#include "ui/canvas_view.h"

namespace kalvor {
namespace {

using test::DesktopFixture;
using test::menuAction;

class DeviceRatioUiTest : public DesktopFixture {
protected:
    CanvasView* canvas() { return graph().canvasView(); }
    // What the view paints on a target of `ratio` device pixels per pixel.
    QImage painted(int ratio) {
        QImage target(canvas()->size() * ratio, QImage::Format_RGB32);
        target.setDevicePixelRatio(ratio);
        canvas()->render(&target);
        target.setDevicePixelRatio(1);
        return target.copy(0, 0, ratio * bench().canvas().width(),
                           ratio * bench().canvas().height());
    }
};

// A new ratio from the screen reaches the canvas, which draws again at that precision; the
// view shows the device bitmap one to one.
TEST_F(DeviceRatioUiTest, TheScreensRatioRedrawsTheCanvasAndIsShown) {
    bench().settings().functions[0] = "sqrt(16-x^2)";
    graph().redraw();
    const QImage single = bench().canvas().image();
    emit canvas()->deviceRatioChanged(2);
    settle();
    EXPECT_EQ(bench().canvas().deviceRatio(), 2);
    EXPECT_EQ(bench().canvas().image(), single);
    const QImage device = bench().canvas().screenImage();
    EXPECT_EQ(device.size(), single.size() * 2);
    EXPECT_NE(device, single.scaled(single.size() * 2));  // drawn again, not enlarged
    EXPECT_EQ(painted(2), device);
    emit canvas()->deviceRatioChanged(1);
    settle();
    EXPECT_EQ(painted(1), bench().canvas().image());
}

// "Gladde lijnen" redraws at once and is kept in the settings.
TEST_F(DeviceRatioUiTest, SmoothLinesSwitchRedrawsBlended) {
    bench().settings().functions[0] = "x";
    graph().redraw();
    QAction* smooth = menuAction(graph(), "&Gladde lijnen");
    ASSERT_NE(smooth, nullptr);
    EXPECT_FALSE(smooth->isChecked());
    const QImage sharp = bench().canvas().image();
    smooth->trigger();
    settle();
    EXPECT_TRUE(bench().settings().smoothLines);
    EXPECT_TRUE(bench().canvas().smoothLines());
    EXPECT_NE(bench().canvas().image(), sharp);
    smooth->trigger();
    settle();
    EXPECT_FALSE(bench().settings().smoothLines);
    EXPECT_EQ(bench().canvas().image(), sharp);
}

}  // namespace
}  // namespace kalvor
