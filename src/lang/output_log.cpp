#include "lang/output_log.h"

namespace kalvor {

void OutputLog::append(std::string_view text) {
    if (m_lines.empty()) m_lines.emplace_back();
    m_lines.back() += text;
    notify();
}

void OutputLog::appendLine(std::string_view text) {
    m_lines.emplace_back(text);
    notify();
}

void OutputLog::clear() {
    m_lines.clear();
    notify();
}

void OutputLog::notify() const {
    if (changed) changed();
}

}  // namespace kalvor
