#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/graph_settings.h"
#include "lang/environment.h"

namespace kalvor {

/// The value of the first line of `lines` that starts with `name` and "=", if any.
std::optional<std::string> settingValue(const std::vector<std::string>& lines,
                                        std::string_view name);

/// Applies one setting name with its value (present) or without (absent) to the fields, the
/// way a setting line of a program does. Returns false for a name that is not a setting.
bool applySetting(GraphSettings& settings, RunOptions& options, std::string_view name,
                  const std::optional<std::string>& value);

/// ApplyProgramSettings: every setting name looked up in the compiled program, in the order
/// in which they take effect.
RunOptions applyProgramSettings(const std::vector<std::string>& lines, GraphSettings& settings);

}  // namespace kalvor
