#pragma once

#include <optional>

#include "canvas/drawing_context.h"
#include "canvas/projection3d.h"

// The handlers of the space figures; draw3d.cpp lists them in the command table.

namespace kalvor {

class RunContext;

namespace draw3d {

/// The space point of argument lines k, k + 1 and k + 2.
SpacePoint spaceArg(RunContext& ctx, int k);

/// A figure the 3D commands computed once: every sink draws the same plane figure.
template <class T>
ArgSource<T> once(T figure) {
    return [figure = std::move(figure)] { return figure; };
}

// draw3d_curves.cpp
void kromme3d(RunContext& ctx);
void stippelkromme3d(RunContext& ctx);
void oppervlak3d(RunContext& ctx);
void pad3d(RunContext& ctx);
void veelhoek3d(RunContext& ctx);

}  // namespace draw3d
}  // namespace kalvor
