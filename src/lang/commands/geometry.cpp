#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/plane_vectors.h"

// Constructions that compute points and values into program variables, the named points of
// maakpunt and vrijpunt, and the family's command table. Construction lines and marks live
// in geometry_lines.cpp and geometry_marks.cpp. Where a formula would divide by zero (a
// segment of length 0, circles with one centre) the result variables are left as they are.

namespace kalvor {
namespace geometry {

namespace {

using namespace plane;

constexpr Number kDegree = std::numbers::pi_v<long double> / 180;

// A result variable: Parser1 only.
void setResult(RunContext& ctx, const std::string& name, Number value) {
    ctx.parser(1).setVariable(name, value);
}

void setResultPair(RunContext& ctx, int nameArg, Vec v) {
    const std::string x = ctx.text(nameArg), y = ctx.text(nameArg + 1);
    setResult(ctx, x, v.x);
    setResult(ctx, y, v.y);
}

// The point named p is the variables p1 and p2.
void setPoint(RunContext& ctx, const std::string& name, Vec v, int parsers) {
    for (int n = 1; n <= parsers; ++n) {
        ctx.parser(n).setVariable(name + "1", v.x);
        ctx.parser(n).setVariable(name + "2", v.y);
    }
}

// The foot of the perpendicular from p on the line ab; none when a = b.
std::optional<Vec> footOn(Vec a, Vec b, Vec p) {
    const Vec d = b - a;
    const Number dd = dot(d, d);
    if (dd == 0) return std::nullopt;
    return a + (dot(p - a, d) / dd) * d;
}

void projection(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), p = pointArg(ctx, 4);
    if (const auto foot = footOn(a, b, p)) setResultPair(ctx, 6, *foot);
}

void mirrorImage(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), p = pointArg(ctx, 4);
    if (const auto foot = footOn(a, b, p)) setResultPair(ctx, 6, 2 * *foot - p);
}

// A positive angle turns clockwise.
void rotateAndScale(RunContext& ctx) {
    const Vec m = pointArg(ctx, 0), p = pointArg(ctx, 2);
    const Number angle = ctx.number(4) * kDegree, factor = ctx.number(5);
    const Vec w = p - m;
    const Number c = std::cos(angle), s = std::sin(angle);
    setResultPair(ctx, 6, m + factor * Vec{w.x * c + w.y * s, -w.x * s + w.y * c});
}

// The cosine is kept within [-1, 1]: rounding must not turn a straight angle into NaN.
void angleAtVertex(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
    const Number lengths = length(c - a) * length(b - a);
    if (lengths == 0) return;
    const Number cosine = std::clamp(dot(b - a, c - a) / lengths, -1.0L, 1.0L);
    setResult(ctx, ctx.text(6), std::fabs(std::acos(cosine) / kDegree));
}

void circumcentre(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
    const Number aa = dot(a, a);
    setResultPair(ctx, 6, solveLines(a - b, (aa - dot(b, b)) / 2, a - c, (aa - dot(c, c)) / 2));
}

void incentre(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
    const Number ab = length(b - a), ac = length(c - a), bc = length(c - b);
    if (ab == 0 || ac == 0 || bc == 0) return;
    const Vec gA = perp((1 / ab) * (b - a) + (1 / ac) * (c - a));
    const Vec gB = perp((1 / ab) * (a - b) + (1 / bc) * (c - b));
    setResultPair(ctx, 6, solveLines(gA, dot(gA, a), gB, dot(gB, b)));
}

// For collinear points the division fails and the result is A.
void orthocentre(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
    const Vec bb = b - a, cc = c - a;
    const Number d = det(bb, cc);
    const Number k = d == 0 ? 0 : dot(bb, cc) / d;
    const Vec h = a + k * Vec{cc.y - bb.y, bb.x - cc.x};
    const std::string x = ctx.text(6), y = ctx.text(7);
    ctx.setNumber(x, h.x);
    ctx.setNumber(y, h.y);
}

// The line through p and q as g·Z = g·p.
Vec lineNormal(Vec p, Vec q) {
    return {-(p.y - q.y), p.x - q.x};
}

void lineLineIntersection(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4),
              d = pointArg(ctx, 6);
    const Vec g = lineNormal(a, b), k = lineNormal(c, d);
    setResultPair(ctx, 8, solveLines(g, dot(g, a), k, dot(k, c)));
}

// S := foot + h·unit and T := foot − h·unit; h is the marker when there is no intersection.
void writeIntersections(RunContext& ctx, Vec foot, Number h, Vec unit) {
    const std::string s = ctx.text(8), t = ctx.text(9);
    setPoint(ctx, s, foot + h * unit, 1);
    setPoint(ctx, t, foot - h * unit, 1);
}

void lineCircleIntersection(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), m = pointArg(ctx, 4),
              p = pointArg(ctx, 6);
    const Vec d = b - a;
    const Number len = length(d);
    if (len == 0) return;
    const Number r = length(p - m);
    const Vec g = lineNormal(a, b);
    const Vec foot = solveLines(g, dot(g, a), d, dot(d, m));
    const Number e = length(foot - m);
    const Number h = r > e ? std::sqrt(r * r - e * e) : kNoIntersection;
    writeIntersections(ctx, foot, h, (1 / len) * d);
}

// Circles that do not meet, one inside the other included, give the marker distance.
void circleCircleIntersection(RunContext& ctx) {
    const Vec m = pointArg(ctx, 0), p = pointArg(ctx, 2), k = pointArg(ctx, 4),
              q = pointArg(ctx, 6);
    const Vec v = k - m;
    const Number dist = length(v);
    if (dist == 0) return;
    const Number r1 = length(p - m), r2 = length(q - k);
    const Number a = (dist * dist + r1 * r1 - r2 * r2) / (2 * dist);
    const Number h = r1 > std::fabs(a) ? std::sqrt(r1 * r1 - a * a) : kNoIntersection;
    writeIntersections(ctx, m + (a / dist) * v, h, (1 / dist) * perp(v));
}

// Ray crossings with half-open edges: a point on a lower horizontal edge is inside, on an
// upper one outside. Vertices past 100 read as (0, 0), so 101 of them stand for any more.
void pointInPolygon(RunContext& ctx) {
    const Vec p = pointArg(ctx, 0);
    const std::string& first = ctx.arg(2);
    const std::string& second = ctx.arg(3);
    const int n = roundedInt(ctx.number(4), 0, NumberLists::kSize + 1);
    const std::string name = ctx.text(5);
    auto listOf = [](const std::string& s) {
        return s.size() == 2 && s[0] == 'L' && s[1] >= '1' && s[1] <= '6' ? s[1] - '0' : 0;
    };
    const int l1 = listOf(first), l2 = listOf(second);
    int inside = 0;
    if (l1 != 0 && l2 != 0) {
        auto vertex = [&](int i) {
            return Vec{ctx.env.lists.get(l1, i), ctx.env.lists.get(l2, i)};
        };
        for (int i = 1, j = n; i <= n; j = i++) {
            const Vec vi = vertex(i), vj = vertex(j);
            if (((vi.y <= p.y && p.y < vj.y) || (vj.y <= p.y && p.y < vi.y)) &&
                p.x < (vj.x - vi.x) * (p.y - vi.y) / (vj.y - vi.y) + vi.x)
                inside = 1 - inside;
        }
    }
    ctx.setNumberEverywhere(name, inside);
}

void makePoint(RunContext& ctx) {
    const std::string name = ctx.text(0);
    const Vec v = pointArg(ctx, 1);
    setPoint(ctx, name, v, 2);
}

// The reset corner: the 10 × 10 pixels in the lower right, where a click puts every free
// point back.
void outlineResetCorner(WorldCanvas& canvas) {
    const int right = canvas.width() - 1, bottom = canvas.height() - 1;
    const Number x1 = canvas.worldX(right - 9), x2 = canvas.worldX(right);
    const Number y1 = canvas.worldY(bottom), y2 = canvas.worldY(bottom - 9);
    canvas.d2Line(x1, y1, x2, y1);
    canvas.d2Line(x2, y1, x2, y2);
    canvas.d2Line(x2, y2, x1, y2);
    canvas.d2Line(x1, y2, x1, y1);
}

// A point that starts at (x, y) and follows the mouse once it is caught within delta.
void freePoint(RunContext& ctx) {
    const std::string name = ctx.text(0);
    const Vec start = pointArg(ctx, 1);
    const Number delta = ctx.number(3);
    if (ctx.env.drawing && ctx.options.reset) outlineResetCorner(ctx.env.drawing->canvas());
    MouseState& mouse = ctx.env.mouse;
    Parser& p1 = ctx.parser(1);
    if (mouse.resetFreePoints || !p1.variableExists(name + "1")) {
        setPoint(ctx, name, start, 2);
        return;
    }
    const Vec now{p1.getVariable(name + "1"), p1.getVariable(name + "2")};
    const Vec at{mouse.x, mouse.y};
    if (!(length(now - at) < delta)) return;
    if (mouse.draggedPoint.empty()) mouse.draggedPoint = name;
    if (mouse.draggedPoint == name) setPoint(ctx, name, at, 2);
}

}  // namespace

}  // namespace geometry

void registerGeometryCommands(CommandTable& table) {
    using namespace geometry;
    static constexpr CommandRow rows[] = {
        {"maakpunt", 3, makePoint},
        {"vrijpunt", 4, freePoint},
        {"draaivermenigvuldig", 8, rotateAndScale},
        {"projectie", 8, projection},
        {"spiegelbeeld", 8, mirrorImage},
        {"hoek", 7, angleAtVertex},
        {"snijpuntmll", 8, circumcentre},
        {"snijpuntbis", 8, incentre},
        {"snijpuntlijnlijn", 10, lineLineIntersection},
        {"snijpuntlijncir", 10, lineCircleIntersection},
        {"snijpuntcircir", 10, circleCircleIntersection},
        {"hoogtepunt", 8, orthocentre},
        {"puntinveelhoek?", 6, pointInPolygon},
    };
    table.add(rows);
    registerGeometryLineCommands(table);
    registerGeometryMarkCommands(table);
}

}  // namespace kalvor
