#include "ui/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace kalvor {

FindBar::FindBar(QPlainTextEdit* target, QWidget* parent)
    : QWidget(parent), m_target(target), m_field(new QLineEdit), m_result(new QLabel) {
    setObjectName(QStringLiteral("zoekbalk"));
    m_field->setObjectName(QStringLiteral("zoektekst"));
    m_field->setPlaceholderText(QStringLiteral("Zoeken"));
    auto* next = new QPushButton(QStringLiteral("&Volgende"));
    auto* close = new QPushButton(QStringLiteral("Sluiten"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_field, 1);
    row->addWidget(next);
    row->addWidget(m_result);
    row->addWidget(close);
    connect(m_field, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(next, &QPushButton::clicked, this, &FindBar::findNext);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void FindBar::open() {
    show();
    m_field->setFocus();
    m_field->selectAll();
}

bool FindBar::findNext() {
    const QString text = m_field->text();
    m_result->clear();
    if (text.isEmpty()) return false;
    if (m_target->find(text)) return true;
    // Nothing below the caret: once more from the top.
    const QTextCursor kept = m_target->textCursor();
    m_target->moveCursor(QTextCursor::Start);
    if (m_target->find(text)) return true;
    m_target->setTextCursor(kept);
    m_result->setText(QStringLiteral("niet gevonden"));
    return false;
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    hide();
    m_target->setFocus();
}

}  // namespace kalvor
