#include <string>

#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"
#include "lang/commands/geometry_marks.h"
#include "lang/commands/space_support.h"

// The view of space, the plane computations, and the space figures of one or two points.
// Each point is projected once; the plane figure then goes to every sink unchanged.
// Curves, surfaces and paths live in draw3d_curves.cpp.

namespace kalvor {
namespace draw3d {

namespace {

std::optional<WorldPoint> projectedArg(RunContext& ctx, int k) {
    return ctx.view3d.project(spaceArg(ctx, k));
}

// ---- The view ----

void setView3d(RunContext& ctx) {
    const Number angle = ctx.number(0);
    ctx.view3d.setOblique(angle, ctx.number(1));
}

void setCentralView3d(RunContext& ctx) {
    const Number theta = ctx.number(0), phi = ctx.number(1), eye = ctx.number(2);
    ctx.view3d.setCentral(theta, phi, eye, ctx.number(3));
}

void setMatrix3d(RunContext& ctx) {
    Projection3D::Matrix rows{};
    for (int k = 0; k < 9; ++k)
        rows[k / 3][k % 3] = ctx.number(k);
    ctx.view3d.setMatrix(rows);
}

// An axis other than x, y or z (or 1, 2, 3) keeps the matrix.
void rotate3d(RunContext& ctx) {
    const std::optional<Projection3D::Axis> axis = Projection3D::axisOf(ctx.arg(0));
    const Number angle = ctx.number(1);
    if (axis) ctx.view3d.setRotation(*axis, angle);
}

void mirror3d(RunContext& ctx) {
    const std::optional<Projection3D::Axis> axis = Projection3D::axisOf(ctx.arg(0));
    const Number angle = ctx.number(1);
    if (axis) ctx.view3d.setReflection(*axis, angle);
}

// A point without an image (on the eye's plane) gives the no-intersection value.
void projectTo2d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    const WorldPoint image = p.value_or(WorldPoint{kNoIntersection, kNoIntersection});
    ctx.setNumber(ctx.text(3), image.x);
    ctx.setNumber(ctx.text(4), image.y);
}

// ---- Points and planes ----

void setSpacePoint(RunContext& ctx, const std::string& name, const SpacePoint& p) {
    ctx.setNumber(name + "1", p.x);
    ctx.setNumber(name + "2", p.y);
    ctx.setNumber(name + "3", p.z);
}

void makePoint3d(RunContext& ctx) {
    const std::string name = ctx.text(0);
    setSpacePoint(ctx, name, spaceArg(ctx, 1));
}

void planeEquation(RunContext& ctx) {
    const SpacePoint a = spaceArg(ctx, 0), b = spaceArg(ctx, 3), c = spaceArg(ctx, 6);
    const SpacePlane plane = planeThrough(a, b, c);
    const Number values[4] = {plane.a, plane.b, plane.c, plane.d};
    for (int k = 0; k < 4; ++k)
        ctx.setNumber(ctx.text(9 + k), values[k]);
}

void linePlaneIntersection(RunContext& ctx) {
    SpacePlane plane;
    plane.a = ctx.number(0);
    plane.b = ctx.number(1);
    plane.c = ctx.number(2);
    plane.d = ctx.number(3);
    const SpacePoint p = spaceArg(ctx, 4), q = spaceArg(ctx, 7);
    const SpacePoint s =
        lineMeetsPlane(plane, p, q)
            .value_or(SpacePoint{kNoIntersection, kNoIntersection, kNoIntersection});
    const Number values[3] = {s.x, s.y, s.z};
    for (int k = 0; k < 3; ++k)
        ctx.setNumber(ctx.text(10 + k), values[k]);
}

// ---- Figures ----

void dotAt(RunContext& ctx, const std::optional<WorldPoint>& p, Number size) {
    DrawingContext* d = ctx.env.drawing;
    if (d && p) d->dot(once(DotArgs{p->x, p->y, size}));
}

void drawDot3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    dotAt(ctx, p, ctx.number(3));
}

std::optional<Segment> projectedSegment(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0), q = projectedArg(ctx, 3);
    if (!p || !q || !ctx.env.drawing) return std::nullopt;
    return Segment{p->x, p->y, q->x, q->y};
}

void drawLine3d(RunContext& ctx) {
    if (const std::optional<Segment> s = projectedSegment(ctx)) ctx.env.drawing->line(once(*s));
}

void drawDashedLine3d(RunContext& ctx) {
    if (const std::optional<Segment> s = projectedSegment(ctx))
        ctx.env.drawing->dashedLine(once(*s));
}

// A move to a point without an image lifts the pen: the next line starts at its own end.
void penMoveTo3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    ctx.spacePenLifted = !p;
    if (DrawingContext* d = ctx.env.drawing; d && p) d->moveTo(once(*p));
}

void penLineTo3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    const bool lifted = ctx.spacePenLifted;
    ctx.spacePenLifted = !p;
    DrawingContext* d = ctx.env.drawing;
    if (!d || !p) return;
    if (lifted)
        d->moveTo(once(*p));
    else
        d->lineTo(once(*p));
}

void alignedTextAt(RunContext& ctx, const std::optional<WorldPoint>& p, std::string text) {
    DrawingContext* d = ctx.env.drawing;
    if (!d || !p) return;
    ProgramFontScope font(*d);
    d->alignedText(once(AlignedTextArgs{std::move(text), ctx.arg(4), p->x, p->y}));
}

void drawAlignedText3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    alignedTextAt(ctx, p, ctx.text(3));
}

void drawAlignedTextWithDot3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    alignedTextAt(ctx, p, ctx.text(3));
    dotAt(ctx, p, ctx.number(5));
}

// The number as "uitvoer" writes it: 18 significant digits.
void drawAlignedNumber3d(RunContext& ctx) {
    const std::optional<WorldPoint> p = projectedArg(ctx, 0);
    alignedTextAt(ctx, p, formatGeneral(ctx.number(3), 18));
}

void markSegment3d(RunContext& ctx) {
    const std::optional<WorldPoint> x = projectedArg(ctx, 0), y = projectedArg(ctx, 3);
    const Number size = ctx.number(6), marks = ctx.number(7);
    if (x && y) geometry::segmentMarkAt(ctx, *x, *y, size, marks);
}

void markAngle3d(RunContext& ctx) {
    const std::optional<WorldPoint> a = projectedArg(ctx, 0), b = projectedArg(ctx, 3),
                                    c = projectedArg(ctx, 6);
    const Number size = ctx.number(9), arcs = ctx.number(10);
    if (a && b && c) geometry::angleMarkAt(ctx, *a, *b, *c, size, arcs);
}

}  // namespace

SpacePoint spaceArg(RunContext& ctx, int k) {
    const Number x = ctx.number(k), y = ctx.number(k + 1);
    return {x, y, ctx.number(k + 2)};
}

}  // namespace draw3d

void registerDraw3dCommands(CommandTable& table) {
    using namespace draw3d;
    static constexpr CommandRow rows[] = {
        {"lijnstukmarkering3d", 8, markSegment3d},
        {"stippellijn3d", 6, drawDashedLine3d},
        {"stip3d", 4, drawDot3d},
        {"tekst3d2", 5, drawAlignedText3d},
        {"tekst3d2+stip", 6, drawAlignedTextWithDot3d},
        {"uitvoer3d2", 5, drawAlignedNumber3d},
        {"lijnNaar3d", 3, penLineTo3d},
        {"gaNaar3d", 3, penMoveTo3d},
        {"3d->2d", 5, projectTo2d},
        {"maakpunt3d", 4, makePoint3d},
        {"hoekmarkering3d", 11, markAngle3d},
        {"snijpuntlijnvlak", 13, linePlaneIntersection},
        {"vglvlak", 13, planeEquation},
        {"setmat3d", 9, setMatrix3d},
        {"lijn3d", 6, drawLine3d},
        {"rot3d", 2, rotate3d},
        {"spiegel3d", 2, mirror3d},
        {"set3d", 2, setView3d},
        {"set3dcentraal", 4, setCentralView3d},
    };
    table.add(rows);
    registerDraw3dCurveCommands(table);
}

}  // namespace kalvor
