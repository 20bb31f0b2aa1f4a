#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// Caption of the messages that warn and let the run go on.
inline constexpr std::string_view kWarningCaption = "Waarschuwing";

/// A figure command whose figure would need more than `limit` points draws nothing, so that
/// one program line cannot exhaust the memory; this message says so.
inline std::string tooManyPointsMessage(std::string_view command, long long limit) {
    return std::string(command) + ": de figuur vraagt meer dan " + std::to_string(limit) +
           " punten en wordt daarom niet getekend.";
}

/// An axis of eigenassen or eigenassenf that would need more than `limit` ticks gets none.
inline std::string tooManyTicksMessage(std::string_view command, long long limit) {
    return std::string(command) + ": een as vraagt meer dan " + std::to_string(limit) +
           " streepjes en krijgt daarom geen streepjes.";
}

/// A save command's file name must come without extension (the command adds the number and
/// the extension itself).
inline constexpr std::string_view kNameWithoutExtension = "Bestandsnaam zonder extensie opgeven";

}  // namespace kalvor
