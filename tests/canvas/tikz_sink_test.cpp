#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>

#include "canvas/tikz_sink.h"

// What the TikZ sink writes for a figure: its options, and coordinates that TeX can take
// (every number under 600 cm) whatever the world.

namespace kalvor {
namespace {

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

using Draw = std::function<void(WorldCanvas&, TikzSink&)>;

TEST(TikzSink, WritesTheFigures) {
    const struct {
        const char* name;
        Number x1, x2;  // the world on both axes
        Draw draw;
        const char* expected;  // a piece of the picture
    } rows[] = {
        // clang-format off
        {"dotted thin pen", -5, 5,
         [](WorldCanvas& c, TikzSink& t) {
             c.pen().style = PenStyle::Dot, t.line({-1, -1, 1, 1}); },
         "dash pattern=on 1.5pt off 1.5pt] (-1,-1) -- (1,1);"},
        {"wide pen is solid and round", -5, 5,
         [](WorldCanvas& c, TikzSink& t) {
             c.pen() = {0x0000FF, 3, PenStyle::Dash}, t.line({0, 0, 1, 0}); },
         "draw={rgb,255:red,255;green,0;blue,0},line width=2.25pt,line cap=round"},
        {"cross hatch is a pattern", -5, 5,
         [](WorldCanvas& c, TikzSink& t) {
             c.brush() = {0xFF0000, BrushStyle::Cross}, t.rectangle({-1, -1, 1, 1}); },
         "pattern=grid,pattern color={rgb,255:red,0;green,0;blue,255}] (-1,-1) rectangle (1,1);"},
        {"clear brush only strokes", -5, 5,
         [](WorldCanvas& c, TikzSink& t) {
             c.brush().style = BrushStyle::Clear, t.ellipse({-2, -1, 2, 1}); },
         "line width=0.75pt] (0,0) ellipse [x radius=2,y radius=1];"},
        {"sector sweeps counter-clockwise", -5, 5,
         [](WorldCanvas&, TikzSink& t) { t.arc(ArcFigure::Sector, {0, 0, 1, 3, 1}); },
         "arc [start angle=171.887,end angle=417.296,x radius=1,y radius=1] -- cycle;"},
        {"text escaped and turned", -5, 5,
         [](WorldCanvas&, TikzSink& t) { t.text({"5% & $x_1", 0, 0, 30}, TextSize::Normal); },
         ",rotate=30] at (0,0) {5\\% \\& \\$x\\_1};"},
        {"symbol font letters are Greek", -5, 5,
         [](WorldCanvas& c, TikzSink& t) {
             c.font().name = "Symbol", t.text({"aW", 0, 0, 0}, TextSize::Normal); },
         "{$\\alpha$$\\Omega$};"},
        {"far point pulled back to the canvas limit", -5, 5,
         [](WorldCanvas&, TikzSink& t) { t.line({0, 0, 1e12L, 0}); }, "(0,0) -- (440.6825,0);"},
        {"huge world written in cm", 0, 1e9L,
         [](WorldCanvas&, TikzSink& t) { t.line({0, 0, 1e9L, 1e9L}); }, "[x=1cm,y=1cm]"},
        {"tiny world written in cm", 0, 1e-7L,
         [](WorldCanvas&, TikzSink& t) { t.line({0, 0, 1e-7L, 1e-7L}); }, "[x=1cm,y=1cm]"},
        // clang-format on
    };
    for (const auto& r : rows) {
        WorldCanvas canvas;
        canvas.resize(360, 360);
        canvas.setWorld(r.x1, r.x1, r.x2, r.x2);
        TikzSink tikz(canvas);
        tikz.begin();
        r.draw(canvas, tikz);
        tikz.end();
        EXPECT_NE(tikz.text().find(r.expected), std::string::npos) << r.name << "\n" << tikz.text();
        EXPECT_LT(largestCm(tikz.text()), 600) << r.name << "\n" << tikz.text();
        EXPECT_NE(tikz.text().find("\\clip"), std::string::npos) << r.name;
    }
}

}  // namespace
}  // namespace kalvor
