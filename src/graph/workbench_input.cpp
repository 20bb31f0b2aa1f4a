#include <cmath>

#include "canvas/canvas_paint.h"
#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "graph/workbench.h"

// What the person does in the graph window besides typing fields: sliders, the canvas size
// and font, the mouse on the canvas, keys, and the swatches of the side panel.

namespace kalvor {

namespace {

// Centimetres of a pixel count at 96 pixels per inch, rounded to whole millimetres.
std::string centimetres(int pixels) {
    return formatGeneral(std::trunc(pixels / 96.0L * 25.4L + 0.5L) / 10);
}

}  // namespace

// ---- Sliders ---------------------------------------------------------------------------------

void Workbench::setSliderPosition(int index, int position) {
    if (index != 0 && index != 1) return;
    m_sliders.positions[index] = clampSliderPosition(position);
    if (!m_sliders.takeChange()) return;
    if (!m_sliders.programMode()) {
        m_sliders.showParameterReadouts();
        m_env.parser(4).a = m_sliders.parameter(0);
        m_env.parser(4).b = m_sliders.parameter(1);
        emit slidersChanged();
        sliderRedraw();
        return;
    }
    for (int i = 0; i < 2; ++i) {
        const SliderBinding& binding = m_sliders.bindings[i];
        if (binding.bound())
            m_env.setVariable(binding.name, binding.valueAt(m_sliders.positions[i]),
                              Environment::kParsers);
    }
    sliderRedraw();
    m_sliders.showBindingReadouts();
    emit slidersChanged();
}

void Workbench::sliderRedraw() {
    m_sliderRedraw = true;
    redraw();
    m_sliderRedraw = false;
}

void Workbench::sliderEntered(int index) {
    if (index == 0 || index == 1) m_sliders.entered(index);
}

void Workbench::toggleSlidersMenu() {
    m_sliders.toggleMenu();
    emit slidersChanged();
}

void Workbench::resetProgramInterface() {
    m_sliders.reset();
    m_env.mouse.resetFreePoints = true;
    emit slidersChanged();
}

void Workbench::bindSlider(int number, std::string_view variable, Number min, Number max) {
    const std::string name(variable);
    for (Parser& parser : m_env.parsers)
        if (!parser.variableExists(name)) parser.setVariable(name, 0);
    if (!m_sliders.bind(number, name, min, max)) return;
    m_env.flags.paramsFollowSliders = false;
    publishSliderValues();
    emit slidersChanged();
}

void Workbench::publishSliderValues() {
    for (int i = 0; i < 2; ++i) {
        const SliderBinding& binding = m_sliders.bindings[i];
        if (binding.bound())
            m_env.setVariable(binding.name, binding.valueAt(m_sliders.positions[i]),
                              Environment::kParsers);
    }
    m_sliders.showBindingReadouts();
}

// ---- Canvas size and font --------------------------------------------------------------------

bool Workbench::resizeCanvas(int width, int height) {
    if (m_running) return false;
    m_canvas.resize(width, height);
    m_samplesPerWidth = m_canvas.width();
    emit sizeTextsChanged();
    if (m_startupComplete && m_presentationIdle) redraw();
    return true;
}

void Workbench::setCanvasRatio(int ratio) {
    if (ratio == m_canvas.deviceRatio()) return;
    m_canvas.setDeviceRatio(ratio);
    if (m_startupComplete && m_presentationIdle) redraw();
}

std::pair<std::string, std::string> Workbench::sizeTexts() const {
    const int w = m_canvas.width(), h = m_canvas.height();
    return {"breedte " + centimetres(w) + " cm (" + std::to_string(w) + " pix)",
            "hoogte " + centimetres(h) + " cm (" + std::to_string(h) + " pix)"};
}

void Workbench::setWindowFont(const CanvasFont& font) {
    m_windowFont = font;
    m_canvas.font() = font;
    redraw();
}

// ---- Mouse and keys --------------------------------------------------------------------------

void Workbench::mouseDown(int px, int py, MouseButton) {
    if (px > m_canvas.width() - 10 && py > m_canvas.height() - 10) {
        m_env.mouse.resetFreePoints = true;
        redraw();
    }
}

void Workbench::mouseMove(int px, int py, bool leftHeld) {
    if (!leftHeld) return;
    m_env.mouse.x = m_canvas.worldX(px);
    m_env.mouse.y = m_canvas.worldY(py);
    redraw();
}

void Workbench::mouseUp(int px, int py, MouseButton button) {
    m_env.mouse.draggedPoint.clear();
    if (button != MouseButton::Right || !m_canvas.image().rect().contains(px, py)) return;
    const Color area = colorOfPixel(m_canvas.image().pixel(px, py));
    const CanvasBrush brush = m_canvas.brush();
    m_canvas.brush() = {m_settings.fillSwatch.colour, m_settings.fillSwatch.pattern};
    m_drawing.floodFill(m_canvas.worldX(px), m_canvas.worldY(py), area, FloodStyle::Surface);
    m_canvas.brush() = brush;
}

bool Workbench::keyPressed(int code) {
    m_env.keyPressed(code);
    return code == Environment::kEscape;
}

// ---- Swatches --------------------------------------------------------------------------------

namespace {

template <class Settings>
auto& swatchOf(Settings& s, SwatchId id) {
    switch (id) {
        case SwatchId::Axis:
            return s.axisSwatch;
        case SwatchId::Grid:
            return s.gridSwatch;
        default:
            return s.functionSwatches[static_cast<int>(id)];
    }
}

bool isFunction(SwatchId id) {
    return id != SwatchId::Axis && id != SwatchId::Grid;
}

}  // namespace

const Swatch& Workbench::swatch(SwatchId id) const {
    return swatchOf(m_settings, id);
}

void Workbench::setSwatchColour(SwatchId id, Color colour) {
    swatchOf(m_settings, id).colour = colour;
    if (isFunction(id)) redraw();
}

bool Workbench::setSwatchWidth(SwatchId id, std::string_view answer) {
    if (id == SwatchId::Grid) return false;
    const auto width = lineWidthFromAnswer(answer);
    if (!width) {
        host().messageBox(kErrorCaption, notWholeNumberMessage(answer), Host::Icon::Error);
        return false;
    }
    swatchOf(m_settings, id).width = *width;
    if (isFunction(id)) redraw();
    return true;
}

void Workbench::nextFillPattern() {
    m_settings.fillSwatch.pattern = kalvor::nextFillPattern(m_settings.fillSwatch.pattern);
}

void Workbench::setFillColour(Color colour) {
    m_settings.fillSwatch.colour = colour;
}

}  // namespace kalvor
