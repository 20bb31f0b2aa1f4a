#pragma once

#include <string_view>

class QTextDocument;

namespace kalvor {

/// Reads rich text into `document`, replacing what it held: paragraphs and their alignment,
/// bold, italic and underline, font names and sizes, the colour table, tabs and line breaks,
/// `\'hh` escapes in the document's code page (1252 unless it names 437, 850, 1250 or UTF-8),
/// `\uN` with its fallback skipped, and raw UTF-8 text. Destinations that hold no shown text
/// (font and colour tables, style sheets, information, pictures, `\*` groups) are skipped.
/// Returns false, leaving the document empty, when the text does not start with "{\rtf".
bool readRtf(std::string_view rtf, QTextDocument& document);

}  // namespace kalvor
