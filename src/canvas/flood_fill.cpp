#include "canvas/flood_fill.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "canvas/canvas_paint.h"

namespace kalvor {

namespace {

constexpr int kReach = 2;

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

    /// Confines the fill to the device pixels under `mask`'s pixels and those up to
    /// `reach` pixels away, on a picture `scale` times as large.
    void confineTo(const FloodMask& mask, int scale, int reach) {
        m_scale = scale;
        m_admitted = mask.box.adjusted(-reach, -reach, reach, reach);
        m_admit = grown(mask, m_admitted, reach);
    }

    bool open(int x, int y) const {
        return m_bounds.contains(x, y) && !m_reached[index(x, y, m_bounds)] && admitted(x, y) &&
               fillable(x, y);
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

    bool admitted(int x, int y) const {
        if (m_admit.empty()) return true;
        const int px = x / m_scale, py = y / m_scale;
        return m_admitted.contains(px, py) && m_admit[index(px, py, m_admitted)];
    }

    // The mask grown by `reach` pixels in every direction (a square around each pixel),
    // over `area`: first along the rows, then along the columns.
    static std::vector<std::uint8_t> grown(const FloodMask& mask, const QRect& area, int reach) {
        const std::size_t size = static_cast<std::size_t>(area.width()) * area.height();
        std::vector<std::uint8_t> rows(size, 0), result(size, 0);
        for (int y = mask.box.top(); y <= mask.box.bottom(); ++y)
            for (int x = mask.box.left(); x <= mask.box.right(); ++x)
                if (mask.contains(x, y))
                    for (int d = -reach; d <= reach; ++d)
                        rows[index(x + d, y, area)] = 1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (rows[index(x, y, area)])
                    for (int d = -reach; d <= reach; ++d)
                        if (area.contains(x, y + d)) result[index(x, y + d, area)] = 1;
        return result;
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
    QRect m_admitted;                   // the confining area, in the mask's pixels
    std::vector<std::uint8_t> m_admit;  // over m_admitted; empty: not confined
    int m_scale = 1;
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

// Seeded from every device pixel under the filled pixels, so that a part the device's finer
// lines cut off is filled as well. It spreads at most two pixels beyond them: a border two
// pixels thick where it steps may have its device line on the far side.
FloodMask scaledFloodMask(const QImage& image, const FloodMask& mask, int scale, Color color,
                          FloodStyle style, const QRect& bounds) {
    const QRect& box = mask.box;
    const QRect around(scale * (box.x() - kReach), scale * (box.y() - kReach),
                       scale * (box.width() + 2 * kReach), scale * (box.height() + 2 * kReach));
    const QRect area = bounds.intersected(image.rect()).intersected(around);
    if (mask.empty() || area.isEmpty()) return {};
    Filler filler(image, color, style, area);
    filler.confineTo(mask, scale, kReach);
    for (int y = scale * box.top(); y < scale * (box.bottom() + 1); ++y)
        for (int x = scale * box.left(); x < scale * (box.right() + 1); ++x)
            if (mask.contains(x / scale, y / scale) && filler.open(x, y)) filler.fill(QPoint(x, y));
    return filler.mask();
}

QImage paintThroughMask(const FloodMask& mask, const QBrush& brush) {
    QImage layer(mask.box.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, !brush.transform().isIdentity());
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
