#include <gtest/gtest.h>

#include <array>
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

using Prepare = std::function<void(Projection3D&)>;

TEST(Projection3D, ImagesOfPoints) {
    const struct {
        const char* name;
        Prepare setUp;
        SpacePoint point;
        std::optional<WorldPoint> image;
    } rows[] = {
        // clang-format off
        // The default view: y to the right, z up, x back to the lower left at 30°, halved.
        {"default y", {}, {0, 1, 0}, WorldPoint{1, 0}},
        {"default z", {}, {0, 0, 1}, WorldPoint{0, 1}},
        {"oblique 45 full", [](Projection3D& v) { v.setOblique(45, 1); }, {1, 0, 0},
         WorldPoint{-0.70710678118654752440L, -0.70710678118654752440L}},
        {"rotation x takes y to z", [](Projection3D& v) { v.setRotation(Axis::X, 90); }, {0, 1, 0},
         WorldPoint{0, 1}},
        {"rotation y takes x to z", [](Projection3D& v) { v.setRotation(Axis::Y, 90); }, {1, 0, 0},
         WorldPoint{0, 1}},
        {"reflection z=0 mirrors y", [](Projection3D& v) { v.setReflection(Axis::Z, 0); },
         {0, 1, 0}, WorldPoint{-1, 0}},
        {"reflection y=0 mirrors z", [](Projection3D& v) { v.setReflection(Axis::Y, 0); },
         {0, 0, 1}, WorldPoint{0, -1}},
        {"reflection replaces rotation",
         [](Projection3D& v) { v.setRotation(Axis::Z, 90), v.setReflection(Axis::Z, 0); },
         {1, 0, 0}, WorldPoint{-kHalfRoot3 / 2, -0.25L}},
        // Eye on the x axis at 10, screen at 5: X = 5·y/(10 − x), Y = 5·z/(10 − x).
        {"central from x", [](Projection3D& v) { v.setCentral(0, 90, 10, 5); }, {0, 2, 4},
         WorldPoint{1, 2}},
        {"central behind the eye", [](Projection3D& v) { v.setCentral(0, 90, 10, 5); }, {12, 0, 1},
         WorldPoint{0, -2.5L}},
        // Eye on the y axis at 4: X = −2·x/(4 − y), Y = 2·z/(4 − y).
        {"central from y", [](Projection3D& v) { v.setCentral(90, 90, 4, 2); }, {1, 0, 3},
         WorldPoint{-0.5L, 1.5L}},
        // Eye above on the z axis: X = y, Y = −x at unit scale for z = 0.
        {"central from above", [](Projection3D& v) { v.setCentral(0, 0, 5, 5); }, {1, 2, 0},
         WorldPoint{2, -1}},
        {"central after the matrix",
         [](Projection3D& v) { v.setRotation(Axis::Z, 90), v.setCentral(0, 90, 10, 5); },
         {2, 0, 4}, WorldPoint{1, 2}},
        {"oblique again after central",
         [](Projection3D& v) { v.setCentral(0, 90, 10, 5), v.setOblique(30, 0.5L); },
         {10, 1, 1}, WorldPoint{1 - 5 * kHalfRoot3, 1 - 2.5L}},
        // clang-format on
    };
    for (const auto& row : rows) {
        Projection3D view;
        if (row.setUp) row.setUp(view);
        const std::optional<WorldPoint> image = view.project(row.point);
        ASSERT_EQ(image.has_value(), row.image.has_value()) << row.name;
        if (!image) continue;
        EXPECT_NEAR(image->x, row.image->x, kTol) << row.name;
        EXPECT_NEAR(image->y, row.image->y, kTol) << row.name;
    }
}

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
        EXPECT_EQ((std::array{p.a, p.b, p.c, p.d}), (std::array{r.pa, r.pb, r.pc, r.pd}));
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
