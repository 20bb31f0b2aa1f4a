#include "lang/headless_host.h"

#include <algorithm>

#include "lang/lang_messages.h"

namespace kalvor {

Host::Answer HeadlessHost::messageBox(std::string_view caption, std::string_view text, Icon icon,
                                      Buttons buttons) {
    m_messages.push_back({std::string(caption), std::string(text), icon});
    if (m_stream) {
        std::string shown(text);
        std::replace(shown.begin(), shown.end(), '\r', '\n');
        *m_stream << caption << ": " << shown << '\n';
    }
    switch (buttons) {
        case Buttons::OkCancel:
            return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::No;
        case Buttons::Ok:
            break;
    }
    return Answer::Ok;
}

bool HeadlessHost::inputDialog(std::string_view, std::string_view, std::string&) {
    return true;
}

bool HeadlessHost::errorShown() const {
    return std::any_of(m_messages.begin(), m_messages.end(), [](const Message& m) {
        return m.icon == Icon::Error || m.caption == kErrorCaption ||
               m.caption == kLoopVariableCaption;
    });
}

}  // namespace kalvor
