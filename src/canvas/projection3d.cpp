#include "canvas/projection3d.h"

#include <cmath>
#include <numbers>

namespace kalvor {

namespace {

constexpr Number kPi = std::numbers::pi_v<long double>;

Number radians(Number degrees) {
    return degrees * kPi / 180;
}

SpacePoint minus(const SpacePoint& a, const SpacePoint& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Number dot(const SpacePoint& a, const SpacePoint& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

SpacePoint cross(const SpacePoint& a, const SpacePoint& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

constexpr Projection3D::Matrix kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

}  // namespace

SpacePlane planeThrough(const SpacePoint& a, const SpacePoint& b, const SpacePoint& c) {
    const SpacePoint n = cross(minus(b, a), minus(c, a));
    return {n.x, n.y, n.z, dot(n, a)};
}

std::optional<SpacePoint> lineMeetsPlane(const SpacePlane& plane, const SpacePoint& p,
                                         const SpacePoint& q) {
    const SpacePoint n{plane.a, plane.b, plane.c};
    const SpacePoint pq = minus(p, q);
    const Number den = dot(n, pq);
    if (den == 0) return std::nullopt;
    const Number t = -(dot(n, p) - plane.d) / den;
    return SpacePoint{p.x + t * pq.x, p.y + t * pq.y, p.z + t * pq.z};
}

Projection3D::Projection3D() : m_matrix(kIdentity) {
    setOblique(30, 0.5L);
}

void Projection3D::setOblique(Number angleDegrees, Number factor) {
    m_central = false;
    const Number a = radians(angleDegrees);
    m_obliqueX = -factor * std::cos(a);
    m_obliqueY = -factor * std::sin(a);
}

void Projection3D::setCentral(Number thetaDegrees, Number phiDegrees, Number eyeDistance,
                              Number screenDistance) {
    m_central = true;
    const Number theta = radians(thetaDegrees), phi = radians(phiDegrees);
    const Number st = std::sin(theta), ct = std::cos(theta);
    const Number sp = std::sin(phi), cp = std::cos(phi);
    m_eye = {SpacePoint{-st, ct, 0}, SpacePoint{-cp * ct, -cp * st, sp},
             SpacePoint{-sp * ct, -sp * st, -cp}};
    m_rho = eyeDistance;
    m_screen = screenDistance;
}

void Projection3D::setRotation(Axis axis, Number degrees) {
    const Number a = radians(degrees);
    const Number c = std::cos(a), s = std::sin(a);
    switch (axis) {
        case Axis::X:
            m_matrix = {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
            break;
        case Axis::Y:
            m_matrix = {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
            break;
        case Axis::Z:
            m_matrix = {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
            break;
    }
}

void Projection3D::setReflection(Axis axis, Number degrees) {
    const Number a = 2 * radians(degrees);
    const Number c = std::cos(a), s = std::sin(a);
    switch (axis) {
        case Axis::X:
            m_matrix = {{{1, 0, 0}, {0, c, s}, {0, s, -c}}};
            break;
        case Axis::Y:
            m_matrix = {{{c, 0, s}, {0, 1, 0}, {s, 0, -c}}};
            break;
        case Axis::Z:
            m_matrix = {{{c, s, 0}, {s, -c, 0}, {0, 0, 1}}};
            break;
    }
}

std::optional<Projection3D::Axis> Projection3D::axisOf(std::string_view text) {
    if (text.empty()) return std::nullopt;
    switch (text[0]) {
        case 'x':
        case '1':
            return Axis::X;
        case 'y':
        case '2':
            return Axis::Y;
        case 'z':
        case '3':
            return Axis::Z;
        default:
            return std::nullopt;
    }
}

SpacePoint Projection3D::transform(const SpacePoint& p) const {
    const Matrix& m = m_matrix;
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

std::optional<WorldPoint> Projection3D::project(const SpacePoint& p) const {
    const SpacePoint q = transform(p);
    if (!m_central) return WorldPoint{q.y + m_obliqueX * q.x, q.z + m_obliqueY * q.x};
    const Number ze = dot(m_eye[2], q) + m_rho;
    if (ze == 0) return std::nullopt;
    return WorldPoint{m_screen * dot(m_eye[0], q) / ze, m_screen * dot(m_eye[1], q) / ze};
}

}  // namespace kalvor
