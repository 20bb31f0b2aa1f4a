#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <iomanip>
#include <numbers>
#include <sstream>

#include "../support/pixels.h"
#include "canvas/drawing_context.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;
constexpr Color kRed = 0x0000FF;

// The three sinks on a 254 × 254 canvas showing -5 … 5, so that one world unit is 20 PDF
// units.
struct Sinks {
    WorldCanvas canvas;
    PdfRecorder pdf;
    PictureText picture;
    DrawingContext context{canvas, pdf, picture};
    std::size_t pdfMark = 0;

    Sinks() {
        canvas.resize(254, 254);
        canvas.setWorld(-5, -5, 5, 5);
        canvas.clear();
        pdf.setClock([] { return std::string("20240102030405"); });
        pdf.beginDoc(254, 254, -5, 5, -5, 5);
        pdfMark = pdf.lines().size();
        context.startRun(kBlack);
    }
    void record(bool pdfOn, bool eepicOn) {
        context.setPdfRecording(pdfOn);
        context.setEepicRecording(eepicOn);
    }
    Lines freshPdf() {
        const auto& all = pdf.lines();
        Lines out(all.begin() + static_cast<std::ptrdiff_t>(pdfMark), all.end());
        pdfMark = all.size();
        return out;
    }
    int inkCount() const { return test::inkPixels(canvas.image()); }
};

TEST(DrawingContext, ArgumentsAreProducedOncePerActiveSink) {
    struct Row {
        bool pdf, eepic;
        int lineCalls, arrowCalls;
    };
    const Row rows[] = {
        {false, false, 1, 1}, {true, false, 2, 2}, {false, true, 2, 1}, {true, true, 3, 2}};
    for (const Row& r : rows) {
        Sinks s;
        s.record(r.pdf, r.eepic);
        int lineCalls = 0, arrowCalls = 0;
        s.context.line([&] {
            ++lineCalls;
            return Segment{0, 0, 1, 1};
        });
        s.context.arrow([&] {
            ++arrowCalls;
            return VectorArgs{0, 0, 1, 1};
        });
        EXPECT_EQ(lineCalls, r.lineCalls);
        EXPECT_EQ(arrowCalls, r.arrowCalls);
        EXPECT_EQ(s.picture.lines().size(), r.eepic ? 1u : 0u);  // arrows have no text
    }
}

// A paused medium takes neither the figure nor its arguments, and comes back afterwards.
TEST(DrawingContext, PausedSinksTakeNothing) {
    struct Row {
        Medium paused;
        int calls;
        bool ink, pdf, picture;
    };
    for (const Row& r : {Row{Medium::Recordings, 1, true, false, false},
                         Row{Medium::Canvas, 2, false, true, true}}) {
        Sinks s;
        s.record(true, true);
        int calls = 0;
        {
            const SinkPause pause(s.context, r.paused);
            s.context.line([&] {
                ++calls;
                return Segment{0, 0, 1, 1};
            });
        }
        EXPECT_EQ(calls, r.calls);
        EXPECT_EQ(s.inkCount() > 0, r.ink);
        EXPECT_EQ(!s.freshPdf().empty(), r.pdf);
        EXPECT_EQ(!s.picture.lines().empty(), r.picture);
        EXPECT_TRUE(s.context.pdfRecording() && s.context.eepicRecording());
        s.context.line([] { return Segment{0, 0, 1, 1}; });
        EXPECT_FALSE(s.freshPdf().empty());
    }
}

TEST(DrawingContext, EachSinkGetsItsOwnEvaluation) {
    Sinks s;
    s.record(true, true);
    Number next = 0;
    s.context.line([&] {
        next += 1;
        return Segment{0, 0, next, 0};
    });
    EXPECT_EQ(s.freshPdf(), (Lines{"1 g", "0 0 m", "40.0000 0 l", "S"}));
    EXPECT_EQ(s.picture.lines(), (Lines{"\\path(0.000,0.000)(3.000,0.000)"}));
}

TEST(DrawingContext, ShadeOnlyForVisibleFillsWhileRecording) {
    struct Row {
        Color color;
        int style;
        bool eepic;
        bool shaded;
    };
    const Row rows[] = {{kRed, 0, true, true},   {kWhite, 0, true, false},
                        {kRed, 1, true, false},  {kRed, 4, true, true},
                        {kRed, 0, false, false}, {kRed, 9, true, false}};  // 9 keeps clear
    for (const Row& r : rows) {
        Sinks s;
        s.record(false, r.eepic);
        s.context.state().fillColor = r.color;
        s.context.state().fillStyle = r.style;
        s.context.rectangle([] { return Box{0, 0, 2, 1}; });
        const bool shaded = !s.picture.lines().empty() && s.picture.lines()[0] == "\\shade";
        EXPECT_EQ(shaded, r.shaded) << r.color << " " << r.style;
    }
}

TEST(DrawingContext, FilledFiguresRestoreTheCanvasAfterwards) {
    Sinks s;
    s.context.setPenColor(kRed);
    s.context.state().fillColor = 0x00FF00;
    s.context.state().fillStyle = 0;
    s.context.ellipse([] { return Box{-2, -2, 2, 2}; });
    EXPECT_EQ(s.canvas.image().pixel(127, 127) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(s.canvas.brush(), CanvasBrush{});  // the brush saved at run start
    EXPECT_EQ(s.canvas.pen().color, kRed);
}

TEST(DrawingContext, TextFontNumbers) {
    struct Row {
        const char* name;
        bool bold, italic;
        const char* resource;
    };
    const Row rows[] = {{"Times New Roman", true, true, "F12"},   {"Symbol", true, false, "F13"},
                        {"Courier New", false, true, "F3"},       {"Arial", true, false, "F6"},
                        {"Liberation Serif", false, false, "F5"}, {"TIMES", false, false, "F9"}};
    for (const Row& r : rows) {
        Sinks s;
        s.canvas.font().name = r.name;
        s.canvas.font().bold = r.bold;
        s.canvas.font().italic = r.italic;
        EXPECT_EQ(s.context.pdfSink().fontName(), r.resource) << r.name;
    }
}

TEST(DrawingContext, PdfTextWithRiseAndUnderline) {
    Sinks s;
    s.record(true, false);
    s.canvas.font().size = 18;
    s.canvas.font().underline = true;
    s.context.pdfSink().writeText("ab", 0, 0, 0);
    const Lines lines = s.freshPdf();
    const int h = s.canvas.textHeight("ab");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[2], "0 0 Td");
    EXPECT_EQ(
        lines[3],
        (std::ostringstream() << std::fixed << std::setprecision(4) << -0.6 * h << " Ts").str());
    // The underline: 18 / 6 tenths of a millimetre wide.
    EXPECT_EQ(Lines(lines.begin() + 6, lines.begin() + 8), (Lines{"0.8504 w", "1 g"}));
    EXPECT_EQ(lines[9].substr(lines[9].size() - 2), " l");
    EXPECT_EQ(lines[10], "S");
    EXPECT_EQ(s.pdf.lines().back(), "0.5669 w");
}

// The PDF needs three points per segment (the draw2d rows); the canvas draws what it gets.
TEST(DrawingContext, BezierOfAnyLengthReachesTheCanvas) {
    for (std::size_t n : {7u, 6u}) {
        Sinks s;
        PointList points;
        for (std::size_t i = 0; i < n; ++i)
            points.append(Number(i) - 3, i % 2 ? 2 : -2);
        s.context.bezier([&] { return points; });
        EXPECT_GT(s.inkCount(), 0) << n;
    }
}

TEST(DrawingContext, DashedLinesLeaveTheCanvasPenSolid) {
    Sinks s;
    s.record(true, true);
    s.context.dashedLine([] { return Segment{-1, 0, 1, 0}; });
    EXPECT_EQ(s.canvas.pen().style, PenStyle::Solid);
}

TEST(DrawingContext, AlignedTextShiftsAllButThePictureText) {
    Sinks s;
    s.record(true, true);
    s.context.alignedText([] { return AlignedTextArgs{"xyz", "rb", 0, 0}; });
    const int w = s.canvas.textWidth("xyz"), h = s.canvas.textHeight("xyz");
    const Number x = s.canvas.worldX(s.canvas.windowX(0) - w);
    const Number y = s.canvas.worldY(s.canvas.windowY(0) - h);
    bool found = false;
    for (const std::string& line : s.freshPdf())
        found |= line.size() > 3 && line.substr(line.size() - 3) == " Td";
    EXPECT_TRUE(found);
    EXPECT_LT(x, 0);
    EXPECT_GT(y, 0);
    EXPECT_EQ(s.picture.lines(), (Lines{"\\put(0.000,0.000){\\makebox(0,0)[rb]{xyz}}"}));
    // A picture-only text replaces the shown one in the picture text alone.
    s.context.alignedText([] { return AlignedTextArgs{"p", "lt", 0, 0, "$\\pi$"}; });
    EXPECT_EQ(s.picture.lines().back(), "\\put(0.000,0.000){\\makebox(0,0)[lt]{$\\pi$}}");
}

TEST(DrawingContext, RunStartResetsTheStateAndKeepsTheCanvasForTheEnd) {
    Sinks s;
    s.canvas.font() = CanvasFont{"Courier New", 14, true, false, false, kRed};
    s.canvas.brush() = {0x00FF00, BrushStyle::Cross};
    s.context.state() = DrawingState{kRed, 5, 0, 0, 4, "Symbol", "Symbol", {true, true, true}};
    s.context.startRun(0x123456);
    const auto fields = [](const DrawingState& d) {
        return std::tie(d.penColor, d.lineWidth, d.fillColor, d.fillStyle, d.fontHalfPoints,
                        d.fontName, d.defaultFontName, d.fontStyle);
    };
    const DrawingState reset{kBlack, 1, kWhite, 1, 28, "Courier New", "Courier New", {}};
    EXPECT_EQ(fields(s.context.state()), fields(reset));
    EXPECT_EQ(s.canvas.font().color, 0x123456u);
    EXPECT_EQ(s.canvas.brush().style, BrushStyle::Clear);
    s.canvas.pen().width = 7;
    s.context.endRun();
    EXPECT_EQ(s.canvas.brush().style, BrushStyle::Cross);
    EXPECT_EQ(s.canvas.pen().width, 1);
    EXPECT_EQ(s.canvas.font().color, 0x123456u);
}

TEST(DrawingContext, ProgramFontScopeUsesTheStateAndRestoresTheDefault) {
    Sinks s;
    s.context.state().fontName = "Times New Roman";
    s.context.state().fontHalfPoints = 31;
    s.context.state().fontStyle = {true, false, true};
    {
        ProgramFontScope scope(s.context);
        EXPECT_EQ(s.canvas.font(), (CanvasFont{"Times New Roman", 15, true, false, true}));
        EXPECT_EQ(s.context.pdfSink().fontName(), "F10");
    }
    EXPECT_EQ(s.canvas.font(), CanvasFont{});
}

// The hatch lines of a PDF fill: the pairs of "m" and "l" lines between "W n" and "Q".
std::vector<std::array<double, 4>> hatchLines(const Lines& pdf) {
    std::vector<std::array<double, 4>> lines;
    const auto clip = std::find(pdf.begin(), pdf.end(), "W n");
    for (auto it = clip; it != pdf.end() && *it != "Q"; ++it) {
        std::array<double, 4> l{};
        if (it + 1 == pdf.end() || !it->ends_with(" m") || !(it + 1)->ends_with(" l")) continue;
        if (std::sscanf(it->c_str(), "%lf %lf", &l[0], &l[1]) == 2 &&
            std::sscanf((it + 1)->c_str(), "%lf %lf", &l[2], &l[3]) == 2)
            lines.push_back(l);
    }
    return lines;
}

TEST(DrawingContext, PdfHatchesAreLinesClippedToTheFigure) {
    struct Row {
        int style;
        int horizontal, vertical, falling, rising;  // hatch lines by direction
        const char* last;
    };
    // A 2 × 2 square is 40 page units: 51 pixels, six steps of 8 across, twelve diagonally.
    const Row rows[] = {{0, 0, 0, 0, 0, "B"}, {1, 0, 0, 0, 0, "S"},  {2, 6, 0, 0, 0, "S"},
                        {3, 0, 6, 0, 0, "S"}, {4, 0, 0, 12, 0, "S"}, {5, 0, 0, 0, 12, "S"},
                        {6, 6, 6, 0, 0, "S"}, {7, 0, 0, 12, 12, "S"}};
    for (const Row& r : rows) {
        Sinks s;
        s.record(true, false);
        s.context.state().fillColor = kRed;
        s.context.state().fillStyle = r.style;
        s.context.rectangle([] { return Box{0, 0, 2, 2}; });
        const Lines pdf = s.freshPdf();
        EXPECT_EQ(pdf.back(), r.last) << r.style;
        std::array<int, 4> counted{};  // horizontal, vertical, falling, rising
        for (const auto& l : hatchLines(pdf)) {
            const double dx = l[2] - l[0], dy = l[3] - l[1];
            counted[0] += dy == 0, counted[1] += dx == 0;
            counted[2] += (dx * dy < 0), counted[3] += (dx * dy > 0);
        }
        const int expected[] = {r.horizontal, r.vertical, r.falling, r.rising};
        for (int d = 0; d < 4; ++d)
            EXPECT_NEAR(counted[d], expected[d], 1) << r.style << " direction " << d;
        if (r.style < 2) continue;
        // The clip is the square itself, the hatch is in the fill colour, and the outline is
        // stroked after the graphics state is restored.
        const Lines head(pdf.begin(), pdf.begin() + 5);
        EXPECT_EQ(head, (Lines{"1 0 0 rg", "q", "0 0 40.0000 40.0000 re", "W n", "1 0 0 RG"}));
        EXPECT_EQ(Lines(pdf.end() - 3, pdf.end() - 1), (Lines{"Q", "0 0 40.0000 40.0000 re"}));
    }
}

TEST(DrawingContext, OnlyTheFigureWithTheStateFillIsHatched) {
    Sinks s;
    s.record(true, false);
    s.context.state().fillColor = kRed;
    s.context.state().fillStyle = 6;
    s.context.polygon([] { return PointList{{0, 0}, {2, 0}, {0, 2}}; }, PathText::Points, true);
    EXPECT_EQ(s.freshPdf().back(), "s");
    s.context.dot([] { return DotArgs{0, 0, 3}; });
    const Lines dot = s.freshPdf();
    EXPECT_EQ(std::count(dot.begin(), dot.end(), "W n"), 0);
    EXPECT_EQ(dot.back(), "b");
}

}  // namespace
}  // namespace kalvor
