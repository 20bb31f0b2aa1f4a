#include "graph/repeated_errors.h"

namespace kalvor {

void RepeatedErrors::redrawStarts(bool fromSlider) {
    m_fromSlider = fromSlider;
    if (!fromSlider) m_shown.clear();
}

bool RepeatedErrors::shouldShow(const std::vector<std::string>& context, std::string_view caption,
                                std::string_view text) {
    if (context != m_context) {
        m_context = context;
        m_shown.clear();
    }
    const bool known = !m_shown.emplace(std::string(caption), std::string(text)).second;
    return !(known && m_fromSlider);
}

Host::Answer FilteringHost::messageBox(std::string_view caption, std::string_view text, Icon icon,
                                       Buttons buttons) {
    if (m_filter && !m_filter(caption, text, icon, buttons)) return Answer::Ok;
    return m_inner.messageBox(caption, text, icon, buttons);
}

}  // namespace kalvor
