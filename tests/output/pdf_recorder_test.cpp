#include <gtest/gtest.h>

#include "../support/file_checks.h"
#include "../support/recording_host.h"
#include "output/pdf_recorder.h"
#include "output/pdf_text.h"

namespace kalvor {
namespace {

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

}  // namespace
}  // namespace kalvor
