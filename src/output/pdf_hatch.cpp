#include <algorithm>
#include <cmath>
#include <limits>

#include "output/pdf_recorder.h"
#include "output/pdf_text.h"

// Hatched fills of the PDF recorder. PDF 1.1 has no hatch patterns, so the hatch lines are
// drawn one by one, clipped to the figure's path.

namespace kalvor {

namespace {

constexpr Number kPixel = 10 / 12.7L;  // one canvas pixel in page units
constexpr Number kSpacing = 8;         // pixels between hatch lines

// One family of parallel lines n·(u, v) = 8k in pixel coordinates (u right, v down from the
// page's upper-left corner), running along d.
struct Family {
    Number nu, nv, du, dv;
};

int familiesOf(PdfHatch hatch, Family out[2]) {
    const Family hor{0, 1, 1, 0}, ver{1, 0, 0, 1};
    const Family forward{1, -1, 1, 1}, backward{1, 1, 1, -1};
    switch (hatch) {
        case PdfHatch::Horizontal:
            out[0] = hor;
            return 1;
        case PdfHatch::Vertical:
            out[0] = ver;
            return 1;
        case PdfHatch::ForwardDiagonal:
            out[0] = forward;
            return 1;
        case PdfHatch::BackwardDiagonal:
            out[0] = backward;
            return 1;
        case PdfHatch::Cross:
            out[0] = hor;
            out[1] = ver;
            return 2;
        case PdfHatch::DiagonalCross:
            out[0] = forward;
            out[1] = backward;
            return 2;
        case PdfHatch::None:
            break;
    }
    return 0;
}

}  // namespace

void PdfRecorder::beginPath() {
    m_pathStart = m_lines.size();
    m_left = m_bottom = std::numeric_limits<Number>::infinity();
    m_right = m_top = -std::numeric_limits<Number>::infinity();
}

void PdfRecorder::extendPath(Number x, Number y) {
    const PagePoint p = pagePoint(x, y);
    m_left = std::min(m_left, p.x);
    m_right = std::max(m_right, p.x);
    m_bottom = std::min(m_bottom, p.y);
    m_top = std::max(m_top, p.y);
}

// A hatched figure sets its path as the clip inside q … Q, draws the hatch lines there, and
// then strokes the same path again.
void PdfRecorder::paintPath(const char* fillOp, const char* strokeOp, bool fill) {
    if (!fill || m_hatch == PdfHatch::None || m_pathStart > m_lines.size()) {
        add(fill ? fillOp : strokeOp);
        return;
    }
    std::vector<std::string> path(m_lines.begin() + static_cast<std::ptrdiff_t>(m_pathStart),
                                  m_lines.end());
    while (m_lines.size() > m_pathStart) {
        m_size -= static_cast<long long>(m_lines.back().size()) + 2;
        m_lines.pop_back();
    }
    add("q");
    for (const std::string& line : path)
        add(line);
    add("W n");
    writeHatchLines();
    add("Q");
    for (std::string& line : path)
        add(std::move(line));
    add(strokeOp);
}

// Lines in the fill colour across the part of the page the path covers, aligned to the
// page's upper-left corner as the screen's patterns are to the canvas's.
void PdfRecorder::writeHatchLines() {
    add(pdfColorLine(m_fill, true));
    lineWidth(2);
    const Number halfW = m_pageWidth / 2, halfH = m_pageHeight / 2;
    // The covered box in pixel coordinates.
    const Number u0 = (std::max(m_left, -halfW) + halfW) / kPixel;
    const Number u1 = (std::min(m_right, halfW) + halfW) / kPixel;
    const Number v0 = (halfH - std::min(m_top, halfH)) / kPixel;
    const Number v1 = (halfH - std::max(m_bottom, -halfH)) / kPixel;
    if (!(u0 <= u1 && v0 <= v1)) return;
    auto page = [&](Number u, Number v) {
        return pdfNumber(u * kPixel - halfW) + " " + pdfNumber(halfH - v * kPixel);
    };
    Family families[2];
    const int count = familiesOf(m_hatch, families);
    bool any = false;
    for (int i = 0; i < count; ++i) {
        const Family& f = families[i];
        const Number corners[4][2] = {{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}};
        Number low = INFINITY, high = -INFINITY, tLow = INFINITY, tHigh = -INFINITY;
        for (const auto& c : corners) {
            low = std::min(low, f.nu * c[0] + f.nv * c[1]);
            high = std::max(high, f.nu * c[0] + f.nv * c[1]);
            tLow = std::min(tLow, f.du * c[0] + f.dv * c[1]);
            tHigh = std::max(tHigh, f.du * c[0] + f.dv * c[1]);
        }
        const Number nn = f.nu * f.nu + f.nv * f.nv, dd = f.du * f.du + f.dv * f.dv;
        for (Number c = std::ceil(low / kSpacing) * kSpacing; c <= high; c += kSpacing) {
            const Number bu = f.nu * c / nn, bv = f.nv * c / nn;
            add(page(bu + f.du * tLow / dd, bv + f.dv * tLow / dd) + " m");
            add(page(bu + f.du * tHigh / dd, bv + f.dv * tHigh / dd) + " l");
            any = true;
        }
    }
    if (any) add("S");
}

}  // namespace kalvor
