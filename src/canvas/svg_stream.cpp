#include "canvas/svg_stream.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTemporaryFile>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

#include "output/atomic_file.h"

namespace kalvor {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;
constexpr int kDpi = 96;
// XML readers refuse attributes beyond some megabytes, so long runs of strokes are split.
constexpr std::size_t kMaxPathData = 1 << 16;

// Hundredths of a device pixel are finer than any renderer shows; whole numbers lose their
// decimals, which keeps the path data of pixel figures short.
void appendNumber(std::string& out, qreal v) {
    if (!std::isfinite(v)) v = 0;
    const long long hundredths = std::llround(std::clamp<qreal>(v, -1e12, 1e12) * 100);
    if (hundredths < 0) out += '-';
    const unsigned long long a = hundredths < 0 ? -hundredths : hundredths;
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, a / 100).ptr);
    if (const unsigned frac = a % 100) {
        out += '.';
        out += static_cast<char>('0' + frac / 10);
        if (frac % 10) out += static_cast<char>('0' + frac % 10);
    }
}

void appendPoint(std::string& out, QPointF p) {
    appendNumber(out, p.x());
    out += ',';
    appendNumber(out, p.y());
}

void appendColor(std::string& out, const QColor& color) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '#';
    for (const int c : {color.red(), color.green(), color.blue()}) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
}

void appendAttribute(std::string& out, const char* name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += value;
    out += '"';
}

void appendEscaped(std::string& out, const QString& text) {
    for (const char c : text.toStdString()) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML at all.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
}

// "M x,y L x,y C x,y x,y x,y …", closed subpaths ending in Z so that their corners join.
// `continued` when the data follows other data in the same attribute.
void appendPathData(std::string& out, const QPainterPath& path, bool continued) {
    QPointF start;
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (i > 0 || continued) out += ' ';
        if (e.isMoveTo()) {
            start = e;
            out += 'M';
        } else if (e.isLineTo()) {
            out += 'L';
        } else {
            out += 'C';
            appendPoint(out, path.elementAt(i));
            out += ' ';
            appendPoint(out, path.elementAt(++i));
            out += ' ';
            ++i;
        }
        appendPoint(out, path.elementAt(i));
        const bool subpathEnds = i + 1 == count || path.elementAt(i + 1).isMoveTo();
        if (subpathEnds && !e.isMoveTo() && QPointF(path.elementAt(i)) == start) out += 'Z';
    }
}

struct HatchTile {
    Qt::BrushStyle style;
    QRgb color;
    int size;
    int id;
};

// The hatch of one brush style in a tile of `size` device pixels: lines one pixel wide,
// on half pixels where they run straight so that they cover whole pixel rows.
std::string hatchPathData(Qt::BrushStyle style, int n) {
    const int h = n / 2;
    std::string d;
    const bool hor = style == Qt::HorPattern || style == Qt::CrossPattern;
    const bool ver = style == Qt::VerPattern || style == Qt::CrossPattern;
    const bool fdiag = style == Qt::FDiagPattern || style == Qt::DiagCrossPattern;
    const bool bdiag = style == Qt::BDiagPattern || style == Qt::DiagCrossPattern;
    auto line = [&d](qreal x1, qreal y1, qreal x2, qreal y2) {
        d += d.empty() ? "M" : " M";
        appendPoint(d, {x1, y1});
        d += " L";
        appendPoint(d, {x2, y2});
    };
    if (hor) line(0, h + 0.5, n, h + 0.5);
    if (ver) line(h + 0.5, 0, h + 0.5, n);
    for (const int k : {-1, 0, 1}) {  // diagonals through the corners, cut by the tile
        if (fdiag) line(-1 + k * n, -1, n + 1 + k * n, n + 1);
        if (bdiag) line(-1 + k * n, n + 1, n + 1 + k * n, -1);
    }
    return d;
}

bool isHatch(Qt::BrushStyle style) {
    return style >= Qt::HorPattern && style <= Qt::DiagCrossPattern;
}

}  // namespace

/// Writes the body of the document: buffered appends to a temporary file, one open stroke
/// path that consecutive strokes with the same attributes extend, and the hatch patterns
/// defined so far.
class SvgStreamEngine : public QPaintEngine {
public:
    SvgStreamEngine() : QPaintEngine(AllFeatures) { restart(); }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        closeStroke();
        return flush();
    }
    Type type() const override { return QPaintEngine::User; }

    void restart();
    bool copyBody(const ByteSink& sink);

    void updateState(const QPaintEngineState& state) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
        drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;

private:
    void stroke(const QPainterPath& path);
    void fill(const QPainterPath& path);
    void closeStroke();
    std::string strokeAttributes() const;
    std::string fillPaint();
    void appendTransform(std::string& out) const;
    QPainterPath mapped(const QPainterPath& path) const;
    bool flush();
    void bufferFull() {
        if (m_buffer.size() >= kFlushSize) flush();
    }

    QTemporaryFile m_file;
    std::string m_buffer;
    bool m_failed = false;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    QTransform m_transform;
    std::string m_strokeAttributes;  // of m_pen
    std::string m_openAttributes;    // of the open stroke path, empty when none is open
    std::size_t m_openData = 0;      // bytes of its path data
    std::vector<HatchTile> m_hatches;
    int m_nextId = 1;
};

void SvgStreamEngine::restart() {
    m_buffer.clear();
    m_openAttributes.clear();
    m_openData = 0;
    m_hatches.clear();
    m_failed = false;
    if (m_file.isOpen()) {
        m_failed = !m_file.seek(0) || !m_file.resize(0);
    } else {
        m_failed = !m_file.open();
    }
}

bool SvgStreamEngine::flush() {
    if (m_buffer.empty()) return !m_failed;
    const auto size = static_cast<qint64>(m_buffer.size());
    if (m_failed || m_file.write(m_buffer.data(), size) != size) m_failed = true;
    m_buffer.clear();
    return !m_failed;
}

// Reads the body back from the start and leaves the file positioned to append again.
bool SvgStreamEngine::copyBody(const ByteSink& sink) {
    closeStroke();
    if (!flush() || !m_file.seek(0)) return false;
    std::string chunk(kFlushSize, '\0');
    bool ok = true;
    for (qint64 n; ok && (n = m_file.read(chunk.data(), kFlushSize)) > 0;)
        ok = sink(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
    return m_file.seek(m_file.size()) && ok && !m_failed;
}

void SvgStreamEngine::updateState(const QPaintEngineState& state) {
    const QPaintEngine::DirtyFlags dirty = state.state();
    if (dirty & DirtyPen && state.pen() != m_pen) {
        m_pen = state.pen();
        m_strokeAttributes = strokeAttributes();
    }
    if (dirty & DirtyBrush) m_brush = state.brush();
    if (dirty & DirtyFont) m_font = state.font();
    if (dirty & DirtyTransform) m_transform = state.transform();
}

// Cosmetic pens stay one pixel wide however the picture is scaled, as on the screen.
std::string SvgStreamEngine::strokeAttributes() const {
    std::string a = " fill=\"none\" stroke=\"";
    appendColor(a, m_pen.color());
    a += '"';
    const qreal width = m_pen.widthF();
    std::string number;
    appendNumber(number, width == 0 ? 1 : width);
    appendAttribute(a, "stroke-width", number);
    if (m_pen.isCosmetic()) appendAttribute(a, "vector-effect", "non-scaling-stroke");
    if (m_pen.capStyle() != Qt::FlatCap)
        appendAttribute(a, "stroke-linecap", m_pen.capStyle() == Qt::RoundCap ? "round" : "square");
    if (m_pen.joinStyle() == Qt::RoundJoin) appendAttribute(a, "stroke-linejoin", "round");
    if (m_pen.joinStyle() == Qt::BevelJoin) appendAttribute(a, "stroke-linejoin", "bevel");
    if (m_pen.style() != Qt::SolidLine && m_pen.style() != Qt::NoPen) {
        std::string dashes;
        for (const qreal dash : m_pen.dashPattern()) {
            if (!dashes.empty()) dashes += ',';
            appendNumber(dashes, dash * std::max<qreal>(width, 1));
        }
        appendAttribute(a, "stroke-dasharray", dashes);
    }
    return a;
}

QPainterPath SvgStreamEngine::mapped(const QPainterPath& path) const {
    return m_transform.isIdentity() ? path : m_transform.map(path);
}

void SvgStreamEngine::drawPath(const QPainterPath& path) {
    if (path.isEmpty()) return;
    if (m_brush.style() != Qt::NoBrush) fill(path);
    if (m_pen.style() != Qt::NoPen) stroke(path);
}

void SvgStreamEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2) return;
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode == PolylineMode) {
        if (m_pen.style() != Qt::NoPen) stroke(path);
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(path);
}

void SvgStreamEngine::stroke(const QPainterPath& path) {
    if (m_openAttributes != m_strokeAttributes) {
        closeStroke();
        m_buffer += "<path";
        m_buffer += m_strokeAttributes;
        m_buffer += " d=\"";
        m_openAttributes = m_strokeAttributes;
    }
    const std::size_t before = m_buffer.size();
    appendPathData(m_buffer, mapped(path), m_openData > 0);
    m_openData += m_buffer.size() - before;
    if (m_openData >= kMaxPathData) closeStroke();
    bufferFull();
}

void SvgStreamEngine::closeStroke() {
    if (m_openAttributes.empty()) return;
    m_buffer += "\"/>\n";
    m_openAttributes.clear();
    m_openData = 0;
}

// A solid colour, or a hatch pattern defined where it is first used.
std::string SvgStreamEngine::fillPaint() {
    std::string paint;
    const Qt::BrushStyle style = m_brush.style();
    if (!isHatch(style)) {
        appendColor(paint, m_brush.color());
        return paint;
    }
    const int size = std::max(2, static_cast<int>(std::lround(8 * m_brush.transform().m11())));
    const QRgb color = m_brush.color().rgb();
    auto known = std::find_if(m_hatches.begin(), m_hatches.end(), [&](const HatchTile& t) {
        return t.style == style && t.color == color && t.size == size;
    });
    if (known == m_hatches.end()) {
        known = m_hatches.insert(m_hatches.end(), {style, color, size, m_nextId++});
        const std::string n = std::to_string(size);
        m_buffer += "<defs><pattern id=\"h" + std::to_string(known->id) + "\" width=\"" + n +
                    "\" height=\"" + n +
                    "\" patternUnits=\"userSpaceOnUse\"><path fill=\"none\" stroke=\"";
        appendColor(m_buffer, m_brush.color());
        m_buffer += "\" d=\"" + hatchPathData(style, size) + "\"/></pattern></defs>\n";
    }
    return "url(#h" + std::to_string(known->id) + ")";
}

void SvgStreamEngine::fill(const QPainterPath& path) {
    closeStroke();
    const std::string paint = fillPaint();
    m_buffer += "<path";
    appendAttribute(m_buffer, "fill", paint);
    if (path.fillRule() == Qt::OddEvenFill) appendAttribute(m_buffer, "fill-rule", "evenodd");
    m_buffer += " d=\"";
    appendPathData(m_buffer, mapped(path), false);
    m_buffer += "\"/>\n";
    bufferFull();
}

void SvgStreamEngine::appendTransform(std::string& out) const {
    if (m_transform.isIdentity()) return;
    out += " transform=\"matrix(";
    const qreal values[] = {m_transform.m11(), m_transform.m12(), m_transform.m21(),
                            m_transform.m22(), m_transform.dx(),  m_transform.dy()};
    for (const qreal v : values) {
        appendNumber(out, v);
        out += ' ';
    }
    out.back() = ')';
    out += '"';
}

void SvgStreamEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                                Qt::ImageConversionFlags) {
    closeStroke();
    const QImage part = sr == QRectF(image.rect()) ? image : image.copy(sr.toRect());
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    part.save(&png, "PNG");
    m_buffer += "<image preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\"";
    const qreal box[] = {r.x(), r.y(), r.width(), r.height()};
    const char* names[] = {"x", "y", "width", "height"};
    for (int i = 0; i < 4; ++i) {
        std::string number;
        appendNumber(number, box[i]);
        appendAttribute(m_buffer, names[i], number);
    }
    appendTransform(m_buffer);
    m_buffer += " xlink:href=\"data:image/png;base64,";
    m_buffer += png.data().toBase64().toStdString();
    m_buffer += "\"/>\n";
    flush();
}

void SvgStreamEngine::drawTextItem(const QPointF& p, const QTextItem& item) {
    closeStroke();
    const QFont font = item.font();
    // A plain shift goes into the position; turned text keeps its matrix.
    const bool shift = m_transform.type() <= QTransform::TxTranslate;
    const QPointF at = shift ? m_transform.map(p) : p;
    m_buffer += "<text xml:space=\"preserve\" x=\"";
    appendNumber(m_buffer, at.x());
    m_buffer += "\" y=\"";
    appendNumber(m_buffer, at.y());
    m_buffer += "\" font-family=\"";
    appendEscaped(m_buffer, font.family());
    m_buffer += "\" font-size=\"";
    appendNumber(m_buffer, font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kDpi / 72);
    m_buffer += '"';
    if (font.bold()) appendAttribute(m_buffer, "font-weight", "bold");
    if (font.italic()) appendAttribute(m_buffer, "font-style", "italic");
    if (font.underline()) appendAttribute(m_buffer, "text-decoration", "underline");
    m_buffer += " fill=\"";
    appendColor(m_buffer, m_pen.color());
    m_buffer += '"';
    if (!shift) appendTransform(m_buffer);
    m_buffer += '>';
    appendEscaped(m_buffer, item.text());
    m_buffer += "</text>\n";
    bufferFull();
}

// ---- SvgStream ----

SvgStream::SvgStream(QSize size) : m_size(size), m_engine(std::make_unique<SvgStreamEngine>()) {}

SvgStream::~SvgStream() = default;

QPaintEngine* SvgStream::paintEngine() const {
    return m_engine.get();
}

void SvgStream::restart() {
    m_engine->restart();
}

bool SvgStream::save(const std::string& path, QSize size) {
    const std::string w = std::to_string(size.width()), h = std::to_string(size.height());
    const std::string header =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n<title>Kalvor</title>\n";
    return writeFileAtomically(path, [&](const ByteSink& sink) {
        return sink(header) && m_engine->copyBody(sink) && sink("</svg>\n");
    });
}

int SvgStream::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * kDpi);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * kDpi);
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 1;
    }
}

}  // namespace kalvor
