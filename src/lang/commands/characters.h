#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// Program texts are UTF-8 bytes, but the text commands count, cut and search characters.
/// These convert between the two without losing anything: a byte that is not part of a valid
/// UTF-8 sequence becomes a character of its own (U+DC80 + byte) and is written back as that
/// same byte, so any text survives decode and encode unchanged.
std::u32string decodeCharacters(std::string_view text);
std::string encodeCharacters(std::u32string_view characters);

/// The number of characters of a text.
std::size_t characterCount(std::string_view text);

}  // namespace kalvor
