#include "canvas/frame_clip.h"

#include <functional>

namespace kalvor {

bool inside(const PictureFrame& frame, const WorldPoint& p) {
    return p.x >= frame.x1 && p.x <= frame.x2 && p.y >= frame.y1 && p.y <= frame.y2;
}

bool inside(const PictureFrame& frame, const PointList& points) {
    for (const WorldPoint& p : points)
        if (!inside(frame, p)) return false;
    return true;
}

// Liang–Barsky: the parameter range 0 … 1 of a + t(b − a) narrowed by each border.
bool clipSegment(const PictureFrame& frame, WorldPoint& a, WorldPoint& b) {
    const Number dx = b.x - a.x, dy = b.y - a.y;
    Number t0 = 0, t1 = 1;
    auto narrow = [&](Number p, Number q) {  // p·t ≤ q
        if (p == 0) return q >= 0;
        const Number t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
        return true;
    };
    if (!(narrow(-dx, a.x - frame.x1) && narrow(dx, frame.x2 - a.x) &&
          narrow(-dy, a.y - frame.y1) && narrow(dy, frame.y2 - a.y)))
        return false;
    const WorldPoint start = a;
    if (t1 < 1) b = {start.x + t1 * dx, start.y + t1 * dy};
    if (t0 > 0) a = {start.x + t0 * dx, start.y + t0 * dy};
    return true;
}

std::vector<PointList> clipOpenPath(const PictureFrame& frame, const PointList& points) {
    std::vector<PointList> parts;
    if (points.size() == 1) {
        if (inside(frame, points.front())) parts.push_back(points);
        return parts;
    }
    PointList part;
    auto finishPart = [&] {
        if (!part.empty()) parts.push_back(part);
        part.clear();
    };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        WorldPoint a = points[i], b = points[i + 1];
        const bool visible = clipSegment(frame, a, b);
        const bool whole = visible && a == points[i] && b == points[i + 1];
        // A segment cut down to one point only touches the border.
        if (!visible || (!whole && a == b)) {
            finishPart();
            continue;
        }
        if (part.empty() || !(a == points[i])) {
            finishPart();
            part.append(a.x, a.y);
        }
        part.append(b.x, b.y);
        if (!(b == points[i + 1])) finishPart();
    }
    finishPart();
    return parts;
}

namespace {

PointList withoutClosingPoint(const PointList& points) {
    if (points.size() < 2 || !(points.front() == points.back())) return points;
    PointList open;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        open.append(points[i].x, points[i].y);
    return open;
}

// One step of Sutherland–Hodgman: keeps the side of a border where `in` holds.
PointList keepSide(const PointList& polygon, const std::function<bool(const WorldPoint&)>& in,
                   const std::function<WorldPoint(const WorldPoint&, const WorldPoint&)>& cut) {
    PointList kept;
    auto keep = [&kept](const WorldPoint& p) {
        if (kept.empty() || !(kept.back() == p)) kept.append(p.x, p.y);
    };
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const WorldPoint& p = polygon[i];
        const WorldPoint& q = polygon[(i + 1) % polygon.size()];
        if (in(p)) keep(p);
        if (in(p) != in(q)) keep(cut(p, q));
    }
    return withoutClosingPoint(kept);
}

WorldPoint atX(const WorldPoint& p, const WorldPoint& q, Number x) {
    return {x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)};
}

WorldPoint atY(const WorldPoint& p, const WorldPoint& q, Number y) {
    return {p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y};
}

}  // namespace

PointList clipArea(const PictureFrame& frame, const PointList& points) {
    PointList area = withoutClosingPoint(points);
    const Number x1 = frame.x1, x2 = frame.x2, y1 = frame.y1, y2 = frame.y2;
    area = keepSide(
        area, [x1](const WorldPoint& p) { return p.x >= x1; },
        [x1](const WorldPoint& p, const WorldPoint& q) { return atX(p, q, x1); });
    area = keepSide(
        area, [x2](const WorldPoint& p) { return p.x <= x2; },
        [x2](const WorldPoint& p, const WorldPoint& q) { return atX(p, q, x2); });
    area = keepSide(
        area, [y1](const WorldPoint& p) { return p.y >= y1; },
        [y1](const WorldPoint& p, const WorldPoint& q) { return atY(p, q, y1); });
    area = keepSide(
        area, [y2](const WorldPoint& p) { return p.y <= y2; },
        [y2](const WorldPoint& p, const WorldPoint& q) { return atY(p, q, y2); });
    if (area.size() < 3) return PointList();
    return area;
}

}  // namespace kalvor
