#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

/// The commands of the editor window's command list, in the list's sorted order.
const std::vector<std::string_view>& editorCommands();

/// Commands that join the list once the editor has been shown from the graph window.
inline constexpr std::array<std::string_view, 6> kLateCommands = {"diff$", "int$",   "subst$",
                                                                  "symb$", "diffn$", "opslaangif"};

/// The label shown for a chosen command: the name followed by its argument template, the
/// template alone for the commands whose template replaces the name, or just the name.
/// "\r" breaks the label into lines, as in the templates themselves.
std::string commandTemplate(std::string_view name);

/// The order of the command list for names that begin with a letter or digit: case is
/// ignored, and other characters come before digits, digits before letters.
bool commandListLess(std::string_view a, std::string_view b);

/// Where `name` joins a list kept in command-list order (the leading group of operator
/// names, which sort by their own rule, is skipped).
std::size_t commandInsertPosition(const std::vector<std::string>& items, std::string_view name);

}  // namespace kalvor
