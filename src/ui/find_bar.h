#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kalvor {

/// A small bar under a text pane that finds the typed text: Enter or "Volgende" finds the
/// next occurrence after the caret, starting again at the top when there is none below;
/// Escape closes the bar.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QPlainTextEdit* target, QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    /// Shows the bar with the field focused and its text selected.
    void open();
    /// Selects the next occurrence; false (and "niet gevonden") when the text has none.
    bool findNext();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* m_target;
    QLineEdit* m_field;
    QLabel* m_result;
};

}  // namespace kalvor
