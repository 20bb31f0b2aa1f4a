#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "expr/number.h"
#include "output/color.h"

namespace kalvor {

/// The hatch that a filled figure shows instead of a solid area, as the screen's brushes
/// draw it: lines one pixel wide, 8 pixels apart.
enum class PdfHatch {
    None,
    Horizontal,
    Vertical,
    ForwardDiagonal,   // "\"
    BackwardDiagonal,  // "/"
    Cross,
    DiagonalCross
};

/// Records a drawing, given in world coordinates, as a one-page PDF 1.1 document: the head
/// with the fourteen standard fonts, one content stream that maps the world rectangle onto
/// the whole page, and the cross-reference table. The document is kept as byte-string
/// lines, written with CR LF line ends.
class PdfRecorder {
public:
    /// Returns the local time as "yyyymmddhhnnss" for the creation date.
    using Clock = std::function<std::string()>;

    PdfRecorder();
    /// Replaces the clock, so that documents can be compared byte for byte.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void clear();
    /// Starts a document for a surface of widthPx × heightPx pixels showing the world
    /// rectangle x1 … x2 × y1 … y2.
    void beginDoc(int widthPx, int heightPx, Number x1, Number x2, Number y1, Number y2);
    void endDoc();
    /// Writes the document, replacing the file only when the whole document was written;
    /// on failure the document stays in memory.
    bool writeFile(const std::string& fileName) const;

    const std::vector<std::string>& lines() const { return m_lines; }
    /// The whole document as it is written to a file.
    std::string document() const;

    /// The hatch of the filled figures that follow; None fills them solid.
    void setHatch(PdfHatch hatch) { m_hatch = hatch; }

    // ---- Content operations (world coordinates) ----
    /// Width in tenths of a millimetre.
    void lineWidth(Number width);
    void moveTo(Number x, Number y);
    void lineTo(Number x, Number y);
    void addCurveToPath(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3);
    /// Writes a colour line only when the colour differs from the last one written.
    void startPath(Color stroke, Color fill, Number x, Number y);
    void endPath(bool close, bool fill);
    void addLineToPath(Number x1, Number y1, Number x2, Number y2);
    void drawLine(Color color, bool dashed, Number x1, Number y1, Number x2, Number y2);
    /// A line to (x + dx, y + dy) with a head of fixed page size; nothing for a zero vector.
    void drawVector(Color color, Number x, Number y, Number dx, Number dy);
    void rectangle(Color stroke, bool fill, Color fillColor, Number x, Number y, Number width,
                   Number height);
    void circleByRadius(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number r);
    void circle(Color stroke, bool fill, Color fillColor, Number x1, Number y1, Number x2,
                Number y2);
    void ellipse(Color stroke, bool fill, Color fillColor, Number x1, Number y1, Number x2,
                 Number y2);
    /// The ellipse in the box turned clockwise by `angle` radians about the box centre, so
    /// that a caller passes -α for a counter-clockwise turn by α.
    void rotatedEllipse(Color stroke, bool fill, Color fillColor, Number x1, Number y1, Number x2,
                        Number y2, Number angle);
    /// Elliptic arcs counter-clockwise from angle a1 to a2 (radians).
    void arc(Color stroke, Number cx, Number cy, Number rx, Number ry, Number a1, Number a2);
    void chord(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number rx, Number ry,
               Number a1, Number a2);
    void pie(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number rx, Number ry,
             Number a1, Number a2);
    /// Text with its baseline start at (x, y) in font resource `font` ("F1" … "F14").
    void textOut(std::string_view text, std::string_view font, Number x, Number y, int size,
                 Color color, Number angle);
    /// As textOut, with the baseline raised by `rise`.
    void textOutRaised(std::string_view text, std::string_view font, Number x, Number y,
                       Number rise, int size, Color color, Number angle);

private:
    enum class ArcShape { Open, Chord, Pie };

    struct PagePoint {
        Number x, y;
    };

    void add(std::string line);
    PagePoint pagePoint(Number x, Number y) const;
    std::string point(Number x, Number y) const;
    void appendPoint(std::string& out, Number x, Number y) const;
    /// The line "x y op" of one point: most lines of a drawing's content.
    void addPointLine(Number x, Number y, std::string_view op);
    /// Starts collecting a path: its lines from here on and its page bounds.
    void beginPath();
    void extendPath(Number x, Number y);
    /// Paints the collected path: `fillOp` when filled solid, `strokeOp` when not filled; a
    /// hatched fill clips its hatch lines to the path first.
    void paintPath(const char* fillOp, const char* strokeOp, bool fill);
    void writeHatchLines();
    void writeColors(Color stroke, Color fill);
    void writeHead();
    void ellipsePath(Color stroke, bool fill, Color fillColor, Number cx, Number cy, Number a,
                     Number b, Number angle);
    void arcPath(ArcShape shape, Color stroke, bool fill, Color fillColor, Number cx, Number cy,
                 Number rx, Number ry, Number a1, Number a2);
    void text(std::string_view text, std::string_view font, Number x, Number y, const Number* rise,
              int size, Color color, Number angle);
    std::vector<long long> objectOffsets(long long& end) const;

    Clock m_clock;
    std::vector<std::string> m_lines;
    long long m_size = 0;  // bytes of all lines with their line ends
    long long m_streamStart = 0;
    Number m_pageWidth = 0, m_pageHeight = 0;
    Number m_x1 = 0, m_x2 = 1, m_y1 = 0, m_y2 = 1;
    Color m_stroke = kBlack, m_fill = kBlack;
    PdfHatch m_hatch = PdfHatch::None;
    std::size_t m_pathStart = 0;
    Number m_left = 0, m_right = 0, m_bottom = 0, m_top = 0;  // page bounds of the path
};

}  // namespace kalvor
