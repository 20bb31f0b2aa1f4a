#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <iomanip>
#include <numbers>
#include <sstream>

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
    int inkCount() const {
        int n = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                n += (canvas.image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }
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

TEST(DrawingContext, WideLinesAreFramedByLineWidths) {
    struct Row {
        int width;
        Lines pdf;
    };
    const Row rows[] = {{1, {"1 g", "0 0 m", "20.0000 0 l", "S"}},
                        {3, {"1.7008 w", "1 g", "0 0 m", "20.0000 0 l", "S", "0.5669 w"}}};
    for (const Row& r : rows) {
        Sinks s;
        s.record(true, false);
        s.context.setLineWidth(r.width);
        s.context.polyline([] { return PointList{{0, 0}, {1, 0}}; }, PathText::Points);
        EXPECT_EQ(s.freshPdf(), r.pdf) << r.width;
    }
}

TEST(DrawingContext, LineToAfterMoveToIgnoresThePenWidth) {
    Sinks s;
    s.record(true, true);
    s.context.setLineWidth(4);
    s.context.moveTo([] { return WorldPoint{1, 2}; });
    s.context.lineTo([] { return WorldPoint{3, 2}; });
    EXPECT_EQ(s.freshPdf(), (Lines{"1 g", "20.0000 40.0000 m", "60.0000 40.0000 l", "S"}));
    EXPECT_EQ(s.picture.lines(), (Lines{"\\Thicklines", "\\path(1.000,2.000)(3.000,2.000)"}));
    EXPECT_GT(s.inkCount(), 0);
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
    EXPECT_EQ(s.canvas.brush().style, BrushStyle::Solid);  // the brush saved at run start
    EXPECT_EQ(s.canvas.brush().color, kWhite);
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
    EXPECT_EQ(lines[6], "0.8504 w");  // 18 / 6 tenths of a millimetre
    EXPECT_EQ(lines[7], "1 g");
    EXPECT_EQ(lines[9].substr(lines[9].size() - 2), " l");
    EXPECT_EQ(lines[10], "S");
    EXPECT_EQ(s.pdf.lines().back(), "0.5669 w");
}

TEST(DrawingContext, BezierNeedsThreePointsPerSegment) {
    for (std::size_t n : {7u, 6u}) {
        Sinks s;
        s.record(true, true);
        PointList points;
        for (std::size_t i = 0; i < n; ++i)
            points.append(Number(i) - 3, i % 2 ? 2 : -2);
        s.context.bezier([&] { return points; });
        int curves = 0;
        for (const std::string& line : s.freshPdf())
            curves += line.back() == 'c';
        EXPECT_EQ(curves, n == 7 ? 2 : 0);
        EXPECT_GT(s.inkCount(), 0) << n;
    }
}

TEST(DrawingContext, DashedLinesAreDashedInThePdfOnly) {
    Sinks s;
    s.record(true, true);
    s.context.dashedLine([] { return Segment{-1, 0, 1, 0}; });
    const Lines pdf = s.freshPdf();
    EXPECT_EQ(pdf.front(), "[2 2] 0 d");
    EXPECT_EQ(pdf.back(), "[] 0 d");
    EXPECT_EQ(s.canvas.pen().style, PenStyle::Solid);
    EXPECT_EQ(s.picture.lines().size(), 2u);
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

TEST(DrawingContext, LineWidthAnnouncements) {
    struct Row {
        int width;
        Lines text;
    };
    const Row rows[] = {{1, {}}, {2, {"\\thicklines"}}, {3, {"\\Thicklines"}}, {0, {}}};
    for (const Row& r : rows) {
        Sinks s;
        s.record(false, true);
        s.context.setLineWidth(r.width);
        EXPECT_EQ(s.picture.lines(), r.text) << r.width;
        EXPECT_EQ(s.canvas.pen().width, r.width);
    }
    Sinks s;
    s.record(false, true);
    s.context.setLineWidth(3);
    s.context.setLineWidth(1);
    s.context.endRun();
    EXPECT_EQ(s.picture.lines(), (Lines{"\\Thicklines", "\\thinlines"}));
    s.context.setLineWidth(2);
    s.context.endRun();
    EXPECT_EQ(s.picture.lines().back(), "\\thinlines");
}

TEST(DrawingContext, RunStartResetsTheStateAndKeepsTheCanvasForTheEnd) {
    Sinks s;
    s.canvas.font() = CanvasFont{"Courier New", 14, true, false, false, kRed};
    s.canvas.brush() = {0x00FF00, BrushStyle::Cross};
    s.context.state() = DrawingState{kRed, 5, 0, 0, 4, "Symbol", "Symbol", {true, true, true}};
    s.context.startRun(0x123456);
    const DrawingState& st = s.context.state();
    EXPECT_EQ(st.penColor, kBlack);
    EXPECT_EQ(st.lineWidth, 1);
    EXPECT_EQ(st.fillColor, kWhite);
    EXPECT_EQ(st.fillStyle, 1);
    EXPECT_EQ(st.fontHalfPoints, 28);
    EXPECT_EQ(st.fontName, "Courier New");
    EXPECT_EQ(st.defaultFontName, "Courier New");
    EXPECT_EQ(st.fontStyle, FontStyleSet{});
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
        EXPECT_EQ(s.canvas.font().name, "Times New Roman");
        EXPECT_EQ(s.canvas.font().size, 15);
        EXPECT_TRUE(s.canvas.font().bold && s.canvas.font().underline);
        EXPECT_EQ(s.context.pdfSink().fontName(), "F10");
    }
    EXPECT_EQ(s.canvas.font().name, "Arial");
    EXPECT_EQ(s.canvas.font().size, 10);
    EXPECT_FALSE(s.canvas.font().bold || s.canvas.font().underline);
}

}  // namespace
}  // namespace kalvor

namespace kalvor {
namespace {

// The picture text after the three framing lines of a picture over -5 … 5.
struct PictureSinks : Sinks {
    PictureSinks() {
        picture.beginPicture(-5, 10, -5, 10);
        record(false, true);
    }
    Lines fresh() const {
        const Lines all = picture.lines();
        return Lines(all.begin() + 3, all.end());
    }
};

TEST(DrawingContext, PictureTextIsCutToThePicture) {
    struct Row {
        const char* what;
        std::function<void(DrawingContext&)> draw;
        Lines text;
    };
    auto fill = [](DrawingContext& c) {
        c.state().fillColor = kRed;
        c.state().fillStyle = 0;
    };
    const Row rows[] = {
        {"line leaving",
         [](DrawingContext& c) { c.line([] {
                                     return Segment{0, 0, 10, 0};
                                 }); },
         {"\\path(0.000,0.000)(5.000,0.000)"}},
        {"line outside", [](DrawingContext& c) { c.line([] {
                                                     return Segment{6, 6, 7, 8};
                                                 }); }, {}},
        {"line-to keeps the uncut current point",
         [](DrawingContext& c) {
             c.moveTo([] { return WorldPoint{0, 0}; });
             c.lineTo([] { return WorldPoint{0, 10}; });
             c.lineTo([] { return WorldPoint{1, 0}; });
         },
         {"\\path(0.000,0.000)(0.000,5.000)", "\\path(0.500,5.000)(1.000,0.000)"}},
        {"path leaving and coming back",
         [](DrawingContext& c) {
             c.polyline(
                 [] {
                     return PointList{{-6, 0}, {0, 0}, {0, 6}, {1, 6}, {1, 0}};
                 },
                 PathText::Points);
         },
         {"\\path(-5.000,0.000)(0.000,0.000)(0.000,5.000)", "\\path(1.000,5.000)(1.000,0.000)"}},
        {"outline of a rectangle",
         [](DrawingContext& c) { c.rectangle([] {
                                     return Box{0, 0, 10, 2};
                                 }); },
         {"\\path(0.000,0.000)(5.000,0.000)", "\\path(5.000,2.000)(0.000,2.000)(0.000,0.000)"}},
        {"shaded area keeps its part",
         [&](DrawingContext& c) {
             fill(c);
             c.polygon([] { return PointList{{0, 0}, {10, 0}, {0, 10}}; }, PathText::Points, true);
         },
         {"\\shade", "\\path(0.000,0.000)(5.000,0.000)(5.000,5.000)(0.000,5.000)(0.000,0.000)"}},
        {"shaded area outside leaves no shade",
         [&](DrawingContext& c) {
             fill(c);
             c.polygon([] { return PointList{{6, 6}, {9, 6}, {6, 9}}; }, PathText::Points, true);
             c.line([] { return Segment{0, 0, 1, 0}; });
         },
         {"\\path(0.000,0.000)(1.000,0.000)"}},
    };
    for (const Row& r : rows) {
        PictureSinks s;
        r.draw(s.context);
        EXPECT_EQ(s.fresh(), r.text) << r.what;
    }
}

// Every "(x,y)" of the lines, as numbers.
std::vector<std::pair<double, double>> picturePoints(const Lines& lines) {
    std::vector<std::pair<double, double>> points;
    for (const std::string& line : lines)
        for (std::size_t at = line.find('('); at != std::string::npos;
             at = line.find('(', at + 1)) {
            double x = 0, y = 0;
            if (std::sscanf(line.c_str() + at, "(%lf,%lf)", &x, &y) == 2) points.push_back({x, y});
        }
    return points;
}

TEST(DrawingContext, CurvedFiguresAcrossTheBorderBecomeCutPaths) {
    const std::function<void(DrawingContext&)> figures[] = {
        [](DrawingContext& c) { c.circle([] {
                                    return CircleArgs{4, 0, 3};
                                }); },
        [](DrawingContext& c) { c.ellipse([] {
                                    return Box{-7, -1, -3, 1};
                                }); },
        [](DrawingContext& c) { c.arc(ArcFigure::Arc, [] {
                                    return ArcArgs{0, 4, 3, 0, 3};
                                }); },
        [](DrawingContext& c) {
            c.state().fillStyle = 4;
            c.state().fillColor = kRed;
            c.arc(ArcFigure::Sector, [] { return ArcArgs{0, -4, 3, 3.5L, 6}; });
        },
        [](DrawingContext& c) {
            c.bezier([] { return PointList{{0, 0}, {3, 9}, {6, 9}, {4, 0}}; });
        },
        [](DrawingContext& c) { c.dot([] {
                                    return DotArgs{5, 5, 4};
                                }); },
    };
    for (const auto& draw : figures) {
        PictureSinks s;
        draw(s.context);
        const Lines text = s.fresh();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back().rfind("\\path(", 0), 0u) << text.back();
        for (const auto& [x, y] : picturePoints(text)) {
            EXPECT_LE(std::fabs(x), 5.0) << text.back();
            EXPECT_LE(std::fabs(y), 5.0) << text.back();
        }
    }
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
        int horizontal = 0, vertical = 0, falling = 0, rising = 0;
        for (const auto& l : hatchLines(pdf)) {
            const double dx = l[2] - l[0], dy = l[3] - l[1];
            horizontal += dy == 0;
            vertical += dx == 0;
            falling += dx * dy < 0;
            rising += dx * dy > 0;
        }
        EXPECT_NEAR(horizontal, r.horizontal, 1) << r.style;
        EXPECT_NEAR(vertical, r.vertical, 1) << r.style;
        EXPECT_NEAR(falling, r.falling, 1) << r.style;
        EXPECT_NEAR(rising, r.rising, 1) << r.style;
        if (r.style < 2) continue;
        // The clip is the square itself, the hatch is in the fill colour, and the outline is
        // stroked after the graphics state is restored.
        const Lines head(pdf.begin(), pdf.begin() + 5);
        EXPECT_EQ(head, (Lines{"1 0 0 rg", "q", "0 0 40.0000 40.0000 re", "W n", "1 0 0 RG"}));
        EXPECT_EQ(*(pdf.end() - 3), "Q");
        EXPECT_EQ(*(pdf.end() - 2), "0 0 40.0000 40.0000 re");
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
