#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/graph_settings.h"
#include "lang/environment.h"

namespace kalvor {

/// A whole number in decimal with an optional sign, and nothing else; nothing otherwise.
std::optional<long long> wholeNumber(std::string_view text);

/// The axis options "asopties": each of r, s, g present switches grid, ticks or numbers off,
/// then each of R, S, G present switches it on.
void applyAxisOptionLetters(GraphSettings& settings, std::string_view letters);
/// The three letters that say the axis options: "R" or "r", "S" or "s", "G" or "g".
std::string axisOptionLetters(const GraphSettings& settings);
/// "zijden", "midden" or "geen" select the axis style; any other text changes nothing.
void applyAxisStyleName(GraphSettings& settings, std::string_view name);
std::string_view axisStyleName(AxisStyle style);

/// The value of the first line of `lines` that starts with `name` and "=", if any.
std::optional<std::string> settingValue(const std::vector<std::string>& lines,
                                        std::string_view name);

/// A setting whose value should be a whole number and is not.
struct SettingError {
    std::string name;
    std::string value;
    bool operator==(const SettingError&) const = default;
};

/// Applies one setting name with its value (present) or without (absent) to the fields, the
/// way a setting line of a program does. Returns false for a name that is not a setting. A
/// colour or width that is no whole number changes nothing and is added to `rejected`.
bool applySetting(GraphSettings& settings, RunOptions& options, std::string_view name,
                  const std::optional<std::string>& value,
                  std::vector<SettingError>* rejected = nullptr);

/// ApplyProgramSettings: every setting name looked up in the compiled program, in the order
/// in which they take effect; the rejected values in the same order.
RunOptions applyProgramSettings(const std::vector<std::string>& lines, GraphSettings& settings,
                                std::vector<SettingError>* rejected = nullptr);

}  // namespace kalvor
