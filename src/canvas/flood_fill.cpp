#include "canvas/flood_fill.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "canvas/canvas_paint.h"

namespace kalvor {

namespace {

class Filler {
public:
    Filler(const QImage& image, Color color, FloodStyle style, const QRect& bounds)
        : m_image(image),
          m_color(color),
          m_style(style),
          m_bounds(bounds),
          m_reached(static_cast<std::size_t>(bounds.width()) * bounds.height(), 0) {}

    void fill(QPoint seed) {
        m_seeds.push_back(seed);
        while (!m_seeds.empty()) {
            const QPoint p = m_seeds.back();
            m_seeds.pop_back();
            if (open(p.x(), p.y())) fillSpan(p.x(), p.y());
        }
    }

    FloodMask mask() const {
        FloodMask result;
        if (m_top > m_bottom) return result;
        result.box = QRect(QPoint(m_left, m_top), QPoint(m_right, m_bottom));
        result.reached.resize(static_cast<std::size_t>(result.box.width()) * result.box.height());
        for (int y = m_top; y <= m_bottom; ++y)
            for (int x = m_left; x <= m_right; ++x)
                result.reached[index(x, y, result.box)] = m_reached[index(x, y, m_bounds)];
        return result;
    }

private:
    static std::size_t index(int x, int y, const QRect& r) {
        return static_cast<std::size_t>(y - r.y()) * r.width() + (x - r.x());
    }

    bool fillable(int x, int y) const {
        const bool same = colorOfPixel(m_image.pixel(x, y)) == m_color;
        return m_style == FloodStyle::Surface ? same : !same;
    }

    bool open(int x, int y) const {
        return m_bounds.contains(x, y) && !m_reached[index(x, y, m_bounds)] && fillable(x, y);
    }

    // Marks the run through (x, y) and seeds the runs touching it above and below.
    void fillSpan(int x, int y) {
        int left = x, right = x;
        while (open(left - 1, y))
            --left;
        while (open(right + 1, y))
            ++right;
        for (int i = left; i <= right; ++i)
            m_reached[index(i, y, m_bounds)] = 1;
        m_left = std::min(m_left, left);
        m_right = std::max(m_right, right);
        m_top = std::min(m_top, y);
        m_bottom = std::max(m_bottom, y);
        for (int row : {y - 1, y + 1})
            seedRuns(left, right, row);
    }

    void seedRuns(int left, int right, int y) {
        bool inRun = false;
        for (int i = left; i <= right; ++i) {
            const bool o = open(i, y);
            if (o && !inRun) m_seeds.push_back(QPoint(i, y));
            inRun = o;
        }
    }

    const QImage& m_image;
    Color m_color;
    FloodStyle m_style;
    QRect m_bounds;
    std::vector<std::uint8_t> m_reached;
    std::vector<QPoint> m_seeds;
    int m_left = std::numeric_limits<int>::max();
    int m_right = std::numeric_limits<int>::min();
    int m_top = std::numeric_limits<int>::max();
    int m_bottom = std::numeric_limits<int>::min();
};

}  // namespace

FloodMask floodMask(const QImage& image, QPoint seed, Color color, FloodStyle style,
                    const QRect& bounds) {
    const QRect area = bounds.intersected(image.rect());
    if (!area.contains(seed)) return {};
    Filler filler(image, color, style, area);
    filler.fill(seed);
    return filler.mask();
}

QImage paintThroughMask(const FloodMask& mask, const QBrush& brush) {
    QImage layer(mask.box.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setBrushOrigin(-mask.box.topLeft());
        painter.fillRect(layer.rect(), brush);
    }
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x)
            if (!mask.contains(x + mask.box.x(), y + mask.box.y())) line[x] = 0;
    }
    return layer;
}

}  // namespace kalvor
