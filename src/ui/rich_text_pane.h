#pragma once

#include <QTextEdit>
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
    void showText(const std::string& text);
};

}  // namespace kalvor
