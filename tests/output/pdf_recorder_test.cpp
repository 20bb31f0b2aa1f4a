#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <numbers>

#include "../support/file_checks.h"
#include "../support/recording_host.h"
#include "output/pdf_recorder.h"
#include "output/pdf_text.h"

namespace kalvor {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// A recorder on a 254 × 254 pixel surface: a page of 200 × 200 units showing -5 … 5.
struct Pdf {
    PdfRecorder recorder;
    std::size_t mark = 0;
    Pdf() {
        recorder.setClock([] { return std::string("20240102030405"); });
        recorder.beginDoc(254, 254, -5, 5, -5, 5);
        mark = recorder.lines().size();
    }
    // The lines written since the last call.
    std::vector<std::string> fresh() {
        const auto& all = recorder.lines();
        std::vector<std::string> out(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
        mark = all.size();
        return out;
    }
};

using Lines = std::vector<std::string>;

TEST(PdfText, Numbers) {
    struct Row {
        long double value;
        const char* text;
    };
    // clang-format off
    const Row rows[] = {
        {12.5L, "12.5000"},          {0, "0"},                 {0.000009L, "0"},
        {-0.000009L, "0"},           {2 * 72 / 254.0L, "0.5669"}, {-1.23456789L, "-1.2346"},
        {283.464567L, "283.4650"},   {0.00004L, "0.0000"},     {1e9L, "32767.0000"},
        {-1e300L, "-32767.0000"},    {NAN, "0"},               {-INFINITY, "-32767.0000"}};
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(pdfNumber(r.value), r.text) << static_cast<double>(r.value);
}

TEST(PdfText, ColourLines) {
    struct Row {
        Color color;
        bool stroke;
        const char* line;
    };
    // clang-format off
    const Row rows[] = {
        {0x000000, true, "0 G"},       {0xFFFFFF, true, "1 G"},  {0x808080, true, "0.502 G"},
        {0x808080, false, "0.502 g"},  {0x0000FF, true, "1 0 0 RG"}, {0xFF0000, false, "0 0 1 rg"},
        {0x010203, false, "0.012 0.008 0.004 rg"}};
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(pdfColorLine(r.color, r.stroke), r.line) << r.line;
}

TEST(PdfText, LiteralStringsStayValid) {
    struct Row {
        const char* utf8;
        const char* literal;
    };
    const Row rows[] = {{"f(x) = 1", "(f\\(x\\) = 1)"},
                        {"a\\b", "(a\\\\b)"},
                        {"(", "(\\()"},
                        {"\xC3\xA9\xE2\x82\xAC", "(\xE9\x80)"},  // é €
                        {"\xE6\x97\xA5", "(?)"},                 // not in WinAnsi
                        {"a\nb", "(a\\012b)"},
                        {"\xFF", "(\xFF)"}};  // not UTF-8: kept
    for (const Row& r : rows)
        EXPECT_EQ(pdfLiteralString(r.utf8), r.literal) << r.utf8;
}

TEST(PdfRecorder, ColoursAreWrittenOnlyWhenTheyChange) {
    Pdf pdf;
    PdfRecorder& r = pdf.recorder;
    r.startPath(0x0000FF, 0x808080, 0, 0);
    r.startPath(0x0000FF, 0x808080, 0, 0);
    r.startPath(0, 0x808080, 0, 0);
    EXPECT_EQ(pdf.fresh(), (Lines{"1 0 0 RG", "0.502 g", "0 0 m", "0 0 m", "0 G", "0 0 m"}));
    r.drawLine(0, true, -5, -5, 5, 5);
    EXPECT_EQ(pdf.fresh(), (Lines{"[2 2] 0 d", "1 g", "-100.0000 -100.0000 m",
                                  "100.0000 100.0000 l", "S", "[] 0 d"}));
    r.rectangle(0x00FF00, true, 0xFFFFFF, -5, -5, 5, 2.5L);
    EXPECT_EQ(pdf.fresh(), (Lines{"0 1 0 RG", "-100.0000 -100.0000 100.0000 50.0000 re", "B"}));
    r.beginDoc(254, 254, -5, 5, -5, 5);  // a new document forgets the colours written
    pdf.mark = r.lines().size();
    r.startPath(0x00FF00, 0, 0, 0);
    EXPECT_EQ(pdf.fresh(), (Lines{"0 1 0 RG", "0 0 m"}));
}

TEST(PdfRecorder, PathEndsAndLineWidths) {
    Pdf pdf;
    PdfRecorder& r = pdf.recorder;
    r.endPath(false, false);
    r.endPath(false, true);
    r.endPath(true, false);
    r.endPath(true, true);
    r.lineWidth(6);
    r.addLineToPath(0, 0, 5, 0);
    r.addCurveToPath(1, 1, 2, 2, 3, 3);
    EXPECT_EQ(pdf.fresh(), (Lines{"S", "B", "s", "b", "1.7008 w", "0 0 m", "100.0000 0 l",
                                  "20.0000 20.0000 40.0000 40.0000 60.0000 60.0000 c"}));
}

// The numbers of each line, in order.
std::vector<std::vector<double>> numbersOf(const Lines& lines) {
    std::vector<std::vector<double>> out;
    for (const std::string& line : lines) {
        std::vector<double> values;
        std::size_t i = 0;
        while (i < line.size()) {
            std::size_t used = 0;
            try {
                values.push_back(std::stod(line.substr(i), &used));
            } catch (...) {
                break;
            }
            i += used;
        }
        out.push_back(values);
    }
    return out;
}

TEST(PdfRecorder, CirclesRunClockwiseFromTheTopInQuarterArcs) {
    Pdf pdf;  // 20 page units per world unit
    pdf.recorder.circleByRadius(0, true, 0x0000FF, 1, 1, 2);
    const Lines lines = pdf.fresh();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3),
              (Lines{"1 0 0 rg", "20.0000 60.0000 m",
                     "42.0914 60.0000 60.0000 42.0914 60.0000 20.0000 c"}));
    EXPECT_EQ(Lines(lines.begin() + 5, lines.end()),
              (Lines{"-20.0000 42.0914 -2.0914 60.0000 20.0000 60.0000 c", "b"}));
    pdf.recorder.circle(0, false, 0x0000FF, 1, 1, 1, 3);
    EXPECT_EQ(pdf.fresh(),
              (Lines{"20.0000 60.0000 m", lines[2], lines[3], lines[4], lines[5], "s"}));
}

TEST(PdfRecorder, RotatedEllipseTurnsClockwiseByItsAngle) {
    Pdf pdf;
    pdf.recorder.rotatedEllipse(0, false, 0, -2, -1, 2, 1, kPi / 2);  // 4 × 2 box
    const auto n = numbersOf(pdf.fresh());
    // The top point (0, 1) turned clockwise by 90 degrees lies at (1, 0).
    // After the first quarter the right end (2, 0) lies at (0, -2).
    const double got[] = {n[0][0], n[0][1], n[1][4], n[1][5]}, expected[] = {20, 0, 0, -40};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(got[i], expected[i], 1e-3) << i;
}

TEST(PdfRecorder, ArcsSweepCounterClockwiseInThreeSegments) {
    struct Row {
        const char* name;
        long double a1, a2;
        double startX, startY, endX, endY;  // world units on the unit circle
    };
    const Row rows[] = {
        {"quarter", 0, kPi / 2, 1, 0, 0, 1},
        {"from below zero", -kPi / 2, 0, 0, -1, 1, 0},
        {"end before start", kPi, kPi / 2, -1, 0, 0, 1},
        {"whole circle", 1, 1, std::cos(1.0), std::sin(1.0), std::cos(1.0), std::sin(1.0)},
        {"many turns", 4 * kPi, 4 * kPi + kPi / 2, 1, 0, 0, 1}};
    for (const Row& row : rows) {
        Pdf pdf;
        pdf.recorder.arc(0, 0, 0, 1, 1, row.a1, row.a2);
        const Lines lines = pdf.fresh();
        ASSERT_EQ(lines.size(), 6u) << row.name;  // fill colour, m, three c, S
        EXPECT_EQ(lines[0], "1 g");
        EXPECT_EQ(lines[5], "S");
        const auto n = numbersOf(lines);
        const double got[] = {n[1][0], n[1][1], n[4][4], n[4][5]};
        const double expected[] = {row.startX, row.startY, row.endX, row.endY};
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(got[i], 20 * expected[i], 1e-3) << row.name << " " << i;
        // Every segment ends on the circle (radius 20 units).
        for (int i = 2; i <= 4; ++i)
            EXPECT_NEAR(std::hypot(n[i][4], n[i][5]), 20, 1e-3);
    }
}

TEST(PdfRecorder, PiesStartAtTheCentreAndChordsAtTheArc) {
    Pdf pdf;
    pdf.recorder.pie(0, true, 0x0000FF, 1, 1, 1, 1, 0, kPi / 2);
    const Lines pie = pdf.fresh();
    ASSERT_GE(pie.size(), 3u);
    EXPECT_EQ(Lines(pie.begin(), pie.begin() + 3),
              (Lines{"1 0 0 rg", "20.0000 20.0000 m", "40.0000 20.0000 l"}));
    EXPECT_EQ(pie.back(), "b");
    pdf.recorder.chord(0, false, 0x0000FF, 1, 1, 1, 1, 0, kPi / 2);
    const Lines chord = pdf.fresh();
    EXPECT_EQ(chord.front(), "40.0000 20.0000 m");
    EXPECT_EQ(chord.size(), 5u);
    EXPECT_EQ(chord.back(), "s");
}

}  // namespace
}  // namespace kalvor
