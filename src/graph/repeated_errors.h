#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expr/host.h"

namespace kalvor {

/// Remembers the error boxes a redraw has shown, so that the redraws of a slider being dragged
/// do not show the same box again and again. A box counts as the same while the formulas, the
/// program and the text stay as they were; any redraw that no slider asked for starts afresh.
class RepeatedErrors {
public:
    /// A redraw begins; `fromSlider` when only slider moves asked for it.
    void redrawStarts(bool fromSlider);
    /// True when the box is to be shown (it is then remembered); false when it repeats a box
    /// already shown for the same `context` (formula texts and program lines).
    bool shouldShow(const std::vector<std::string>& context, std::string_view caption,
                    std::string_view text);

private:
    std::vector<std::string> m_context;
    std::set<std::pair<std::string, std::string>> m_shown;
    bool m_fromSlider = false;
};

/// A Host that passes everything on to another one, except the message boxes its filter
/// turns down (those answer Ok without being shown).
class FilteringHost : public Host {
public:
    using Filter = std::function<bool(std::string_view caption, std::string_view text, Icon icon,
                                      Buttons buttons)>;

    explicit FilteringHost(Host& inner) : m_inner(inner) {}
    void setFilter(Filter filter) { m_filter = std::move(filter); }

    Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons = Buttons::Ok) override;
    bool inputDialog(std::string_view caption, std::string_view prompt,
                     std::string& value) override {
        return m_inner.inputDialog(caption, prompt, value);
    }
    void processEvents() override { m_inner.processEvents(); }
    void sleepMs(int milliseconds) override { m_inner.sleepMs(milliseconds); }
    bool chooseFileToOpen(std::string_view caption, std::string& path) override {
        return m_inner.chooseFileToOpen(caption, path);
    }
    void setClipboardText(std::string_view text) override { m_inner.setClipboardText(text); }
    std::string clipboardText() override { return m_inner.clipboardText(); }
    void setClipboardImage(const QImage& image) override { m_inner.setClipboardImage(image); }
    bool openDocument(std::string_view path) override { return m_inner.openDocument(path); }

private:
    Host& m_inner;
    Filter m_filter;
};

}  // namespace kalvor
