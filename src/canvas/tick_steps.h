#pragma once

#include <string>
#include <vector>

#include "expr/number.h"

namespace kalvor {

/// Tick marks of a framed axis from u1 to u2: ticks at k·d for whole k from k0 on, a label
/// at every (n div 4)-th tick.
struct TickSteps {
    Number d = 0;     // distance between ticks, a power of ten
    Number k0 = 0;    // first tick index: the smallest k with k·d >= u1
    long long n = 0;  // ticks per axis width, rounded
    bool valid() const { return d > 0 && n > 0 && n <= 2000; }
    long long labelEvery() const { return n / 4 > 0 ? n / 4 : 1; }
};

TickSteps tickSteps(Number u1, Number u2);

struct Tick {
    Number value = 0;
    bool labelled = false;
};

/// The ticks drawn on a framed axis: from the first tick while value <= u2 - d, so that the
/// axis end itself gets the arrow instead of a tick.
std::vector<Tick> axisTicks(Number u1, Number u2);

/// The text of a tick label: three significant digits, exponent of at least three digits.
std::string tickLabel(Number value);

}  // namespace kalvor
