#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QWheelEvent>

#include "desktop_fixture.h"
#include "graph/canvas_navigation.h"
#include "ui/canvas_view.h"
#include "ui/function_table_window.h"

namespace kalvor {
namespace {

using test::DesktopFixture;
using test::menuAction;

class CanvasNavigationTest : public DesktopFixture {
protected:
    CanvasView* canvas() { return graph().canvasView(); }
    ViewRange range() { return *rangeOfFields(bench().settings()); }
    void turnWheel(QPoint pixel, int eighths) {
        QWheelEvent event(pixel, canvas()->mapToGlobal(pixel), QPoint(), QPoint(0, eighths),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas(), &event);
        settle();
    }
    void drag(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to) {
        QTest::mousePress(canvas(), button, modifiers, from);
        // In steps, as a hand moves: a free point is caught only within its distance.
        constexpr int kSteps = 8;
        for (int i = 1; i <= kSteps; ++i)
            QTest::mouseMove(canvas(), from + (to - from) * i / kSteps);
        QTest::mouseRelease(canvas(), button, modifiers, to);
        settle();
    }
    // The pointer over the canvas with no button held.
    void hover(QPoint pixel) {
        QMouseEvent event(QEvent::MouseMove, pixel, canvas()->mapToGlobal(pixel), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &event);
    }
    void runProgram(const char* source) {
        compileSource(source);
        graph().redraw();
    }
};

TEST_F(CanvasNavigationTest, WheelZoomsAboutThePointerAndFillsTheFields) {
    const std::tuple<QPoint, int, double> rows[] = {
        {QPoint(90, 270), 120, 8},        // one notch in
        {QPoint(300, 40), -240, 15.625},  // two out
        {QPoint(180, 180), 60, 10},       // half a notch: nothing yet
    };
    for (const auto& [pixel, eighths, width] : rows) {
        graph().restoreStandardWindow();
        const Number x = bench().canvas().worldX(pixel.x()), y = bench().canvas().worldY(pixel.y());
        turnWheel(pixel, eighths);
        EXPECT_NEAR(static_cast<double>(range().xmax - range().xmin), width, 1e-4);
        EXPECT_NEAR(static_cast<double>(range().ymax - range().ymin), width, 1e-4);
        EXPECT_EQ(graph().sidePanel()->rangeEdit(0)->text().toStdString(), bench().settings().xmin);
        // Redrawn: the world point under the pointer kept its pixel.
        EXPECT_NEAR(static_cast<double>(bench().canvas().worldX(pixel.x())), x, 1e-4);
        EXPECT_NEAR(static_cast<double>(bench().canvas().worldY(pixel.y())), y, 1e-4);
        turnWheel(pixel, -eighths);  // the rest of a half notch is kept
    }
}

TEST_F(CanvasNavigationTest, MiddleAndCtrlDragPanWithoutMovingTheMouseWorldPoint) {
    const std::pair<Qt::MouseButton, Qt::KeyboardModifiers> rows[] = {
        {Qt::MiddleButton, Qt::NoModifier}, {Qt::LeftButton, Qt::ControlModifier}};
    for (const auto& [button, modifiers] : rows) {
        graph().restoreStandardWindow();
        const Number worldPerPixel = 10.0L / 359;
        bench().environment().mouse.x = 0;
        drag(button, modifiers, QPoint(100, 100), QPoint(136, 82));
        EXPECT_NEAR(static_cast<double>(range().xmin), -5 - 36 * worldPerPixel, 1e-4);
        EXPECT_NEAR(static_cast<double>(range().ymin), -5 - 18 * worldPerPixel, 1e-4);
        EXPECT_EQ(bench().environment().mouse.x, 0);
        EXPECT_FALSE(bench().panning());
    }
    // Switched off, a Ctrl+left drag is an ordinary drag again.
    menuAction(graph(), "&Zoomen en schuiven met de muis")->trigger();
    graph().restoreStandardWindow();
    drag(Qt::LeftButton, Qt::ControlModifier, QPoint(100, 100), QPoint(270, 90));
    EXPECT_EQ(bench().settings().xmin, "-5");
    EXPECT_NEAR(static_cast<double>(bench().environment().mouse.x), 2.5, 0.05);
    turnWheel(QPoint(100, 100), 120);
    EXPECT_EQ(bench().settings().xmin, "-5");
}

TEST_F(CanvasNavigationTest, TraceReadsAndMarksWithoutTouchingThePicture) {
    // One unit a pixel: x is the column, y is 359 − the row.
    GraphSettings& s = bench().settings();
    std::tie(s.xmin, s.xmax, s.ymin, s.ymax) = std::tuple("0", "359", "0", "359");
    s.functions[0] = "x^2/100";
    graph().redraw();
    const QImage picture = bench().canvas().image().convertToFormat(QImage::Format_RGB32);
    const auto shown = [this] {
        return canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    hover(QPoint(100, 50));
    EXPECT_EQ(graph().pointerReadout()->text(), "x = 100   y = 309");
    EXPECT_TRUE(canvas()->marks().empty());
    graph().traceAction()->trigger();
    EXPECT_EQ(graph().pointerReadout()->text(), "x = 100   y = 309   F(x) = 100");
    ASSERT_EQ(canvas()->marks().size(), 1u);
    EXPECT_EQ(canvas()->marks()[0].py, 259);
    // The mark is on the view only: the picture and what exports use stay as drawn.
    EXPECT_NE(shown(), picture);
    EXPECT_EQ(bench().canvas().image().convertToFormat(QImage::Format_RGB32), picture);
    hover(QPoint(300, 50));  // F(300) = 900 is above the canvas
    EXPECT_TRUE(canvas()->marks().empty());
    EXPECT_EQ(shown(), picture);
    EXPECT_TRUE(bench().settings().trace);
}

TEST_F(CanvasNavigationTest, TableShowsAndCopiesTheValues) {
    bench().settings().functions[1] = "2*x";
    graph().redraw();
    FunctionTableWindow* table = graph().functionTable();
    EXPECT_EQ(table->startEdit()->text(), "-5");
    EXPECT_EQ(table->stepEdit()->text(), "1");
    EXPECT_EQ(table->table()->rowCount(), 11);
    table->startEdit()->setText("0.5");
    table->rowsEdit()->setText("3");
    EXPECT_EQ(table->table()->horizontalHeaderItem(1)->text(), "G(x)");
    EXPECT_EQ(table->table()->item(2, 1)->text(), "5");
    table->copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "x\tG(x)\n0.5\t1\n1.5\t3\n2.5\t5\n");
    table->stepEdit()->setText("een");
    EXPECT_EQ(table->table()->rowCount(), 0);
}

}  // namespace
}  // namespace kalvor
