#pragma once

#include <string>
#include <string_view>

class QImage;

namespace kalvor {

/// Everything the core needs from a person or the desktop goes through a Host: the desktop
/// program implements it with real windows, HeadlessHost with standard streams and defaults.
/// Texts use "\r" as the line break inside message boxes, exactly as the program writes them.
class Host {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Host() = default;

    virtual Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                              Buttons buttons = Buttons::Ok) = 0;
    /// Returns false when the person cancelled; `value` holds the default text on entry.
    virtual bool inputDialog(std::string_view caption, std::string_view prompt,
                             std::string& value) = 0;
    /// Lets pending window events (keys, sliders, buttons) run. Must return quickly.
    virtual void processEvents() = 0;
    virtual void sleepMs(int milliseconds) = 0;
    /// Asks for a file to open when a named file is missing; false when cancelled.
    virtual bool chooseFileToOpen(std::string_view caption, std::string& path) = 0;
    virtual void setClipboardText(std::string_view text) = 0;
    virtual std::string clipboardText() = 0;
    virtual void setClipboardImage(const QImage& image) = 0;
    /// Opens a document with the desktop's default application; false when no application
    /// could open it.
    virtual bool openDocument(std::string_view path) = 0;

    /// Convenience for the common information box with an OK button.
    void inform(std::string_view caption, std::string_view text) {
        messageBox(caption, text, Icon::Information);
    }
};

}  // namespace kalvor
