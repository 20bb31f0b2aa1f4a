#include "canvas/view3d.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas/canvas_types.h"

namespace kalvor {

namespace {
constexpr Number kPi = std::numbers::pi_v<long double>;
constexpr const char* kWidthMessages[3] = {"x-worldwidth must be positive",
                                           "y-worldwidth must be positive",
                                           "z-worldwidth must be positive"};
}  // namespace

View3D::View3D() {
    recompute();
}

void View3D::setWorldX1(Number v) {
    m_lower[0] = v;
    recompute();
}
void View3D::setWorldY1(Number v) {
    m_lower[1] = v;
    recompute();
}
void View3D::setWorldZ1(Number v) {
    m_lower[2] = v;
    recompute();
}
void View3D::setWorldXW(Number v) {
    setExtent(0, v);
}
void View3D::setWorldYW(Number v) {
    setExtent(1, v);
}
void View3D::setWorldZW(Number v) {
    setExtent(2, v);
}
void View3D::setXScale(Number v) {
    m_scale[0] = v;
    recompute();
}
void View3D::setYScale(Number v) {
    m_scale[1] = v;
    recompute();
}
void View3D::setZScale(Number v) {
    m_scale[2] = v;
    recompute();
}
void View3D::setZRotation(Number degrees) {
    m_zRotation = degrees;
    recompute();
}
void View3D::setYRotation(Number degrees) {
    m_yRotation = degrees;
    recompute();
}
void View3D::setViewDist(Number v) {
    m_viewDist = v;
    recompute();
}
void View3D::setViewAngle(Number degrees) {
    m_viewAngle = degrees;
    recompute();
}
void View3D::setAspectRatio(bool keep) {
    m_aspectRatio = keep;
    recompute();
}

void View3D::setSurfaceSize(int width, int height) {
    m_width = width;
    m_height = height;
    recompute();
}

void View3D::setExtent(int axis, Number v) {
    if (!(v > 0)) throw CanvasError(kWidthMessages[axis]);
    m_extent[axis] = v;
    recompute();
}

void View3D::recompute() {
    m_viewDist = std::max(m_viewDist, 0.0001L);
    m_viewAngle = std::clamp(m_viewAngle, 0.01L, 179.0L);
    const Number z = kPi * m_zRotation / 180, y = kPi * m_yRotation / 180;
    const Number half = kPi * m_viewAngle / 360;
    m_state.sinZ = std::sin(z), m_state.cosZ = std::cos(z);
    m_state.sinY = std::sin(y), m_state.cosY = std::cos(y);
    m_state.tanHalfAngle = std::tan(half);
    normalise();
    m_state.projection = std::min(m_width, m_height) / 2.0L / m_state.tanHalfAngle / m_viewDist;
    m_state.centreX = m_width / 2.0L;
    m_state.centreY = m_height / 2.0L;
    findFarFaces();
}

// Centre the box at the origin with half-size at most 1, keeping the axes' relative scales
// unless the aspect ratio is released.
void View3D::normalise() {
    Number largest = 0;
    for (int i = 0; i < 3; ++i)
        largest = std::max(largest, m_scale[i] * m_extent[i]);
    for (int i = 0; i < 3; ++i) {
        m_state.factor[i] = m_aspectRatio ? m_scale[i] * 2 / largest : 2 / m_extent[i];
        m_state.offset[i] = -(m_extent[i] / 2 + m_lower[i]) * m_state.factor[i];
    }
}

// The eye looks at the origin from the direction (cosY·cosZ, cosY·sinZ, sinY); the far face
// of each axis is the one on the other side of the centre.
void View3D::findFarFaces() {
    const std::array<Number, 3> eye = {m_state.cosY * m_state.cosZ, m_state.cosY * m_state.sinZ,
                                       m_state.sinY};
    for (int i = 0; i < 3; ++i) {
        const bool lowerIsFar = eye[i] * m_state.factor[i] >= 0;
        m_state.farFace[i] = lowerIsFar ? m_lower[i] : m_lower[i] + m_extent[i];
    }
}

}  // namespace kalvor
