#include <algorithm>
#include <cmath>
#include <string>

#include "expr/application_title.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"

// Paths, polygons and Bézier chains: point pairs up to "#", or a range of two lists.

namespace kalvor {
namespace draw2d {
namespace {

// lijst; name 1; name 2; start; end: element i of both lists for i = start … end, at least
// the start point. A range of too many points gives no points and a message.
PointList listPoints(RunContext& ctx, std::string_view command) {
    const std::string first = ctx.arg(1), second = ctx.arg(2);
    const Number start = std::nearbyint(ctx.number(3)), end = std::nearbyint(ctx.number(4));
    const int l1 = listNumber(first), l2 = listNumber(second);
    PointList points;
    if (l1 == 0 || l2 == 0) {
        ctx.host().messageBox(kApplicationTitle, "ongeldige lijst: " + first + "en/of " + second,
                              Host::Icon::None);
        return points;
    }
    forEachListIndex(ctx, command, start, end, [&](std::int64_t i) {
        points.append(ctx.env.lists.get(l1, i), ctx.env.lists.get(l2, i));
    });
    return points;
}

// Pairs of argument lines until the line after a pair is "#".
PointList pairPoints(RunContext& ctx) {
    PointList points;
    std::size_t i = ctx.pc;
    do {
        const Number x = ctx.evaluateLine(i), y = ctx.evaluateLine(i + 1);
        points.append(x, y);
        i += 2;
    } while (i < ctx.lineCount() && ctx.line(i) != "#");
    return points;
}

// Reads the points and leaves the program counter after the "#" line.
PointList readPoints(RunContext& ctx, std::string_view command) {
    PointList points = ctx.arg(0) == "lijst" ? listPoints(ctx, command) : pairPoints(ctx);
    std::size_t i = ctx.pc;
    while (i < ctx.lineCount() && ctx.line(i) != "#")
        ++i;
    ctx.pc = i + 1;
    return points;
}

void drawPath(RunContext& ctx) {
    const PointList points = readPoints(ctx, "pad");
    if (DrawingContext* d = ctx.env.drawing) d->polyline([&] { return points; }, PathText::Points);
}

void drawPolygon(RunContext& ctx) {
    const PointList points = readPoints(ctx, "veelhoek");
    if (DrawingContext* d = ctx.env.drawing)
        d->polygon([&] { return points; }, PathText::Points, true);
}

void bezier(RunContext& ctx) {
    const PointList points = readPoints(ctx, "bezier");
    if (DrawingContext* d = ctx.env.drawing) d->bezier([&] { return points; });
}

}  // namespace
}  // namespace draw2d

void registerDraw2dPathCommands(CommandTable& table) {
    using namespace draw2d;
    static constexpr CommandRow rows[] = {
        {"pad", CommandRow::kUntilTerminator, drawPath},
        {"veelhoek", CommandRow::kUntilTerminator, drawPolygon},
        {"bezier", CommandRow::kUntilTerminator, bezier},
    };
    table.add(rows);
}

}  // namespace kalvor
