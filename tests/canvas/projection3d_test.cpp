#include <gtest/gtest.h>

#include <functional>

#include "canvas/projection3d.h"

// The run's view of space: the oblique and central images of points, the matrices of
// rotations and reflections, and the plane computations (the space commands' rows check
// further images). Expected values are worked out by
// hand from the geometry (cos 30° = √3/2, …).

namespace kalvor {
namespace {

constexpr Number kTol = 1e-12L;
constexpr Number kHalfRoot3 = 0.86602540378443864676L;

using Axis = Projection3D::Axis;

struct ImageCase {
    const char* name;
    std::function<void(Projection3D&)> setUp;
    SpacePoint point;
    std::optional<WorldPoint> image;
};

void PrintTo(const ImageCase& c, std::ostream* os) {
    *os << c.name;
}

class ImageOf : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageOf, Point) {
    const ImageCase& c = GetParam();
    Projection3D view;
    if (c.setUp) c.setUp(view);
    const std::optional<WorldPoint> image = view.project(c.point);
    ASSERT_EQ(image.has_value(), c.image.has_value());
    if (!image) return;
    EXPECT_NEAR(image->x, c.image->x, kTol);
    EXPECT_NEAR(image->y, c.image->y, kTol);
}

const ImageCase kImageCases[] = {
    // The default view: y to the right, z up, x back to the lower left at 30°, halved.
    {"DefaultY", {}, {0, 1, 0}, WorldPoint{1, 0}},
    {"DefaultZ", {}, {0, 0, 1}, WorldPoint{0, 1}},
    {"Oblique45Full",
     [](Projection3D& v) { v.setOblique(45, 1); },
     {1, 0, 0},
     WorldPoint{-0.70710678118654752440L, -0.70710678118654752440L}},
    {"RotationXTakesYToZ",
     [](Projection3D& v) { v.setRotation(Axis::X, 90); },
     {0, 1, 0},
     WorldPoint{0, 1}},
    {"RotationYTakesXToZ",
     [](Projection3D& v) { v.setRotation(Axis::Y, 90); },
     {1, 0, 0},
     WorldPoint{0, 1}},
    {"ReflectionZ0MirrorsY",
     [](Projection3D& v) { v.setReflection(Axis::Z, 0); },
     {0, 1, 0},
     WorldPoint{-1, 0}},
    {"ReflectionY0MirrorsZ",
     [](Projection3D& v) { v.setReflection(Axis::Y, 0); },
     {0, 0, 1},
     WorldPoint{0, -1}},
    {"ReflectionReplacesRotation",
     [](Projection3D& v) {
         v.setRotation(Axis::Z, 90);
         v.setReflection(Axis::Z, 0);
     },
     {1, 0, 0},
     WorldPoint{-kHalfRoot3 / 2, -0.25L}},
    // Eye on the x axis at 10, screen at 5: X = 5·y/(10 − x), Y = 5·z/(10 − x).
    {"CentralFromX",
     [](Projection3D& v) { v.setCentral(0, 90, 10, 5); },
     {0, 2, 4},
     WorldPoint{1, 2}},
    {"CentralBehindTheEye",
     [](Projection3D& v) { v.setCentral(0, 90, 10, 5); },
     {12, 0, 1},
     WorldPoint{0, -2.5L}},
    // Eye on the y axis at 4: X = −2·x/(4 − y), Y = 2·z/(4 − y).
    {"CentralFromY",
     [](Projection3D& v) { v.setCentral(90, 90, 4, 2); },
     {1, 0, 3},
     WorldPoint{-0.5L, 1.5L}},
    // Eye above on the z axis: X = y, Y = −x at unit scale for z = 0.
    {"CentralFromAbove",
     [](Projection3D& v) { v.setCentral(0, 0, 5, 5); },
     {1, 2, 0},
     WorldPoint{2, -1}},
    {"CentralAfterTheMatrix",
     [](Projection3D& v) {
         v.setRotation(Axis::Z, 90);
         v.setCentral(0, 90, 10, 5);
     },
     {2, 0, 4},
     WorldPoint{1, 2}},
    {"ObliqueAgainAfterCentral",
     [](Projection3D& v) {
         v.setCentral(0, 90, 10, 5);
         v.setOblique(30, 0.5L);
     },
     {10, 1, 1},
     WorldPoint{1 - 5 * kHalfRoot3, 1 - 2.5L}},
};

INSTANTIATE_TEST_SUITE_P(Projection3D, ImageOf, ::testing::ValuesIn(kImageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Projection3D, AxisByFirstCharacter) {
    const std::pair<const char*, std::optional<Axis>> rows[] = {
        {"x", Axis::X},      {"1", Axis::X},      {"yas", Axis::Y},    {"2", Axis::Y},
        {"z", Axis::Z},      {"3", Axis::Z},      {"X", std::nullopt}, {"", std::nullopt},
        {"w", std::nullopt}, {" x", std::nullopt}};
    for (const auto& [text, axis] : rows)
        EXPECT_EQ(Projection3D::axisOf(text), axis) << '"' << text << '"';
}

TEST(Projection3D, PlaneThroughThreePoints) {
    struct Row {
        SpacePoint a, b, c;
        Number pa, pb, pc, pd;
    };
    const Row rows[] = {
        {{0, 0, 2}, {1, 0, 2}, {0, 1, 2}, 0, 0, 1, 2},
        {{0, 0, 2}, {0, 1, 2}, {1, 0, 2}, 0, 0, -1, -2},  // the other orientation
        {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, 0, 0, 0, 0},    // one line: no plane
    };
    for (const Row& r : rows) {
        const SpacePlane p = planeThrough(r.a, r.b, r.c);
        EXPECT_EQ(p.a, r.pa);
        EXPECT_EQ(p.b, r.pb);
        EXPECT_EQ(p.c, r.pc);
        EXPECT_EQ(p.d, r.pd);
    }
}

TEST(Projection3D, LineMeetsPlane) {
    struct Row {
        SpacePlane plane;
        SpacePoint p, q;
        std::optional<SpacePoint> meet;
    };
    const Row rows[] = {
        {{0, 0, 1, 2}, {0, 0, 0}, {1, 1, 1}, SpacePoint{2, 2, 2}},
        {{1, 1, 1, 1}, {1, 1, 1}, {2, 2, 2}, SpacePoint{1 / 3.0L, 1 / 3.0L, 1 / 3.0L}},
        {{1, 0, 0, 3}, {0, 5, 5}, {1, 5, 5}, SpacePoint{3, 5, 5}},
        {{0, 0, 1, 2}, {0, 0, 0}, {1, 0, 0}, std::nullopt},  // parallel
        {{0, 0, 1, 0}, {1, 1, 0}, {2, 2, 0}, std::nullopt},  // lies in the plane
        {{0, 0, 1, 2}, {1, 1, 1}, {1, 1, 1}, std::nullopt},  // no line
    };
    for (const Row& r : rows) {
        const std::optional<SpacePoint> s = lineMeetsPlane(r.plane, r.p, r.q);
        ASSERT_EQ(s.has_value(), r.meet.has_value());
        if (!s) continue;
        EXPECT_NEAR(s->x, r.meet->x, kTol);
        EXPECT_NEAR(s->y, r.meet->y, kTol);
        EXPECT_NEAR(s->z, r.meet->z, kTol);
    }
}

}  // namespace
}  // namespace kalvor
