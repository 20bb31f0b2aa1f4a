#include "graph/canvas_navigation.h"

#include <algorithm>
#include <cmath>

#include "expr/numtext.h"

namespace kalvor {

namespace {

// Narrower than this part of the coordinates' size, the fields would need more digits than
// they show; wider than kMaxWidth, pixel positions overflow.
constexpr Number kMinRelativeWidth = 1e-9L;
constexpr Number kMinWidth = 1e-200L;
constexpr Number kMaxWidth = 1e30L;
constexpr Number kFieldResolution = 1e-6L;

bool drawableAxis(Number low, Number high) {
    const Number width = high - low;
    const Number size = std::max(std::fabs(low), std::fabs(high));
    return std::isfinite(width) && width >= kMinWidth && width <= kMaxWidth &&
           width >= size * kMinRelativeWidth;
}

std::optional<Number> fieldNumber(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    Number value = 0;
    if (!parseNumber(text.substr(first, text.find_last_not_of(' ') - first + 1), value) ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<ViewRange> rangeOfFields(const GraphSettings& s) {
    const auto xmin = fieldNumber(s.xmin), xmax = fieldNumber(s.xmax);
    const auto ymin = fieldNumber(s.ymin), ymax = fieldNumber(s.ymax);
    if (!xmin || !xmax || !ymin || !ymax || *xmax <= *xmin || *ymax <= *ymin) return std::nullopt;
    return ViewRange{*xmin, *xmax, *ymin, *ymax};
}

void setRangeFields(GraphSettings& s, const ViewRange& r) {
    const Number xUnit = (r.xmax - r.xmin) * kFieldResolution;
    const Number yUnit = (r.ymax - r.ymin) * kFieldResolution;
    s.xmin = roundedText(r.xmin, xUnit);
    s.xmax = roundedText(r.xmax, xUnit);
    s.ymin = roundedText(r.ymin, yUnit);
    s.ymax = roundedText(r.ymax, yUnit);
}

std::optional<ViewRange> zoomedAbout(const ViewRange& r, Number x, Number y, Number factor) {
    if (!(factor > 0) || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    const ViewRange zoomed{x - (x - r.xmin) / factor, x + (r.xmax - x) / factor,
                           y - (y - r.ymin) / factor, y + (r.ymax - y) / factor};
    if (!drawableAxis(zoomed.xmin, zoomed.xmax) || !drawableAxis(zoomed.ymin, zoomed.ymax))
        return std::nullopt;
    return zoomed;
}

ViewRange panned(const ViewRange& r, Number dx, Number dy) {
    return {r.xmin + dx, r.xmax + dx, r.ymin + dy, r.ymax + dy};
}

std::string roundedText(Number value, Number resolution) {
    if (!(resolution > 0) || !std::isfinite(resolution)) return formatGeneral(value);
    const Number unit = std::pow(10.0L, std::floor(std::log10(resolution)));
    const Number rounded = std::nearbyint(value / unit) * unit + 0.0L;  // no "-0"
    // Fifteen digits hide the binary remainder of the rounding; beyond them keep the value.
    return formatGeneral(std::fabs(value / unit) < 1e15L ? rounded : value);
}

}  // namespace kalvor
