#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "expr/host.h"

namespace kalvor::test {

/// A Host that records every message box and answers OK; nothing else is expected of it here.
class RecordingHost : public Host {
public:
    struct Box {
        std::string caption;
        std::string text;
        bool operator==(const Box&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Box& b) {
            return out << b.caption << ": " << b.text;
        }
    };

    Answer messageBox(std::string_view caption, std::string_view text, Icon, Buttons) override {
        boxes.push_back({std::string(caption), std::string(text)});
        return Answer::Ok;
    }
    bool inputDialog(std::string_view, std::string_view, std::string&) override { return true; }
    void processEvents() override {}
    void sleepMs(int) override {}
    bool chooseFileToOpen(std::string_view, std::string&) override { return false; }
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
    void setClipboardImage(const QImage&) override {}
    bool openDocument(std::string_view) override { return true; }

    std::vector<Box> boxes;
};

}  // namespace kalvor::test
