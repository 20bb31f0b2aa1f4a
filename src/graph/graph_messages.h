#pragma once

#include <string>
#include <string_view>

#include "lang/lang_messages.h"

namespace kalvor {

/// Where a setting that should be a whole number came from, for the conversion message.
inline constexpr std::string_view kProgramSettingsSource = "programma";

namespace detail {
inline std::string notWholeNumber(std::string_view value) {
    return "'" + std::string(value) + "' is geen geldig geheel getal";
}
}  // namespace detail

/// The message of an answer that should be a whole number.
inline std::string notWholeNumberMessage(std::string_view value) {
    return detail::notWholeNumber(value) + ".";
}

/// The conversion message of a setting that should be a whole number, for example
/// "'rood' is geen geldig geheel getal (voorkeuren.txt, askleur)."
inline std::string notWholeNumberMessage(std::string_view value, std::string_view source,
                                         std::string_view name) {
    return detail::notWholeNumber(value) + " (" + std::string(source) + ", " + std::string(name) +
           ").";
}

/// The list export's dialog and the message for an answer that is not of its form.
inline constexpr std::string_view kListExportCaption = "Lijst Exporteren naar klembord";
inline constexpr std::string_view kListExportPrompt = "Syntax: lijstnaam;start;eind;kolom/rij";
inline std::string badListExportMessage(std::string_view answer) {
    return "Ongeldige invoer: " + std::string(answer) + "\r" + std::string(kListExportPrompt);
}

/// The list import's dialog, its closing question and its messages.
inline constexpr std::string_view kListImportCaption = "Lijst Kiezen";
inline constexpr std::string_view kListImportPrompt =
    "Naar welke lijst wil je van het klembord importeren?";
inline constexpr std::string_view kListImportDoneCaption = "Succes";
inline std::string listImportQuestion(int count, int limit, std::string_view list) {
    const std::string amount = count < limit ? std::to_string(count) + " elementen. "
                                             : std::to_string(limit) + " (of meer) elementen. ";
    return "De ingelezen lijst bevatte " + amount + "\rZal ik dit aantal in de variabele " +
           std::string(list) + "max plaatsen?";
}
inline std::string notANumberMessage(std::string_view text) {
    return "'" + std::string(text) + "' is geen geldig getal.";
}

/// A range field (xmin, xmax …) that is not a number.
inline std::string badRangeFieldMessage(std::string_view field, std::string_view text) {
    return std::string(field) + ": " + notANumberMessage(text);
}

/// The PDF export's report: saved (and the offer to show the file) or not.
inline std::string pdfSavedMessage(std::string_view path) {
    return "Succesfully saved " + std::string(path) + ".";
}
inline constexpr std::string_view kPdfPreviewQuestion = "\r\rPreview?";
inline std::string pdfNotSavedMessage(std::string_view path) {
    const std::string p(path);
    return "Failed to save " + p + "; " + p + " might be in use by another application.";
}

/// A presentation that cannot be read; the program goes on rather than closing, which would
/// lose unsaved work.
inline constexpr std::string_view kPresentationCaption = kLoopVariableCaption;
inline std::string presentationFailureMessage(std::string_view file) {
    return "Kan " + std::string(file) +
           " niet openen\rMisschien is dit bestand geopend door een ander programma";
}

/// What the pointer readout and the function table show where a function is undefined.
inline constexpr std::string_view kUndefinedValue = "ongedefinieerd";

/// The function table's complaint about its start, step or row count.
inline constexpr std::string_view kTableInputMessage =
    "Start en stap moeten getallen zijn, het aantal rijen een geheel getal.";

}  // namespace kalvor
