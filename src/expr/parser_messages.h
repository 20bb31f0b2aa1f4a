#pragma once

#include <string>
#include <string_view>

namespace kalvor {

// Exact messages of the parser's errors.
inline constexpr const char* kSyntaxErrorPrefix = "Error parsing expression:\r";
inline constexpr const char* kHasBlanksMessage = "Expression has blanks";
inline constexpr const char* kTooComplexMessage = "Expression is too complex";
inline constexpr const char* kTooManyNestingsMessage = "Expression contains too many nestings";
inline constexpr const char* kMismatchedBracketsMessage = "Missing brackets in expression";
inline constexpr const char* kInternalErrorMessage = "Parser internal error";
inline constexpr const char* kDuplicateNamePrefix = "Duplicate name: ";

// Texts of the library's information boxes.
inline constexpr std::string_view kBinomialCaption = "Foutje";
inline constexpr std::string_view kBinomialMessage = "Ongeldige waarde voor n of k";
inline constexpr std::string_view kTooBigSuffix = " tegroot";
inline constexpr const char* kTooBigError = "too big";
/// The refusal of a partition function whose argument lies outside 0 < n < `end`.
inline std::string partitionRefusalMessage(std::string_view function, int end) {
    return "fout in " + std::string(function) + ": argument moet kleiner zijn dan " +
           std::to_string(end) + " en groter dan 0";
}

}  // namespace kalvor
