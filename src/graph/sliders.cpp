#include "graph/sliders.h"

#include <algorithm>

#include "expr/numtext.h"

namespace kalvor {

int clampSliderPosition(int position) {
    return std::clamp(position, SliderPanel::kMin, SliderPanel::kMax);
}

bool SliderPanel::programMode() const {
    return mode < kNoProgramSliders && (bindings[0].bound() || bindings[1].bound());
}

bool SliderPanel::takeChange() {
    if (positions == lastPositions) return false;
    lastPositions = positions;
    return true;
}

void SliderPanel::showParameterReadouts() {
    readouts[0] = "a=" + formatGeneral(parameter(0));
    readouts[1] = "b=" + formatGeneral(parameter(1));
}

void SliderPanel::showBindingReadouts() {
    for (int i = 0; i < 2; ++i)
        if (bindings[i].bound())
            readouts[i] = bindings[i].name + "=" + formatGeneral(bindings[i].valueAt(positions[i]));
}

void SliderPanel::startRun() {
    mode = kNoProgramSliders;
    showParameterReadouts();
}

bool SliderPanel::bind(int number, std::string name, Number min, Number max) {
    if (number != 1 && number != 2) return false;
    const int i = number - 1;
    mode -= number == 1 ? 2 : 1;
    bindings[i] = {std::move(name), min, max};
    sliderVisible[i] = true;
    readoutVisible[i] = true;
    return true;
}

// Checked: hide everything. Unchecked: show the sliders that stand for a and b or for a
// program variable, and both readouts.
void SliderPanel::toggleMenu() {
    if (menuChecked) {
        menuChecked = false;
        sliderVisible = {false, false};
        readoutVisible = {false, false};
        return;
    }
    if (mode == kNoProgramSliders) mode = 0;
    menuChecked = true;
    sliderVisible = {mode < 2, mode == 0 || mode == 2};
    readoutVisible = {true, true};
}

void SliderPanel::reset() {
    bindings = {};
    menuChecked = false;
    sliderVisible = {false, false};
    readoutVisible = {false, false};
}

}  // namespace kalvor
