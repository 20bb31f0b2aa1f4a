#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expr/number.h"

namespace kalvor {

/// The rectangle of a picture in world units.
struct PictureFrame {
    Number x1, y1, x2, y2;
};

/// The LaTeX picture (eepic) text of a drawing, built while an export redraws: the number
/// and point formats, the fragment of every drawing operation, the lines collected so far,
/// the picture's own current point and the path accumulator of multi-point figures. The
/// fragment functions only format; append() adds a fragment to the lines.
class PictureText {
public:
    // ---- Number and point formats ----
    /// Fixed point with three decimals, at most six significant digits.
    static std::string n(Number v);
    /// "(x,y)" with y multiplied by yScale.
    std::string p(Number x, Number y) const;
    /// p() followed by CR LF.
    std::string pl(Number x, Number y) const;
    Number yScale() const { return m_yScale; }
    void setYScale(Number scale) { m_yScale = scale; }

    // ---- Fragments ----
    std::string eepicLine(Number x1, Number y1, Number x2, Number y2) const;
    std::string eepicDashedLine(Number x1, Number y1, Number x2, Number y2) const;
    void eepicMoveTo(Number x, Number y);
    /// The line from the current point; the point becomes current.
    std::string eepicLineTo(Number x, Number y);
    Number currentX() const { return m_currentX; }
    Number currentY() const { return m_currentY; }
    std::string eepicRectangle(Number x1, Number y1, Number x2, Number y2) const;
    std::string eepicEllipse(Number x1, Number y1, Number x2, Number y2) const;
    std::string eepicText(std::string_view text, Number x, Number y) const;
    std::string eepicAlignedText(std::string_view text, std::string_view alignment, Number x,
                                 Number y) const;
    static std::string eepicFootnoteSize(std::string_view text);
    std::string eepicPoint(Number x, Number y) const { return p(x, y); }
    std::string eepicPointLine(Number x, Number y) const { return pl(x, y); }
    std::string eepicCircle(Number mx, Number my, Number r) const;
    /// The two additions of an arc of radius r from a1 to a2 (radians, counter-clockwise).
    std::pair<std::string, std::string> eepicArc(Number mx, Number my, Number r, Number a1,
                                                 Number a2) const;

    // ---- The lines ----
    /// Adds a fragment; its CR LF (or lone CR or LF) line breaks make several lines.
    void append(std::string_view fragment);
    /// A copy of the lines, for inspection.
    std::vector<std::string> lines() const;
    bool lastLineIs(std::string_view line) const;
    void removeLastLine();
    void clear();
    /// All lines, each followed by CR LF, as the file holds them.
    const std::string& text() const { return m_text; }

    // ---- Path accumulator ----
    void clearPath() { m_path.clear(); }
    void addToPath(std::string_view fragment) { m_path += fragment; }
    const std::string& path() const { return m_path; }

    // ---- Export framing ----
    /// Empties the lines, sets yScale from the world rectangle and writes the unit length,
    /// the picture's size and offset, and thin lines.
    void beginPicture(Number x1, Number xw, Number y1, Number yw);
    void endPicture();
    /// The picture's rectangle once a picture has begun: figures are cut to it.
    const std::optional<PictureFrame>& frame() const { return m_frame; }
    /// Writes text() to the file, replacing it only when the whole text was written.
    bool saveToFile(const std::string& fileName) const;

private:
    void appendPoint(std::string& out, Number x, Number y) const;
    void addLine(std::string_view line);
    std::size_t lastLineStart() const;

    // The lines as the file holds them, and where each ends (before its CR LF): a drawing of
    // a million lines takes one buffer instead of a million strings.
    std::string m_text;
    std::vector<std::size_t> m_ends;
    std::string m_path;
    Number m_yScale = 1;
    Number m_currentX = 0, m_currentY = 0;
    std::optional<PictureFrame> m_frame;
};

}  // namespace kalvor
