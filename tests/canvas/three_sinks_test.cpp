#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "../support/file_checks.h"
#include "../support/svg_render.h"
#include "canvas/drawing_context.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

// One test drawing goes through the drawing primitives into all three sinks and the
// canvas's vector mirror; the PDF and the LaTeX picture, rendered by outside programs, and
// the mirror must cover the same places as the canvas. Set KALVOR_SINKS_OUT to a folder to keep the
// files and renderings for a look.

namespace kalvor {
namespace {

using test::haveProgram;
using test::runProgram;

constexpr int kSize = 360;
constexpr Color kRed = 0x0000FF, kGreen = 0x00A000, kBlue = 0xFF0000;

void drawAxes(DrawingContext& c) {
    c.line([] { return Segment{-5, 0, 5, 0}; });
    c.line([] { return Segment{0, -5, 0, 5}; });
    for (int k = -4; k <= 4; ++k) {
        if (k == 0) continue;
        c.line([k] { return Segment{Number(k), -0.1L, Number(k), 0.1L}; });
        c.line([k] { return Segment{-0.1L, Number(k), 0.1L, Number(k)}; });
        c.alignedText(
            [k] {
                return AlignedTextArgs{std::to_string(k), "ct", Number(k), -0.2L};
            },
            TextSize::Footnote);
    }
}

void drawFigures(DrawingContext& c) {
    DrawingState& s = c.state();
    for (int width = 1; width <= 3; ++width) {  // upper left: three widths
        c.setLineWidth(width);
        c.line([width] { return Segment{-4.5L, 4.6L - width * 0.5L, -1.5L, 4.6L - width * 0.5L}; });
    }
    c.setLineWidth(1);
    c.setPenColor(kRed);
    s.fillColor = kRed;  // lower left: a solid triangle
    s.fillStyle = 0;
    c.polygon(
        [] {
            return PointList{{-4.5L, -4.5L}, {-1.5L, -4.5L}, {-4.5L, -1.5L}};
        },
        PathText::Points, true);
    c.setPenColor(kBlue);  // upper right: a hatched ellipse
    s.fillColor = kBlue;
    s.fillStyle = 4;
    c.ellipse([] { return Box{1, 1.5L, 4.5L, 3.5L}; });
    c.setPenColor(kGreen);  // lower right: a sector
    s.fillColor = kGreen;
    s.fillStyle = 0;
    c.arc(ArcFigure::Sector, [] { return ArcArgs{3, -3, 1.5L, 0, 2}; });
    c.setPenColor(kBlack);
    c.arc(ArcFigure::Arc, [] { return ArcArgs{0, 0, 4.5L, 0.3L, 1.2L}; });
    c.bezier([] {
        return PointList{{-4.5L, -0.5L}, {-4, 1.5L},    {-3, -1.5L}, {-2.5L, -0.5L},
                         {-2, 0.5L},     {-1.5L, 1.5L}, {-1, -1}};
    });
    c.dashedLine([] { return Segment{1, -0.5L, 4.5L, -0.5L}; });
    c.arrow([] { return VectorArgs{1, 0.5L, 3, 0.5L}; });
    c.circle([] { return CircleArgs{-3, 2.5L, 0.6L}; });
    c.rectangle([] { return Box{-1, -4.5L, 0.5L, -3.5L}; });
    c.text([] { return TextArgs{"Kalvor 2.1", -4.5L, -2, 0}; });
    c.text([] { return TextArgs{"schuin", 1.2L, -1.2L, 30}; });
}

// The drawing as the export redraws it: a frame around the world, axes, figures.
void drawTestPicture(DrawingContext& c) {
    c.startRun(kBlack);
    c.rectangle([] { return Box{-5, -5, 5, 5}; });
    drawAxes(c);
    drawFigures(c);
    c.endRun();
}

// Which cells of a grid over the image hold ink.
std::vector<bool> inkCells(const QImage& image, int cells) {
    std::vector<bool> ink(cells * cells, false);
    const QImage scaled = image.scaled(kSize, kSize).convertToFormat(QImage::Format_RGB32);
    const int step = kSize / cells;
    for (int y = 2; y < kSize - 2; ++y)
        for (int x = 2; x < kSize - 2; ++x)
            if (qGray(scaled.pixel(x, y)) < 200) ink[(y / step) * cells + x / step] = true;
    return ink;
}

double agreement(const QImage& a, const QImage& b, int cells) {
    const std::vector<bool> ia = inkCells(a, cells), ib = inkCells(b, cells);
    int same = 0;
    for (std::size_t i = 0; i < ia.size(); ++i)
        same += ia[i] == ib[i];
    return double(same) / ia.size();
}

// The test drawing in every sink, written once to files: canvas.png, drawing.pdf,
// picture.tex and mirror.svg.
struct Drawing {
    QTemporaryDir temp;
    QString dir;
    QImage canvas;
    QString file(const char* name) const { return dir + "/" + name; }
};

const Drawing& drawing() {
    static const std::unique_ptr<Drawing> d = [] {
        auto out = std::make_unique<Drawing>();
        out->dir = qEnvironmentVariable("KALVOR_SINKS_OUT");
        if (out->dir.isEmpty()) out->dir = out->temp.path();
        QDir().mkpath(out->dir);
        WorldCanvas canvas;
        canvas.resize(kSize, kSize);
        canvas.setWorld(-5, -5, 5, 5);
        canvas.brush() = {kWhite, BrushStyle::Solid};
        canvas.clear();
        canvas.setRecordMetafile(true);
        PdfRecorder pdf;
        PictureText picture;
        DrawingContext context(canvas, pdf, picture);
        pdf.beginDoc(kSize, kSize, -5, 5, -5, 5);
        picture.beginPicture(-5, 10, -5, 10);
        context.setPdfRecording(true);
        context.setEepicRecording(true);
        drawTestPicture(context);
        pdf.endDoc();
        picture.endPicture();
        out->canvas = canvas.image();
        out->canvas.save(out->file("canvas.png"));
        pdf.writeFile(out->file("drawing.pdf").toStdString());
        picture.saveToFile(out->file("picture.tex").toStdString());
        canvas.saveMetafile(out->file("mirror.svg").toStdString());
        return out;
    }();
    return *d;
}

void expectAgreement(const QImage& other, double least, const char* what) {
    ASSERT_FALSE(other.isNull()) << what;
    const double same = agreement(drawing().canvas, other, 24);
    EXPECT_GE(same, least) << "canvas and " << what << " agree on " << same * 100
                           << "% of the cells";
}

TEST(ThreeSinks, MirrorCoversWhatTheCanvasShows) {
    EXPECT_EQ(QSvgRenderer(drawing().file("mirror.svg")).viewBoxF(),
              QRectF(0, 0, 2 * kSize, 2 * kSize));
    const QImage mirror = test::renderSvgFile(drawing().file("mirror.svg"),
                                              drawing().file("mirror.png"), 2 * kSize, 2 * kSize);
    expectAgreement(mirror, 0.95, "mirror");
}

TEST(ThreeSinks, PdfCoversWhatTheCanvasShows) {
    if (!haveProgram("qpdf") || !haveProgram("pdftoppm")) GTEST_SKIP() << "qpdf or pdftoppm";
    std::string log;
    EXPECT_EQ(runProgram("qpdf", QStringList{"--check", drawing().file("drawing.pdf")}, &log), 0)
        << log;
    const QImage pdf =
        test::renderPdfFile(drawing().file("drawing.pdf"), drawing().file("pdf"), kSize, &log);
    expectAgreement(pdf, 0.93, "PDF");
}

TEST(ThreeSinks, PictureCoversWhatTheCanvasShows) {
    if (!haveProgram("latex") || !haveProgram("dvipdfmx") || !haveProgram("pdftoppm"))
        GTEST_SKIP() << "latex, dvipdfmx or pdftoppm missing";
    // The page is exactly the 50 mm picture.
    std::string log;
    const QImage page = test::renderPicturePage(drawing().dir, 50, 0, kSize, &log);
    ASSERT_FALSE(page.isNull()) << log;
    expectAgreement(page, 0.88, "picture");
}

}  // namespace
}  // namespace kalvor
