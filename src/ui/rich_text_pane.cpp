#include "ui/rich_text_pane.h"

#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <utility>

#include "ui/qt_text.h"

namespace kalvor {

namespace {

// Pale yellow, as presentations show their text.
const QColor kBackground(254, 255, 223);

}  // namespace

RichTextPane::RichTextPane(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("rijketekst"));
    setReadOnly(true);
    setFixedWidth(kWidth);
    setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    setPalette(colours);
    hide();
}

void RichTextPane::showText(const std::string& text, std::size_t base) {
    if (!m_lesson) {
        const QString shown = toQString(text);
        if (toPlainText() != shown) setPlainText(shown);
        setVisible(!shown.isEmpty());
        return;
    }
    const QString surplus = toQString(base < text.size() ? text.substr(base) : std::string());
    if (surplus != m_shownSurplus || document()->isEmpty()) {
        // What runs add is plain text after the lesson; "\n" starts a new line.
        document()->clear();
        QTextCursor end(document());
        end.insertFragment(QTextDocumentFragment(m_lesson));
        end.setCharFormat(QTextCharFormat());
        const QStringList lines = surplus.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) end.insertBlock();
            end.insertText(lines[i]);
        }
        m_shownSurplus = surplus;
    }
    setVisible(true);
}

void RichTextPane::setLesson(const QTextDocument* lesson) {
    delete std::exchange(m_lesson, lesson ? lesson->clone(this) : nullptr);
    m_shownSurplus.clear();
    clear();
}

void RichTextPane::mousePressEvent(QMouseEvent* event) {
    QTextEdit::mousePressEvent(event);
    emit lineClicked(cursorForPosition(event->position().toPoint()).block().text());
}

}  // namespace kalvor
