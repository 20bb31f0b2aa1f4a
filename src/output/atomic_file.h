#pragma once

#include <string>
#include <string_view>

namespace kalvor {

/// Writes `bytes` to a temporary file in the target's folder and renames it over the
/// target, so a failed save never destroys the previous file. Returns false on failure.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kalvor
