#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas_types.h"
#include "canvas/point_list.h"
#include "canvas/view3d.h"
#include "expr/number.h"

class QPainter;

namespace kalvor {

struct FloodMask;
struct PaintSurface;
class SvgStream;
enum class ArcKind : int;

/// Pixel = a × world + b on one axis.
struct AxisMapping {
    Number a = 1;
    Number b = 0;
    /// Rounded half to even; results beyond ±16000 (and NaN) become ±16000, which keeps
    /// far-away points drawable.
    int toPixel(Number world) const;
    Number toWorld(int pixel) const { return (pixel - b) / a; }
};

struct CanvasMapping {
    AxisMapping x;
    AxisMapping y;
};

/// The drawing surface of the graph window: a raster picture addressed in world
/// coordinates. It owns the bitmap, the pen, brush and font, the world rectangle with its
/// pixel mapping (optionally leaving margins for framed, labelled axes and clipping to the
/// plot area), and, while recording, a vector mirror of every operation at twice the size
/// that can be saved as SVG. On a screen with several device pixels per pixel it also keeps
/// a device bitmap that receives every figure at the screen's precision; only the window
/// shows it, everything else reads the bitmap. It announces every change of the picture
/// with changed().
class WorldCanvas : public QObject {
    Q_OBJECT

public:
    explicit WorldCanvas(QObject* parent = nullptr);
    ~WorldCanvas() override;

    int width() const { return m_bitmap.image.width(); }
    int height() const { return m_bitmap.image.height(); }
    /// Keeps the picture (new area white), recomputes the mappings and the 3D view.
    void resize(int width, int height);
    /// Ends the painting in progress first, so that the image may be read and copied.
    const QImage& image() const;

    static constexpr int kMaxDeviceRatio = 3;
    /// Device pixels per canvas pixel on the screen, 1 … kMaxDeviceRatio. Above 1 the
    /// device bitmap, that many times as large, is kept in step with the bitmap; a change
    /// starts it from the bitmap enlarged and announces resized(), after which the owner
    /// redraws.
    int deviceRatio() const { return m_deviceBitmap ? m_deviceBitmap->scale : 1; }
    void setDeviceRatio(int ratio);
    /// What the window shows: the device bitmap, or the bitmap at ratio 1.
    const QImage& screenImage() const;
    const CanvasMapping& deviceMapping() const { return m_device; }
    QRect deviceClipRect() const { return m_deviceClip; }
    /// "Gladde lijnen": anti-aliased figures on the bitmaps (the vector mirror is not
    /// affected). Off, pixels are exactly those of the aliased figures.
    bool smoothLines() const { return m_smooth; }
    void setSmoothLines(bool on);

    // The live drawing attributes; every operation reads them when it draws.
    CanvasPen& pen() { return m_pen; }
    CanvasBrush& brush() { return m_brush; }
    CanvasFont& font() { return m_font; }
    const CanvasPen& pen() const { return m_pen; }
    const CanvasBrush& brush() const { return m_brush; }
    const CanvasFont& font() const { return m_font; }

    // ---- World rectangle and mapping ----
    Number d2WorldX1() const { return m_x1; }
    Number d2WorldY1() const { return m_y1; }
    Number d2WorldXW() const { return m_xw; }
    Number d2WorldYW() const { return m_yw; }
    void setD2WorldX1(Number x1);
    void setD2WorldY1(Number y1);
    /// Throw CanvasError "x-worldwidth must be positive" / "y-…" for widths <= 0 and keep
    /// the previous world.
    void setD2WorldXW(Number width);
    void setD2WorldYW(Number height);
    void setWorld(Number x1, Number y1, Number x2, Number y2);

    int windowX(Number x) const { return m_screen.x.toPixel(x); }
    int windowY(Number y) const { return m_screen.y.toPixel(y); }
    Number worldX(int px) const { return m_screen.x.toWorld(px); }
    Number worldY(int py) const { return m_screen.y.toWorld(py); }
    const CanvasMapping& screenMapping() const { return m_screen; }
    const CanvasMapping& mirrorMapping() const { return m_mirror; }

    bool clipped() const { return m_clipped; }
    /// On: measures the tick labels, leaves margins for framed axes and clips drawing to the
    /// plot area. Off: the whole surface.
    void setClipped(bool on);
    QRect clipRect() const { return m_screenClip; }

    View3D& view3d() { return m_view3d; }
    const View3D& view3d() const { return m_view3d; }

    // ---- Drawing (world coordinates) ----
    void clear();
    void d2SetPixel(Number x, Number y);
    void d2MoveTo(Number x, Number y);
    void d2LineTo(Number x, Number y);
    void d2Line(Number x1, Number y1, Number x2, Number y2);
    void d2Arrow(Number x, Number y, Number dx, Number dy);
    void d2Polyline(const PointList& points);
    void d2Polygon(const PointList& points);
    void d2PolyBezier(const PointList& points);
    void d2Ellipse(Number x1, Number y1, Number x2, Number y2);
    void d2Rectangle(Number x1, Number y1, Number x2, Number y2);
    /// Over the box (x1, y1)–(x2, y2), counter-clockwise from the ray towards (x3, y3) to
    /// the ray towards (x4, y4).
    void d2Arc(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3, Number x4,
               Number y4);
    void d2Chord(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3, Number x4,
                 Number y4);
    void d2Pie(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3, Number x4,
               Number y4);
    /// The text's upper-left corner at (x, y), turned counter-clockwise by angleDegrees.
    void d2TextOut(std::string_view text, int angleDegrees, Number x, Number y);
    void d2FloodFill(Number x, Number y, Color color, FloodStyle style);
    /// Framed axes on the left and lower edges with ticks, tick labels, arrows and labels.
    /// Copies a picture onto the bitmap with its top-left corner at pixel (px, py), replacing
    /// what was there (snapshots, stamped pictures); the vector mirror is not involved.
    void drawImage(int px, int py, const QImage& picture);
    /// The picture as it stands with its device bitmap, so that an animation's background
    /// comes back as sharp as it was drawn.
    struct Snapshot {
        QImage image;
        QImage device;  // null at ratio 1
    };
    Snapshot snapshot() const;
    /// Puts a snapshot back like drawImage at (0, 0); a device bitmap of another ratio is
    /// made from the picture instead.
    void restore(const Snapshot& snapshot);
    void d2Axes(std::string_view xLabel, std::string_view yLabel, bool zeroLines, Color axesColor,
                Color zeroLinesColor);

    /// Text extent in pixels with the current font.
    int textWidth(std::string_view text) const;
    int textHeight(std::string_view text) const;

    // ---- Vector mirror ----
    bool recordMetafile() const { return m_svg != nullptr; }
    void setRecordMetafile(bool on);
    /// Writes the mirror as SVG (2 × width by 2 × height) and keeps recording. Does nothing
    /// and returns true when not recording; false when the file could not be written.
    bool saveMetafile(const std::string& fileName);

    /// Suppress changed() during a composite operation; nests.
    void beginUpdate() { ++m_updateLock; }
    void endUpdate();

signals:
    /// The picture changed and the window should repaint.
    void changed();
    /// The surface size changed.
    void resized();

private:
    // Attributes as last set on a raster's painter: a figure changes only those that
    // differ, since beginning a painter and building Qt pens and fonts cost more than most
    // figures.
    struct Applied {
        CanvasPen pen;
        CanvasBrush brush;
        CanvasFont font;
        bool clipped = false;
        QRect clip;
        bool smooth = false;
    };
    /// A bitmap with the painter kept open on it from figure to figure.
    struct Raster {
        QImage image;
        int scale = 1;
        std::unique_ptr<QPainter> painter;
        Applied applied;
    };

    void draw(const std::function<void(PaintSurface&)>& paint);
    /// The raster's kept painter with the current pen, brush, font, clip and smoothing.
    QPainter& rasterPainter(Raster& raster, const QRect& clip);
    void applyAttributes(Raster& raster, bool fresh) const;
    std::vector<Raster*> rasters();
    /// Ends the raster painters: an image copied while a painter is active on it shares
    /// the pixels that later figures change.
    void finishPainting() const;
    void computeMappings();
    void placeMapping(CanvasMapping& m, int scale) const;
    void fillDeviceThroughMask(const FloodMask& mask, Color color, FloodStyle style);
    void measureLabels();
    void makeClipRects();
    void requestRepaint();
    void startMirror();
    void prepareMirror();
    void arcFigure(ArcKind kind, Number x1, Number y1, Number x2, Number y2, Number x3, Number y3,
                   Number x4, Number y4);
    void paintAxes(PaintSurface& s, std::string_view xLabel, std::string_view yLabel) const;
    void paintFloodFill(const QImage& fill, const QRect& box);

    mutable Raster m_bitmap;
    mutable std::unique_ptr<Raster> m_deviceBitmap;  // only at ratios above 1
    bool m_smooth = false;
    CanvasPen m_pen;
    CanvasBrush m_brush;
    CanvasFont m_font;

    Number m_x1 = -1, m_y1 = -1, m_xw = 2, m_yw = 2;
    CanvasMapping m_screen;
    CanvasMapping m_mirror;
    CanvasMapping m_device;
    bool m_clipped = false;
    bool m_clipActive = false;  // the clip rectangles are selected
    int m_labelWidthX = 0, m_labelWidthY = 0, m_textHeight = 0;
    QRect m_screenClip;
    QRect m_mirrorClip;
    QRect m_deviceClip;
    QPoint m_screenPos;
    QPoint m_mirrorPos;
    QPoint m_devicePos;

    std::unique_ptr<SvgStream> m_svg;
    std::unique_ptr<QPainter> m_mirrorPainter;
    std::optional<CanvasFont> m_mirrorFont;  // the font the mirror painter has
    int m_updateLock = 0;
    View3D m_view3d;
};

}  // namespace kalvor
