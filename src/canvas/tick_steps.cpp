#include "canvas/tick_steps.h"

#include <cmath>

#include "expr/numtext.h"

namespace kalvor {

TickSteps tickSteps(Number u1, Number u2) {
    TickSteps t;
    const Number width = u2 - u1;
    const Number d = std::pow(10.0L, std::floor(std::log10(width / 8)));
    const Number n = std::nearbyint(width / d);
    if (!std::isfinite(d) || !(d > 0) || !(n > 0) || n > 2000) return t;
    t.d = d;
    t.n = static_cast<long long>(n);
    // Rounding lands within one step of the first tick; the bound keeps huge offsets, where
    // k + 1 == k, from looping.
    t.k0 = std::nearbyint(u1 / d);
    for (int i = 0; i < 4 && t.k0 * d < u1; ++i)
        t.k0 += 1;
    return t;
}

std::vector<Tick> axisTicks(Number u1, Number u2) {
    std::vector<Tick> ticks;
    const TickSteps t = tickSteps(u1, u2);
    if (!t.valid()) return ticks;
    // Counting by index bounds the loop even where k·d no longer changes with k.
    for (long long i = 0; i <= t.n; ++i) {
        const Number value = (t.k0 + static_cast<Number>(i)) * t.d;
        if (value > u2 - t.d) break;
        ticks.push_back({value, i % t.labelEvery() == 0});
    }
    return ticks;
}

std::string tickLabel(Number value) {
    return formatGeneral(value, 3, 3);
}

}  // namespace kalvor
