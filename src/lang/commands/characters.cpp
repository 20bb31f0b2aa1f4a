#include "lang/commands/characters.h"

namespace kalvor {

namespace {

constexpr char32_t kRawByteBase = 0xDC00;  // raw bytes 0x80..0xFF become U+DC80..U+DCFF

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of `text` and its code point; 0 when
// the first byte does not start one (overlong forms and surrogates are not valid).
std::size_t decodeOne(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte)) return 0;
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void encodeOne(char32_t code, std::string& out) {
    if (code >= kRawByteBase + 0x80 && code <= kRawByteBase + 0xFF) {
        out += static_cast<char>(code - kRawByteBase);
    } else if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::u32string decodeCharacters(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t code = 0;
        std::size_t length = decodeOne(text, code);
        if (length == 0) {
            code = kRawByteBase + static_cast<unsigned char>(text[0]);
            length = 1;
        }
        out += code;
        text.remove_prefix(length);
    }
    return out;
}

std::string encodeCharacters(std::u32string_view characters) {
    std::string out;
    out.reserve(characters.size());
    for (char32_t code : characters)
        encodeOne(code, out);
    return out;
}

std::size_t characterCount(std::string_view text) {
    return decodeCharacters(text).size();
}

}  // namespace kalvor
