#include "ui/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>

#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

QMessageBox::Icon messageIcon(Host::Icon icon) {
    switch (icon) {
        case Host::Icon::Information:
            return QMessageBox::Information;
        case Host::Icon::Warning:
            return QMessageBox::Warning;
        case Host::Icon::Error:
            return QMessageBox::Critical;
        case Host::Icon::Question:
            return QMessageBox::Question;
        case Host::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape;  // what closing the box answers
};

ButtonSet buttonSet(Host::Buttons buttons) {
    switch (buttons) {
        case Host::Buttons::OkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
        case Host::Buttons::YesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
        case Host::Buttons::YesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
        case Host::Buttons::Ok:
            break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

// Dutch captions whether or not Qt's own translations are installed.
void dutchButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Annuleren"},
        {QMessageBox::Yes, "Ja"},
        {QMessageBox::No, "Nee"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button)) shown->setText(QString::fromUtf8(caption));
}

Host::Answer answerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return Host::Answer::Cancel;
        case QMessageBox::Yes:
            return Host::Answer::Yes;
        case QMessageBox::No:
            return Host::Answer::No;
        default:
            return Host::Answer::Ok;
    }
}

}  // namespace

QtHost::QtHost(Dialogs& dialogs) : m_dialogs(dialogs) {}

QWidget* QtHost::dialogParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_mainWindow.data();
}

Host::Answer QtHost::messageBox(std::string_view caption, std::string_view text, Icon icon,
                                Buttons buttons) {
    const ButtonSet set = buttonSet(buttons);
    QMessageBox box(messageIcon(icon), toQString(caption), withLineFeeds(text), set.buttons,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(set.escape);
    dutchButtons(box);
    const int clicked = box.exec();
    // A box closed by the window manager answers like its escape button.
    return answerOf(clicked == 0 ? set.escape : clicked);
}

bool QtHost::inputDialog(std::string_view caption, std::string_view prompt, std::string& value) {
    const auto answer =
        m_dialogs.text(dialogParent(), toQString(caption), withLineFeeds(prompt), toQString(value));
    if (!answer) return false;
    value = toStdString(*answer);
    return true;
}

void QtHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, kEventBudgetMs);
}

void QtHost::sleepMs(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool QtHost::chooseFileToOpen(std::string_view caption, std::string& path) {
    const FileDialogRequest request{toQString(caption), toQString(path),
                                    QStringLiteral("tekstfiles (*.txt);;alle (*)"),
                                    QStringLiteral("txt")};
    const auto chosen = m_dialogs.openFileName(dialogParent(), request);
    if (!chosen) return false;
    path = toStdString(*chosen);
    return true;
}

void QtHost::setClipboardText(std::string_view text) {
    QGuiApplication::clipboard()->setText(toQString(text));
}

std::string QtHost::clipboardText() {
    return toStdString(QGuiApplication::clipboard()->text());
}

void QtHost::setClipboardImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

bool QtHost::openDocument(std::string_view path) {
    const QString text = toQString(path);
    const QUrl url = QUrl(text, QUrl::StrictMode);
    // Web pages and mail addresses open as they are; everything else is a local file.
    if (url.isValid() && url.scheme().size() > 1) return QDesktopServices::openUrl(url);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath()));
}

}  // namespace kalvor
