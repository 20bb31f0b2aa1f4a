#include "expr/decimal_digits.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kalvor::decimal {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

void stripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

}  // namespace

// Printing with as many decimals as the binary fraction has bits makes printf exact, so every
// later rounding is a rounding of the true value. The radix character follows the C locale, so
// only the digits are read.
Decimal exactDecimal(Number x) {
    Decimal d;
    d.negative = std::signbit(x);
    if (x == 0) return d;
    int binaryExponent = 0;
    std::frexp(x, &binaryExponent);
    const int decimals = std::max(0, 64 - binaryExponent);
    const Number magnitude = std::fabs(x);
    // Up to 4933 integer digits or 16509 decimals (the smallest subnormal).
    std::string text(static_cast<size_t>(std::max(binaryExponent, 0) / 3 + decimals + 8), '\0');
    const int size = std::snprintf(text.data(), text.size(), "%.*Lf", decimals, magnitude);
    text.resize(static_cast<size_t>(std::clamp(size, 0, static_cast<int>(text.size()) - 1)));

    size_t i = 0;
    std::string all;
    while (i < text.size() && isDigit(text[i]))
        all += text[i++];
    const int integerCount = static_cast<int>(all.size());
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) all += text[i];
    }
    const size_t first = all.find_first_not_of('0');
    d.digits = all.substr(first);
    d.exponent = integerCount - 1 - static_cast<int>(first);
    stripTrailingZeros(d.digits);
    return d;
}

void roundToDigits(Decimal& d, int keep) {
    if (d.isZero() || static_cast<int>(d.digits.size()) <= keep) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        // Carry through trailing nines; all nines (or no digits kept) become a leading 1.
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.exponent;
        } else {
            ++d.digits.back();
        }
    }
    stripTrailingZeros(d.digits);
}

void roundToDecimals(Decimal& d, int decimals, int maxDigits) {
    roundToDigits(d, std::min(maxDigits, d.exponent + 1 + decimals));
}

std::string integerDigits(const Decimal& d) {
    if (d.isZero() || d.exponent < 0) return {};
    return padRight(d.digits.substr(0, static_cast<size_t>(d.exponent) + 1),
                    static_cast<size_t>(d.exponent) + 1);
}

std::string fractionDigits(const Decimal& d) {
    if (d.isZero()) return {};
    const int start = d.exponent + 1;
    if (start < 0) return std::string(static_cast<size_t>(-start), '0') + d.digits;
    if (start >= static_cast<int>(d.digits.size())) return {};
    return d.digits.substr(static_cast<size_t>(start));
}

std::string padRight(std::string s, size_t length) {
    if (s.size() < length) s.append(length - s.size(), '0');
    return s;
}

std::string exponentText(int exponent, int minDigits, bool alwaysSign) {
    std::string s;
    if (exponent < 0) {
        s = "-";
    } else if (alwaysSign) {
        s = "+";
    }
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    return s + digits;
}

bool nonFiniteText(Number x, std::string& text) {
    if (std::isnan(x)) {
        text = "NAN";
    } else if (std::isinf(x)) {
        text = x < 0 ? "-INF" : "INF";
    } else {
        return false;
    }
    return true;
}

}  // namespace kalvor::decimal
