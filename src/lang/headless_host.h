#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "expr/host.h"

namespace kalvor {

/// The Host of the command line and the tests: message boxes go to a stream as
/// "caption: text" (carriage returns become new lines) and are kept; input dialogs keep their
/// default, OK/Cancel answers OK, Yes/No answers No; waiting and sleeping return at once.
class HeadlessHost : public Host {
public:
    struct Message {
        std::string caption;
        std::string text;
        Icon icon;
    };

    /// `messages` may be null: then boxes are only kept.
    explicit HeadlessHost(std::ostream* messages = nullptr) : m_stream(messages) {}

    Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons = Buttons::Ok) override;
    bool inputDialog(std::string_view caption, std::string_view prompt,
                     std::string& value) override;
    void processEvents() override { ++m_eventRounds; }
    void sleepMs(int) override {}
    bool chooseFileToOpen(std::string_view, std::string&) override { return false; }
    void setClipboardText(std::string_view text) override { m_clipboard = text; }
    std::string clipboardText() override { return m_clipboard; }
    void setClipboardImage(const QImage&) override {}
    bool openDocument(std::string_view path) override {
        m_opened.emplace_back(path);
        return true;
    }

    const std::vector<Message>& messages() const { return m_messages; }
    /// Whether an error box ("Oeps", "foutje") was shown.
    bool errorShown() const;
    int eventRounds() const { return m_eventRounds; }
    void clearMessages() { m_messages.clear(); }

private:
    std::ostream* m_stream;
    std::vector<Message> m_messages;
    std::string m_clipboard;
    std::vector<std::string> m_opened;
    int m_eventRounds = 0;
};

}  // namespace kalvor
