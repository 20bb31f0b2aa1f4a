#include <gtest/gtest.h>

#include "lang/commands/characters.h"
#include "lang/commands/roman_numerals.h"

namespace kalvor {
namespace {

TEST(Characters, CountsCodePointsAndKeepsEveryByte) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0},
        {"abc", 3},
        {"\xC3\xA9\xC3\xA9n", 3},
        {"\xE2\x82\xAC", 1},      // euro sign, three bytes
        {"\xF0\x9F\x98\x80", 1},  // four bytes
        {"a\xE9"
         "b",
         3},                  // a Latin-1 byte on its own
        {"\xC3", 1},          // a cut-off sequence
        {"\xC0\xAF", 2},      // an overlong form is two stray bytes
        {"\xED\xA0\x80", 3},  // an encoded surrogate likewise
        {"\xE2\x82", 2},
    };
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(characterCount(text), count) << text;
        EXPECT_EQ(encodeCharacters(decodeCharacters(text)), text);
    }
}

TEST(RomanNumerals, WritesAndReads) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {1, "I"},          {4, "IV"},        {9, "IX"},           {14, "XIV"},
        {40, "XL"},        {90, "XC"},       {400, "CD"},         {900, "CM"},
        {1994, "MCMXCIV"}, {2024, "MMXXIV"}, {3999, "MMMCMXCIX"}, {0, ""},
        {-7, ""},
    };
    for (const auto& [value, numeral] : cases) {
        EXPECT_EQ(romanNumeral(value), numeral) << value;
        if (value > 0) {
            EXPECT_EQ(romanValue(numeral), value) << numeral;
        }
    }
}

TEST(RomanNumerals, EveryNumeralReadsBack) {
    for (std::int64_t value = 1; value <= 5000; ++value)
        ASSERT_EQ(romanValue(romanNumeral(value)), value);
    EXPECT_EQ(romanNumeral(kRomanLimit - 1).size(), 9999u + 6u);  // 9999 M, then CMXCIX
    EXPECT_EQ(romanNumeral(kRomanLimit), "");
}

TEST(RomanNumerals, ReadsRightToLeftInEitherCase) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"mcmxciv", 1994}, {"McMxCiV", 1994}, {"IIII", 4}, {"IXC", 89},
        {"VX", 5},         {"IM", 999},       {"", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(romanValue(text), value) << text;
}

}  // namespace
}  // namespace kalvor
