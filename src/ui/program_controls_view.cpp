#include "ui/program_controls_view.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "graph/workbench.h"
#include "lang/program_controls.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

// Default places in the row; `interface` moves boxes and the list to other pixels.
constexpr int kBoxLeft[3] = {8, 128, 248};
constexpr int kBoxWidth = 110;
constexpr int kSelectionLeft = 368;
constexpr int kSelectionWidth = 120;
constexpr int kLabelTop = 0;
constexpr int kControlTop = 16;
constexpr int kRowHeight = 44;

int placed(int left, int fallback) {
    return left >= 0 ? left : fallback;
}

}  // namespace

ProgramControlsView::ProgramControlsView(Workbench& bench, QWidget* parent)
    : QWidget(parent), m_bench(bench), m_controls(bench.environment().controls) {
    setObjectName(QStringLiteral("gebruikersvakken"));
    setFixedHeight(kRowHeight);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("veldlabel%1").arg(i + 1));
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("tekstveld%1").arg(i + 1));
        label->hide();
        box->hide();
        // Typed text is the field "userN"; the program reads it at its next run.
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_bench.settings().userTexts[i] = toStdString(text);
        });
        m_labels[i] = label;
        m_boxes[i] = box;
    }
    m_selection = new QComboBox(this);
    m_selection->setObjectName(QStringLiteral("selectievak"));
    m_selection->hide();
    connect(m_selection, &QComboBox::activated, this, [this](int index) {
        m_controls.selection.current = toStdString(m_selection->itemText(index));
    });
    m_continue = new QPushButton(this);
    m_continue->setObjectName(QStringLiteral("verder"));
    m_continue->hide();
    connect(m_continue, &QPushButton::clicked, this, [this] {
        m_controls.clickContinue();
        m_continue->hide();
    });
    refresh();
}

void ProgramControlsView::refresh() {
    refreshBoxes();
    refreshSelection();
    const ContinueButton& button = m_controls.continueButton;
    m_continue->setText(toQString(button.caption));
    m_continue->setToolTip(toQString(button.hint));
    m_continue->adjustSize();
    m_continue->move(width() - m_continue->width() - 8, kControlTop - 4);
    m_continue->setVisible(button.visible);
}

void ProgramControlsView::refreshBoxes() {
    for (int i = 0; i < 3; ++i) {
        const UserBox& data = m_controls.boxes[i];
        const int left = placed(data.left, kBoxLeft[i]);
        m_boxes[i]->setGeometry(left, kControlTop, kBoxWidth, kRowHeight - kControlTop - 2);
        m_labels[i]->setGeometry(placed(data.labelLeft, left), kLabelTop, kBoxWidth + 10,
                                 kControlTop);
        m_labels[i]->setText(toQString(data.label));
        // The person's half-typed text stays until the program writes another.
        const QString text = toQString(m_bench.settings().userTexts[i]);
        if (m_boxes[i]->text() != text) m_boxes[i]->setText(text);
        m_boxes[i]->setEnabled(data.enabled);
        m_boxes[i]->setVisible(data.visible);
        m_labels[i]->setVisible(data.visible);
    }
}

void ProgramControlsView::refreshSelection() {
    const SelectionList& data = m_controls.selection;
    QStringList items;
    for (const std::string& item : data.items)
        items << toQString(item);
    QStringList shown;
    for (int i = 0; i < m_selection->count(); ++i)
        shown << m_selection->itemText(i);
    if (shown != items) {
        m_selection->clear();
        m_selection->addItems(items);
    }
    m_selection->setCurrentIndex(static_cast<int>(items.indexOf(toQString(data.current))));
    m_selection->setGeometry(placed(data.left, kSelectionLeft), kControlTop, kSelectionWidth,
                             kRowHeight - kControlTop - 2);
    m_selection->setVisible(data.visible);
}

}  // namespace kalvor
