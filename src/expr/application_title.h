#pragma once

#include <string_view>

namespace kalvor {

/// The application title, also the caption of plain information boxes that name no caption
/// of their own.
inline constexpr std::string_view kApplicationTitle = "Kalvor 2.1";

}  // namespace kalvor
