#include "expr/number_literal.h"

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <string>

namespace kalvor {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

// sign? digits* ("." digits*)? with at least one digit, then (E sign? digits+)?
bool hasLiteralShape(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && isSign(text[i])) ++i;
    const std::size_t intStart = i;
    i = skipDigits(text, i);
    std::size_t digits = i - intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        i = skipDigits(text, i);
        digits += i - fracStart;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && isSign(text[i])) ++i;
        const std::size_t expStart = i;
        i = skipDigits(text, i);
        if (i == expStart) return false;
    }
    return i == text.size();
}

locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

bool readNumberLiteral(std::string_view text, Number& value) {
    if (!hasLiteralShape(text)) return false;
    const std::string terminated(text);
    const long double v = strtold_l(terminated.c_str(), nullptr, classicLocale());
    if (std::isinf(v)) return false;
    value = v;
    return true;
}

}  // namespace kalvor
