#include "graph/window_axes.h"

#include <cmath>
#include <numbers>

#include "canvas/drawing_context.h"
#include "expr/numtext.h"
#include "lang/window_services.h"

namespace kalvor {

namespace {

constexpr Number kPi = std::numbers::pi_v<long double>;
// Below this relative distance a logarithm or a ratio counts as the exact value it is
// meant to be, so that every decade is divided alike.
constexpr Number kSnap = 1e-12L;

struct World {
    Number x1, y1, xw, yw, x2, y2;
    explicit World(const WorldCanvas& c)
        : x1(c.d2WorldX1()),
          y1(c.d2WorldY1()),
          xw(c.d2WorldXW()),
          yw(c.d2WorldYW()),
          x2(x1 + xw),
          y2(y1 + yw) {}
};

void line(DrawingContext& d, Number x1, Number y1, Number x2, Number y2) {
    d.line([=] { return Segment{x1, y1, x2, y2}; });
}

void alignedText(DrawingContext& d, const std::string& text, const char* alignment, Number x,
                 Number y, TextSize size = TextSize::Normal) {
    d.alignedText([&] { return AlignedTextArgs{text, alignment, x, y}; }, size);
}

// A tick number whose picture text differs from what the canvas shows (π written in TeX).
void ownAxisNumber(DrawingContext& d, const std::string& shown, const std::string& picture,
                   const char* alignment, Number x, Number y) {
    d.alignedText(
        [&] {
            return AlignedTextArgs{shown, alignment, x, y, picture};
        },
        TextSize::Footnote);
}

// "1p" reads as "p"; for the picture text the first "p" and what follows become π.
void piTexts(std::string& shown, std::string& picture) {
    if (shown == "1p") shown = "p";
    if (shown == "-1p") shown = "-p";
    picture = shown;
    const std::size_t p = picture.find('p');
    if (p != std::string::npos) picture.replace(p, std::string::npos, "$\\pi\\mathstrut$");
}

}  // namespace

Number niceTickStep(Number range) {
    Number d = std::log10(range);
    const Number nearest = std::nearbyint(d);
    if (std::fabs(d - nearest) < kSnap) d = nearest;
    Number e = std::floor(d), f = d - e;
    if (f == 0) {
        f = 1;
        e -= 1;
    }
    const Number m = std::pow(10.0L, f);  // 1 < m <= 10
    const Number factor = m >= 5 * (1 - kSnap) ? 1.0L : m > 2 * (1 + kSnap) ? 0.5L : 0.2L;
    return std::pow(10.0L, e) * factor;
}

std::string tickNumberFormat(Number step) {
    if (step > 500 * (1 + kSnap)) return "#.#E-";
    if (step < 0.005L * (1 - kSnap)) return "0E-";
    return {};
}

void WindowAxes::drawWindowAxes(bool skip) {
    WorldCanvas& canvas = m_drawing.canvas();
    const Color fontColour = canvas.font().color;
    const Color axis = m_settings.axisSwatch.colour;
    canvas.font().color = axis;
    if (!skip && m_settings.axes == AxisStyle::Sides) {
        canvas.setClipped(true);
        canvas.d2Axes(m_settings.showXLabel ? m_settings.xlabel : "",
                      m_settings.showYLabel ? m_settings.ylabel : "", false, axis, axis);
    } else if (!skip && m_settings.axes == AxisStyle::Middle) {
        canvas.setClipped(false);
        const Color pen = canvas.pen().color;
        canvas.pen().color = axis;
        drawMiddleAxes();
        canvas.pen().color = pen;
    }
    canvas.font().color = fontColour;
}

void WindowAxes::gridLine(Number x1, Number y1, Number x2, Number y2) {
    CanvasPen& pen = m_drawing.canvas().pen();
    pen.color = m_settings.gridSwatch.colour;
    line(m_drawing, x1, y1, x2, y2);
    pen.color = m_settings.axisSwatch.colour;
}

void WindowAxes::drawMiddleAxes() {
    WorldCanvas& c = m_drawing.canvas();
    const World w(c);
    const BrushStyle brush = c.brush().style;
    c.brush().style = BrushStyle::Clear;
    c.pen().width = m_settings.axisSwatch.width;
    const Segment axes[2] = {{w.x1, 0, w.x2, 0}, {0, w.y1, 0, w.y2}};
    // On the canvas the labels lie over the axis lines; the PDF and the picture text take
    // the labels first and the lines after them.
    {
        const SinkPause recorders(m_drawing, Medium::Recordings);
        for (const Segment& axis : axes)
            line(m_drawing, axis.x1, axis.y1, axis.x2, axis.y2);
    }
    if (m_settings.showXLabel && !m_settings.xlabel.empty())
        alignedText(m_drawing, m_settings.xlabel, "rb", 0.98L * w.x2 + 0.02L * w.x1, 0);
    if (m_settings.showYLabel && !m_settings.ylabel.empty())
        alignedText(m_drawing, m_settings.ylabel, "rt", 0, 0.98L * w.y2 + 0.02L * w.y1);
    m_drawing.announceLineWidth(c.pen().width);
    {
        const SinkPause canvas(m_drawing, Medium::Canvas);
        for (const Segment& axis : axes)
            line(m_drawing, axis.x1, axis.y1, axis.x2, axis.y2);
    }
    c.pen().width = 1;
    m_drawing.announceLineWidth(1);

    const Number sx = niceTickStep(w.xw), sy = niceTickStep(w.yw);
    const std::string fx = tickNumberFormat(sx), fy = tickNumberFormat(sy);
    const int fontSize = c.font().size;
    c.font().size = fontSize - 1;
    for (int i = -24; i <= 24; ++i)
        if (i != 0) middleTicks(i, sx, sy, fx, fy);
    c.font().size = fontSize;
    c.brush().style = brush;
}

void WindowAxes::middleTicks(int i, Number sx, Number sy, const std::string& fx,
                             const std::string& fy) {
    const World w(m_drawing.canvas());
    const Number xt = i * sx, yt = i * sy;
    const bool grid = m_settings.grid;
    if (w.x1 <= xt && xt <= w.x2) {
        if (m_settings.numbers)
            alignedText(m_drawing, formatFloat(fx, xt), grid ? "lt" : "ct", xt, -w.yw / 100,
                        TextSize::Footnote);
        if (grid) gridLine(xt, w.y1, xt, w.y2);
        if (m_settings.ticks) line(m_drawing, xt, w.yw / 100, xt, -w.yw / 100);
    }
    if (w.y1 <= yt && yt <= w.y2) {
        if (m_settings.numbers)
            alignedText(m_drawing, formatFloat(fy, yt), "lt", w.xw / 85, yt + w.yw / 60,
                        TextSize::Footnote);
        if (grid) gridLine(w.x1, yt, w.x2, yt);
        if (m_settings.ticks) line(m_drawing, w.xw / 100, yt, -w.xw / 100, yt);
    }
}

bool WindowAxes::drawOwnAxes(const OwnAxesRequest& request) {
    WorldCanvas& c = m_drawing.canvas();
    DrawingState& state = m_drawing.state();
    const World w(c);
    const bool piMode = request.xFormat.find('p') != std::string::npos;
    const Number factor = piMode ? kPi : 1;
    const Number xStep = request.xStep * factor, yStep = request.yStep;
    const std::string fontName = state.fontName;
    if (piMode) state.fontName = "Symbol";
    const Color penColour = c.pen().color, fontColour = c.font().color;
    c.pen().color = m_settings.axisSwatch.colour;
    c.font().color = m_settings.axisSwatch.colour;

    line(m_drawing, w.x1, 0, w.x2, 0);
    line(m_drawing, 0, w.y1, 0, w.y2);
    if (state.lineWidth > 1) m_drawing.announceLineWidth(1);
    const int penWidth = c.pen().width;
    if (penWidth > 1) c.pen().width = 1;
    bool allTicks = true;
    {
        ProgramFontScope font(m_drawing);
        allTicks &= ownTicks(true, std::trunc(w.x1 / xStep) * xStep, xStep, factor, request,
                             request.xFormat);
        allTicks &=
            ownTicks(false, std::trunc(w.y1 / yStep) * yStep, yStep, 1, request, request.yFormat);
    }
    if (state.lineWidth > 1) m_drawing.announceLineWidth(state.lineWidth);
    c.pen().width = penWidth;
    state.fontName = fontName;
    c.pen().color = penColour;
    {
        ProgramFontScope font(m_drawing);
        if (m_settings.showXLabel)
            alignedText(m_drawing, m_settings.xlabel, "rb", 0.98L * w.x2 + 0.02L * w.x1, 0);
        if (m_settings.showYLabel)
            alignedText(m_drawing, m_settings.ylabel, "rt", 0, 0.98L * w.y2 + 0.02L * w.y1);
    }
    c.font().color = fontColour;
    return allTicks;
}

// The ticks of one own axis from `first` in steps of `step`, leaving out those at the
// origin; numbers first, then the tick mark, then the grid line.
bool WindowAxes::ownTicks(bool alongX, Number first, Number step, Number factor,
                          const OwnAxesRequest& request, const std::string& format) {
    const World w(m_drawing.canvas());
    const Number end = alongX ? w.x2 : w.y2;
    const Number count = std::floor((end - first) / step) + 1;
    if (!(step > 0) || !(count >= 0)) return true;
    if (count > kMaxOwnAxisTicks) return false;
    const Number tx = w.xw / 100, ty = w.yw / 100;
    const bool grid = m_settings.grid;
    for (long long i = 0; i < static_cast<long long>(count); ++i) {
        if (request.aborted && request.aborted()) break;
        const Number v = first + static_cast<Number>(i) * step;
        if (std::fabs(v) <= (alongX ? tx : ty)) continue;
        std::string shown = formatFloat(format, v / factor), picture;
        piTexts(shown, picture);
        if (m_settings.numbers && alongX)
            ownAxisNumber(m_drawing, shown, picture, grid ? "lt" : "ct", v, -ty);
        if (m_settings.numbers && !alongX)
            ownAxisNumber(m_drawing, shown, picture, "lt", tx, v + w.yw / 60);
        if (m_settings.ticks && alongX) line(m_drawing, v, -ty, v, ty);
        if (m_settings.ticks && !alongX) line(m_drawing, -tx, v, tx, v);
        if (grid && alongX) gridLine(v, w.y1, v, w.y2);
        if (grid && !alongX) gridLine(w.x1, v, w.x2, v);
    }
    return true;
}

}  // namespace kalvor
