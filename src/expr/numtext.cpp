#include "expr/numtext.h"

#include <locale.h>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// 10^k for k = 0 .. 27; exact as long doubles up to 10^27 (5^27 < 2^64).
constexpr int kMaxExactPower = 27;
Number powerOfTen(int k) {
    static const auto powers = [] {
        std::array<Number, kMaxExactPower + 1> table{};
        Number power = 1;
        for (Number& entry : table) {
            entry = power;
            power *= 10;
        }
        return table;
    }();
    return powers[static_cast<size_t>(k)];
}

// round(m * 2^e * 10^s) with halves away from zero, exactly, for m < 2^64 and 0 <= s <= 27;
// false when the result would not fit 64 bits.
bool roundedScaled(std::uint64_t m, int e, int s, std::uint64_t& q) {
    using Uint128 = unsigned __int128;
    Uint128 n = m;
    for (int i = 0; i < s; ++i)
        n *= 5;  // below 2^64 * 5^27 < 2^127
    const int shift = -(s + e);
    if (shift <= 0) {
        if (-shift >= 64 || (n >> (64 + shift)) != 0) return false;
        q = static_cast<std::uint64_t>(n << -shift);
        return true;
    }
    if (shift >= 128) {
        q = 0;
        return true;
    }
    const Uint128 whole = n >> shift;
    const Uint128 rest = n - (whole << shift);
    const Uint128 half = Uint128{1} << (shift - 1);
    if (whole >> 63 != 0) return false;
    q = static_cast<std::uint64_t>(whole) + (rest >= half ? 1 : 0);
    return true;
}

// formatFixed for |x| < 10^precision, in integer arithmetic on the binary value: the same
// digits as the decimal expansion, at a fraction of its cost (every coordinate of a vector
// export passes here), appended to `text`. False, with `text` unchanged, where the value needs the
// general route: more decimals than digits, values from 10^precision on, and roundings that carry
// into a new digit.
bool fastFixed(Number x, int precision, int decimals, std::string& text) {
    const Number magnitude = std::fabs(x);
    if (decimals > precision || precision > kMaxDigits || !(magnitude < powerOfTen(precision))) {
        return false;
    }
    // The decimal exponent E of |x| matters only above 10^(p - d): there p digits are kept,
    // so fewer than d decimals, and the rest is padding.
    int scale = decimals;
    for (int e = std::max(precision - decimals, 0); e < precision; ++e) {
        if (magnitude >= powerOfTen(e)) scale = precision - 1 - e;
    }
    int binaryExponent = 0;
    const Number fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    std::uint64_t q = 0;
    if (!roundedScaled(mantissa, binaryExponent - 64, scale, q)) return false;
    if (q >= static_cast<std::uint64_t>(powerOfTen(precision))) {
        return false;  // the rounding carried into one more integer digit
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, q).ptr;
    std::string_view all(digits, static_cast<size_t>(end - digits));
    if (x < 0 && q != 0) text += '-';
    const auto wholeCount = static_cast<std::ptrdiff_t>(all.size()) - scale;
    if (wholeCount > 0) {
        text += all.substr(0, static_cast<size_t>(wholeCount));
    } else {
        text += '0';
    }
    if (decimals == 0) return true;
    text += '.';
    if (wholeCount < 0) text.append(static_cast<size_t>(-wholeCount), '0');
    text += all.substr(static_cast<size_t>(std::max<std::ptrdiff_t>(wholeCount, 0)));
    text.append(static_cast<size_t>(decimals - scale), '0');
    return true;
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
    appendFixed(text, x, precision, decimals);
    return text;
}

void appendFixed(std::string& out, Number x, int precision, int decimals) {
    const int p = std::clamp(precision, 1, kMaxDigits);
    const int places = std::clamp(decimals, 0, kMaxDecimals);
    // Infinities and NaN fail the fast route's bound.
    if (fastFixed(x, p, places, out)) return;
    std::string text;
    if (!decimal::nonFiniteText(x, text)) text = decimal::fixedText(x, p, places);
    out += text;
}

namespace decimal {

std::string fixedText(Number x, int p, int places) {
    std::string text;
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

}  // namespace decimal

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
