#pragma once

#include <QMainWindow>

class QPlainTextEdit;

namespace kalvor {

class Dialogs;
class Host;
class OutputLog;

/// The output window ("uitvoervenster"): shows the lines programs write with schrijf and
/// schrijfregel, comes to the front whenever a program writes, saves them as a text file
/// and wipes them. The text belongs to the OutputLog; this window only mirrors it.
class OutputWindow : public QMainWindow {
    Q_OBJECT

public:
    OutputWindow(OutputLog& log, Host& host, Dialogs& dialogs, QWidget* parent = nullptr);
    ~OutputWindow() override;

    QPlainTextEdit* textArea() const { return m_text; }

public slots:
    /// "&Opslaan": asks for a file name (proposing "uitvoer.txt") and writes the lines.
    void save();
    /// "&Wissen": empties the output.
    void wipe();

private:
    void logChanged();
    void mirrorLog();

    OutputLog& m_log;
    Host& m_host;
    Dialogs& m_dialogs;
    QPlainTextEdit* m_text;
    std::size_t m_shownLines = 0;
    int m_lastLineStart = 0;  // text position where the last line begins
};

}  // namespace kalvor
