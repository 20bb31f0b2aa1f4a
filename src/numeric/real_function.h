#pragma once

#include <functional>
#include <optional>

#include "expr/number.h"

namespace kalvor {

/// A formula of x as the numeric routines see it. It may throw; the routine then ends and the
/// exception reaches its caller.
using RealFunction = std::function<Number(Number)>;

/// A formula of x and y.
using PlaneFunction = std::function<Number(Number, Number)>;

/// A formula of x and y that may be undefined at a point (std::nullopt there), for the
/// routines that step over or stop at such points instead of failing.
using PartialPlaneFunction = std::function<std::optional<Number>(Number, Number)>;

}  // namespace kalvor
