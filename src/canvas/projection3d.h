#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "canvas/point_list.h"
#include "expr/number.h"

namespace kalvor {

struct SpacePoint {
    Number x = 0, y = 0, z = 0;
    bool operator==(const SpacePoint&) const = default;
};

/// The plane a·x + b·y + c·z = d.
struct SpacePlane {
    Number a = 0, b = 0, c = 0, d = 0;
};

/// The plane through A, B and C with normal (B − A) × (C − A); all zero when the three points
/// lie on one line.
SpacePlane planeThrough(const SpacePoint& a, const SpacePoint& b, const SpacePoint& c);

/// Where the line through P and Q meets the plane, or nothing when PQ runs parallel to it
/// (or P equals Q).
std::optional<SpacePoint> lineMeetsPlane(const SpacePlane& plane, const SpacePoint& p,
                                         const SpacePoint& q);

/// How a program run maps space onto the drawing plane: a linear map of space (a 3 × 3
/// matrix), then either an oblique parallel projection (the y axis to the right, z up, x
/// receding at an angle and shortened) or a central projection from an eye on a sphere
/// around the origin. A plain value: the run owns one, starting at the oblique view with
/// angle 30 degrees, factor 0.5 and the identity matrix.
class Projection3D {
public:
    using Matrix = std::array<std::array<Number, 3>, 3>;
    enum class Axis { X, Y, Z };

    Projection3D();

    /// Oblique mode; angle in degrees.
    void setOblique(Number angleDegrees, Number factor);
    /// Central mode: the eye at `eyeDistance` from the origin in the direction of the
    /// spherical angles theta (about z, from x) and phi (from z), in degrees; the screen at
    /// `screenDistance` from the eye.
    void setCentral(Number thetaDegrees, Number phiDegrees, Number eyeDistance,
                    Number screenDistance);
    void setMatrix(const Matrix& rows) { m_matrix = rows; }
    /// The rotation about an axis; replaces the matrix.
    void setRotation(Axis axis, Number degrees);
    /// The reflection in the plane through an axis at an angle to the next axis; replaces the
    /// matrix.
    void setReflection(Axis axis, Number degrees);

    const Matrix& matrix() const { return m_matrix; }
    bool central() const { return m_central; }

    /// The axis a program names by the first character ("x" or "1", "y" or "2", "z" or "3").
    static std::optional<Axis> axisOf(std::string_view text);

    SpacePoint transform(const SpacePoint& p) const;
    /// The plane image of a point; nothing for a point on the eye's plane in central mode,
    /// which has no image.
    std::optional<WorldPoint> project(const SpacePoint& p) const;

private:
    Matrix m_matrix;
    bool m_central = false;
    Number m_obliqueX = 0, m_obliqueY = 0;  // the image of the x unit: −k·cos α, −k·sin α
    // Eye coordinates: xe = m_eye[0]·p, ye = m_eye[1]·p, ze = m_eye[2]·p + m_rho.
    std::array<SpacePoint, 3> m_eye{};
    Number m_rho = 0, m_screen = 0;
};

}  // namespace kalvor
