#include "canvas/world_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "canvas/canvas_paint.h"
#include "canvas/flood_fill.h"
#include "canvas/svg_stream.h"
#include "canvas/vector_painter.h"

namespace kalvor {

namespace {
constexpr int kFarPixel = 16000;

// The picture kept at its place on a surface of another size, the new area white.
QImage resizedPicture(const QImage& old, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawImage(0, 0, old);
    }
    return image;
}

// Replaces what lies under `place` by the picture, scaled to fit it.
void paste(QImage& target, const QRect& place, const QImage& picture) {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(place, picture);
}
}  // namespace

int AxisMapping::toPixel(Number world) const {
    const Number v = a * world + b;
    if (std::isnan(v)) return kFarPixel;
    if (std::fabs(v) >= kFarPixel) return v > 0 ? kFarPixel : -kFarPixel;
    // rint rounds as nearbyint does (ties to even) without saving the floating-point
    // environment, which made the mapping the cost of curves with millions of samples.
    return static_cast<int>(std::rint(v));
}

WorldCanvas::WorldCanvas(QObject* parent) : QObject(parent) {
    m_bitmap.image = QImage(30, 30, QImage::Format_RGB32);
    m_bitmap.image.fill(Qt::white);
    setClipped(false);
    m_view3d.setSurfaceSize(width(), height());
}

WorldCanvas::~WorldCanvas() {
    finishPainting();
    if (m_mirrorPainter) m_mirrorPainter->end();
}

const QImage& WorldCanvas::image() const {
    finishPainting();
    return m_bitmap.image;
}

const QImage& WorldCanvas::screenImage() const {
    finishPainting();
    return m_deviceBitmap ? m_deviceBitmap->image : m_bitmap.image;
}

void WorldCanvas::setDeviceRatio(int ratio) {
    ratio = std::clamp(ratio, 1, kMaxDeviceRatio);
    if (ratio == deviceRatio()) return;
    finishPainting();
    m_deviceBitmap.reset();
    if (ratio > 1) {
        m_deviceBitmap = std::make_unique<Raster>();
        m_deviceBitmap->scale = ratio;
        m_deviceBitmap->image = m_bitmap.image.scaled(ratio * width(), ratio * height())
                                    .convertToFormat(QImage::Format_RGB32);
    }
    setClipped(m_clipped);
    emit resized();
    requestRepaint();
}

void WorldCanvas::setSmoothLines(bool on) {
    m_smooth = on;
}

void WorldCanvas::resize(int newWidth, int newHeight) {
    newWidth = std::max(newWidth, 1);
    newHeight = std::max(newHeight, 1);
    if (newWidth == width() && newHeight == height()) return;
    finishPainting();
    m_bitmap.image = resizedPicture(m_bitmap.image, newWidth, newHeight);
    if (m_deviceBitmap)
        m_deviceBitmap->image = resizedPicture(m_deviceBitmap->image, deviceRatio() * newWidth,
                                               deviceRatio() * newHeight);
    setClipped(m_clipped);
    m_view3d.setSurfaceSize(newWidth, newHeight);
    emit resized();
    requestRepaint();
}

// ---- World rectangle and mapping ----

void WorldCanvas::setD2WorldX1(Number x1) {
    setWorld(x1, m_y1, x1 + m_xw, m_y1 + m_yw);
}
void WorldCanvas::setD2WorldY1(Number y1) {
    setWorld(m_x1, y1, m_x1 + m_xw, y1 + m_yw);
}
void WorldCanvas::setD2WorldXW(Number w) {
    setWorld(m_x1, m_y1, m_x1 + w, m_y1 + m_yw);
}
void WorldCanvas::setD2WorldYW(Number h) {
    setWorld(m_x1, m_y1, m_x1 + m_xw, m_y1 + h);
}

void WorldCanvas::setWorld(Number x1, Number y1, Number x2, Number y2) {
    if (!(x2 - x1 > 0)) throw CanvasError("x-worldwidth must be positive");
    if (!(y2 - y1 > 0)) throw CanvasError("y-worldwidth must be positive");
    m_x1 = x1;
    m_y1 = y1;
    m_xw = x2 - x1;
    m_yw = y2 - y1;
    computeMappings();
}

void WorldCanvas::computeMappings() {
    placeMapping(m_screen, 1);
    placeMapping(m_mirror, 2);
    placeMapping(m_device, deviceRatio());
}

// Without margins the world fills the surface: x1 at column 0, x2 at the last column, the
// top edge on row 0. With margins the plot area leaves room for labels and ticks. At
// `scale` device pixels per pixel the world runs from the first device pixel of its first
// pixel to the last of its last, so that figures land at the device's own precision.
void WorldCanvas::placeMapping(CanvasMapping& m, int k) const {
    const Number x1 = m_x1, x2 = m_x1 + m_xw, y1 = m_y1, y2 = m_y1 + m_yw;
    auto fit = [](AxisMapping& m, Number first, Number low, Number high, Number span) {
        m.a = span / (high - low);
        m.b = first - low * m.a;
    };
    const int w = width(), h = height();
    if (!m_clipped) {
        fit(m.x, 0, x1, x2, k * w - 1);
        fit(m.y, 0, y2, y1, k * h - 1);
        return;
    }
    const int lx = m_labelWidthX, ly = m_labelWidthY, th = m_textHeight;
    fit(m.x, k * (ly + 8), x1, x2, k * (w - 9 - ly) + k - 1 - k * lx / 2);
    fit(m.y, k * th, y2, y1, k * (h - 7 - 2 * th) + k - 1);
}

void WorldCanvas::setClipped(bool on) {
    m_clipped = on;
    if (on) measureLabels();
    computeMappings();
    if (on) {
        makeClipRects();
    } else {
        m_screenClip = m_bitmap.image.rect();
        m_mirrorClip = QRect(0, 0, 2 * width(), 2 * height());
        m_deviceClip = QRect(0, 0, deviceRatio() * width(), deviceRatio() * height());
    }
    m_clipActive = on;
}

// The plot area without the left axis column and the bottom axis row.
void WorldCanvas::makeClipRects() {
    auto rect = [this](const CanvasMapping& m) {
        const int left = m.x.toPixel(m_x1) + 1, right = m.x.toPixel(m_x1 + m_xw) + 1;
        const int top = m.y.toPixel(m_y1 + m_yw), bottom = m.y.toPixel(m_y1);
        return QRect(left, top, right - left, bottom - top);
    };
    m_screenClip = rect(m_screen);
    m_mirrorClip = rect(m_mirror);
    m_deviceClip = rect(m_device);
}

// ---- Drawing ----

// The mirror painter keeps its state from figure to figure: the paint functions restore
// what they change beyond the pen, and a font is made only when the canvas font changed, so
// that millions of small figures stay cheap.
void WorldCanvas::prepareMirror() {
    QPainter& painter = *m_mirrorPainter;
    painter.setPen(qtPen(m_pen, 2));
    painter.setBrush(qtBrush(m_brush));
    if (m_mirrorFont && *m_mirrorFont == m_font) return;
    painter.setFont(qtFont(m_font, 2));
    m_mirrorFont = m_font;
}

QPainter& WorldCanvas::rasterPainter(Raster& raster, const QRect& clip) {
    const bool fresh = !raster.painter;
    if (fresh) {
        raster.painter = std::make_unique<QPainter>(&raster.image);
        raster.painter->setRenderHint(QPainter::TextAntialiasing, false);
        // Hatches follow the brush's scale instead of staying one device pixel apart.
        raster.painter->setRenderHint(QPainter::NonCosmeticBrushPatterns, raster.scale > 1);
    }
    QPainter& painter = *raster.painter;
    Applied& applied = raster.applied;
    if (fresh || applied.smooth != m_smooth) {
        painter.setRenderHint(QPainter::Antialiasing, m_smooth);
        applied.smooth = m_smooth;
    }
    applyAttributes(raster, fresh);
    if (fresh || applied.clipped != m_clipActive || applied.clip != clip) {
        if (m_clipActive) {
            painter.setClipRect(clip);
        } else {
            painter.setClipping(false);
        }
        applied.clipped = m_clipActive;
        applied.clip = clip;
    }
    return painter;
}

void WorldCanvas::applyAttributes(Raster& raster, bool fresh) const {
    QPainter& painter = *raster.painter;
    Applied& applied = raster.applied;
    if (fresh || applied.pen != m_pen) {
        painter.setPen(qtPen(m_pen, raster.scale));
        applied.pen = m_pen;
    }
    if (fresh || applied.brush != m_brush) {
        painter.setBrush(qtBrush(m_brush, raster.scale));
        applied.brush = m_brush;
    }
    if (fresh || applied.font != m_font) {
        painter.setFont(qtFont(m_font, raster.scale));
        applied.font = m_font;
    }
}

void WorldCanvas::finishPainting() const {
    m_bitmap.painter.reset();
    if (m_deviceBitmap) m_deviceBitmap->painter.reset();
}

// Every figure is painted by one function on the bitmap, on the device bitmap and, while
// recording, on the mirror, each with its own mapping and scale.
void WorldCanvas::draw(const std::function<void(PaintSurface&)>& paint) {
    {
        PaintSurface surface{rasterPainter(m_bitmap, m_screenClip), m_screen, 1, m_screenPos};
        paint(surface);
    }
    if (m_deviceBitmap) {
        PaintSurface surface{rasterPainter(*m_deviceBitmap, m_deviceClip), m_device,
                             m_deviceBitmap->scale, m_devicePos};
        paint(surface);
    }
    if (m_mirrorPainter) {
        QPainter& painter = *m_mirrorPainter;
        prepareMirror();
        VectorPainter vector(painter, m_clipActive ? &m_mirrorClip : nullptr, 2);
        PaintSurface surface{painter, m_mirror, 2, m_mirrorPos, &vector};
        paint(surface);
    }
    requestRepaint();
}

void WorldCanvas::requestRepaint() {
    if (m_updateLock == 0) emit changed();
}

void WorldCanvas::endUpdate() {
    if (m_updateLock > 0 && --m_updateLock == 0) emit changed();
}

void WorldCanvas::clear() {
    finishPainting();
    for (Raster* raster : rasters()) {
        QPainter painter(&raster->image);
        painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, raster->scale > 1);
        painter.fillRect(raster->image.rect(), qtBrush(m_brush, raster->scale));
    }
    if (m_svg) {
        m_svg->restart();
        m_mirrorPainter->save();
        m_mirrorPainter->setPen(Qt::NoPen);
        m_mirrorPainter->setBrush(qtBrush(m_brush));
        QPainterPath all;
        all.addRect(0, 0, 2 * width(), 2 * height());
        VectorPainter(*m_mirrorPainter, nullptr, 2).fillAndStroke(all);
        m_mirrorPainter->restore();
    }
    requestRepaint();
}

// The device bitmap receives the picture enlarged, each pixel a block of device pixels.
void WorldCanvas::drawImage(int px, int py, const QImage& picture) {
    finishPainting();
    paste(m_bitmap.image, QRect(QPoint(px, py), picture.size()), picture);
    if (m_deviceBitmap) {
        const int k = m_deviceBitmap->scale;
        paste(m_deviceBitmap->image, QRect(k * QPoint(px, py), k * picture.size()), picture);
    }
    requestRepaint();
}

WorldCanvas::Snapshot WorldCanvas::snapshot() const {
    finishPainting();
    return {m_bitmap.image.copy(), m_deviceBitmap ? m_deviceBitmap->image.copy() : QImage()};
}

void WorldCanvas::restore(const Snapshot& snapshot) {
    const bool sharp = m_deviceBitmap && !snapshot.device.isNull() &&
                       snapshot.device.size() == deviceRatio() * snapshot.image.size();
    if (!sharp) return drawImage(0, 0, snapshot.image);
    finishPainting();
    paste(m_bitmap.image, snapshot.image.rect(), snapshot.image);
    paste(m_deviceBitmap->image, snapshot.device.rect(), snapshot.device);
    requestRepaint();
}

// A pixel is a whole block of device pixels, so that the screen shows what `pixel` reads.
void WorldCanvas::d2SetPixel(Number x, Number y) {
    const QPoint pixel(windowX(x), windowY(y));
    draw([&](PaintSurface& s) {
        paintPoint(s, s.vector ? s.pixel(x, y) : pixel * s.scale, m_pen.color);
    });
}

void WorldCanvas::d2MoveTo(Number x, Number y) {
    m_screenPos = QPoint(m_screen.x.toPixel(x), m_screen.y.toPixel(y));
    m_mirrorPos = QPoint(m_mirror.x.toPixel(x), m_mirror.y.toPixel(y));
    m_devicePos = QPoint(m_device.x.toPixel(x), m_device.y.toPixel(y));
}

void WorldCanvas::d2LineTo(Number x, Number y) {
    draw([&](PaintSurface& s) { paintLineTo(s, s.pos, s.pixel(x, y)); });
    d2MoveTo(x, y);
}

void WorldCanvas::d2Line(Number x1, Number y1, Number x2, Number y2) {
    draw([&](PaintSurface& s) { paintLine(s, s.pixel(x1, y1), s.pixel(x2, y2)); });
}

void WorldCanvas::d2Arrow(Number x, Number y, Number dx, Number dy) {
    draw([&](PaintSurface& s) { paintArrow(s, s.pixel(x, y), s.pixel(x + dx, y + dy)); });
}

namespace {
QPolygon pixelsOf(const PaintSurface& s, const PointList& points) {
    QPolygon result;
    result.reserve(static_cast<qsizetype>(points.size()));
    for (const WorldPoint& p : points)
        result.append(s.pixel(p.x, p.y));
    return result;
}
}  // namespace

void WorldCanvas::d2Polyline(const PointList& points) {
    draw([&](PaintSurface& s) { paintPolyline(s, pixelsOf(s, points)); });
}

void WorldCanvas::d2Polygon(const PointList& points) {
    draw([&](PaintSurface& s) { paintPolygon(s, pixelsOf(s, points)); });
}

void WorldCanvas::d2PolyBezier(const PointList& points) {
    draw([&](PaintSurface& s) { paintBezier(s, pixelsOf(s, points)); });
}

void WorldCanvas::d2Ellipse(Number x1, Number y1, Number x2, Number y2) {
    draw([&](PaintSurface& s) { paintEllipse(s, boxOf(s.pixel(x1, y2), s.pixel(x2, y1))); });
}

// The + 1 makes the right and lower edges part of the rectangle.
void WorldCanvas::d2Rectangle(Number x1, Number y1, Number x2, Number y2) {
    draw([&](PaintSurface& s) {
        paintRectangle(s, boxOf(s.pixel(x1, y2), s.pixel(x2, y1) + QPoint(1, 1)));
    });
}

void WorldCanvas::arcFigure(ArcKind kind, Number x1, Number y1, Number x2, Number y2, Number x3,
                            Number y3, Number x4, Number y4) {
    draw([&](PaintSurface& s) {
        paintArc(s, kind, boxOf(s.pixel(x1, y2), s.pixel(x2, y1)), s.pixel(x3, y3),
                 s.pixel(x4, y4));
    });
}

void WorldCanvas::d2Arc(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3, Number x4,
                        Number y4) {
    arcFigure(ArcKind::Arc, x1, y1, x2, y2, x3, y3, x4, y4);
}

void WorldCanvas::d2Chord(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3,
                          Number x4, Number y4) {
    arcFigure(ArcKind::Chord, x1, y1, x2, y2, x3, y3, x4, y4);
}

void WorldCanvas::d2Pie(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3, Number x4,
                        Number y4) {
    arcFigure(ArcKind::Pie, x1, y1, x2, y2, x3, y3, x4, y4);
}

void WorldCanvas::d2TextOut(std::string_view text, int angleDegrees, Number x, Number y) {
    const QString shown = displayText(m_font, text);
    draw([&](PaintSurface& s) {
        paintText(s, s.pixel(x, y), angleDegrees, shown, qtFont(m_font, s.scale), m_font.color,
                  m_brush);
    });
}

int WorldCanvas::textWidth(std::string_view text) const {
    return QFontMetrics(qtFont(m_font, 1)).horizontalAdvance(displayText(m_font, text));
}

int WorldCanvas::textHeight(std::string_view) const {
    return QFontMetrics(qtFont(m_font, 1)).height();
}

// The reached area is found on the bitmap; the mirror receives the same pixels, doubled.
void WorldCanvas::d2FloodFill(Number x, Number y, Color color, FloodStyle style) {
    const QPoint seed(windowX(x), windowY(y));
    finishPainting();
    QImage& image = m_bitmap.image;
    const FloodMask mask =
        floodMask(image, seed, color, style, m_clipActive ? m_screenClip : image.rect());
    if (mask.empty() || m_brush.style == BrushStyle::Clear) return;
    const QImage layer = paintThroughMask(mask, qtBrush(m_brush));
    {
        QPainter painter(&image);
        painter.drawImage(mask.box.topLeft(), layer);
    }
    if (m_deviceBitmap) fillDeviceThroughMask(mask, color, style);
    if (m_mirrorPainter) {
        const QRect box = mask.box;
        m_mirrorPainter->drawImage(
            QRect(2 * box.x(), 2 * box.y(), 2 * box.width(), 2 * box.height()), layer);
    }
    requestRepaint();
}

// The device bitmap is filled where the bitmap was, at its own precision: the device
// pixels under the filled pixels that the fill's rule admits, and the admitted ones joined
// to them under the pixels just around, whose device pixels lie partly inside the border.
void WorldCanvas::fillDeviceThroughMask(const FloodMask& mask, Color color, FloodStyle style) {
    QImage& image = m_deviceBitmap->image;
    const QRect bounds = m_clipActive ? m_deviceClip : image.rect();
    const FloodMask reached = scaledFloodMask(image, mask, deviceRatio(), color, style, bounds);
    if (reached.empty()) return;
    QPainter painter(&image);
    painter.drawImage(reached.box.topLeft(),
                      paintThroughMask(reached, qtBrush(m_brush, deviceRatio())));
}

std::vector<WorldCanvas::Raster*> WorldCanvas::rasters() {
    std::vector<Raster*> all{&m_bitmap};
    if (m_deviceBitmap) all.push_back(m_deviceBitmap.get());
    return all;
}

// ---- Vector mirror ----

// The mirror streams to a file of its own while the program draws, so a long drawing costs
// disk rather than memory.
void WorldCanvas::startMirror() {
    m_svg = std::make_unique<SvgStream>(QSize(2 * width(), 2 * height()));
    m_mirrorPainter = std::make_unique<QPainter>(m_svg.get());
    m_mirrorPainter->setRenderHint(QPainter::Antialiasing, false);
    m_mirrorFont.reset();
}

void WorldCanvas::setRecordMetafile(bool on) {
    if (on == recordMetafile()) return;
    if (on) {
        startMirror();
        return;
    }
    m_mirrorPainter->end();
    m_mirrorPainter.reset();
    m_svg.reset();
}

bool WorldCanvas::saveMetafile(const std::string& fileName) {
    if (!m_svg) return true;
    return m_svg->save(fileName, QSize(2 * width(), 2 * height()));
}

}  // namespace kalvor
