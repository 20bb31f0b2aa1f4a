#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// Where a setting that should be a whole number came from, for the conversion message.
inline constexpr std::string_view kProgramSettingsSource = "programma";

/// The conversion message of a setting that should be a whole number, for example
/// "'rood' is geen geldig geheel getal (voorkeuren.txt, askleur)."
inline std::string notWholeNumberMessage(std::string_view value, std::string_view source,
                                         std::string_view name) {
    return "'" + std::string(value) + "' is geen geldig geheel getal (" + std::string(source) +
           ", " + std::string(name) + ").";
}

}  // namespace kalvor
