#pragma once

#include <cstdint>

#include "expr/number.h"

namespace kalvor {

/// The process-wide random generator behind RND and RANDOM (and every other random draw of
/// formulas). The desktop program seeds it from the clock at start; until then it runs from a
/// fixed seed.
void seedRandom(std::uint64_t seed);

/// A number uniform in [0, 1), with all 64 mantissa bits random.
Number uniformRandom();

}  // namespace kalvor
