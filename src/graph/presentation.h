#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTextDocument;

namespace kalvor {

/// The marker that separates a presentation's lesson text from its program.
inline constexpr std::string_view kProgramMarker = "<programma>";

/// Cuts the program part — the first marker and everything after it — out of the document
/// and returns it as source lines (the marker line included, as the editor receives it).
/// Without a marker the document stays whole and the program is empty.
std::vector<std::string> takeProgramPart(QTextDocument& document);

/// The presentation a click on `line` of the lesson text leads to: the line is cut after its
/// first ".rtf", and the word before that end is the file name. None without ".rtf".
std::optional<std::string> linkedPresentation(std::string_view line);

}  // namespace kalvor
