#pragma once

// A Host for tests: records every message box and answers from a script.

#include <QImage>
#include <ostream>
#include <string>
#include <vector>

#include "expr/host.h"

namespace kalvor::test {

class RecordingHost : public Host {
public:
    /// Boxes compare by what they say.
    struct Box {
        std::string caption, text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        bool operator==(const Box& o) const { return caption == o.caption && text == o.text; }
        friend std::ostream& operator<<(std::ostream& out, const Box& b) {
            return out << b.caption << ": " << b.text;
        }
    };
    std::vector<Box> boxes;
    std::vector<std::string> opened;
    /// What openDocument answers: whether an application took the document.
    bool openSucceeds = true;
    Answer answer = Answer::No;  // for Yes/No (and Yes/No/Cancel) questions
    QImage clipboardImage;

    Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override {
        boxes.push_back({std::string(caption), std::string(text), icon, buttons});
        const bool question = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
        return question ? answer : Answer::Ok;
    }
    bool inputDialog(std::string_view, std::string_view, std::string&) override { return true; }
    void processEvents() override {}
    void sleepMs(int) override {}
    bool chooseFileToOpen(std::string_view, std::string&) override { return false; }
    void setClipboardText(std::string_view) override {}
    std::string clipboardText() override { return {}; }
    void setClipboardImage(const QImage& image) override { clipboardImage = image; }
    bool openDocument(std::string_view path) override {
        opened.emplace_back(path);
        return openSucceeds;
    }
};

}  // namespace kalvor::test
