#pragma once

#include <QPointer>
#include <QWidget>

#include "expr/host.h"

namespace kalvor {

class Dialogs;

/// The Host of the desktop program: message boxes, input boxes and file choices as real
/// dialogs over the active window, event processing with a short time budget so a running
/// program stays responsive, the system clipboard and the desktop's default applications.
class QtHost : public Host {
public:
    /// Longest time one processEvents() call may spend, in milliseconds.
    static constexpr int kEventBudgetMs = 10;

    explicit QtHost(Dialogs& dialogs);

    /// The window that owns dialogs when no window of the program is active.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons = Buttons::Ok) override;
    bool inputDialog(std::string_view caption, std::string_view prompt,
                     std::string& value) override;
    void processEvents() override;
    void sleepMs(int milliseconds) override;
    bool chooseFileToOpen(std::string_view caption, std::string& path) override;
    void setClipboardText(std::string_view text) override;
    std::string clipboardText() override;
    void setClipboardImage(const QImage& image) override;
    bool openDocument(std::string_view path) override;

private:
    QWidget* dialogParent() const;

    Dialogs& m_dialogs;
    QPointer<QWidget> m_mainWindow;
};

}  // namespace kalvor
