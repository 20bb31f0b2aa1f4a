#include "canvas/tikz_sink.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "canvas/canvas_paint.h"
#include "canvas/canvas_sink.h"

namespace kalvor {

namespace {

constexpr double kCmPerPixel = 2.54 / 96;
constexpr double kPointsPerPixel = 72.0 / 96;
// The canvas's far-pixel limit; 16000 pixels are 423 cm, within TeX's 575 cm.
constexpr double kFarPixel = 16000;
constexpr double kRadiansToDegrees = 180 / std::numbers::pi;

std::string number(double v, int decimals) {
    if (!std::isfinite(v)) v = 0;
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    std::string s(buffer, static_cast<std::size_t>(std::max(n, 0)));
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string color(Color c) {
    return "{rgb,255:red," + std::to_string(redOf(c)) + ";green," + std::to_string(greenOf(c)) +
           ";blue," + std::to_string(blueOf(c)) + "}";
}

// World coordinates while the axis keeps TeX's dimensions in range: at most 1000 cm a
// unit, at least 0.001 cm, and the origin within 4000 pixels of the canvas.
TikzSink::Axis axisOf(const AxisMapping& m, bool flip) {
    const double a = static_cast<double>(m.a), b = static_cast<double>(m.b);
    const double cm = std::fabs(a) * kCmPerPixel;
    TikzSink::Axis axis;
    if (std::fabs(b) <= 4000 && cm >= 1e-3 && cm <= 1e3) {
        axis.cm = cm;
        axis.decimals =
            std::clamp(static_cast<int>(std::ceil(std::log10(std::fabs(a)))) + 2, 0, 12);
        return axis;
    }
    const double sign = flip ? -1 : 1;
    axis.k = sign * a * kCmPerPixel;
    axis.o = sign * b * kCmPerPixel;
    return axis;
}

// The output value of world coordinate `w`: pulled back to the far-pixel limit first.
double place(const TikzSink::Axis& axis, const AxisMapping& m, Number w) {
    const double a = static_cast<double>(m.a), b = static_cast<double>(m.b);
    double world = static_cast<double>(w);
    const double pixel = a * world + b;
    if (std::isnan(pixel)) {
        world = (kFarPixel - b) / a;
    } else if (std::fabs(pixel) > kFarPixel) {
        world = (std::copysign(kFarPixel, pixel) - b) / a;
    }
    return axis.k * world + axis.o;
}

const char* patternOf(BrushStyle style) {
    switch (style) {
        case BrushStyle::Horizontal:
            return "horizontal lines";
        case BrushStyle::Vertical:
            return "vertical lines";
        case BrushStyle::ForwardDiagonal:
            return "north west lines";
        case BrushStyle::BackwardDiagonal:
            return "north east lines";
        case BrushStyle::Cross:
            return "grid";
        case BrushStyle::DiagonalCross:
            return "crosshatch";
        case BrushStyle::Solid:
        case BrushStyle::Clear:
            break;
    }
    return nullptr;
}

// The keys of the Symbol font's letters, a…z and A…Z, as TeX math.
constexpr const char* kGreekLower[] = {
    "\\alpha", "\\beta",  "\\chi",    "\\delta", "\\epsilon", "\\phi", "\\gamma",
    "\\eta",   "\\iota",  "\\varphi", "\\kappa", "\\lambda",  "\\mu",  "\\nu",
    "o",       "\\pi",    "\\theta",  "\\rho",   "\\sigma",   "\\tau", "\\upsilon",
    "\\varpi", "\\omega", "\\xi",     "\\psi",   "\\zeta"};
constexpr const char* kGreekUpper[] = {
    "\\mathrm{A}", "\\mathrm{B}", "\\mathrm{X}", "\\Delta",    "\\mathrm{E}", "\\Phi",
    "\\Gamma",     "\\mathrm{H}", "\\mathrm{I}", "\\vartheta", "\\mathrm{K}", "\\Lambda",
    "\\mathrm{M}", "\\mathrm{N}", "\\mathrm{O}", "\\Pi",       "\\Theta",     "\\mathrm{P}",
    "\\Sigma",     "\\mathrm{T}", "\\Upsilon",   "\\varsigma", "\\Omega",     "\\Xi",
    "\\Psi",       "\\mathrm{Z}"};

}  // namespace

std::string texText(std::string_view utf8, bool symbolFont) {
    std::string out;
    for (const char c : utf8) {
        if (symbolFont && c >= 'a' && c <= 'z') {
            out += std::string("$") + kGreekLower[c - 'a'] + "$";
            continue;
        }
        if (symbolFont && c >= 'A' && c <= 'Z') {
            out += std::string("$") + kGreekUpper[c - 'A'] + "$";
            continue;
        }
        switch (c) {
            case '\\':
                out += "\\textbackslash{}";
                break;
            case '^':
                out += "\\^{}";
                break;
            case '~':
                out += "\\~{}";
                break;
            case '{':
            case '}':
            case '$':
            case '&':
            case '#':
            case '%':
            case '_':
                out += '\\';
                out += c;
                break;
            default:
                out += c;
        }
    }
    return out;
}

void TikzSink::begin() {
    const CanvasMapping& m = m_canvas.screenMapping();
    m_x = axisOf(m.x, false);
    m_y = axisOf(m.y, true);
    m_text = "% \\usepackage{tikz} \\usetikzlibrary{patterns}\n\\begin{tikzpicture}[x=" +
             number(m_x.cm, 6) + "cm,y=" + number(m_y.cm, 6) + "cm]\n\\clip";
    // The canvas rectangle: the outer edges of its first and last pixels.
    const int w = m_canvas.width(), h = m_canvas.height();
    point(m.x.toWorld(0) - 0.5L / m.x.a, m.y.toWorld(h - 1) + 0.5L / m.y.a);
    m_text += " rectangle";
    point(m.x.toWorld(w - 1) + 0.5L / m.x.a, m.y.toWorld(0) - 0.5L / m.y.a);
    m_text += ";\n";
}

void TikzSink::end() {
    m_text += "\\end{tikzpicture}\n";
}

void TikzSink::point(Number x, Number y) {
    const CanvasMapping& m = m_canvas.screenMapping();
    m_text += " (" + number(place(m_x, m.x, x), m_x.decimals) + "," +
              number(place(m_y, m.y, y), m_y.decimals) + ")";
}

// Thin pens are one pixel wide and may be dotted or dashed; wide ones are solid and round.
void TikzSink::penOptions() {
    const CanvasPen& pen = m_canvas.pen();
    m_text += "draw=" + color(pen.color) +
              ",line width=" + number(std::max(pen.width, 1) * kPointsPerPixel, 2) + "pt";
    if (pen.width > 1) {
        m_text += ",line cap=round,line join=round";
    } else if (pen.style == PenStyle::Dot) {
        m_text += ",dash pattern=on 1.5pt off 1.5pt";
    } else if (pen.style == PenStyle::Dash) {
        m_text += ",dash pattern=on 4.5pt off 2.25pt";
    }
}

void TikzSink::fillOptions() {
    const CanvasBrush& brush = m_canvas.brush();
    if (const char* pattern = patternOf(brush.style))
        m_text += std::string("pattern=") + pattern + ",pattern color=" + color(brush.color);
    else
        m_text += "fill=" + color(brush.color);
}

void TikzSink::command(Paint paint) {
    if (paint == Paint::FillAndStroke && m_canvas.brush().style == BrushStyle::Clear)
        paint = Paint::Stroke;
    m_text += "\\path[";
    if (paint != Paint::Fill) penOptions();
    if (paint == Paint::FillAndStroke) m_text += ',';
    if (paint != Paint::Stroke) fillOptions();
    m_text += ']';
}

void TikzSink::pathPoints(const PointList& points, bool close, Paint paint) {
    if (points.size() < 2) return;
    command(paint);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) m_text += " --";
        point(points[i].x, points[i].y);
    }
    m_text += close ? " -- cycle;\n" : ";\n";
}

void TikzSink::line(const Segment& s) {
    pathPoints(PointList{{s.x1, s.y1}, {s.x2, s.y2}}, false, Paint::Stroke);
}

void TikzSink::straightLine(const Segment& s) {
    line(s);
}

// The drawing layer has made the pen dotted.
void TikzSink::dashedLine(const Segment& s) {
    line(s);
}

// The wings as the canvas draws them: 8 pixels long at 45 degrees to the shaft.
void TikzSink::arrow(const VectorArgs& v) {
    const CanvasMapping& m = m_canvas.screenMapping();
    const Number tx = v.x + v.dx, ty = v.y + v.dy;
    const Number dx = (m.x.a * v.x) - (m.x.a * tx), dy = (m.y.a * v.y) - (m.y.a * ty);
    const Number n = std::sqrt(2.0L) * std::hypot(dx, dy);
    line({v.x, v.y, tx, ty});
    if (n == 0) return;
    auto wing = [&](Number px, Number py) {
        return WorldPoint{tx + std::nearbyint(8 * px / n) / m.x.a,
                          ty + std::nearbyint(8 * py / n) / m.y.a};
    };
    const WorldPoint w1 = wing(dx - dy, dx + dy), w2 = wing(dx + dy, dy - dx);
    pathPoints(PointList{w1, {tx, ty}, w2}, false, Paint::Stroke);
}

void TikzSink::moveTo(const WorldPoint& p) {
    m_current = p;
}

void TikzSink::lineTo(const WorldPoint& p) {
    line({m_current.x, m_current.y, p.x, p.y});
    m_current = p;
}

void TikzSink::polyline(const PointList& points, PathText) {
    pathPoints(points, false, Paint::Stroke);
}

void TikzSink::polygon(const PointList& points, PathText, bool) {
    pathPoints(points, true, Paint::FillAndStroke);
}

void TikzSink::bezier(const PointList& points) {
    const std::size_t n = points.size();
    if (n < 4 || n % 3 != 1) return;
    command(Paint::Stroke);
    point(points[0].x, points[0].y);
    for (std::size_t i = 1; i + 2 < n; i += 3) {
        m_text += " .. controls";
        point(points[i].x, points[i].y);
        m_text += " and";
        point(points[i + 1].x, points[i + 1].y);
        m_text += " ..";
        point(points[i + 2].x, points[i + 2].y);
    }
    m_text += ";\n";
}

void TikzSink::ellipse(const Box& b) {
    command(Paint::FillAndStroke);
    point((b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2);
    m_text += " ellipse [x radius=" +
              number(m_x.k * std::fabs(static_cast<double>(b.x2 - b.x1)) / 2, m_x.decimals) +
              ",y radius=" +
              number(m_y.k * std::fabs(static_cast<double>(b.y2 - b.y1)) / 2, m_y.decimals) +
              "];\n";
}

void TikzSink::rectangle(const Box& b) {
    command(Paint::FillAndStroke);
    point(b.x1, b.y1);
    m_text += " rectangle";
    point(b.x2, b.y2);
    m_text += ";\n";
}

void TikzSink::circle(const CircleArgs& c) {
    ellipse({c.mx - c.r, c.my - c.r, c.mx + c.r, c.my + c.r});
}

// Filled in the pen colour whatever the brush.
void TikzSink::dot(const Box& box, Number) {
    const CanvasBrush brush = m_canvas.brush();
    m_canvas.brush() = {m_canvas.pen().color, BrushStyle::Solid};
    ellipse(box);
    m_canvas.brush() = brush;
}

// The canvas's 72-point outline, so that a world with unequal axes turns it the same way.
void TikzSink::rotatedEllipse(const RotatedEllipseArgs& e) {
    pathPoints(polygonOutline(e), true, Paint::FillAndStroke);
}

// Counter-clockwise from a1 to a2; equal angles give the whole circle.
void TikzSink::arc(ArcFigure figure, const ArcArgs& a) {
    const double start = static_cast<double>(a.a1) * kRadiansToDegrees;
    double sweep = std::fmod(static_cast<double>(a.a2 - a.a1) * kRadiansToDegrees, 360.0);
    if (sweep <= 0) sweep += 360;
    const WorldPoint from = onCircle(a, a.a1);
    command(figure == ArcFigure::Arc ? Paint::Stroke : Paint::FillAndStroke);
    if (figure == ArcFigure::Sector) {
        point(a.mx, a.my);
        m_text += " --";
    }
    point(from.x, from.y);
    m_text += " arc [start angle=" + number(start, 3) + ",end angle=" + number(start + sweep, 3) +
              ",x radius=" + number(m_x.k * static_cast<double>(a.r), m_x.decimals) +
              ",y radius=" + number(m_y.k * static_cast<double>(a.r), m_y.decimals) + "]";
    m_text += figure == ArcFigure::Arc ? ";\n" : " -- cycle;\n";
}

std::string TikzSink::fontCommands() const {
    const CanvasFont& font = m_canvas.font();
    const QString name = QString::fromStdString(font.name).toLower();
    std::string family = name.contains("courier")                       ? "\\ttfamily"
                         : name.contains("times") || isSymbolFont(font) ? "\\rmfamily"
                                                                        : "\\sffamily";
    const std::string size = std::to_string(std::max(font.size, 1));
    return "\\fontsize{" + size + "}{" + size + "}\\selectfont" + family +
           (font.bold ? "\\bfseries" : "") + (font.italic ? "\\itshape" : "");
}

// The text's upper-left corner at (x, y), turned about it.
void TikzSink::writeNode(std::string_view tex, Number x, Number y, Number angleDegrees) {
    const CanvasFont& font = m_canvas.font();
    m_text += "\\node[anchor=north west,inner sep=0pt,outer sep=0pt,text=" + color(font.color) +
              ",font=" + fontCommands();
    if (std::isfinite(angleDegrees) && angleDegrees != 0)
        m_text += ",rotate=" + number(static_cast<double>(angleDegrees), 3);
    m_text += "] at";
    point(x, y);
    m_text += font.underline ? " {\\underline{" + std::string(tex) + "}};\n"
                             : " {" + std::string(tex) + "};\n";
}

void TikzSink::text(const TextArgs& t, TextSize) {
    writeNode(texText(t.text, isSymbolFont(m_canvas.font())), t.x, t.y, t.angle);
}

void TikzSink::alignedText(const AlignedTextArgs& t, TextSize size) {
    const WorldPoint p = alignedTextCorner(m_canvas, t);
    if (t.pictureText) return writeNode(*t.pictureText, p.x, p.y, 0);
    text({t.text, p.x, p.y, 0}, size);
}

}  // namespace kalvor
