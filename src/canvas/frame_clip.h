#pragma once

#include <vector>

#include "canvas/point_list.h"
#include "output/picture_text.h"

// Cutting figures to a rectangle, for sinks that cannot clip (the picture text).

namespace kalvor {

bool inside(const PictureFrame& frame, const WorldPoint& p);
bool inside(const PictureFrame& frame, const PointList& points);

/// Cuts the segment a–b to the frame; false when no part of it lies inside.
bool clipSegment(const PictureFrame& frame, WorldPoint& a, WorldPoint& b);

/// The parts of an open path inside the frame, cut at the border: a new part begins where
/// the path comes back in.
std::vector<PointList> clipOpenPath(const PictureFrame& frame, const PointList& points);

/// The part of a closed area inside the frame, as one closed outline (the first point is not
/// repeated); empty when nothing of it is inside.
PointList clipArea(const PictureFrame& frame, const PointList& points);

}  // namespace kalvor
