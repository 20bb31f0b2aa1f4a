#include "lang/text_variables.h"

#include <algorithm>
#include <cctype>

namespace kalvor {

std::string TextVariables::key(std::string_view name) {
    std::string k(name);
    std::transform(k.begin(), k.end(), k.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return k;
}

void TextVariables::set(std::string_view name, std::string value) {
    m_values[key(name)] = std::move(value);
}

const std::string& TextVariables::get(std::string_view name) const {
    static const std::string empty;
    auto it = m_values.find(key(name));
    return it == m_values.end() ? empty : it->second;
}

bool TextVariables::contains(std::string_view name) const {
    return m_values.count(key(name)) != 0;
}

}  // namespace kalvor
