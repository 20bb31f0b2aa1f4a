#include "expr/random_source.h"

#include <random>

namespace kalvor {

namespace {

std::mt19937_64& generator() {
    static std::mt19937_64 engine;  // default seed until seedRandom
    return engine;
}

}  // namespace

void seedRandom(std::uint64_t seed) {
    generator().seed(seed);
}

Number uniformRandom() {
    // A 64-bit integer converts exactly to the 64-bit mantissa; 2^-64 scales it into [0, 1).
    return static_cast<Number>(generator()()) * 0x1p-64L;
}

}  // namespace kalvor
