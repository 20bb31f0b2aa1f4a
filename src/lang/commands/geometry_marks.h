#pragma once

#include "canvas/point_list.h"

// The angle and segment marks, which the space marks draw too after projecting.

namespace kalvor {

class RunContext;

namespace geometry {

/// The marks on plane points given by the caller (the space marks, after projecting); every
/// sink draws the same mark. The angle mark always has arcs, also for a right angle.
void angleMarkAt(RunContext& ctx, WorldPoint a, WorldPoint b, WorldPoint c, Number size,
                 Number arcs);
void segmentMarkAt(RunContext& ctx, WorldPoint x, WorldPoint y, Number size, Number marks);

}  // namespace geometry
}  // namespace kalvor
