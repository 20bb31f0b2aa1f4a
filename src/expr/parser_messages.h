#pragma once

namespace kalvor {

// Exact messages of the parser's errors.
inline constexpr const char* kSyntaxErrorPrefix = "Error parsing expression:\r";
inline constexpr const char* kHasBlanksMessage = "Expression has blanks";
inline constexpr const char* kTooComplexMessage = "Expression is too complex";
inline constexpr const char* kTooManyNestingsMessage = "Expression contains too many nestings";
inline constexpr const char* kMismatchedBracketsMessage = "Missing brackets in expression";
inline constexpr const char* kInternalErrorMessage = "Parser internal error";
inline constexpr const char* kDuplicateNamePrefix = "Duplicate name: ";

}  // namespace kalvor
