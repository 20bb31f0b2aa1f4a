#include <cmath>

#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"

// The plane figures with a fixed number of arguments, the pen and fill state, and the family's
// command table. Curves, paths and text live in the other draw2d_*.cpp files.

namespace kalvor {
namespace draw2d {

namespace {

Segment fourNumbers(RunContext& ctx) {
    const Number x1 = ctx.number(0), y1 = ctx.number(1), x2 = ctx.number(2), y2 = ctx.number(3);
    return {x1, y1, x2, y2};
}

WorldPoint twoNumbers(RunContext& ctx) {
    const Number x = ctx.number(0), y = ctx.number(1);
    return {x, y};
}

// ---- State ----

void tekenkleur(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->setPenColor(color);
}

void lijndikte(RunContext& ctx) {
    const int width = roundedInt(ctx.number(0), -1000, 1000);
    if (DrawingContext* d = ctx.env.drawing) d->setLineWidth(width);
}

void vulkleur(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->state().fillColor = color;
}

// Codes outside 0..7 are kept as "outside": they leave the brush style as it is.
void vulstijl(RunContext& ctx) {
    const int style = roundedInt(ctx.number(0), -1, 8);
    if (DrawingContext* d = ctx.env.drawing) d->state().fillStyle = style;
}

// ---- Figures ----

void lijn(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Segment>& s) { d.line(s); });
}

void stippellijn(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Segment>& s) { d.dashedLine(s); });
}

void vector(RunContext& ctx) {
    drawFigure(
        ctx,
        [&] {
            const Segment s = fourNumbers(ctx);
            return VectorArgs{s.x1, s.y1, s.x2, s.y2};
        },
        [](DrawingContext& d, const ArgSource<VectorArgs>& s) { d.arrow(s); });
}

void gaNaar(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return twoNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<WorldPoint>& s) { d.moveTo(s); });
}

void lijnNaar(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return twoNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<WorldPoint>& s) { d.lineTo(s); });
}

void stip(RunContext& ctx) {
    dotAt(ctx, 2);
}

void ellips(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Box>& s) { d.ellipse(s); });
}

void gedraaideellips(RunContext& ctx) {
    drawFigure(
        ctx,
        [&] {
            const Segment s = fourNumbers(ctx);
            return RotatedEllipseArgs{s.x1, s.y1, s.x2, s.y2, ctx.number(4)};
        },
        [](DrawingContext& d, const ArgSource<RotatedEllipseArgs>& s) { d.rotatedEllipse(s); });
}

void rechthoek(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Box>& s) { d.rectangle(s); });
}

void cirkelmppunt(RunContext& ctx) {
    drawFigure(
        ctx,
        [&] {
            const Segment s = fourNumbers(ctx);
            return CircleArgs{s.x1, s.y1, std::hypot(s.x1 - s.x2, s.y1 - s.y2)};
        },
        [](DrawingContext& d, const ArgSource<CircleArgs>& s) { d.circle(s); });
}

void arcFigure(RunContext& ctx, ArcFigure figure) {
    drawFigure(
        ctx,
        [&] {
            const Number mx = ctx.number(0), my = ctx.number(1), r = ctx.number(2);
            const Number a1 = ctx.number(3), a2 = ctx.number(4);
            return ArcArgs{mx, my, r, a1, a2};
        },
        [figure](DrawingContext& d, const ArgSource<ArcArgs>& s) { d.arc(figure, s); });
}

void cirkelboog(RunContext& ctx) {
    arcFigure(ctx, ArcFigure::Arc);
}
void cirkelsector(RunContext& ctx) {
    arcFigure(ctx, ArcFigure::Sector);
}
void cirkelsegment(RunContext& ctx) {
    arcFigure(ctx, ArcFigure::Segment);
}

}  // namespace

void dotAt(RunContext& ctx, int sizeArg) {
    drawFigure(
        ctx,
        [&] {
            const WorldPoint p = twoNumbers(ctx);
            return DotArgs{p.x, p.y, ctx.number(sizeArg)};
        },
        [](DrawingContext& d, const ArgSource<DotArgs>& s) { d.dot(s); });
}

}  // namespace draw2d

void registerDraw2dCommands(CommandTable& table) {
    using namespace draw2d;
    static constexpr CommandRow rows[] = {
        {"lijn", 4, lijn},
        {"stippellijn", 4, stippellijn},
        {"stip", 3, stip},
        {"ellips", 4, ellips},
        {"rechthoek", 4, rechthoek},
        {"vector", 4, vector},
        {"cirkelmppunt", 4, cirkelmppunt},
        {"cirkelboog", 5, cirkelboog},
        {"cirkelsegment", 5, cirkelsegment},
        {"cirkelsector", 5, cirkelsector},
        {"gaNaar", 2, gaNaar},
        {"lijnNaar", 2, lijnNaar},
        {"tekenkleur", 1, tekenkleur},
        {"lijndikte", 1, lijndikte},
        {"vulkleur", 1, vulkleur},
        {"vulstijl", 1, vulstijl},
        {"gedraaideellips", 5, gedraaideellips},
    };
    table.add(rows);
    registerDraw2dCurveCommands(table);
    registerDraw2dPathCommands(table);
    registerDraw2dTextCommands(table);
}

}  // namespace kalvor
