#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>

#include "canvas/tikz_sink.h"

// What the TikZ sink writes for a figure: its options, and coordinates that TeX can take
// (every number under 600 cm) whatever the world.

namespace kalvor {
namespace {

struct Row {
    const char* name;
    Number x1, x2;  // the world on both axes
    std::function<void(WorldCanvas&, TikzSink&)> draw;
    const char* expected;  // a piece of the picture
};

// The largest coordinate written, times its axis's centimetres per unit.
double largestCm(const std::string& text) {
    const std::smatch scale = [&] {
        std::smatch m;
        std::regex_search(text, m, std::regex(R"(x=([0-9.e-]+)cm)"));
        return m;
    }();
    const double cm = std::stod(scale[1]);
    double largest = 0;
    const std::regex point(R"(\((-?[0-9.]+),(-?[0-9.]+)\))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), point);
         it != std::sregex_iterator(); ++it)
        for (int i = 1; i <= 2; ++i)
            largest = std::max(largest, std::fabs(std::stod((*it)[i])) * cm);
    return largest;
}

const Row kRows[] = {
    {"DottedThinPen", -5, 5,
     [](WorldCanvas& c, TikzSink& t) {
         c.pen().style = PenStyle::Dot;
         t.line({-1, -1, 1, 1});
     },
     "dash pattern=on 1.5pt off 1.5pt] (-1,-1) -- (1,1);"},
    {"WidePenIsSolidAndRound", -5, 5,
     [](WorldCanvas& c, TikzSink& t) {
         c.pen() = {0x0000FF, 3, PenStyle::Dash};
         t.line({0, 0, 1, 0});
     },
     "draw={rgb,255:red,255;green,0;blue,0},line width=2.25pt,line cap=round"},
    {"CrossHatchIsAPattern", -5, 5,
     [](WorldCanvas& c, TikzSink& t) {
         c.brush() = {0xFF0000, BrushStyle::Cross};
         t.rectangle({-1, -1, 1, 1});
     },
     "pattern=grid,pattern color={rgb,255:red,0;green,0;blue,255}] (-1,-1) rectangle (1,1);"},
    {"ClearBrushOnlyStrokes", -5, 5,
     [](WorldCanvas& c, TikzSink& t) {
         c.brush().style = BrushStyle::Clear;
         t.ellipse({-2, -1, 2, 1});
     },
     "line width=0.75pt] (0,0) ellipse [x radius=2,y radius=1];"},
    {"SectorSweepsCounterClockwise", -5, 5,
     [](WorldCanvas&, TikzSink& t) {
         t.arc(ArcFigure::Sector, {0, 0, 1, 3, 1});
     },
     "arc [start angle=171.887,end angle=417.296,x radius=1,y radius=1] -- cycle;"},
    {"TextEscapedAndTurned", -5, 5,
     [](WorldCanvas&, TikzSink& t) {
         t.text({"5% & $x_1", 0, 0, 30}, TextSize::Normal);
     },
     ",rotate=30] at (0,0) {5\\% \\& \\$x\\_1};"},
    {"SymbolFontLettersAreGreek", -5, 5,
     [](WorldCanvas& c, TikzSink& t) {
         c.font().name = "Symbol";
         t.text({"aW", 0, 0, 0}, TextSize::Normal);
     },
     "{$\\alpha$$\\Omega$};"},
    {"FarPointPulledBackToTheCanvasLimit", -5, 5,
     [](WorldCanvas&, TikzSink& t) {
         t.line({0, 0, 1e12L, 0});
     },
     "(0,0) -- (440.6825,0);"},
    {"HugeWorldWrittenInCm", 0, 1e9L,
     [](WorldCanvas&, TikzSink& t) {
         t.line({0, 0, 1e9L, 1e9L});
     },
     "[x=1cm,y=1cm]"},
    {"TinyWorldWrittenInCm", 0, 1e-7L,
     [](WorldCanvas&, TikzSink& t) {
         t.line({0, 0, 1e-7L, 1e-7L});
     },
     "[x=1cm,y=1cm]"},
};

class TikzRows : public testing::TestWithParam<Row> {};

TEST_P(TikzRows, WritesTheFigure) {
    const Row& r = GetParam();
    WorldCanvas canvas;
    canvas.resize(360, 360);
    canvas.setWorld(r.x1, r.x1, r.x2, r.x2);
    TikzSink tikz(canvas);
    tikz.begin();
    r.draw(canvas, tikz);
    tikz.end();
    EXPECT_NE(tikz.text().find(r.expected), std::string::npos) << tikz.text();
    EXPECT_LT(largestCm(tikz.text()), 600) << tikz.text();
    EXPECT_NE(tikz.text().find("\\clip"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Figures, TikzRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvor
