#pragma once

#include <cstdint>

namespace kalvor {

/// A colour as programs write it: a 24-bit value with red in the low byte (0x00BBGGRR), so
/// that 255 is red, 65280 green, 16711680 blue, 0 black and 0xFFFFFF white.
using Color = std::uint32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

constexpr int redOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Color makeColor(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

}  // namespace kalvor
