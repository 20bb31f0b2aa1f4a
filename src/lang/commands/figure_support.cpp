#include "lang/commands/figure_support.h"

#include <algorithm>
#include <cmath>

#include "lang/lang_messages.h"

namespace kalvor {

int roundedInt(Number value, int lo, int hi) {
    const Number r = std::nearbyint(value);
    if (!(r >= lo)) return lo;
    if (r > hi) return hi;
    return static_cast<int>(r);
}

Color roundedColor(Number value) {
    const Number r = std::nearbyint(value);
    if (!(std::fabs(r) < 9.2e18L)) return kBlack;
    return static_cast<Color>(static_cast<std::int64_t>(r)) & 0xFFFFFF;
}

int listNumber(std::string_view name) {
    constexpr std::string_view kListNames = "L1L2L3L4L5L6";
    if (name.size() != 2 || kListNames.find(name) == std::string_view::npos || name[0] != 'L')
        return 0;
    return name[1] - '0';
}

PlotBox plotBox(const WorldCanvas& canvas) {
    const Number x1 = canvas.d2WorldX1(), x2 = x1 + canvas.d2WorldXW();
    const Number y1 = canvas.d2WorldY1(), y2 = y1 + canvas.d2WorldYW();
    return {x1 - std::fabs(x1), x2 + std::fabs(x2), y1 - std::fabs(y1), y2 + std::fabs(y2)};
}

CurvePieces::CurvePieces(DrawingContext& drawing)
    : m_drawing(drawing), m_box(plotBox(drawing.canvas())) {}

void warnTooManyPoints(RunContext& ctx, std::string_view command, long long limit) {
    ctx.host().messageBox(kWarningCaption, tooManyPointsMessage(command, limit),
                          Host::Icon::Warning);
}

bool CurvePieces::add(Number x, Number y) {
    if (m_box.contains(x, y)) {
        if (m_piece.size() >= kMaxPiecePoints) {
            const WorldPoint last = m_piece.back();
            flush();
            m_piece.append(last.x, last.y);
        }
        m_piece.append(x, y);
        return true;
    }
    flush();
    return false;
}

void CurvePieces::finish() {
    flush();
}

void CurvePieces::flush() {
    if (!m_piece.empty()) m_drawing.polyline([this] { return m_piece; }, PathText::PointLines);
    m_piece.clear();
}

}  // namespace kalvor
