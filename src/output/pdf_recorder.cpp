#include "output/pdf_recorder.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>

#include "output/atomic_file.h"
#include "output/pdf_text.h"

namespace kalvor {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kFonts[14] = {
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

std::string localTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

std::string tenDigits(long long offset) {
    char text[24];
    std::snprintf(text, sizeof text, "%010lld", offset);
    return text;
}

// "N 0 obj" starts object N; content lines never have this exact form.
bool objectNumber(const std::string& line, int& number) {
    // Most lines are content; every object line ends so.
    if (!line.ends_with("obj")) return false;
    int n = 0, used = 0;
    if (std::sscanf(line.c_str(), "%d 0 obj%n", &n, &used) != 1) return false;
    if (used != static_cast<int>(line.size())) return false;
    number = n;
    return true;
}

}  // namespace

PdfRecorder::PdfRecorder() : m_clock(localTimeStamp) {}

void PdfRecorder::add(std::string line) {
    m_size += static_cast<long long>(line.size()) + 2;
    m_lines.push_back(std::move(line));
}

void PdfRecorder::clear() {
    m_lines.clear();
    m_size = 0;
    m_streamStart = 0;
}

std::string PdfRecorder::document() const {
    std::string text;
    text.reserve(static_cast<std::size_t>(m_size));
    for (const std::string& line : m_lines)
        text.append(line).append(kLineEnd);
    return text;
}

// ---- Document frame ----

void PdfRecorder::beginDoc(int widthPx, int heightPx, Number x1, Number x2, Number y1, Number y2) {
    m_x1 = x1, m_x2 = x2, m_y1 = y1, m_y2 = y2;
    m_stroke = m_fill = kBlack;
    m_pageWidth = widthPx * 10 / 12.7L;
    m_pageHeight = heightPx * 10 / 12.7L;
    clear();
    writeHead();
    add("20 0 obj");
    add("<<");
    add("/Length 21 0 R");
    add(">>");
    add("stream");
    m_streamStart = m_size;
    add("1 0 0 1 " + pdfNumber(m_pageWidth / 2) + " " + pdfNumber(m_pageHeight / 2) + " cm");
    lineWidth(2);
}

void PdfRecorder::writeHead() {
    for (const char* line : {"%PDF-1.1", "%\xE2\xE3\xCF\xD3", "1 0 obj", "<<"})
        add(line);
    add("/CreationDate (D:" + m_clock() + ")");
    for (const char* line :
         {"/Producer (Kalvor)", ">>", "endobj", "2 0 obj", "<<", "/Type /Catalog", "/Pages 3 0 R",
          ">>", "endobj", "3 0 obj", "<<", "/Type /Pages", "/Count 1"})
        add(line);
    add("/MediaBox [0 0 " + pdfNumber(m_pageWidth) + " " + pdfNumber(m_pageHeight) + "]");
    for (const char* line : {"/Kids [ 19 0 R ]", ">>", "endobj"})
        add(line);
    for (int i = 0; i < 14; ++i) {
        const std::string name = "F" + std::to_string(i + 1);
        add(std::to_string(i + 4) + " 0 obj");
        for (const char* line : {"<<", "/Type /Font", "/Subtype /Type1"})
            add(line);
        add("/Name /" + name);
        add(std::string("/BaseFont /") + kFonts[i]);
        // Symbol and ZapfDingbats keep their own encodings: under WinAnsi their glyphs
        // have no names and the text would not show.
        if (i < 12) add("/Encoding /WinAnsiEncoding");
        add(">>");
        add("endobj");
    }
    for (const char* line : {"18 0 obj", "<<", "/Font <<"})
        add(line);
    for (int i = 0; i < 14; ++i)
        add("/F" + std::to_string(i + 1) + " " + std::to_string(i + 4) + " 0 R");
    for (const char* line :
         {">>", "/ProcSet [ /PDF /Text ]", ">>", "endobj", "19 0 obj", "<<", "/Type /Page",
          "/Parent 3 0 R", "/Resources 18 0 R", "/Contents 20 0 R", ">>", "endobj"})
        add(line);
}

// Offsets of the object lines by object number (index 0 unused), and the offset after the
// last line.
std::vector<long long> PdfRecorder::objectOffsets(long long& end) const {
    std::map<int, long long> found;
    long long offset = 0;
    for (const std::string& line : m_lines) {
        int number = 0;
        if (objectNumber(line, number)) found[number] = offset;
        offset += static_cast<long long>(line.size()) + 2;
    }
    end = offset;
    std::vector<long long> offsets(1, 0);
    for (const auto& [number, at] : found)
        offsets.push_back(at);
    return offsets;
}

void PdfRecorder::endDoc() {
    const long long length = m_size - m_streamStart;
    for (const char* line : {"endstream", "endobj", "21 0 obj"})
        add(line);
    add(std::to_string(length));
    add("endobj");
    long long xref = 0;
    const std::vector<long long> offsets = objectOffsets(xref);
    const std::string size = std::to_string(offsets.size());
    add("xref");
    add("0 " + size);
    add("0000000000 65535 f");
    for (std::size_t i = 1; i < offsets.size(); ++i)
        add(tenDigits(offsets[i]) + " 00000 n");
    for (const std::string& line :
         {std::string("trailer"), std::string("<<"), "/Size " + size, std::string("/Root 2 0 R"),
          std::string("/Info 1 0 R "), std::string(">>"), std::string("startxref")})
        add(line);
    add(std::to_string(xref));
    add("%%EOF");
}

bool PdfRecorder::writeFile(const std::string& fileName) const {
    return writeFileAtomically(fileName, document());
}

// ---- Content ----

// The content stream's origin is the page centre; the world rectangle fills the page.
PdfRecorder::PagePoint PdfRecorder::pagePoint(Number x, Number y) const {
    return {(x - (m_x1 + m_x2) / 2) * m_pageWidth / (m_x2 - m_x1),
            (y - (m_y1 + m_y2) / 2) * m_pageHeight / (m_y2 - m_y1)};
}

std::string PdfRecorder::point(Number x, Number y) const {
    std::string text;
    appendPoint(text, x, y);
    return text;
}

void PdfRecorder::appendPoint(std::string& out, Number x, Number y) const {
    const PagePoint p = pagePoint(x, y);
    appendPdfNumber(out, p.x);
    out += ' ';
    appendPdfNumber(out, p.y);
}

// Built in one string: the line is stored as it is, with no temporaries on the way.
void PdfRecorder::addPointLine(Number x, Number y, std::string_view op) {
    std::string line;
    line.reserve(32);
    appendPoint(line, x, y);
    line += op;
    add(std::move(line));
}

void PdfRecorder::lineWidth(Number width) {
    add(pdfNumber(width * 72 / 254) + " w");
}
void PdfRecorder::moveTo(Number x, Number y) {
    extendPath(x, y);
    addPointLine(x, y, " m");
}
void PdfRecorder::lineTo(Number x, Number y) {
    extendPath(x, y);
    addPointLine(x, y, " l");
}

// The control points bound the curve.
void PdfRecorder::addCurveToPath(Number x1, Number y1, Number x2, Number y2, Number x3, Number y3) {
    extendPath(x1, y1);
    extendPath(x2, y2);
    extendPath(x3, y3);
    add(point(x1, y1) + " " + point(x2, y2) + " " + point(x3, y3) + " c");
}

void PdfRecorder::writeColors(Color stroke, Color fill) {
    if (stroke != m_stroke) add(pdfColorLine(stroke, true));
    if (fill != m_fill) add(pdfColorLine(fill, false));
    m_stroke = stroke;
    m_fill = fill;
}

void PdfRecorder::startPath(Color stroke, Color fill, Number x, Number y) {
    writeColors(stroke, fill);
    beginPath();
    moveTo(x, y);
}

void PdfRecorder::endPath(bool close, bool fill) {
    paintPath(close ? "b" : "B", close ? "s" : "S", fill);
}

void PdfRecorder::addLineToPath(Number x1, Number y1, Number x2, Number y2) {
    moveTo(x1, y1);
    lineTo(x2, y2);
}

void PdfRecorder::drawLine(Color color, bool dashed, Number x1, Number y1, Number x2, Number y2) {
    if (dashed) add("[2 2] 0 d");
    startPath(color, kWhite, x1, y1);
    lineTo(x2, y2);
    add("S");
    if (dashed) add("[] 0 d");
}

void PdfRecorder::rectangle(Color stroke, bool fill, Color fillColor, Number x, Number y,
                            Number width, Number height) {
    writeColors(stroke, fillColor);
    const Number w = width * m_pageWidth / (m_x2 - m_x1);
    const Number h = height * m_pageHeight / (m_y2 - m_y1);
    beginPath();
    extendPath(x, y);
    extendPath(x + width, y + height);
    add(point(x, y) + " " + pdfNumber(w) + " " + pdfNumber(h) + " re");
    paintPath("B", "S", fill);
}

void PdfRecorder::textOut(std::string_view text, std::string_view font, Number x, Number y,
                          int size, Color color, Number angle) {
    this->text(text, font, x, y, nullptr, size, color, angle);
}

void PdfRecorder::textOutRaised(std::string_view text, std::string_view font, Number x, Number y,
                                Number rise, int size, Color color, Number angle) {
    this->text(text, font, x, y, &rise, size, color, angle);
}

// Text is painted with the fill colour.
void PdfRecorder::text(std::string_view text, std::string_view font, Number x, Number y,
                       const Number* rise, int size, Color color, Number angle) {
    if (color != m_fill) add(pdfColorLine(color, false));
    m_fill = color;
    add("BT");
    add("/" + std::string(font) + " " + std::to_string(size) + " Tf");
    if (angle != 0) {
        const Number c = std::cos(angle), s = std::sin(angle);
        add(pdfNumber(c) + " " + pdfNumber(s) + " " + pdfNumber(-s) + " " + pdfNumber(c) + " " +
            point(x, y) + " Tm");
    } else {
        add(point(x, y) + " Td");
    }
    if (rise) add(pdfNumber(*rise) + " Ts");
    add(pdfLiteralString(text) + " Tj");
    add("ET");
}

}  // namespace kalvor
