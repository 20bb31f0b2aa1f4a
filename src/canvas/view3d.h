#pragma once

#include <array>

#include "expr/number.h"

namespace kalvor {

/// The canvas's 3D view settings: a world box, per-axis scales, two rotations, the eye
/// distance and opening angle. They are validated and clamped when set and kept with the
/// canvas; the derived view state is recomputed on every change. The drawing language
/// projects its own 3D figures, so nothing draws through this state yet.
class View3D {
public:
    /// Derived from the settings; angles in radians.
    struct State {
        Number sinZ = 0, cosZ = 1, sinY = 0, cosY = 1;
        Number tanHalfAngle = 0;
        std::array<Number, 3> factor{};  // normalised = world × factor + offset
        std::array<Number, 3> offset{};
        Number projection = 0;  // pixels per normalised unit at the centre
        Number centreX = 0, centreY = 0;
        std::array<Number, 3> farFace{};  // world coordinate of the far box face per axis
    };

    View3D();

    Number worldX1() const { return m_lower[0]; }
    Number worldY1() const { return m_lower[1]; }
    Number worldZ1() const { return m_lower[2]; }
    Number worldXW() const { return m_extent[0]; }
    Number worldYW() const { return m_extent[1]; }
    Number worldZW() const { return m_extent[2]; }
    Number xScale() const { return m_scale[0]; }
    Number yScale() const { return m_scale[1]; }
    Number zScale() const { return m_scale[2]; }
    Number zRotation() const { return m_zRotation; }
    Number yRotation() const { return m_yRotation; }
    Number viewDist() const { return m_viewDist; }
    Number viewAngle() const { return m_viewAngle; }
    bool aspectRatio() const { return m_aspectRatio; }
    const State& state() const { return m_state; }

    void setWorldX1(Number v);
    void setWorldY1(Number v);
    void setWorldZ1(Number v);
    /// Throw CanvasError ("x-worldwidth must be positive" …) for v <= 0 and change nothing.
    void setWorldXW(Number v);
    void setWorldYW(Number v);
    void setWorldZW(Number v);
    void setXScale(Number v);
    void setYScale(Number v);
    void setZScale(Number v);
    void setZRotation(Number degrees);
    void setYRotation(Number degrees);
    void setViewDist(Number v);
    void setViewAngle(Number degrees);
    void setAspectRatio(bool keep);
    /// The surface size in pixels, for the projection factor and the screen centre.
    void setSurfaceSize(int width, int height);

private:
    void setExtent(int axis, Number v);
    void recompute();
    void normalise();
    void findFarFaces();

    std::array<Number, 3> m_lower{-1, -1, -1};
    std::array<Number, 3> m_extent{2, 2, 2};
    std::array<Number, 3> m_scale{1, 1, 1};
    Number m_zRotation = 22.5L;
    Number m_yRotation = 22.5L;
    Number m_viewDist = 6.4L;
    Number m_viewAngle = 6;
    bool m_aspectRatio = true;
    int m_width = 30;
    int m_height = 30;
    State m_state;
};

}  // namespace kalvor
