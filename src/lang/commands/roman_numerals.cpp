#include "lang/commands/roman_numerals.h"

#include <utility>

#include "lang/commands/characters.h"

namespace kalvor {

namespace {

constexpr std::pair<std::int64_t, std::string_view> kNumerals[] = {
    {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
    {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"},
};

// The value of one numeral character in either case; 0 for any other character.
std::int64_t numeralValue(char32_t c) {
    switch (c) {
        case 'I':
        case 'i':
            return 1;
        case 'V':
        case 'v':
            return 5;
        case 'X':
        case 'x':
            return 10;
        case 'L':
        case 'l':
            return 50;
        case 'C':
        case 'c':
            return 100;
        case 'D':
        case 'd':
            return 500;
        case 'M':
        case 'm':
            return 1000;
        default:
            return 0;
    }
}

}  // namespace

std::string romanNumeral(std::int64_t value) {
    if (value < 1 || value >= kRomanLimit) return {};
    std::string out;
    for (const auto& [amount, numeral] : kNumerals) {
        for (; value >= amount; value -= amount)
            out += numeral;
    }
    return out;
}

std::int64_t romanValue(std::string_view text) {
    const std::u32string characters = decodeCharacters(text);
    std::int64_t total = 0;
    std::int64_t right = 0;
    for (auto c = characters.rbegin(); c != characters.rend(); ++c) {
        const std::int64_t value = numeralValue(*c);
        if (value == 0)
            throw InvalidRomanNumeral("Invalid character: " + encodeCharacters({&*c, 1}));
        total += value < right ? -value : value;
        right = value;
    }
    return total;
}

}  // namespace kalvor
