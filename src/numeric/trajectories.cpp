#include "numeric/trajectories.h"

#include <cmath>

namespace kalvor {

namespace {

constexpr int kProjectionSteps = 20;
constexpr Number kOnCurve = 1e-5L;

std::optional<WorldPoint> operator+(const WorldPoint& p, const std::optional<WorldPoint>& d) {
    if (!d) return std::nullopt;
    return WorldPoint{p.x + d->x, p.y + d->y};
}

// Newton steps on one coordinate of the point; `coordinate` picks x or y, `derivative` the
// matching partial derivative.
std::optional<WorldPoint> newtonAlong(const ImplicitCurve& curve, WorldPoint p,
                                      Number WorldPoint::*coordinate,
                                      const PartialPlaneFunction& derivative) {
    for (int n = 0; n < kProjectionSteps; ++n) {
        const std::optional<Number> value = curve.f(p.x, p.y);
        if (!value) return std::nullopt;
        if (std::fabs(*value) <= kOnCurve) break;
        const std::optional<Number> slope = derivative(p.x, p.y);
        if (!slope || *slope == 0) break;
        p.*coordinate -= *value / *slope;
    }
    const std::optional<Number> value = curve.f(p.x, p.y);
    if (!value || !(std::fabs(*value) < kOnCurve)) return std::nullopt;
    return p;
}

}  // namespace

PointList traceCurve(const WorldPoint& start, const TraceStep& step, Number maxSteps,
                     const TraceBounds& bounds, const Progress& progress) {
    PointList points;
    points.append(start.x, start.y);
    WorldPoint p = start;
    for (Number steps = 0; points.size() < kMaxTracePoints && keepGoing(progress);) {
        const std::optional<WorldPoint> next = step(p);
        if (!next || *next == start) break;
        p = *next;
        points.append(p.x, p.y);
        ++steps;
        if (bounds.passed(p) || steps > maxSteps) break;
    }
    return points;
}

std::optional<OdeMethod> odeMethod(std::string_view name) {
    if (name == "euler") return OdeMethod::Euler;
    if (name == "impeuler") return OdeMethod::ImprovedEuler;
    if (name == "runge") return OdeMethod::RungeKutta;
    return std::nullopt;
}

TraceStep slopeStep(const PartialPlaneFunction& f, Number h, std::optional<OdeMethod> method) {
    return [f, h, method](const WorldPoint& p) -> std::optional<WorldPoint> {
        if (!method) return p;
        const auto k = [&](Number dx, Number dy) -> std::optional<Number> {
            const std::optional<Number> slope = f(p.x + dx, p.y + dy);
            if (!slope) return std::nullopt;
            return h * *slope;
        };
        const std::optional<Number> k1 = k(0, 0);
        if (!k1) return std::nullopt;
        if (*method == OdeMethod::Euler) return WorldPoint{p.x + h, p.y + *k1};
        if (*method == OdeMethod::ImprovedEuler) {
            const std::optional<Number> k2 = k(h, *k1);
            if (!k2) return std::nullopt;
            return WorldPoint{p.x + h, p.y + (*k1 + *k2) / 2};
        }
        const std::optional<Number> k2 = k(h / 2, *k1 / 2);
        const std::optional<Number> k3 = k2 ? k(h / 2, *k2 / 2) : std::nullopt;
        const std::optional<Number> k4 = k3 ? k(h, *k3) : std::nullopt;
        if (!k4) return std::nullopt;
        return WorldPoint{p.x + h, p.y + (*k1 + 2 * *k2 + 2 * *k3 + *k4) / 6};
    };
}

TraceStep systemStep(const PartialPlaneFunction& f, const PartialPlaneFunction& g, Number h,
                     std::optional<OdeMethod> method) {
    const auto delta = [f, g, h](const WorldPoint& p) -> std::optional<WorldPoint> {
        const std::optional<Number> u = f(p.x, p.y);
        const std::optional<Number> v = u ? g(p.x, p.y) : std::nullopt;
        if (!v) return std::nullopt;
        return WorldPoint{h * *u, h * *v};
    };
    return [delta, method](const WorldPoint& p) -> std::optional<WorldPoint> {
        if (method == OdeMethod::Euler) return p + delta(p);
        if (method != OdeMethod::ImprovedEuler) return p;
        const std::optional<WorldPoint> k1 = delta(p);
        if (!k1) return std::nullopt;
        const std::optional<WorldPoint> k2 = delta({p.x + k1->x, p.y + k1->y});
        if (!k2) return std::nullopt;
        return WorldPoint{p.x + (k1->x + k2->x) / 2, p.y + (k1->y + k2->y) / 2};
    };
}

std::optional<WorldPoint> projectOntoCurve(const ImplicitCurve& curve, const WorldPoint& start) {
    if (auto p = newtonAlong(curve, start, &WorldPoint::y, curve.fy)) return p;
    return newtonAlong(curve, start, &WorldPoint::x, curve.fx);
}

TraceStep tangentStep(const ImplicitCurve& curve, Number h) {
    const auto tangent = [curve, h](const WorldPoint& p) -> std::optional<WorldPoint> {
        const std::optional<Number> fx = curve.fx(p.x, p.y);
        const std::optional<Number> fy = fx ? curve.fy(p.x, p.y) : std::nullopt;
        if (!fy) return std::nullopt;
        return WorldPoint{-*fy * h, *fx * h};
    };
    return [tangent](const WorldPoint& p) -> std::optional<WorldPoint> {
        const std::optional<WorldPoint> t1 = tangent(p);
        if (!t1) return std::nullopt;
        const std::optional<WorldPoint> t2 = tangent({p.x + t1->x, p.y + t1->y});
        if (!t2) return std::nullopt;
        return WorldPoint{p.x + (t1->x + t2->x) / 2, p.y + (t1->y + t2->y) / 2};
    };
}

}  // namespace kalvor
