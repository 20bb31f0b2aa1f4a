#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "expr/number.h"

namespace kalvor {

struct WorldPoint {
    Number x = 0;
    Number y = 0;
    bool operator==(const WorldPoint&) const = default;
};

/// An ordered list of world points that hands a curve or polygon to the drawing operations.
/// Points are only ever appended; drawing operations read the list.
class PointList {
public:
    PointList() = default;
    PointList(std::initializer_list<WorldPoint> points) : m_points(points) {}

    void append(Number x, Number y) { m_points.push_back({x, y}); }
    void append(const PointList& other) {
        m_points.insert(m_points.end(), other.m_points.begin(), other.m_points.end());
    }
    void clear() { m_points.clear(); }

    std::size_t size() const { return m_points.size(); }
    bool empty() const { return m_points.empty(); }
    const WorldPoint& operator[](std::size_t i) const { return m_points[i]; }
    const WorldPoint& front() const { return m_points.front(); }
    const WorldPoint& back() const { return m_points.back(); }
    auto begin() const { return m_points.begin(); }
    auto end() const { return m_points.end(); }

private:
    std::vector<WorldPoint> m_points;
};

}  // namespace kalvor
