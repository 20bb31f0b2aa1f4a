#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/graph_settings.h"
#include "graph/program_settings.h"

namespace kalvor {

/// The file in which the graph window keeps its settings.
inline constexpr const char* kPreferencesFileName = "voorkeuren.txt";

/// The lines of the preferences file for `settings` ("name=value"), in the file's order.
std::vector<std::string> preferenceLines(const GraphSettings& settings);

/// A value of the preferences file that should be a whole number and is not.
using PreferenceError = SettingError;

/// Applies preference lines to the settings, looking every setting up by name (the first
/// line "name=…" counts). An absent or empty value leaves its setting as it is, except that
/// without "roosterkleur" and "askleur" the grid and axis swatches are free again. The load
/// stops at the first value that is no whole number and returns it; what was read before it
/// stays applied.
std::optional<PreferenceError> applyPreferenceLines(const std::vector<std::string>& lines,
                                                    GraphSettings& settings);

}  // namespace kalvor
