// Pattern formatting of numbers (tick labels, user formats of eigenassenf).
//
// Choices where the classic behaviour is thin or odd, kept here so that they stay together:
// - Values are rounded half away from zero on their exact decimal value (2.5 with "0" is "3").
// - The minus sign of the first section goes in front of everything, literals included.
// - A value that rounds to zero is written as zero is: with the zero section when there is one,
//   otherwise with the first section and without a minus sign (never "-0.00").
// - In fixed notation at most 18 significant digits are shown; further digits are zeros.
// - An exponent is recognised only as "E+", "E-", "e+" or "e-"; a lone "E" is a literal.
//   Placeholders after the exponent are literals; at most 4 exponent digits are padded.
// - A second "." is a literal; "," only switches on grouping and is never copied.
// - A section without placeholders writes its literals alone, without a sign.
// - The integer digits of a scientific mantissa are always written, also for "#"; zero in
//   scientific notation has the exponent 0.
#include <algorithm>
#include <cmath>
#include <vector>

#include "expr/decimal_digits.h"
#include "expr/numtext.h"

namespace kalvor {

using decimal::Decimal;

namespace {

constexpr int kMaxDigits = 18;
constexpr int kMaxExponentDigits = 4;

enum class TokenKind { Literal, IntegerDigit, FractionDigit, Point, Comma, Exponent };

struct Token {
    TokenKind kind = TokenKind::Literal;
    std::string text;         // literal text, or the exponent letter
    bool alwaysSign = false;  // exponent written with "+" as well as "-"
    int exponentDigits = 0;
    bool required = false;  // a "0" placeholder rather than "#"
};

/// Splits at ";" outside quotes, keeping at most the three sections that have a meaning.
std::vector<std::string_view> splitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    // The last section runs to the end, also when a quote is left open.
    sections.push_back(pattern.substr(start));
    if (sections.size() > 3) sections.resize(3);
    return sections;
}

/// Reads the exponent that starts at section[i] ("E+", "E-", "e+", "e-" and zeros), if any.
bool readExponent(std::string_view section, size_t& i, Token& token) {
    const char c = section[i];
    if ((c != 'E' && c != 'e') || i + 1 >= section.size()) return false;
    const char sign = section[i + 1];
    if (sign != '+' && sign != '-') return false;
    token.kind = TokenKind::Exponent;
    token.text = std::string(1, c);
    token.alwaysSign = sign == '+';
    i += 2;
    while (i < section.size() && section[i] == '0') {
        ++token.exponentDigits;
        ++i;
    }
    token.exponentDigits = std::min(token.exponentDigits, kMaxExponentDigits);
    return true;
}

/// Splits a section into placeholders, separators, the exponent and literal text.
std::vector<Token> tokenize(std::string_view section) {
    std::vector<Token> tokens;
    bool afterPoint = false;
    bool afterExponent = false;
    size_t i = 0;
    while (i < section.size()) {
        const char c = section[i];
        Token token;
        if (c == '\'' || c == '"') {
            const size_t close = section.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? section.size() : close;
            token.text = std::string(section.substr(i + 1, end - i - 1));
            i = end == section.size() ? end : end + 1;
        } else if (!afterExponent && readExponent(section, i, token)) {
            afterExponent = true;
        } else {
            ++i;
            token.text = std::string(1, c);
            if (afterExponent) {
                // Everything after the exponent is text.
            } else if (c == '0' || c == '#') {
                token.kind = afterPoint ? TokenKind::FractionDigit : TokenKind::IntegerDigit;
                token.required = c == '0';
            } else if (c == '.' && !afterPoint) {
                token.kind = TokenKind::Point;
                afterPoint = true;
            } else if (c == ',') {
                token.kind = TokenKind::Comma;
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

/// What a section asks of the digits, read before any digit is written.
struct Layout {
    int integerPlaceholders = 0;
    int minIntegerDigits = 0;  // placeholders from the first "0" before the point on
    int fractionPlaceholders = 0;
    int requiredFraction = 0;  // fraction places up to the last "0" after the point
    bool grouping = false;
    bool scientific = false;

    bool hasPlaceholders() const { return integerPlaceholders + fractionPlaceholders > 0; }
};

Layout layoutOf(const std::vector<Token>& tokens) {
    Layout layout;
    bool pointSeen = false;
    for (const Token& t : tokens) {
        switch (t.kind) {
            case TokenKind::IntegerDigit:
                ++layout.integerPlaceholders;
                if (t.required || layout.minIntegerDigits > 0) ++layout.minIntegerDigits;
                break;
            case TokenKind::FractionDigit:
                ++layout.fractionPlaceholders;
                if (t.required) layout.requiredFraction = layout.fractionPlaceholders;
                break;
            case TokenKind::Comma:
                if (!pointSeen) layout.grouping = true;
                break;
            case TokenKind::Point:
                pointSeen = true;
                break;
            case TokenKind::Exponent:
                layout.scientific = true;
                break;
            case TokenKind::Literal:
                break;
        }
    }
    return layout;
}

/// The digits a section writes: integer digits, fraction digits and the exponent.
struct DigitText {
    std::string integer;
    std::string fraction;
    int exponent = 0;
    bool zero = false;
};

DigitText fixedDigits(Number magnitude, const Layout& layout) {
    Decimal d = decimal::exactDecimal(magnitude);
    decimal::roundToDecimals(d, layout.fractionPlaceholders, kMaxDigits);
    DigitText text;
    text.zero = d.isZero();
    text.integer = decimal::integerDigits(d);
    const size_t minimum = static_cast<size_t>(layout.minIntegerDigits);
    if (text.integer.size() < minimum) text.integer.insert(0, minimum - text.integer.size(), '0');
    text.fraction =
        decimal::padRight(decimal::fractionDigits(d), static_cast<size_t>(layout.requiredFraction));
    return text;
}

DigitText scientificDigits(Number magnitude, const Layout& layout) {
    Decimal d = decimal::exactDecimal(magnitude);
    const int significant =
        std::clamp(layout.integerPlaceholders + layout.fractionPlaceholders, 1, kMaxDigits);
    decimal::roundToDigits(d, significant);
    DigitText text;
    text.zero = d.isZero();
    const size_t integerCount = static_cast<size_t>(layout.integerPlaceholders);
    text.integer = decimal::padRight(d.digits.substr(0, integerCount), integerCount);
    if (d.digits.size() > integerCount) text.fraction = d.digits.substr(integerCount);
    text.fraction = decimal::padRight(text.fraction, static_cast<size_t>(layout.requiredFraction));
    text.exponent = text.zero ? 0 : d.exponent + 1 - layout.integerPlaceholders;
    return text;
}

/// Writes the integer digits [from, to] with grouping commas after every third from the right.
void appendIntegerDigits(std::string& out, const std::string& digits, int from, int to,
                         bool grouping) {
    const int count = static_cast<int>(digits.size());
    for (int i = std::max(from, 0); i <= to && i < count; ++i) {
        out += digits[static_cast<size_t>(i)];
        const int left = count - 1 - i;
        if (grouping && left > 0 && left % 3 == 0) out += ',';
    }
}

/// Walks the section once, writing literals where they stand and digits at the placeholders.
/// Integer digits are aligned to the right; the digits that do not fit go to the first
/// integer placeholder.
std::string render(const std::vector<Token>& tokens, const Layout& layout, const DigitText& digits,
                   bool minus) {
    std::string out = minus ? "-" : "";
    const int offset = static_cast<int>(digits.integer.size()) - layout.integerPlaceholders;
    int integerIndex = 0;
    size_t fractionIndex = 0;
    for (const Token& t : tokens) {
        switch (t.kind) {
            case TokenKind::IntegerDigit: {
                const int to = integerIndex + offset;
                const int from = integerIndex == 0 ? 0 : to;
                appendIntegerDigits(out, digits.integer, from, to, layout.grouping);
                ++integerIndex;
                break;
            }
            case TokenKind::Point:
                if (layout.integerPlaceholders == 0) {
                    appendIntegerDigits(out, digits.integer, 0, offset - 1, layout.grouping);
                }
                if (!digits.fraction.empty()) out += '.';
                break;
            case TokenKind::FractionDigit:
                if (fractionIndex < digits.fraction.size()) out += digits.fraction[fractionIndex];
                ++fractionIndex;
                break;
            case TokenKind::Exponent:
                out += t.text;
                out += decimal::exponentText(digits.exponent, t.exponentDigits, t.alwaysSign);
                break;
            case TokenKind::Comma:
                break;
            case TokenKind::Literal:
                out += t.text;
                break;
        }
    }
    return out;
}

struct SectionResult {
    std::string text;
    bool roundedToZero = false;
};

SectionResult formatSection(std::string_view section, Number magnitude, bool minus) {
    const std::vector<Token> tokens = tokenize(section);
    const Layout layout = layoutOf(tokens);
    if (!layout.hasPlaceholders()) return {render(tokens, layout, DigitText{}, false), false};
    const DigitText digits =
        layout.scientific ? scientificDigits(magnitude, layout) : fixedDigits(magnitude, layout);
    return {render(tokens, layout, digits, minus), digits.zero};
}

}  // namespace

std::string formatFloat(std::string_view pattern, Number x) {
    std::string text;
    if (decimal::nonFiniteText(x, text)) return text;
    if (pattern.empty()) return formatGeneral(x, 15);
    const std::vector<std::string_view> sections = splitSections(pattern);
    size_t index = 0;
    bool minus = false;
    if (x < 0) {
        if (sections.size() > 1 && !sections[1].empty()) {
            index = 1;
        } else {
            minus = true;
        }
    } else if (x == 0 && sections.size() > 2 && !sections[2].empty()) {
        index = 2;
    }
    if (sections[index].empty()) return formatGeneral(x, 15);
    const SectionResult result = formatSection(sections[index], std::fabs(x), minus);
    if (result.roundedToZero && x != 0) return formatFloat(pattern, 0);
    return result.text;
}

}  // namespace kalvor
