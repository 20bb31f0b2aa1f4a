#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "../support/file_checks.h"
#include "../support/recording_host.h"
#include "graph/workbench.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::haveProgram;
using test::ProgramRunner;
using test::readBytes;
using test::runProgram;

struct ExportFixture {
    QTemporaryDir dir;
    test::RecordingHost host;
    Workbench bench{host};

    ExportFixture() { bench.setProgram(ProgramRunner::compile("F=3*x^2\nG=sin(x)\nasopties=RSG")); }
    std::string file(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    std::string text(const char* name) const {
        return readBytes(QString::fromStdString(file(name)));
    }
};

// The export, not the recorder, reports the save and offers the preview.
TEST(Export, PdfReportsTheSaveAndOpensThePreviewOnYes) {
    struct Row {
        Host::Answer preview;
        std::size_t opened;
    };
    for (const Row& row : {Row{Host::Answer::Yes, 1}, Row{Host::Answer::No, 0}}) {
        ExportFixture f;
        f.host.answer = row.preview;
        const std::string name = f.file("t.pdf");
        ASSERT_TRUE(f.bench.exportPdf(name));
        ASSERT_EQ(f.host.boxes.size(), 2u);
        EXPECT_EQ(f.host.boxes[0].text, "Succesfully saved " + name + ".");
        EXPECT_EQ(f.host.boxes[1].text, "Succesfully saved " + name + ".\r\rPreview?");
        EXPECT_EQ(f.host.opened.size(), row.opened);
    }
    ExportFixture f;
    const std::string name = f.file("geen/map/t.pdf");
    EXPECT_FALSE(f.bench.exportPdf(name));
    ASSERT_EQ(f.host.boxes.size(), 1u);
    EXPECT_EQ(f.host.boxes[0].text,
              "Failed to save " + name + "; " + name + " might be in use by another application.");
    EXPECT_EQ(f.host.boxes[0].icon, Host::Icon::Error);
    EXPECT_TRUE(f.host.opened.empty());
}

TEST(Export, EepicFramesThePictureAndCompiles) {
    ExportFixture f;
    f.bench.settings().ymin = "-2";
    f.bench.settings().ymax = "2";
    ASSERT_TRUE(f.bench.exportEepic(f.file("eepic.tex")));
    const std::string tex = f.text("eepic.tex");
    EXPECT_EQ(tex.rfind("\\setlength{\\unitlength}{5.00000mm}\r\n"
                        "\\begin{picture}(10.000,10.000)(-5.000,-5.000)\r\n\\thinlines\r\n",
                        0),
              0u);
    EXPECT_NE(tex.find("\\thinlines\r\n\\end{picture}\r\n"), std::string::npos);
    EXPECT_FALSE(f.bench.drawing().eepicRecording());
    if (!haveProgram("latex")) GTEST_SKIP() << "latex missing";
    const std::string document =
        "\\documentclass{article}\n\\usepackage{epic,eepic}\n"
        "\\begin{document}\n\\input{eepic.tex}\n\\end{document}\n";
    ASSERT_TRUE(test::writeBytes(f.dir.path() + "/doc.tex", document));
    std::string log;
    EXPECT_EQ(runProgram("latex", {"-interaction=nonstopmode", "-halt-on-error", "doc.tex"}, &log,
                         f.dir.path()),
              0)
        << log;
}

TEST(Export, MetafileAtTwiceOrOnceTheCanvasSize) {
    for (bool fullSize : {true, false}) {
        ExportFixture f;
        f.bench.settings().metafileFullSize = fullSize;
        ASSERT_TRUE(f.bench.exportMetafile(f.file("met.svg")));
        QSvgRenderer svg(QString::fromStdString(f.file("met.svg")));
        ASSERT_TRUE(svg.isValid());
        const int side = fullSize ? 720 : 360;
        EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, side, side));
        EXPECT_EQ(f.bench.canvas().width(), 360);
        EXPECT_EQ(f.bench.canvas().font().size, 10);
        EXPECT_EQ(f.bench.samplesPerWidth(), 360);
        EXPECT_FALSE(f.bench.canvas().recordMetafile());
    }
}

TEST(Export, UnwritableFilesAreReported) {
    ExportFixture f;
    EXPECT_FALSE(f.bench.exportEepic(f.file("nergens/eepic.tex")));
    EXPECT_EQ(f.host.boxes.back().text.rfind("Kan ", 0), 0u);
    EXPECT_FALSE(f.bench.exportMetafile(f.file("nergens/met.svg")));
    EXPECT_FALSE(f.bench.exportPdf(f.file("nergens/x.pdf")));
    EXPECT_EQ(f.host.boxes.back().text.rfind("Failed to save", 0), 0u);
    EXPECT_FALSE(f.bench.exportPng(f.file("nergens/a.png")));
    EXPECT_FALSE(f.bench.drawing().pdfRecording() || f.bench.drawing().eepicRecording());
}

// ---- kalvor run --export ----

struct CommandLine {
    QTemporaryDir dir;
    std::string output;
    int run(const QStringList& args) {
        QStringList all{"run", "programma.txt"};
        all += args;
        return runProgram(KALVOR_EXECUTABLE, all, &output, dir.path());
    }
    QString path(const char* name) const { return dir.path() + "/" + name; }
};

TEST(CommandLine, ExportsTheRedrawnDrawing) {
    CommandLine c;
    ASSERT_TRUE(test::writeBytes(c.path("programma.txt"), "F=x^2\nschrijfregel(t;klaar)\n"));
    ASSERT_EQ(c.run({"--size", "200x100", "--export", "a.png"}), 0) << c.output;
    EXPECT_EQ(QImage(c.path("a.png")).size(), QSize(200, 100));
    EXPECT_NE(c.output.find("klaar"), std::string::npos);
    for (const auto& [file, start] :
         {std::pair{"a.tex", "\\setlength"}, {"a.svg", "<?xml"}, {"a.pdf", "%PDF-1.1"}}) {
        ASSERT_EQ(c.run({"--export", file}), 0) << c.output;
        EXPECT_EQ(readBytes(c.path(file)).rfind(start, 0), 0u) << file;
    }
    EXPECT_TRUE(QSvgRenderer(c.path("a.svg")).isValid());
    for (const char* raster : {"a.bmp", "a.jpg", "a.GIF"}) {
        ASSERT_EQ(c.run({"--size", "200x100", "--export", raster}), 0) << c.output;
        EXPECT_EQ(QImage(c.path(raster)).size(), QSize(200, 100)) << raster;
    }
}

TEST(CommandLine, ExportProblemsEndWithStatusTwo) {
    CommandLine c;
    ASSERT_TRUE(test::writeBytes(c.path("programma.txt"), "F=x\n"));
    const QStringList cases[] = {{"--export", "a.tiff"},    {"--export", "a.doc"},
                                 {"--size", "0x10"},        {"--size", "groot"},
                                 {"--export", "weg/a.png"}, {"--set", "xmin=abc"},
                                 {"--set", "askleur=rood"}};
    for (const QStringList& args : cases)
        EXPECT_EQ(c.run(args), 2) << args.join(' ').toStdString() << "\n" << c.output;
}

}  // namespace
}  // namespace kalvor
