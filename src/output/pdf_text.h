#pragma once

#include <string>
#include <string_view>

#include "expr/number.h"
#include "output/color.h"

namespace kalvor {

/// Number text of the PDF content: six significant digits written with exactly four
/// decimals, "0" below 0.00001 in magnitude. Values beyond ±32767 (the readers' limit for
/// reals) are clamped and NaN is written as 0, so the file always stays readable.
std::string pdfNumber(Number value);
/// pdfNumber(value) added to the end of `out`.
void appendPdfNumber(std::string& out, Number value);

/// The colour operator line: "g G" for grays, "r g b RG" otherwise; lower case for the fill
/// colour. Each component is c / 255 rounded to three decimals.
std::string pdfColorLine(Color color, bool stroke);

/// A PDF literal string, parentheses included: UTF-8 text converted to the fonts' WinAnsi
/// encoding ("?" for characters it lacks), with "(", ")", "\" and control bytes escaped.
std::string pdfLiteralString(std::string_view utf8);

}  // namespace kalvor
