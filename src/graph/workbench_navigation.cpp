#include <algorithm>
#include <cmath>

#include "expr/numtext.h"
#include "expr/parser.h"
#include "graph/graph_messages.h"
#include "graph/workbench.h"

// Zooming and panning the world window with the mouse, the readout of the world point under
// the pointer with the values of the functions drawn, and the table of those values.

namespace kalvor {

namespace {

constexpr const char* kFunctionLetters[] = {"F", "G", "H", "I"};
// The readout shows a tenth of a pixel.
constexpr Number kReadoutPixelPart = 0.1L;

}  // namespace

std::string functionColumnName(int function) {
    return std::string(kFunctionLetters[function]) + "(x)";
}

std::string functionValueText(const FunctionValue& value) {
    return value ? formatGeneral(*value) : std::string(kUndefinedValue);
}

std::string functionTableText(const FunctionTable& table) {
    std::string text = "x";
    for (int k : table.functions)
        text += "\t" + functionColumnName(k);
    text += "\n";
    for (std::size_t row = 0; row < table.xs.size(); ++row) {
        text += formatGeneral(table.xs[row]);
        for (const FunctionValue& value : table.values[row])
            text += "\t" + functionValueText(value);
        text += "\n";
    }
    return text;
}

// ---- Zoom and pan ------------------------------------------------------------------------------

bool Workbench::navigationAllowed() const {
    return !m_running && !m_env.flags.paused;
}

Workbench::RangeTexts Workbench::rangeTexts() const {
    return {m_settings.xmin, m_settings.xmax, m_settings.ymin, m_settings.ymax};
}

void Workbench::setRangeTexts(const RangeTexts& texts) {
    m_settings.xmin = texts[0];
    m_settings.xmax = texts[1];
    m_settings.ymin = texts[2];
    m_settings.ymax = texts[3];
}

bool Workbench::navigateTo(const ViewRange& range) {
    // Fields set by typing, a program or a load since the last zoom start a new way back.
    if (m_navigatedRange != rangeTexts()) m_homeRange = rangeTexts();
    setRangeFields(m_settings, range);
    m_navigatedRange = rangeTexts();
    emit fieldsChanged();
    return true;
}

bool Workbench::zoomAt(int px, int py, int notches) {
    if (!navigationAllowed() || notches == 0) return false;
    const auto range = rangeOfFields(m_settings);
    if (!range) return false;
    const auto zoomed = zoomedAbout(*range, m_canvas.worldX(px), m_canvas.worldY(py),
                                    std::pow(kZoomStep, static_cast<Number>(notches)));
    return zoomed && navigateTo(*zoomed);
}

bool Workbench::startPan(int px, int py) {
    m_pan.reset();
    const auto range = rangeOfFields(m_settings);
    if (!navigationAllowed() || !range) return false;
    const CanvasMapping& mapping = m_canvas.screenMapping();
    m_pan = PanStart{*range, px, py, mapping.x.a, mapping.y.a};
    return true;
}

bool Workbench::panTo(int px, int py) {
    if (!m_pan || !navigationAllowed()) return false;
    const Number dx = (m_pan->px - px) / m_pan->pixelsPerX;
    const Number dy = (m_pan->py - py) / m_pan->pixelsPerY;
    const ViewRange moved = panned(m_pan->range, dx, dy);
    if (!std::isfinite(moved.xmin + moved.xmax + moved.ymin + moved.ymax)) return false;
    return navigateTo(moved);
}

bool Workbench::restoreStandardWindow() {
    if (!navigationAllowed()) return false;
    const GraphSettings start;
    const RangeTexts standard{start.xmin, start.xmax, start.ymin, start.ymax};
    setRangeTexts(m_navigatedRange == rangeTexts() ? m_homeRange : standard);
    m_navigatedRange.reset();
    m_pan.reset();
    emit fieldsChanged();
    return true;
}

// ---- Trace and table ---------------------------------------------------------------------------

std::vector<std::pair<int, Formula>> Workbench::drawnFormulas() {
    std::vector<std::pair<int, Formula>> formulas;
    for (int k = 0; k < 4; ++k) {
        if (!m_drawnFormulas[k]) continue;
        try {
            formulas.emplace_back(k, m_env.parser(4).compile(*m_drawnFormulas[k]));
        } catch (const ParserError&) {
            // A program cleared the variables it used; nothing to show for it.
        }
    }
    return formulas;
}

// Parser4's x is the plot variable; it is put back so that nothing else notices.
FunctionValue Workbench::valueAt(const Formula& formula, Number x) {
    Parser& parser = m_env.parser(4);
    const Number saved = parser.x;
    parser.x = x;
    FunctionValue value;
    try {
        const Number y = formula.value();
        if (std::isfinite(y)) value = y;
    } catch (const std::exception&) {
        value.reset();
    }
    parser.x = saved;
    return value;
}

TraceReadout Workbench::traceAt(int px, int py, bool functions) {
    TraceReadout readout;
    readout.x = m_canvas.worldX(px);
    readout.y = m_canvas.worldY(py);
    const CanvasMapping& mapping = m_canvas.screenMapping();
    const Number xUnit = kReadoutPixelPart / std::fabs(mapping.x.a);
    const Number yUnit = kReadoutPixelPart / std::fabs(mapping.y.a);
    readout.text =
        "x = " + roundedText(readout.x, xUnit) + "   y = " + roundedText(readout.y, yUnit);
    if (!functions || !navigationAllowed()) return readout;
    for (const auto& [k, formula] : drawnFormulas()) {
        const FunctionValue value = valueAt(formula, readout.x);
        readout.values.emplace_back(k, value);
        readout.text += "   " + functionColumnName(k) + " = " +
                        (value ? roundedText(*value, yUnit) : std::string(kUndefinedValue));
        if (!value) continue;
        const int row = m_canvas.windowY(*value);
        if (row >= 0 && row < m_canvas.height())
            readout.marks.push_back({px, row, m_settings.functionSwatches[k].colour});
    }
    return readout;
}

FunctionTable Workbench::functionTable(Number start, Number step, int rows) {
    FunctionTable table;
    if (!navigationAllowed()) return table;
    const auto formulas = drawnFormulas();
    for (const auto& entry : formulas)
        table.functions.push_back(entry.first);
    rows = std::clamp(rows, 0, kMaxTableRows);
    for (int i = 0; i < rows; ++i) {
        // From the start by index, so that no rounding piles up along the table.
        const Number x = start + step * i;
        table.xs.push_back(x);
        auto& values = table.values.emplace_back();
        for (const auto& entry : formulas)
            values.push_back(valueAt(entry.second, x));
    }
    return table;
}

}  // namespace kalvor
