#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvor {

/// A Roman numeral with a character that is no numeral; what() is "Invalid character: c".
class InvalidRomanNumeral : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Numbers from this value on are not written: their numeral would be tens of thousands of
/// characters of "M".
inline constexpr std::int64_t kRomanLimit = 10'000'000;

/// `value` written greedily with M, CM, D, CD, C, XC, L, XL, X, IX, V, IV, I; the empty text
/// for values below 1 and from kRomanLimit on.
std::string romanNumeral(std::int64_t value);

/// The value of a Roman numeral in either case, read from right to left: a numeral is
/// subtracted when the one to its right is larger. The empty text is 0. Throws
/// InvalidRomanNumeral for any other character.
std::int64_t romanValue(std::string_view text);

}  // namespace kalvor
