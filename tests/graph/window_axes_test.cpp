#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas/drawing_context.h"
#include "graph/window_axes.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::countOf;

// A canvas with the three sinks, the picture text recording.
struct Axes {
    WorldCanvas canvas;
    PdfRecorder pdf;
    PictureText picture;
    DrawingContext drawing{canvas, pdf, picture};
    GraphSettings settings;
    WindowAxes axes{drawing, settings};

    explicit Axes(Number x1 = -5, Number x2 = 5, Number y1 = -5, Number y2 = 5) {
        canvas.resize(360, 360);
        canvas.setWorld(x1, y1, x2, y2);
        drawing.setEepicRecording(true);
    }
    std::vector<std::string> lines(bool own = false, OwnAxesRequest request = {}) {
        picture.clear();
        if (own) {
            drawing.startRun(kBlack);
            axes.drawOwnAxes(request);
            drawing.endRun();
        } else {
            axes.drawWindowAxes(false);
        }
        return picture.lines();
    }
};

TEST(MiddleAxes, AtMostTwentyFourTicksEachSide) {
    EXPECT_EQ(countOf(Axes(20, 40, -5, 5).lines(), "\\put(") - 10, 11);  // 20 … 40 step 2
    EXPECT_EQ(countOf(Axes(50, 70, -5, 5).lines(), "\\put(") - 10, 0);   // beyond 24 steps
}

TEST(WindowAxes, StylesSidesAndNone) {
    Axes a;
    a.settings.axes = AxisStyle::Sides;
    EXPECT_TRUE(a.lines().empty());  // the framed axes belong to the canvas only
    EXPECT_TRUE(a.canvas.clipped());
    a.settings.axes = AxisStyle::None;
    EXPECT_TRUE(a.lines().empty());
    a.settings.axes = AxisStyle::Middle;
    EXPECT_FALSE(a.lines().empty());
    EXPECT_FALSE(a.canvas.clipped());
}

TEST(OwnAxes, StepsThatNeverEndDrawOnlyTheAxes) {
    for (Number step : {0.0L, -1.0L, 1e-12L}) {
        Axes a;
        const auto lines = a.lines(true, {"", "", step, step, {}});
        EXPECT_EQ(countOf(lines, "\\path"), 2) << step;
        EXPECT_EQ(countOf(lines, "\\put"), 0) << step;
    }
}

}  // namespace
}  // namespace kalvor
