#include "expr/numtext.h"

#include <locale.h>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "expr/decimal_digits.h"

namespace kalvor {

using decimal::Decimal;

namespace {

// The most significant digits of a long double that are worth showing.
constexpr int kMaxDigits = 18;
constexpr int kMaxExponentDigits = 4;
constexpr int kMaxDecimals = 40;

/// Mantissa with at least `minDecimals` decimals, "E" and the exponent.
std::string scientificText(const Decimal& d, int minDecimals, int minExponentDigits) {
    const std::string rest =
        decimal::padRight(d.digits.substr(1), static_cast<size_t>(minDecimals));
    std::string s = d.negative ? "-" : "";
    s += d.digits[0];
    if (!rest.empty()) s += "." + rest;
    return s + "E" + decimal::exponentText(d.exponent, minExponentDigits, false);
}

}  // namespace

std::string formatGeneral(Number x, int precision, int minExponentDigits) {
    std::string text;
    if (decimal::nonFiniteText(x, text)) return text;
    const int p = std::clamp(precision, 1, kMaxDigits);
    Decimal d = decimal::exactDecimal(x);
    decimal::roundToDigits(d, p);
    if (d.isZero()) return "0";
    if (d.exponent < -4 || d.exponent >= p) {
        return scientificText(d, 0, std::clamp(minExponentDigits, 0, kMaxExponentDigits));
    }
    const std::string whole = decimal::integerDigits(d);
    const std::string fraction = decimal::fractionDigits(d);
    text = d.negative ? "-" : "";
    text += whole.empty() ? "0" : whole;
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

std::string formatFixed(Number x, int precision, int decimals) {
    std::string text;
    if (decimal::nonFiniteText(x, text)) return text;
    const int p = std::clamp(precision, 1, kMaxDigits);
    const int places = std::clamp(decimals, 0, kMaxDecimals);
    const Decimal exact = decimal::exactDecimal(x);
    Decimal d = exact;
    decimal::roundToDecimals(d, places, p);
    if (!d.isZero() && d.exponent >= p) {
        // The integer part needs more digits than the precision allows: one rounding of the
        // exact value to the digits the mantissa shows.
        Decimal s = exact;
        decimal::roundToDigits(s, std::min(p, places + 1));
        return scientificText(s, places, 0);
    }
    // A value that rounds to zero is written without a minus sign ("0.000", never "-0.000").
    text = d.negative && !d.isZero() ? "-" : "";
    const std::string whole = decimal::integerDigits(d);
    text += whole.empty() ? "0" : whole;
    if (places > 0) {
        text += "." + decimal::padRight(decimal::fractionDigits(d), static_cast<size_t>(places));
    }
    return text;
}

// literal := [sign] (digits ["." [digits]] | "." digits) [("E"|"e") [sign] digits]
bool parseNumber(std::string_view text, Number& value) {
    size_t i = 0;
    auto skipSign = [&] {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    };
    auto digitRun = [&] {
        const size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i - start;
    };
    skipSign();
    size_t mantissaDigits = digitRun();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += digitRun();
    }
    if (mantissaDigits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        skipSign();
        if (digitRun() == 0) return false;
    }
    if (i != text.size()) return false;

    // Converted in the "C" locale: the program's own locale may use a decimal comma.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string literal(text);
    const Number result = strtold_l(literal.c_str(), nullptr, cLocale);
    if (std::isinf(result)) return false;  // too large for a Number
    value = result;
    return true;
}

}  // namespace kalvor
