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

void applyPenColor(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->setPenColor(color);
}

void setPenWidth(RunContext& ctx) {
    const int width = roundedInt(ctx.number(0), -1000, 1000);
    if (DrawingContext* d = ctx.env.drawing) d->setLineWidth(width);
}

void setFillColor(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->state().fillColor = color;
}

// Codes outside 0..7 are kept as "outside": they leave the brush style as it is.
void setFillStyle(RunContext& ctx) {
    const int style = roundedInt(ctx.number(0), -1, 8);
    if (DrawingContext* d = ctx.env.drawing) d->state().fillStyle = style;
}

// ---- Figures ----

void drawLine(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Segment>& s) { d.line(s); });
}

void drawDashedLine(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Segment>& s) { d.dashedLine(s); });
}

void drawArrow(RunContext& ctx) {
    drawFigure(
        ctx,
        [&] {
            const Segment s = fourNumbers(ctx);
            return VectorArgs{s.x1, s.y1, s.x2, s.y2};
        },
        [](DrawingContext& d, const ArgSource<VectorArgs>& s) { d.arrow(s); });
}

void penMoveTo(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return twoNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<WorldPoint>& s) { d.moveTo(s); });
}

void penLineTo(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return twoNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<WorldPoint>& s) { d.lineTo(s); });
}

void drawDot(RunContext& ctx) {
    dotAt(ctx, 2);
}

void drawEllipse(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Box>& s) { d.ellipse(s); });
}

void drawRotatedEllipse(RunContext& ctx) {
    drawFigure(
        ctx,
        [&] {
            const Segment s = fourNumbers(ctx);
            return RotatedEllipseArgs{s.x1, s.y1, s.x2, s.y2, ctx.number(4)};
        },
        [](DrawingContext& d, const ArgSource<RotatedEllipseArgs>& s) { d.rotatedEllipse(s); });
}

void drawRectangle(RunContext& ctx) {
    drawFigure(
        ctx, [&] { return fourNumbers(ctx); },
        [](DrawingContext& d, const ArgSource<Box>& s) { d.rectangle(s); });
}

void drawCircleThroughPoint(RunContext& ctx) {
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

void drawArc(RunContext& ctx) {
    arcFigure(ctx, ArcFigure::Arc);
}
void drawCircleSector(RunContext& ctx) {
    arcFigure(ctx, ArcFigure::Sector);
}
void drawCircleSegment(RunContext& ctx) {
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
        {"lijn", 4, drawLine},
        {"stippellijn", 4, drawDashedLine},
        {"stip", 3, drawDot},
        {"ellips", 4, drawEllipse},
        {"rechthoek", 4, drawRectangle},
        {"vector", 4, drawArrow},
        {"cirkelmppunt", 4, drawCircleThroughPoint},
        {"cirkelboog", 5, drawArc},
        {"cirkelsegment", 5, drawCircleSegment},
        {"cirkelsector", 5, drawCircleSector},
        {"gaNaar", 2, penMoveTo},
        {"lijnNaar", 2, penLineTo},
        {"tekenkleur", 1, applyPenColor},
        {"lijndikte", 1, setPenWidth},
        {"vulkleur", 1, setFillColor},
        {"vulstijl", 1, setFillStyle},
        {"gedraaideellips", 5, drawRotatedEllipse},
    };
    table.add(rows);
    registerDraw2dCurveCommands(table);
    registerDraw2dPathCommands(table);
    registerDraw2dTextCommands(table);
}

}  // namespace kalvor
