#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <numbers>

#include "../support/file_checks.h"
#include "output/picture_text.h"

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;
constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(PictureText, ExportFrameAndALine) {
    PictureText t;
    t.beginPicture(-5, 10, -2, 4);
    t.append(t.eepicLine(0, 0, 1, 1));
    t.endPicture();
    EXPECT_EQ(t.lines(), (Lines{"\\setlength{\\unitlength}{5.00000mm}",
                                "\\begin{picture}(10.000,10.000)(-5.000,-5.000)", "\\thinlines",
                                "\\path(0.000,0.000)(1.000,2.500)", "\\end{picture}"}));
    EXPECT_EQ(t.text().substr(0, 37), "\\setlength{\\unitlength}{5.00000mm}\r\n\\");
    t.beginPicture(0, 3, 0, 3);  // starts again from an empty text; four significant digits
    EXPECT_EQ(t.lines().size(), 3u);
    EXPECT_EQ(t.lines()[0], "\\setlength{\\unitlength}{16.67000mm}");
}

TEST(PictureText, CurrentPointOutlivesTheText) {
    PictureText t;
    t.eepicMoveTo(1, 2);
    EXPECT_EQ(t.eepicLineTo(3, 4), "\\path(1.000,2.000)(3.000,4.000)");
    t.beginPicture(0, 1, 0, 1);
    EXPECT_EQ(t.eepicLineTo(5, 6), "\\path(3.000,4.000)(5.000,6.000)");
}

TEST(PictureText, FragmentsWithLineBreaksBecomeSeveralLines) {
    struct Row {
        std::string fragment;
        Lines lines;
    };
    const Row rows[] = {
        {"a", {"a"}},
        {"", {""}},
        {"a\r\nb", {"a", "b"}},
        {"\\path(0.000,0.000)\r\n(1.000,1.000)\r\n", {"\\path(0.000,0.000)", "(1.000,1.000)"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}}};
    for (const Row& r : rows) {
        PictureText t;
        t.append(r.fragment);
        EXPECT_EQ(t.lines(), r.lines) << r.fragment;
    }
    PictureText t;
    t.append("\\shade");
    EXPECT_TRUE(t.lastLineIs("\\shade"));
    t.removeLastLine();
    EXPECT_TRUE(t.lines().empty());
    t.removeLastLine();
    // A shade taken back after other lines leaves them whole.
    t.append("\\path(0.000,0.000)(1.000,1.000)");
    t.append("\\shade");
    EXPECT_FALSE(t.lastLineIs("\\shad"));
    EXPECT_TRUE(t.lastLineIs("\\shade"));
    t.removeLastLine();
    t.append("b");
    EXPECT_EQ(t.text(), "\\path(0.000,0.000)(1.000,1.000)\r\nb\r\n");
    EXPECT_EQ(t.lines(), (Lines{"\\path(0.000,0.000)(1.000,1.000)", "b"}));
}

TEST(PictureText, SaveWritesCrLfLinesAndFailsCleanly) {
    QTemporaryDir dir;
    PictureText t;
    t.append("\\thinlines");
    t.append("\\path(0.000,0.000)(1.000,1.000)");
    const QString path = dir.path() + "/eepic.tex";
    ASSERT_TRUE(t.saveToFile(path.toStdString()));
    EXPECT_EQ(test::readBytes(path), "\\thinlines\r\n\\path(0.000,0.000)(1.000,1.000)\r\n");
    EXPECT_FALSE(t.saveToFile((dir.path() + "/geen/eepic.tex").toStdString()));
}

// Every kind of fragment inside a minimal document compiles with LaTeX and eepic.
TEST(PictureText, ExportedPictureCompilesWithLatex) {
    if (!test::haveProgram("latex")) GTEST_SKIP() << "latex missing";
    PictureText t;
    t.beginPicture(-5, 10, -4, 8);
    t.append(t.eepicLine(-5, 0, 5, 0));
    t.append(t.eepicDashedLine(0, -4, 0, 4));
    t.append("\\thicklines");
    t.append(t.eepicRectangle(1, 1, 3, 2));
    t.append("\\shade");
    t.append(t.eepicEllipse(-4, 1, -2, 3));
    t.append(t.eepicCircle(0, 0, 1));
    const auto arc = t.eepicArc(0, 0, 2, 0, kPi / 2);
    t.append(arc.first);
    t.append(arc.second);
    t.append("\\Thicklines");
    t.append("\\path" + t.pl(-4, -3) + t.pl(-3, -1) + t.pl(-2, -3));
    t.append("\\spline" + t.p(1, -3) + t.p(2, -1) + t.p(3, -3) + t.p(4, -1));
    t.append(t.eepicText("f(x)", -4, 3.5L));
    t.append(t.eepicAlignedText(PictureText::eepicFootnoteSize("3"), "ct", 3, 0));
    t.append("\\thinlines");
    t.endPicture();
    QTemporaryDir dir;
    const std::string document =
        "\\documentclass{article}\r\n\\usepackage{epic,eepic}\r\n"
        "\\begin{document}\r\n" +
        t.text() + "\\end{document}\r\n";
    ASSERT_TRUE(test::writeBytes(dir.path() + "/picture.tex", document));
    std::string output;
    const int status = test::runProgram(
        "latex", QStringList{"-interaction=nonstopmode", "-halt-on-error", "picture.tex"}, &output,
        dir.path());
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(QFile::exists(dir.path() + "/picture.dvi"));
}

}  // namespace
}  // namespace kalvor
