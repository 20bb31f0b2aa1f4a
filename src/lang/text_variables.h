#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace kalvor {

/// The program's text variables ($name = text). Names are kept as written and looked up
/// without regard to case; a variable never set reads as the empty text. Emptied at run start.
class TextVariables {
public:
    void set(std::string_view name, std::string value);
    /// The value, or the empty text when the name was never set.
    const std::string& get(std::string_view name) const;
    bool contains(std::string_view name) const;
    void clear() { m_values.clear(); }
    std::size_t size() const { return m_values.size(); }

private:
    static std::string key(std::string_view name);
    std::unordered_map<std::string, std::string> m_values;
};

}  // namespace kalvor
