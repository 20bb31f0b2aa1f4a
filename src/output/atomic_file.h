#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalvor {

/// Writes `bytes` to a temporary file in the target's folder and renames it over the
/// target, so a failed save never destroys the previous file. Returns false on failure.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

/// Receives the bytes of a file piece by piece; false when they could not be written.
using ByteSink = std::function<bool(std::string_view)>;

/// As above for a file too large to hold at once: `produce` hands its pieces to the sink and
/// returns false when it failed, which leaves the target as it was.
bool writeFileAtomically(const std::string& path,
                         const std::function<bool(const ByteSink&)>& produce);

}  // namespace kalvor
