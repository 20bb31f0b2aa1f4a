#include "output/pdf_text.h"

#include <cmath>
#include <cstdint>

#include "expr/numtext.h"

namespace kalvor {

std::string pdfNumber(Number value) {
    std::string text;
    appendPdfNumber(text, value);
    return text;
}

void appendPdfNumber(std::string& out, Number value) {
    constexpr Number kLimit = 32767;
    if (std::isnan(value) || std::fabs(value) < 0.00001L) {
        out += '0';
        return;
    }
    if (std::fabs(value) > kLimit) value = value > 0 ? kLimit : -kLimit;
    appendFixed(out, value, 6, 4);
}

std::string pdfColorLine(Color color, bool stroke) {
    auto component = [](int c) {
        return formatGeneral(std::nearbyint(c * 1000.0L / 255) / 1000, 15);
    };
    const int r = redOf(color), g = greenOf(color), b = blueOf(color);
    if (r == g && g == b) return component(r) + (stroke ? " G" : " g");
    return component(r) + " " + component(g) + " " + component(b) + (stroke ? " RG" : " rg");
}

namespace {

// WinAnsi bytes 0x80 … 0x9F; 0 where the encoding has no character.
constexpr char16_t kWinAnsiHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned char winAnsiByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kWinAnsiHigh[i] != 0 && kWinAnsiHigh[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at `i`; invalid bytes stand for themselves (Latin-1).
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return lead;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return c;
}

void appendEscaped(std::string& out, unsigned char b) {
    if (b == '(' || b == ')' || b == '\\') {
        out += '\\';
        out += static_cast<char>(b);
    } else if (b < 0x20) {
        const char octal[] = {'\\', static_cast<char>('0' + (b >> 6)),
                              static_cast<char>('0' + ((b >> 3) & 7)),
                              static_cast<char>('0' + (b & 7))};
        out.append(octal, 4);
    } else {
        out += static_cast<char>(b);
    }
}

}  // namespace

std::string pdfLiteralString(std::string_view utf8) {
    std::string out = "(";
    for (std::size_t i = 0; i < utf8.size();)
        appendEscaped(out, winAnsiByte(nextCodePoint(utf8, i)));
    out += ')';
    return out;
}

}  // namespace kalvor
