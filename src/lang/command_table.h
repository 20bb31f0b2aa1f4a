#pragma once

#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kalvor {

class RunContext;

/// A command handler runs with the program counter at its first argument line.
using CommandHandler = void (*)(RunContext&);

/// One command of the drawing language: its name in the compiled program, how many argument
/// lines follow it, and its handler.
struct CommandRow {
    /// The handler reads its own argument lines up to and including a "#" line and leaves the
    /// program counter after it.
    static constexpr int kUntilTerminator = -1;

    std::string_view name;
    int argLines = 0;
    /// nullptr for a command whose family is not built yet: its argument lines are skipped.
    CommandHandler handler = nullptr;
};

/// All commands by name. Families add their rows once; the executor resolves every command
/// line to its row once per compiled program.
class CommandTable {
public:
    /// Throws std::logic_error when a name is added twice.
    void add(std::span<const CommandRow> rows);
    /// Replaces the handler of an existing row (a family that lands after the table was built).
    void setHandler(std::string_view name, CommandHandler handler);
    const CommandRow* find(std::string_view name) const;
    std::size_t size() const { return m_rows.size(); }
    /// Every command name, sorted.
    std::vector<std::string_view> names() const;

private:
    std::unordered_map<std::string_view, CommandRow> m_rows;
};

/// The table with every family registered (commands/registry.cpp).
CommandTable buildCommandTable();

}  // namespace kalvor
