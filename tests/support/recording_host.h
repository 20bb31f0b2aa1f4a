#pragma once

// A Host for tests: records every message box and answers from a script.

#include <QImage>
#include <string>
#include <vector>

#include "expr/host.h"

namespace kalvor::test {

class RecordingHost : public Host {
public:
    struct Box {
        std::string caption, text;
        Icon icon;
        Buttons buttons;
    };
    std::vector<Box> boxes;
    std::vector<std::string> opened;
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
    void openDocument(std::string_view path) override { opened.emplace_back(path); }
};

}  // namespace kalvor::test
