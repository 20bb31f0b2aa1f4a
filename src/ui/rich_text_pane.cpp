#include "ui/rich_text_pane.h"

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
    setLineWrapMode(QTextEdit::NoWrap);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kBackground);
    setPalette(colours);
    hide();
}

void RichTextPane::showText(const std::string& text) {
    const QString shown = toQString(text);
    if (toPlainText() != shown) setPlainText(shown);
    setVisible(!shown.isEmpty());
}

}  // namespace kalvor
