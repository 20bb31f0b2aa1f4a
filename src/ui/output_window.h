#pragma once

#include <QMainWindow>
#include <QPointer>

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
    /// The window opens beside `neighbour` and never over `keepClear` (the graph window and
    /// its slider strip).
    void keepClearOf(QWidget* neighbour, QWidget* keepClear);
    /// Shows the window, placed on screen when it was hidden.
    void open();

public slots:
    /// "&Opslaan": asks for a file name (proposing "uitvoer.txt") and writes the lines.
    void save();
    /// "&Wissen": empties the output.
    void wipe();

private:
    void logChanged();
    void mirrorLog();
    void placeOnScreen();

    OutputLog& m_log;
    Host& m_host;
    Dialogs& m_dialogs;
    QPlainTextEdit* m_text;
    QPointer<QWidget> m_neighbour, m_keepClear;
    std::size_t m_shownLines = 0;
    int m_lastLineStart = 0;  // text position where the last line begins
};

}  // namespace kalvor
