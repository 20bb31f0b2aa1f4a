#pragma once

#include <QTextEdit>
#include <cstddef>
#include <string>

namespace kalvor {

/// The read-only text area beside the canvas: what the rtf commands of a program write (and
/// the text of a presentation). Hidden while it holds nothing.
class RichTextPane : public QTextEdit {
    Q_OBJECT

public:
    static constexpr int kWidth = 229;

    explicit RichTextPane(QWidget* parent = nullptr);

    /// Shows `text` (lines joined by "\n"); the area keeps its place when nothing changed.
    /// With a lesson set, the lesson is shown with its formatting, followed by what runs added
    /// beyond `base` (the lesson's length in `text`).
    void showText(const std::string& text, std::size_t base = 0);
    /// The formatted text of a presentation; null for none.
    void setLesson(const QTextDocument* lesson);

signals:
    /// A mouse press on a line of the text: the line, as the press placed the cursor on it.
    void lineClicked(const QString& line);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTextDocument* m_lesson = nullptr;
    QString m_shownSurplus;
};

}  // namespace kalvor
