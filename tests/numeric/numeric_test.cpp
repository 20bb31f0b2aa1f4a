#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "expr/parser.h"
#include "numeric/contour.h"
#include "numeric/integration.h"
#include "numeric/roots.h"
#include "numeric/statistics.h"
#include "numeric/trajectories.h"

// The numerical routines on functions whose answers are known in closed form.

namespace kalvor {
namespace {

constexpr Number kSqrt2 = 1.41421356237309504880L;

// ---- Zeros ----

struct ZeroCase {
    const char* name;
    Number (*f)(Number);
    Number lo, hi, start, expected;
};

const ZeroCase kZeroCases[] = {
    {"BoundsInEitherOrder", [](Number x) { return x * x - 2; }, 2, 0, 1, kSqrt2},
    {"ZeroAtStart", [](Number x) { return x - 1; }, 0, 2, 1, 1},
    // Newton from 0.1 runs far outside; the sign change on [0, 3] brackets the zero.
    {"NewtonEscapesBracketHolds", [](Number x) { return std::atan(x - 2); }, 0, 3, 0.1L, 2},
    {"ZeroOutsideKeepsStart", [](Number x) { return x - 10; }, 0, 2, 1, 1},
};

TEST(FindZero, Rows) {
    for (const ZeroCase& c : kZeroCases)
        EXPECT_NEAR(static_cast<double>(findZero(c.f, c.lo, c.hi, c.start, 1e-10L)),
                    static_cast<double>(c.expected), 1e-12)
            << c.name;
}

// ---- Integrals ----

struct IntegralCase {
    const char* name;
    Number (*f)(Number);
    Number a, b, expected;
};

const IntegralCase kIntegralCases[] = {
    {"SquareReversed", [](Number x) { return x * x; }, 1, 0, -1.0L / 3},
    {"Sine", [](Number x) { return std::sin(x); }, 0, std::numbers::pi_v<Number>, 2},
    {"Exponential", [](Number x) { return std::exp(x); }, 0, 1, std::numbers::e_v<Number> - 1},
    {"OddOverSymmetric", [](Number x) { return x * x * x; }, -1, 1, 0},
    {"EmptyInterval", [](Number x) { return x; }, 2, 2, 0},
};

TEST(Integrate, RowsByEveryMethod) {
    for (const IntegralCase& c : kIntegralCases)
        for (const char* name : {"trapezium", "simpson", "romberg", "gauss", "kronrod"}) {
            const std::optional<IntegrationMethod> method = integrationMethod(name);
            ASSERT_TRUE(method) << name;
            EXPECT_NEAR(static_cast<double>(integrate(c.f, c.a, c.b, 1e-10L, *method)),
                        static_cast<double>(c.expected), 1e-9)
                << c.name << " " << name;
        }
}

TEST(IntegrationMethod, NamesAreExactAndCaseSensitive) {
    EXPECT_EQ(integrationMethod("kronrod"), IntegrationMethod::Kronrod);
    for (const char* name : {"Simpson", "gauss ", "", "midpoint"})
        EXPECT_FALSE(integrationMethod(name)) << name;
}

// ---- Traced curves ----

const TraceBounds kWide = TraceBounds::ofWorld(5, -5, 5);

PartialPlaneFunction exact(Number (*f)(Number, Number)) {
    return [f](Number x, Number y) -> std::optional<Number> { return f(x, y); };
}

struct CurveCase {
    const char* name;
    Number (*f)(Number, Number);
    const char* method;
    Number step, count;
    std::size_t points;
    WorldPoint last;
};

Number growth(Number, Number y) {
    return y;
}
Number steep(Number, Number) {
    return 10;
}
Number flat(Number, Number) {
    return 0;
}

// Values by hand: Euler multiplies by 1.1 per step, improved Euler by 1.105, Runge–Kutta by
// 1 + h + h²/2 + h³/6 + h⁴/24; ten steps asked for means eleven taken.
const CurveCase kCurveCases[] = {
    {"Euler", growth, "euler", 0.1L, 10, 12, {1.1L, 2.8531167061100025L}},
    {"ImprovedEuler", growth, "impeuler", 0.1L, 10, 12, {1.1L, 2.9990593355020874L}},
    {"RungeKutta", growth, "runge", 0.1L, 10, 12, {1.1L, 3.0041634900589775L}},
    {"UnknownMethodOnePoint", growth, "Euler", 0.1L, 10, 1, {0, 1}},
    {"ZeroStepStaysPut", growth, "euler", 0, 10, 1, {0, 1}},
    {"StopsPastUpperBound", steep, "euler", 0.1L, 100, 8, {0.7L, 8}},
    {"StopsPastRightBound", flat, "euler", 1, 100, 9, {8, 1}},
};

TEST(SolutionCurve, RowsPointsAndEnd) {
    for (const CurveCase& c : kCurveCases) {
        const PointList points = traceCurve(
            {0, 1}, slopeStep(exact(c.f), c.step, odeMethod(c.method)), c.count, kWide, {});
        ASSERT_EQ(points.size(), c.points) << c.name;
        EXPECT_NEAR(static_cast<double>(points.back().x), static_cast<double>(c.last.x), 1e-12)
            << c.name;
        EXPECT_NEAR(static_cast<double>(points.back().y), static_cast<double>(c.last.y), 1e-9)
            << c.name;
    }
}

TEST(SystemCurve, ImprovedEulerOnRotation) {
    // x' = -y, y' = x: improved Euler multiplies the radius by sqrt(1 + h^4/4) per step.
    const PartialPlaneFunction f = [](Number, Number y) -> std::optional<Number> { return -y; };
    const PartialPlaneFunction g = [](Number x, Number) -> std::optional<Number> { return x; };
    const PointList points =
        traceCurve({1, 0}, systemStep(f, g, 0.1L, OdeMethod::ImprovedEuler), 9, kWide, {});
    ASSERT_EQ(points.size(), 11u);
    const Number r = std::hypot(points.back().x, points.back().y);
    EXPECT_NEAR(static_cast<double>(r), std::pow(1 + 1e-4 / 4, 10 / 2.0), 1e-12);
}

TEST(TraceCurve, CancelledProgressStops) {
    int calls = 0;
    const Progress stopAtThree = [&calls] { return ++calls < 3; };
    const PointList points = traceCurve({0, 1}, slopeStep(exact(growth), 0.001L, OdeMethod::Euler),
                                        1000, kWide, stopAtThree);
    EXPECT_EQ(points.size(), 3u);
}

const ImplicitCurve kCircle{
    exact([](Number x, Number y) { return x * x + y * y - 4; }),
    exact([](Number x, Number) { return 2 * x; }),
    exact([](Number, Number y) { return 2 * y; }),
};

TEST(ImplicitCurve, ProjectionFallsBackToX) {
    // Newton along y from y = 0.3 at x = 2.5 finds no zero (there is none on that line).
    const std::optional<WorldPoint> p = projectOntoCurve(kCircle, {2.5L, 0.3L});
    ASSERT_TRUE(p);
    EXPECT_NEAR(static_cast<double>(p->x), std::sqrt(3.91), 1e-6);
    EXPECT_EQ(p->y, 0.3L);
    EXPECT_FALSE(projectOntoCurve(kCircle, {0, 0}));  // both derivatives are 0 there
}

TEST(ImplicitCurve, TangentStepsFollowTheCircle) {
    // The tangent (-F_y, F_x) has length 2r: 101 steps of 0.01 turn by 2.02 radians.
    const PointList points = traceCurve({2, 0}, tangentStep(kCircle, 0.01L), 100, kWide, {});
    ASSERT_EQ(points.size(), 102u);
    for (const WorldPoint& p : points)
        EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), 2, 1e-3);
    EXPECT_NEAR(static_cast<double>(points.back().x), 2 * std::cos(2.02), 1e-3);
    EXPECT_NEAR(static_cast<double>(points.back().y), 2 * std::sin(2.02), 1e-3);
}

// ---- Contours and fields ----

std::vector<PointList> contour(const PlaneFunction& f, const CellGrid& grid) {
    std::vector<PointList> pieces;
    contourCells(f, grid, [&](const PointList& p) { pieces.push_back(p); }, {});
    return pieces;
}

const CellGrid kGrid{-5, 5, -5, 5, 10.0L / 254 * 5, 10.0L / 254 * 5};

TEST(ContourCells, CircleFromCellSegments) {
    long evaluations = 0;
    const auto circle = [&](Number x, Number y) {
        ++evaluations;
        return x * x + y * y - 4;
    };
    const std::vector<PointList> pieces = contour(circle, kGrid);
    ASSERT_GT(pieces.size(), 50u);
    std::size_t crossings = 0;
    for (const PointList& piece : pieces) {
        crossings += piece.size();
        for (const WorldPoint& p : piece)
            EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), 2, 0.01);
    }
    // 51 columns of 52 rows of corners, two corners per row, plus one per crossing.
    EXPECT_EQ(evaluations, 51 * 52 * 2 + static_cast<long>(crossings));
}

TEST(ContourCells, PoleAndUndefinedDrawNothing) {
    const auto reciprocal = [](Number x, Number) { return x == 0 ? kUndefinedValue : 1 / x; };
    EXPECT_TRUE(contour(reciprocal, kGrid).empty());
    const auto undefined = [](Number, Number) { return kUndefinedValue; };
    EXPECT_TRUE(contour(undefined, kGrid).empty());
    EXPECT_TRUE(contour([](Number x, Number) { return x; }, {0, 1, 0, 1, 0, 0.1L}).empty());
}

TEST(ContourCells, ZeroCornersComeFirst) {
    // F = x on one cell whose left edge lies on the curve: the two zero corners, no crossings
    // from the edges (they touch the zero corners and would repeat them).
    const std::vector<PointList> pieces =
        contour([](Number x, Number y) { return x - 1 + 0 * y; }, {1, 1, 0, 0, 1, 1});
    ASSERT_EQ(pieces.size(), 0u);  // F00 = 0 and F01 = 0: the cell is skipped
    // F = x + y on [0, 1] × [-1, 0]: zero corners (1, -1) and (0, 0), then each crossing of
    // the bottom, right, top and left edges, which all lie on those corners.
    const std::vector<PointList> diagonal =
        contour([](Number x, Number y) { return x + y; }, {0, 0, -1, -1, 1, 1});
    ASSERT_EQ(diagonal.size(), 1u);
    const PointList expected{{1, -1}, {0, 0}, {1, -1}, {1, -1}, {0, 0}, {0, 0}};
    EXPECT_TRUE(
        std::equal(diagonal[0].begin(), diagonal[0].end(), expected.begin(), expected.end()));
}

// ---- Statistics ----

using Numbers = std::vector<Number>;

TEST(WeightedStatistics, Rows) {
    const struct {
        Numbers data, weights;
        double mean, deviation;
    } rows[] = {
        {{1, 2, 3, 4}, {}, 2.5, std::sqrt(1.25)},
        {{1, 2}, {3, 1}, 1.25, std::sqrt(0.1875)},
        {{7}, {}, 7, 0},
    };
    for (const auto& r : rows) {
        const MeanAndDeviation s = weightedStatistics(r.data, r.weights);
        EXPECT_NEAR(static_cast<double>(s.mean), r.mean, 1e-15);
        EXPECT_NEAR(static_cast<double>(s.deviation), r.deviation, 1e-15);
    }
    EXPECT_THROW(weightedStatistics(Numbers{}, Numbers{}), EvaluationError);
    EXPECT_THROW(weightedStatistics(Numbers{1, 2}, Numbers{0, 0}), EvaluationError);
}

struct RegressionCase {
    const char* name;
    RegressionModel model;
    Numbers x, y;
    double a, b, r;
};

const Number kE = std::numbers::e_v<Number>;
const double kLn2 = std::numbers::ln2;

// Each model on data it fits exactly, and noisy linear data (r by hand: Sxy etc.).
const RegressionCase kRegressionCases[] = {
    {"Linear", RegressionModel::Linear, {1, 2, 3}, {2, 4, 6}, 2, 0, 1},
    {"Falling", RegressionModel::Linear, {1, 2, 3}, {3, 1, 2}, -0.5, 3, -0.5},
    {"Exponential", RegressionModel::Exponential, {1, 2, 3}, {6, 12, 24}, kLn2, std::log(3.0), 1},
    {"Power", RegressionModel::Power, {1, 2, 4}, {2, 16, 128}, 3, kLn2, 1},
    {"Logarithmic", RegressionModel::Logarithmic, {1, kE, kE* kE}, {1, 3, 5}, 2, 1, 1},
    {"UnknownIsUntransformed", RegressionModel::Unknown, {1, 2, 3}, {2, 4, 6}, 2, 0, 1},
};

TEST(Regression, RowsLine) {
    for (const RegressionCase& c : kRegressionCases) {
        const RegressionResult r = regression(c.x, c.y, c.model);
        EXPECT_NEAR(static_cast<double>(r.a), c.a, 1e-12) << c.name;
        EXPECT_NEAR(static_cast<double>(r.b), c.b, 1e-12) << c.name;
        EXPECT_NEAR(static_cast<double>(r.r), c.r, 1e-12) << c.name;
    }
}

// The program rows check the other models' texts.
TEST(Regression, LogarithmicEquationText) {
    EXPECT_EQ(regression(Numbers{1, 2}, Numbers{1, 3}, RegressionModel::Logarithmic).equation,
              "(2.88539008177793)*ln(x)+(1)");
}

TEST(Regression, DataTheModelCannotTake) {
    EXPECT_THROW(regression(Numbers{1, 2}, Numbers{-1, 2}, RegressionModel::Exponential),
                 EvaluationError);
    EXPECT_THROW(regression(Numbers{0, 2}, Numbers{1, 2}, RegressionModel::Power), EvaluationError);
    EXPECT_THROW(regression(Numbers{1, 1}, Numbers{1, 2}, RegressionModel::Linear),
                 EvaluationError);
}

TEST(PolynomialRegression, Rows) {
    const struct {
        Numbers x, y;
        int degree;
        Numbers expected;
    } rows[] = {
        {{1, 2, 3}, {2, 5, 10}, 5, {1, 0, 1}},            // x² + 1, degree lowered to 2
        {{0, 1, 2, 3}, {1, 3, 5, 7}, 1, {1, 2}},          // 2x + 1
        {{-1, 0, 1, 2}, {-1, 0, 1, 8}, 3, {0, 0, 0, 1}},  // x³
        {{1, 2, 3, 4}, {1, 2, 2, 1}, 0, {1.5}},           // the mean
        {{1, 2}, {1, 2}, -1, {}},
    };
    for (const auto& r : rows) {
        const Numbers c = polynomialRegression(r.x, r.y, r.degree);
        ASSERT_EQ(c.size(), r.expected.size());
        for (std::size_t j = 0; j < c.size(); ++j)
            EXPECT_NEAR(static_cast<double>(c[j]), static_cast<double>(r.expected[j]), 1e-9);
    }
    // The same x twice cannot fix a line: the second pivot is 0.
    EXPECT_THROW(polynomialRegression(Numbers{1, 1}, Numbers{1, 2}, 1), EvaluationError);
}

}  // namespace
}  // namespace kalvor
