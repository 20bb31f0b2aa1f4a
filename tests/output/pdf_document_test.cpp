#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <numbers>
#include <regex>

#include "../support/file_checks.h"
#include "../support/pixels.h"
#include "output/pdf_recorder.h"

namespace kalvor {
namespace {

using test::golden;
using test::haveProgram;
using test::runProgram;

PdfRecorder fixedClockRecorder() {
    PdfRecorder recorder;
    recorder.setClock([] { return std::string("20240102030405"); });
    return recorder;
}

// A small drawing that uses every kind of operation.
PdfRecorder sampleDocument() {
    PdfRecorder r = fixedClockRecorder();
    r.beginDoc(360, 300, -5, 5, -4, 4);
    r.lineWidth(6);
    r.startPath(0x0000FF, 0xFFFFFF, -4, -3);
    r.lineTo(0, 3);
    r.lineTo(4, -3);
    r.endPath(true, false);
    r.lineWidth(2);
    r.drawLine(0x808080, true, -5, 0, 5, 0);
    r.drawVector(0, 0, 0, 2, 1);
    r.rectangle(0, true, 0x00FF00, 1, 1, 2, 1.5L);
    r.ellipse(0xFF0000, true, 0xC0C0FF, -4, 1, -1, 3);
    r.rotatedEllipse(0, false, 0, 1, -3, 4, -1, 0.5L);
    r.circleByRadius(0, false, 0, 0, 0, 1);
    r.arc(0x0000FF, 0, 0, 2, 2, 0, std::numbers::pi_v<long double>);
    r.pie(0, true, 0x00FFFF, -3, -2, 1, 1, 0, 1.5L);
    r.chord(0, true, 0xFF00FF, 3, 2, 1, 0.5L, 2, 5);
    r.textOut("Kalvor (1)", "F5", -4.5L, 3.5L, 12, 0, 0);
    r.textOutRaised("sch\xC3\xA4\x64\x65l \\", "F10", 0, -3.5L, -7.2L, 14, 0x0000FF, 0.5L);
    r.endDoc();
    return r;
}

TEST(PdfDocument, EmptyDrawingMatchesItsGolden) {
    PdfRecorder r = fixedClockRecorder();
    r.beginDoc(360, 360, -5, 5, -5, 5);
    r.endDoc();
    const std::string doc = r.document();
    EXPECT_EQ(doc, golden("pdf_empty.pdf", doc));
    // The content stream holds only the transformation and the line width.
    EXPECT_NE(doc.find("stream\r\n1 0 0 1 141.7320 141.7320 cm\r\n0.5669 w\r\nendstream"),
              std::string::npos);
    EXPECT_NE(doc.find("xref\r\n0 22\r\n"), std::string::npos);
    EXPECT_NE(doc.find("/Size 22\r\n"), std::string::npos);
    EXPECT_EQ(doc.compare(0, 17, "%PDF-1.1\r\n%\xE2\xE3\xCF\xD3\r\n"), 0);
}

TEST(PdfDocument, SampleDrawingMatchesItsGolden) {
    const std::string doc = sampleDocument().document();
    EXPECT_EQ(doc, golden("pdf_sample.pdf", doc));
}

// Every cross-reference entry points at its object line; startxref at "xref"; the stream
// length is the number of bytes between the stream and endstream lines.
void expectConsistentOffsets(const std::string& doc) {
    const std::size_t xref = doc.rfind("\r\nxref\r\n") + 2;
    const std::size_t start = doc.rfind("startxref\r\n") + 11;
    EXPECT_EQ(std::stoul(doc.substr(start)), xref);
    std::size_t entry = doc.find("0000000000 65535 f\r\n", xref) + 20;
    for (int object = 1; object <= 21; ++object, entry += 20) {
        const std::size_t offset = std::stoul(doc.substr(entry, 10));
        const std::string head = std::to_string(object) + " 0 obj\r\n";
        EXPECT_EQ(doc.compare(offset, head.size(), head), 0) << object;
        EXPECT_EQ(doc.compare(entry + 10, 10, " 00000 n\r\n"), 0) << object;
    }
    const std::size_t data = doc.find("stream\r\n") + 8;
    const std::size_t end = doc.find("endstream\r\n");
    const std::size_t lengthAt = doc.find("21 0 obj\r\n") + 10;
    EXPECT_EQ(std::stoul(doc.substr(lengthAt)), end - data);
}

TEST(PdfDocument, CrossReferenceOffsetsPointAtTheirObjects) {
    expectConsistentOffsets(sampleDocument().document());
    PdfRecorder r = fixedClockRecorder();
    r.beginDoc(100, 100, 0, 1, 0, 1);
    r.textOut("3 0 obj", "F1", 0.5L, 0.5L, 10, 0, 0);  // text that looks like an object line
    r.endDoc();
    expectConsistentOffsets(r.document());
}

TEST(PdfDocument, WrittenFilesPassQpdfAndRender) {
    if (!haveProgram("qpdf") || !haveProgram("pdftoppm"))
        GTEST_SKIP() << "qpdf or pdftoppm missing";
    QTemporaryDir dir;
    PdfRecorder empty = fixedClockRecorder();
    const PdfRecorder sample = sampleDocument();
    empty.beginDoc(360, 360, -5, 5, -5, 5);
    empty.endDoc();
    const std::pair<QString, const PdfRecorder*> docs[] = {{"empty", &empty}, {"sample", &sample}};
    for (const auto& [name, recorder] : docs) {
        const QString pdf = dir.path() + "/" + name + ".pdf";
        ASSERT_TRUE(recorder->writeFile(pdf.toStdString()));
        std::string output;
        EXPECT_EQ(runProgram("qpdf", QStringList{"--check", pdf}, &output), 0) << output;
        EXPECT_EQ(output.find("WARNING"), std::string::npos) << output;
        const QStringList args{"-png", "-r", "36", pdf, dir.path() + "/" + name};
        EXPECT_EQ(runProgram("pdftoppm", args, &output), 0) << output;
        EXPECT_TRUE(QFile::exists(dir.path() + "/" + name + "-1.png")) << name.toStdString();
    }
}

// Text in each font family shows ink when rendered (the symbol font included).
TEST(PdfDocument, TextInEveryFontFamilyRenders) {
    if (!haveProgram("pdftoppm")) GTEST_SKIP() << "pdftoppm missing";
    QTemporaryDir dir;
    for (const char* font : {"F1", "F5", "F12", "F13"}) {
        PdfRecorder r = fixedClockRecorder();
        r.beginDoc(200, 100, 0, 2, 0, 1);
        r.textOut("pa", font, 0.5L, 0.4L, 40, 0, 0);
        r.endDoc();
        const QString pdf = dir.path() + "/" + font + ".pdf";
        ASSERT_TRUE(r.writeFile(pdf.toStdString()));
        ASSERT_EQ(runProgram("pdftoppm", QStringList{"-png", "-r", "72", pdf, pdf}, nullptr), 0);
        const QImage image(pdf + "-1.png");
        ASSERT_FALSE(image.isNull()) << font;
        EXPECT_GT(test::countPixels(image, [](QRgb rgb) { return qGray(rgb) < 128; }), 50) << font;
    }
}

TEST(PdfDocument, AFailedWriteKeepsTheDocument) {
    QTemporaryDir dir;
    const PdfRecorder doc = sampleDocument();
    EXPECT_FALSE(doc.writeFile((dir.path() + "/geen/map/t.pdf").toStdString()));
    EXPECT_FALSE(doc.lines().empty());
}

TEST(PdfDocument, CreationDateComesFromTheLocalClock) {
    PdfRecorder r;
    r.beginDoc(10, 10, 0, 1, 0, 1);
    EXPECT_TRUE(std::regex_match(r.lines()[4], std::regex(R"(/CreationDate \(D:20\d{12}\))")))
        << r.lines()[4];
}

}  // namespace
}  // namespace kalvor
