#pragma once

#include "canvas/point_list.h"

// The handlers of the geometric constructions; geometry.cpp lists them in the command table.

namespace kalvor {

class RunContext;

namespace geometry {

// geometry_lines.cpp
void vectorvoorstelling(RunContext& ctx);
void middelloodlijn(RunContext& ctx);
void bissectrice(RunContext& ctx);
void loodlijn(RunContext& ctx);
void hoogtelijn(RunContext& ctx);
void conflictlijn(RunContext& ctx);

// geometry_marks.cpp
void hoekmarkering(RunContext& ctx);
void lijnstukmarkering(RunContext& ctx);
/// The marks on plane points given by the caller (the space marks, after projecting); every
/// sink draws the same mark. The angle mark always has arcs, also for a right angle.
void angleMarkAt(RunContext& ctx, WorldPoint a, WorldPoint b, WorldPoint c, Number size,
                 Number arcs);
void segmentMarkAt(RunContext& ctx, WorldPoint x, WorldPoint y, Number size, Number marks);

}  // namespace geometry
}  // namespace kalvor
