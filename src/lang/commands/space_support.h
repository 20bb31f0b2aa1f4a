#pragma once

#include "canvas/drawing_context.h"
#include "canvas/projection3d.h"

// Helpers shared by the space figure commands.

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

}  // namespace draw3d
}  // namespace kalvor
