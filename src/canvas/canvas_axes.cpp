#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "canvas/canvas_paint.h"
#include "canvas/tick_steps.h"
#include "canvas/world_canvas.h"

// The framed axes: drawn in the margins that the clipped mapping leaves around the plot area.

namespace kalvor {

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The widest label among the first tick and the next four labelled ticks.
int widestLabel(const QFontMetrics& metrics, Number u1, Number u2) {
    const TickSteps t = tickSteps(u1, u2);
    if (!t.valid()) return 0;
    int widest = 0;
    for (int i = 0; i <= 4; ++i) {
        const Number k = t.k0 + static_cast<Number>(t.labelEvery() * i);
        widest = std::max(widest, metrics.horizontalAdvance(qtText(tickLabel(k * t.d))));
    }
    return widest;
}

// Calls mark(pixel along the axis, labelled, label text) for every tick of the axis.
template <class Mark>
void forEachTick(Number u1, Number u2, const AxisMapping& map, Mark&& mark) {
    for (const Tick& tick : axisTicks(u1, u2))
        mark(map.toPixel(tick.value), tick.labelled,
             tick.labelled ? tickLabel(tick.value) : std::string());
}

}  // namespace

void WorldCanvas::measureLabels() {
    const QFontMetrics labels(qtFont(m_font, 1, -1));
    m_labelWidthX = widestLabel(labels, m_x1, m_x1 + m_xw);
    m_labelWidthY = widestLabel(labels, m_y1, m_y1 + m_yw);
    m_textHeight = QFontMetrics(qtFont(m_font, 1)).height();
}

void WorldCanvas::d2Axes(std::string_view xLabel, std::string_view yLabel, bool zeroLines,
                         Color axesColor, Color zeroLinesColor) {
    beginUpdate();
    const CanvasPen savedPen = m_pen;
    const CanvasBrush savedBrush = m_brush;
    setClipped(true);
    m_clipActive = false;  // the axes lie in the margins
    m_brush.style = BrushStyle::Clear;
    m_pen = CanvasPen{axesColor, 1, PenStyle::Solid};
    draw([&](PaintSurface& s) { paintAxes(s, xLabel, yLabel); });
    m_clipActive = true;
    if (zeroLines) {
        m_pen.color = zeroLinesColor;
        const Number x2 = m_x1 + m_xw, y2 = m_y1 + m_yw;
        draw([&](PaintSurface& s) {
            paintLineTo(s, s.pixel(0, m_y1), s.pixel(0, y2));
            paintLineTo(s, s.pixel(m_x1, 0), s.pixel(x2, 0));
        });
    }
    m_pen = savedPen;
    m_brush = savedBrush;
    endUpdate();
}

// Pixel offsets grow with the surface's scale: ticks 4 and 6, arrow wings 6, label gaps 6.
void WorldCanvas::paintAxes(PaintSurface& s, std::string_view xLabel,
                            std::string_view yLabel) const {
    const int k = s.scale;
    const QFont labelFont = qtFont(m_font, k, -1), titleFont = qtFont(m_font, k);
    const QFontMetrics labels(labelFont), titles(titleFont);
    const CanvasBrush clear{m_brush.color, BrushStyle::Clear};
    const Number x2 = m_x1 + m_xw, y2 = m_y1 + m_yw;
    const QPoint origin = s.pixel(m_x1, m_y1);
    auto label = [&](QPoint at, const QString& text, const QFont& font) {
        paintText(s, at, 0, text, font, m_font.color, clear);
    };

    paintLineTo(s, origin, s.pixel(x2, m_y1));
    forEachTick(m_x1, x2, s.map.x, [&](int px, bool labelled, const std::string& text) {
        const int py = origin.y();
        paintLineTo(s, QPoint(px, py), QPoint(px, py + (labelled ? 6 : 4) * k));
        if (!labelled) return;
        const QString t = qtText(text);
        label(QPoint(px - labels.horizontalAdvance(t) / 2, py + 6 * k), t, labelFont);
    });
    const QPoint xTip = s.pixel(x2, m_y1);
    paintLineTo(s, xTip + QPoint(-6 * k, -6 * k), xTip);
    paintLineTo(s, xTip + QPoint(-6 * k, 6 * k), xTip);
    const QString xTitle = qtText(xLabel);
    const int xLeft = std::min(xTip.x() + k, k * width() - titles.horizontalAdvance(xTitle));
    label(QPoint(xLeft, xTip.y() - titles.height() - 6 * k), xTitle, titleFont);

    paintLineTo(s, origin, s.pixel(m_x1, y2));
    forEachTick(m_y1, y2, s.map.y, [&](int py, bool labelled, const std::string& text) {
        const int px = origin.x();
        paintLineTo(s, QPoint(px, py), QPoint(px - (labelled ? 6 : 4) * k, py));
        if (!labelled) return;
        const QString t = qtText(text);
        const QPoint at(px - labels.horizontalAdvance(t) - 6 * k, py - labels.height() / 2);
        label(at, t, labelFont);
    });
    const QPoint yTip = s.pixel(m_x1, y2);
    paintLineTo(s, yTip + QPoint(6 * k, 6 * k), yTip);
    paintLineTo(s, yTip + QPoint(-6 * k, 6 * k), yTip);
    label(QPoint(yTip.x() + 6 * k, 0), qtText(yLabel), titleFont);
}

}  // namespace kalvor
