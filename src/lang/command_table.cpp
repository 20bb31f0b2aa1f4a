#include "lang/command_table.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kalvor {

void CommandTable::add(std::span<const CommandRow> rows) {
    for (const CommandRow& row : rows) {
        if (!m_rows.emplace(row.name, row).second)
            throw std::logic_error("command registered twice: " + std::string(row.name));
    }
}

void CommandTable::setHandler(std::string_view name, CommandHandler handler) {
    auto it = m_rows.find(name);
    if (it == m_rows.end()) throw std::logic_error("unknown command: " + std::string(name));
    it->second.handler = handler;
}

const CommandRow* CommandTable::find(std::string_view name) const {
    auto it = m_rows.find(name);
    return it == m_rows.end() ? nullptr : &it->second;
}

std::vector<std::string_view> CommandTable::names() const {
    std::vector<std::string_view> out;
    out.reserve(m_rows.size());
    for (const auto& entry : m_rows)
        out.push_back(entry.first);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace kalvor
