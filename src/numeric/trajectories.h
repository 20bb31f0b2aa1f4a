#pragma once

#include <optional>
#include <string_view>

#include "bigint/progress.h"
#include "canvas/point_list.h"
#include "numeric/real_function.h"

namespace kalvor {

/// Curves never hold more points than this, whatever count a program asks for.
inline constexpr long long kMaxTracePoints = 1'000'000;

/// Where traced curves stop: right of 1.4·xmax, or above 1.4·ymax or below 1.4·ymin of the
/// world rectangle. There is no left bound.
struct TraceBounds {
    Number xmax = 0, ymin = 0, ymax = 0;

    static TraceBounds ofWorld(Number xmax, Number ymin, Number ymax) {
        return {1.4L * xmax, 1.4L * ymin, 1.4L * ymax};
    }
    bool passed(const WorldPoint& p) const { return p.x > xmax || p.y > ymax || p.y < ymin; }
};

/// One step of a traced curve from a point; std::nullopt ends the curve there.
using TraceStep = std::function<std::optional<WorldPoint>(const WorldPoint&)>;

/// The points from `start` under `step` until a step leaves the point at `start`, a point
/// passes the bounds (it is kept), a step fails, more than `maxSteps` steps were taken, or
/// `progress` cancels.
PointList traceCurve(const WorldPoint& start, const TraceStep& step, Number maxSteps,
                     const TraceBounds& bounds, const Progress& progress);

enum class OdeMethod { Euler, ImprovedEuler, RungeKutta };

/// The stepper by its exact name ("euler", "impeuler", "runge"); std::nullopt otherwise.
std::optional<OdeMethod> odeMethod(std::string_view name);

/// One step of size h for y' = f(x, y); no method makes no step (the point stays).
TraceStep slopeStep(const PartialPlaneFunction& f, Number h, std::optional<OdeMethod> method);

/// One step of size h for x' = f(x, y), y' = g(x, y) (Euler or improved Euler; any other
/// method makes no step).
TraceStep systemStep(const PartialPlaneFunction& f, const PartialPlaneFunction& g, Number h,
                     std::optional<OdeMethod> method);

/// The curve F(x, y) = 0 through its partial derivatives.
struct ImplicitCurve {
    PartialPlaneFunction f, fx, fy;
};

/// The point of the curve reached by at most 20 Newton steps from `start` along y, or else
/// along x; std::nullopt when neither gets |F| below 1e-5.
std::optional<WorldPoint> projectOntoCurve(const ImplicitCurve& curve, const WorldPoint& start);

/// An improved-Euler step of size h along the tangent field (−F_y, F_x).
TraceStep tangentStep(const ImplicitCurve& curve, Number h);

}  // namespace kalvor
