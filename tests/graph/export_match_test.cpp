#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <optional>

#include "../support/pixels.h"
#include "../support/svg_render.h"
#include "workbench_fixture.h"

// The example drawings exported as PNG, PDF, SVG, LaTeX picture and TikZ, each rendered by an
// outside program, must show what the canvas shows, cell by cell: the same cells inked, and
// inked about as densely (a hatch is not a solid area, dots are not a solid line). The
// picture, placed on a larger page, must not reach beyond its own rectangle. Set
// KALVOR_EXPORTS_OUT to a folder to keep the files and renderings for a look.

namespace kalvor {
namespace {

using test::haveProgram;
using test::runProgram;

constexpr int kSize = 360;  // canvas and renderings, in pixels
constexpr int kCells = 24;

bool inked(QRgb p) {
    return std::min({qRed(p), qGreen(p), qBlue(p)}) < 200;
}

// The share of inked pixels in each cell of a square image of a multiple of the canvas
// size, counted at its own size: scaling down would lose or pale its thin lines.
std::vector<double> cellInk(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int size = rgb.width() - rgb.width() % kSize;
    const int step = size / kCells;
    std::vector<double> ink(kCells * kCells, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (inked(rgb.pixel(x, y))) ink[(y / step) * kCells + x / step] += 1.0 / (step * step);
    return ink;
}

struct Agreement {
    double inked;    // share of cells that both leave empty or both ink
    double density;  // of the cells both ink, the share inked within a factor of 2.5
};

Agreement agreement(const QImage& canvas, const QImage& other) {
    const std::vector<double> a = cellInk(canvas), b = cellInk(other);
    int same = 0, both = 0, alike = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool ia = a[i] > 0.005, ib = b[i] > 0.005;
        same += ia == ib;
        if (!ia || !ib) continue;
        ++both;
        alike += std::max(a[i], b[i]) <= 2.5 * std::min(a[i], b[i]);
    }
    return {double(same) / a.size(), both ? double(alike) / both : 1};
}

// A 50 mm picture with 20 mm of empty page around it.
constexpr int kPage = kSize * 90 / 50, kMargin = kSize * 20 / 50;

// The TikZ picture has the canvas's size at 96 dpi (360 pixels: 95.25 mm), on a page with
// 60 pixels of margin.
constexpr const char* kTikzDocument = R"(\documentclass{article}
\usepackage[T1]{fontenc}
\usepackage{tikz}
\usetikzlibrary{patterns}
\pagestyle{empty}
\setlength{\paperwidth}{127mm}\setlength{\paperheight}{127mm}
\setlength{\pdfpagewidth}{127mm}\setlength{\pdfpageheight}{127mm}
\setlength{\hoffset}{-1in}\setlength{\voffset}{-1in}
\setlength{\oddsidemargin}{15.875mm}\setlength{\topmargin}{15.875mm}
\setlength{\headheight}{0mm}\setlength{\headsep}{0mm}
\setlength{\textwidth}{100mm}\setlength{\textheight}{100mm}
\setlength{\topskip}{0mm}\setlength{\parindent}{0mm}
\begin{document}
\input{drawing.tikz}
\end{document}
)";
constexpr int kTikzPage = 480, kTikzMargin = 60;

struct Exports {
    QTemporaryDir temp;
    QString dir;
    QImage canvas;
    QString file(const QString& name) const { return dir + "/" + name; }
};

Exports exportExample(const char* name) {
    Exports out;
    out.dir = qEnvironmentVariable("KALVOR_EXPORTS_OUT");
    if (out.dir.isEmpty()) out.dir = out.temp.path();
    out.dir += QString("/") + name;
    QDir().mkpath(out.dir);
    test::BenchFixture f;
    f.bench.resizeCanvas(kSize, kSize);
    f.bench.settings().metafileFullSize = true;
    const QString source = QString(KALVOR_TEST_DATA) + "/../../resources/examples/" + name + ".txt";
    f.program(test::readBytes(source));
    auto path = [&](const char* file) { return out.file(file).toStdString(); };
    EXPECT_TRUE(f.bench.redraw());
    EXPECT_TRUE(f.bench.exportPng(path("canvas.png")));
    EXPECT_TRUE(f.bench.exportPdf(path("drawing.pdf")));
    EXPECT_TRUE(f.bench.exportMetafile(path("mirror.svg")));
    EXPECT_TRUE(f.bench.exportEepic(path("picture.tex")));
    EXPECT_TRUE(f.bench.exportTikz(path("drawing.tikz")));
    for (const auto& m : f.host.messages())
        EXPECT_NE(m.caption, "Oeps") << name << ": " << m.text;
    out.canvas = QImage(out.file("canvas.png"));
    return out;
}

QImage renderTikz(const Exports& e) {
    EXPECT_TRUE(test::writeBytes(e.file("tikz.tex"), kTikzDocument));
    std::string log;
    const QStringList latex{"-interaction=nonstopmode", "-halt-on-error", "tikz.tex"};
    EXPECT_EQ(runProgram("pdflatex", latex, &log, e.dir), 0) << log;
    const QImage page = test::renderPdfFile(e.file("tikz.pdf"), e.file("tikz"), kTikzPage, &log);
    return page.copy(kTikzMargin, kTikzMargin, kSize, kSize);
}

int inkOutside(const QImage& page) {
    const QRect picture = QRect(kMargin, kMargin, kSize, kSize).adjusted(-2, -2, 2, 2);
    return test::countPixels(page, inked) - test::countPixels(page.copy(picture), inked);
}

struct Row {
    const char* example;
    bool textFree;  // text is not cut to the picture, so only text-free drawings stay inside
};

class ExportsMatchTheCanvas : public testing::TestWithParam<Row> {};

TEST_P(ExportsMatchTheCanvas, CellByCell) {
    if (!haveProgram("pdftoppm") || !haveProgram("latex") || !haveProgram("dvipdfmx") ||
        !haveProgram("pdflatex"))
        GTEST_SKIP() << "pdftoppm, latex, pdflatex or dvipdfmx missing";
    const Row& r = GetParam();
    const Exports e = exportExample(r.example);
    ASSERT_FALSE(e.canvas.isNull());
    std::string log;
    const QImage page = test::renderPicturePage(e.dir, 90, 20, kPage, &log);
    ASSERT_EQ(page.width(), kPage) << log;
    const struct {
        const char* sink;
        QImage image;
        double inked;
        std::optional<double> density;
    } sinks[] = {
        {"PDF", test::renderPdfFile(e.file("drawing.pdf"), e.file("pdf"), kSize, &log), 0.9, 0.85},
        {"SVG",
         test::renderSvgFile(e.file("mirror.svg"), e.file("mirror.png"), 2 * kSize, 2 * kSize), 0.9,
         0.85},
        // The picture text has no hatches: its shade is a gray area, so only the inked
        // cells compare.
        {"picture", page.copy(kMargin, kMargin, kSize, kSize), 0.85, std::nullopt},
        {"TikZ", renderTikz(e), 0.9, 0.85},
    };
    for (const auto& s : sinks) {
        ASSERT_FALSE(s.image.isNull()) << s.sink;
        const Agreement a = agreement(e.canvas, s.image);
        EXPECT_GE(a.inked, s.inked) << r.example << ": canvas and " << s.sink;
        if (s.density) {
            EXPECT_GE(a.density, *s.density) << r.example << ": canvas and " << s.sink;
        }
    }
    if (r.textFree) {
        EXPECT_EQ(inkOutside(page), 0) << r.example;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExportsMatchTheCanvas,
                         testing::Values(Row{"vlakke_figuren", false},
                                         Row{"pennen_en_vulstijlen", true},
                                         Row{"richtingsveld", false}, Row{"ruimtefiguren", false}),
                         [](const auto& info) { return std::string(info.param.example); });

}  // namespace
}  // namespace kalvor
