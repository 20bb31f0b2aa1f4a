#pragma once

#include <array>
#include <string>

#include "expr/number.h"

namespace kalvor {

/// A slider's program binding (`schuifbalk`): the variable it drives and the range that the
/// positions −100 … 100 map onto linearly.
struct SliderBinding {
    std::string name;  // empty: not bound
    Number min = 0, max = 0;

    bool bound() const { return !name.empty(); }
    Number valueAt(int position) const { return (max - min) / 200 * position + (min + max) / 2; }
    bool operator==(const SliderBinding&) const = default;
};

/// The two sliders of the graph window as plain data: their positions, what they drive (the
/// plot parameters a and b, or program variables), their readouts and what is shown, with
/// the rules of the slider handlers and of the "Sch&uifbalken" menu item. Knows no parser.
class SliderPanel {
public:
    static constexpr int kMin = -100, kMax = 100;
    /// No program sliders; a binding of slider 1 subtracts 2, of slider 2 subtracts 1.
    static constexpr int kNoProgramSliders = 3;

    std::array<int, 2> positions{};
    std::array<int, 2> lastPositions{};
    std::array<SliderBinding, 2> bindings;
    int mode = kNoProgramSliders;
    std::array<std::string, 2> readouts{"a=0", "b=0"};
    std::array<bool, 2> sliderVisible{};
    std::array<bool, 2> readoutVisible{};
    bool menuChecked = false;

    /// The parameter a (index 0) or b (index 1) of a slider: its position divided by 10.
    Number parameter(int index) const { return positions[index] / 10.0L; }
    /// The mapping the slider handler uses: program variables while the last run bound one.
    bool programMode() const;

    /// A position change: false when both positions equal the last ones (nothing to do),
    /// otherwise they become the last ones.
    bool takeChange();
    /// A slider gained focus: its position counts as seen, so focus never counts as a change.
    void entered(int index) { lastPositions[index] = positions[index]; }
    /// "a=…" and "b=…" from the positions.
    void showParameterReadouts();
    /// "name=value" of every bound slider.
    void showBindingReadouts();
    /// The start of every run: no program sliders until the program binds them again.
    void startRun();
    /// Binds slider `number` (1 or 2) and shows it; other numbers are ignored. Returns
    /// whether a slider was bound.
    bool bind(int number, std::string name, Number min, Number max);
    /// The "Sch&uifbalken" menu item.
    void toggleMenu();
    /// Forgets the bindings and hides everything, as a new program begins.
    void reset();

    bool operator==(const SliderPanel&) const = default;
};

/// Clamps a slider position into −100 … 100.
int clampSliderPosition(int position);

}  // namespace kalvor
