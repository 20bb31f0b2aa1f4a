#pragma once

#include <QPlainTextEdit>
#include <QTextEdit>
#include <vector>

class QCompleter;

namespace kalvor {

/// The editor's source pane: a plain-text editor with a margin of line numbers, underlined
/// lines (those the last compile did not understand), one marked line (where the last run
/// stopped with an error) and completion of the command name being typed.
class SourceEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit SourceEditor(QWidget* parent = nullptr);

    void setLineNumbersShown(bool shown);
    bool lineNumbersShown() const { return m_lineNumbers; }
    /// The width of the line-number margin in pixels (0 when hidden).
    int lineNumberWidth() const;

    /// Completes from `completer`'s model; ignored while completion is switched off.
    void setCompleter(QCompleter* completer);
    QCompleter* completer() const { return m_completer; }
    void setCompletionEnabled(bool enabled) { m_completionEnabled = enabled; }

    /// Underlines the given lines (0-based block numbers); an empty list removes them.
    void setUnderlinedLines(const std::vector<int>& blocks);
    std::vector<int> underlinedLines() const;
    /// Marks line `block` (0-based), puts the caret there and scrolls it into view; -1 clears.
    void setStoppedLine(int block);
    /// The marked line, or -1.
    int stoppedLine() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class LineNumberMargin;
    void paintLineNumbers(QPaintEvent* event);
    void updateMargin();
    void scrollMargin(const QRect& rect, int dy);
    void refreshSelections();
    QString commandPrefix() const;
    void offerCompletions(bool asked);
    void insertCompletion(const QString& name);

    QWidget* m_margin;
    QCompleter* m_completer = nullptr;
    QList<QTextEdit::ExtraSelection> m_underlines;
    QList<QTextEdit::ExtraSelection> m_stopped;
    bool m_lineNumbers = true;
    bool m_completionEnabled = true;
};

}  // namespace kalvor
