#include "output/picture_text.h"

#include <cmath>
#include <numbers>

#include "expr/numtext.h"
#include "output/atomic_file.h"

namespace kalvor {

namespace {
constexpr Number kPi = std::numbers::pi_v<long double>;
}  // namespace

std::string PictureText::n(Number v) {
    return formatFixed(v, 6, 3);
}

std::string PictureText::p(Number x, Number y) const {
    std::string text;
    appendPoint(text, x, y);
    return text;
}

void PictureText::appendPoint(std::string& out, Number x, Number y) const {
    out += '(';
    appendFixed(out, x, 6, 3);
    out += ',';
    appendFixed(out, y * m_yScale, 6, 3);
    out += ')';
}

std::string PictureText::pl(Number x, Number y) const {
    return p(x, y) + "\r\n";
}

// Built in one string: exports write one of these for every line of a drawing.
std::string PictureText::eepicLine(Number x1, Number y1, Number x2, Number y2) const {
    std::string line;
    line.reserve(40);
    line += "\\path";
    appendPoint(line, x1, y1);
    appendPoint(line, x2, y2);
    return line;
}

std::string PictureText::eepicDashedLine(Number x1, Number y1, Number x2, Number y2) const {
    return "\\drawline[-200]" + p(x1, y1) + p(x2, y2) +
           "\r\n%vervang eventueel door \\dashline of \\dottedline; zie eepichandleiding";
}

void PictureText::eepicMoveTo(Number x, Number y) {
    m_currentX = x;
    m_currentY = y;
}

std::string PictureText::eepicLineTo(Number x, Number y) {
    std::string line = eepicLine(m_currentX, m_currentY, x, y);
    eepicMoveTo(x, y);
    return line;
}

std::string PictureText::eepicRectangle(Number x1, Number y1, Number x2, Number y2) const {
    return "\\path" + p(x1, y1) + p(x2, y1) + p(x2, y2) + p(x1, y2) + p(x1, y1);
}

std::string PictureText::eepicEllipse(Number x1, Number y1, Number x2, Number y2) const {
    return "\\put" + p((x1 + x2) / 2, (y1 + y2) / 2) + "{\\ellipse{" + n(std::fabs(x1 - x2)) +
           "}{" + n(std::fabs(y1 - y2) * m_yScale) + "}}";
}

std::string PictureText::eepicText(std::string_view text, Number x, Number y) const {
    return eepicAlignedText(text, "lt", x, y);
}

std::string PictureText::eepicAlignedText(std::string_view text, std::string_view alignment,
                                          Number x, Number y) const {
    return "\\put" + p(x, y) + "{\\makebox(0,0)[" + std::string(alignment) + "]{" +
           std::string(text) + "}}";
}

std::string PictureText::eepicFootnoteSize(std::string_view text) {
    return "{\\footnotesize " + std::string(text) + "}";
}

std::string PictureText::eepicCircle(Number mx, Number my, Number r) const {
    return "\\put" + p(mx, my) + "{\\circle{" + n(2 * r) + "}}";
}

// eepic measures arc angles clockwise, so the sweep a1 … a2 becomes 2π − a2 … 2π − a1.
std::pair<std::string, std::string> PictureText::eepicArc(Number mx, Number my, Number r, Number a1,
                                                          Number a2) const {
    return {"\\put" + p(mx, my) + "{\\arc{" + n(2 * r) + "}",
            "{" + n(2 * kPi - a2) + "}{" + n(2 * kPi - a1) + "}}"};
}

void PictureText::append(std::string_view fragment) {
    std::size_t start = 0;
    while (true) {
        const std::size_t brk = fragment.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) break;
        addLine(fragment.substr(start, brk - start));
        const bool crlf =
            fragment[brk] == '\r' && brk + 1 < fragment.size() && fragment[brk + 1] == '\n';
        start = brk + (crlf ? 2 : 1);
    }
    if (start < fragment.size() || start == 0) addLine(fragment.substr(start));
}

void PictureText::addLine(std::string_view line) {
    m_text += line;
    m_ends.push_back(m_text.size());
    m_text += "\r\n";
}

std::size_t PictureText::lastLineStart() const {
    return m_ends.size() < 2 ? 0 : m_ends[m_ends.size() - 2] + 2;
}

std::vector<std::string> PictureText::lines() const {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end : m_ends) {
        result.push_back(m_text.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

bool PictureText::lastLineIs(std::string_view line) const {
    if (m_ends.empty()) return false;
    const std::size_t start = lastLineStart();
    return std::string_view(m_text).substr(start, m_ends.back() - start) == line;
}

void PictureText::removeLastLine() {
    if (m_ends.empty()) return;
    m_text.resize(lastLineStart());
    m_ends.pop_back();
}

void PictureText::clear() {
    m_text.clear();
    m_ends.clear();
}

// The picture is always 50 mm wide and, through yScale, 50 mm high.
void PictureText::beginPicture(Number x1, Number xw, Number y1, Number yw) {
    clear();
    m_frame = PictureFrame{x1, y1, x1 + xw, y1 + yw};
    m_yScale = xw / yw;
    append("\\setlength{\\unitlength}{" + formatFixed(50 / xw, 4, 5) + "mm}");
    append("\\begin{picture}" + p(xw, yw) + p(x1, y1));
    append("\\thinlines");
}

void PictureText::endPicture() {
    append("\\end{picture}");
}

bool PictureText::saveToFile(const std::string& fileName) const {
    return writeFileAtomically(fileName, text());
}

}  // namespace kalvor
