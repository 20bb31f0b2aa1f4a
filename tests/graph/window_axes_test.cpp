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
using test::indexOf;

struct StepCase {
    Number range, step;
    const char* format;
};

TEST(TickSteps, OneTwoOrFiveTimesAPowerOfTen) {
    // clang-format off
    const StepCase cases[] = {
        {10, 1, ""},           {4, 0.5L, ""},         {2, 0.2L, ""},          {6, 1, ""},
        {1000, 100, ""},       {5000, 1000, "#.#E-"}, {0.02L, 0.002L, "0E-"}, {20, 2, ""},
        {200, 20, ""},         {0.05L, 0.01L, ""},    {1, 0.1L, ""},          {3, 0.5L, ""},
        {1.5L, 0.2L, ""},      {1e6L, 1e5L, "#.#E-"}, {0.01L, 0.001L, "0E-"}, {7, 1, ""},
        {50000, 10000, "#.#E-"}, {0.2L, 0.02L, ""}};
    // clang-format on
    for (const StepCase& c : cases) {
        const Number step = niceTickStep(c.range);
        EXPECT_NEAR(static_cast<double>(step / c.step), 1.0, 1e-12) << "range " << c.range;
        EXPECT_EQ(tickNumberFormat(step), c.format) << "range " << c.range;
    }
}

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

TEST(MiddleAxes, NumbersTicksAndGridAsTheOptionsSay) {
    Axes a;
    auto lines = a.lines();
    EXPECT_EQ(countOf(lines, "\\put"), 20);  // −5 … 5 without 0, on both axes
    EXPECT_NE(indexOf(lines, "\\put(-5.000,-0.100){\\makebox(0,0)[ct]{{\\footnotesize -5}}}"), -1);
    EXPECT_NE(indexOf(lines, "\\put(0.118,4.167){\\makebox(0,0)[lt]{{\\footnotesize 4}}}"), -1);
    EXPECT_EQ(countOf(lines, "\\path"), 2 + 20);  // axes and ticks

    a.settings.grid = true;
    a.settings.ticks = false;
    lines = a.lines();
    EXPECT_NE(indexOf(lines, "\\put(-5.000,-0.100){\\makebox(0,0)[lt]{{\\footnotesize -5}}}"), -1);
    EXPECT_NE(indexOf(lines, "\\path(-5.000,-5.000)(-5.000,5.000)"), -1);
    EXPECT_EQ(indexOf(lines, "\\path(-5.000,0.100)(-5.000,-0.100)"), -1);

    a.settings.numbers = false;
    EXPECT_EQ(countOf(a.lines(), "\\put"), 0);
}

TEST(MiddleAxes, AxisWidthAndLabelsInThePicture) {
    Axes a;
    a.settings.axisSwatch.width = 2;
    a.settings.showXLabel = true;
    a.settings.xlabel = "tijd";
    const auto lines = a.lines();
    const int label = indexOf(lines, "\\put(4.800,0.000){\\makebox(0,0)[rb]{tijd}}");
    const int thick = indexOf(lines, "\\thicklines");
    const int axis = indexOf(lines, "\\path(-5.000,0.000)(5.000,0.000)");
    ASSERT_NE(label, -1);
    EXPECT_LT(label, thick);
    EXPECT_EQ(thick + 1, axis);
    EXPECT_EQ(lines.at(axis + 2), "\\thinlines");
    EXPECT_EQ(a.canvas.pen().width, 1);
}

bool holds(const std::vector<std::string>& lines, const std::string& part) {
    for (const auto& l : lines)
        if (l.find(part) != std::string::npos) return true;
    return false;
}

TEST(MiddleAxes, NumbersInExponentFormForLargeAndSmallSteps) {
    Axes a(-5000, 5000, -0.01L, 0.01L);
    const auto lines = a.lines();
    EXPECT_TRUE(holds(lines, "[ct]{{\\footnotesize 3E3}}"));
    EXPECT_TRUE(holds(lines, "[lt]{{\\footnotesize 4E-3}}"));
    EXPECT_FALSE(holds(lines, "3000}"));
}

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

TEST(OwnAxes, StepsFormatsAndPi) {
    Axes a;
    auto lines = a.lines(true, {"", "", 2, 5, {}});
    // x: −4, −2, 2, 4; y: −5 and 5.
    EXPECT_EQ(countOf(lines, "\\put"), 6);
    EXPECT_NE(indexOf(lines, "\\put(-4.000,-0.100){\\makebox(0,0)[ct]{{\\footnotesize -4}}}"), -1);

    lines = a.lines(true, {"0p", "0.0", 1, 2.5L, {}});
    for (const char* put :
         {"\\put(-3.142,-0.100){\\makebox(0,0)[ct]{{\\footnotesize -$\\pi\\mathstrut$}}}",
          "\\put(3.142,-0.100){\\makebox(0,0)[ct]{{\\footnotesize $\\pi\\mathstrut$}}}",
          "\\put(0.100,2.667){\\makebox(0,0)[lt]{{\\footnotesize 2.5}}}"})
        EXPECT_NE(indexOf(lines, put), -1) << put;
    EXPECT_EQ(a.drawing.state().fontName, a.canvas.font().name);  // Symbol only for the numbers
}

TEST(OwnAxes, PiNumbersReachThePdfInTheSymbolFont) {
    Axes a;
    a.drawing.setEepicRecording(false);
    a.drawing.setPdfRecording(true);
    a.pdf.beginDoc(360, 360, -5, 5, -5, 5);
    a.drawing.startRun(kBlack);
    a.axes.drawOwnAxes({"0p", "", 1, 1, {}});
    a.drawing.endRun();
    std::string all;
    for (const auto& l : a.pdf.lines())
        all += l + "\n";
    EXPECT_NE(all.find("/F13"), std::string::npos);
    EXPECT_NE(all.find("(p) Tj"), std::string::npos);
    EXPECT_NE(all.find("(-p) Tj"), std::string::npos);
}

TEST(OwnAxes, StepsThatNeverEndDrawOnlyTheAxes) {
    for (Number step : {0.0L, -1.0L, 1e-12L}) {
        Axes a;
        const auto lines = a.lines(true, {"", "", step, step, {}});
        EXPECT_EQ(countOf(lines, "\\path"), 2) << step;
        EXPECT_EQ(countOf(lines, "\\put"), 0) << step;
    }
}

TEST(OwnAxes, ThinLinesAroundTicksForAWideProgramPen) {
    Axes a;
    a.picture.clear();
    a.drawing.startRun(kBlack);
    a.drawing.setLineWidth(3);
    a.picture.clear();
    a.axes.drawOwnAxes({"", "", 1, 1, {}});
    const auto lines = a.picture.lines();
    EXPECT_EQ(lines.at(2), "\\thinlines");
    EXPECT_EQ(lines.back(), "\\Thicklines");
    EXPECT_EQ(a.canvas.pen().width, 3);
    a.drawing.endRun();
}

}  // namespace
}  // namespace kalvor
