#include "ui/function_table_window.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "graph/workbench.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

constexpr int kWindowRows = 11;

}  // namespace

FunctionTableWindow::FunctionTableWindow(Workbench& bench, QWidget* parent)
    : QDialog(parent), m_bench(bench) {
    setWindowTitle(QStringLiteral("Tabel"));
    m_start = new QLineEdit;
    m_step = new QLineEdit;
    m_rows = new QLineEdit(QString::number(kWindowRows));
    m_start->setObjectName(QStringLiteral("start"));
    m_step->setObjectName(QStringLiteral("stap"));
    m_rows->setObjectName(QStringLiteral("rijen"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Start"), m_start);
    form->addRow(QStringLiteral("S&tap"), m_step);
    form->addRow(QStringLiteral("&Rijen"), m_rows);
    m_message = new QLabel;
    m_table = new QTableWidget;
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    auto* copy = new QPushButton(QStringLiteral("&Kopi\u00ebren"));
    auto* close = new QPushButton(QStringLiteral("&Sluiten"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_message);
    column->addWidget(m_table, 1);
    column->addLayout(buttons);
    for (QLineEdit* edit : {m_start, m_step, m_rows})
        connect(edit, &QLineEdit::textChanged, this, &FunctionTableWindow::recompute);
    connect(copy, &QPushButton::clicked, this, &FunctionTableWindow::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_bench, &Workbench::redrawn, this, &FunctionTableWindow::recompute);
    resize(420, 420);
}

void FunctionTableWindow::startFromWindow() {
    const auto range = rangeOfFields(m_bench.settings());
    if (!range) return;
    const Number step = (range->xmax - range->xmin) / (kWindowRows - 1);
    const QSignalBlocker quietStart(m_start), quietStep(m_step), quietRows(m_rows);
    m_start->setText(toQString(formatGeneral(range->xmin)));
    m_step->setText(toQString(roundedText(step, step * 1e-6L)));
    m_rows->setText(QString::number(kWindowRows));
    recompute();
}

bool FunctionTableWindow::readInput(Number& start, Number& step, int& rows) const {
    bool rowsOk = false;
    rows = m_rows->text().trimmed().toInt(&rowsOk);
    return rowsOk && rows >= 0 && parseNumber(toStdString(m_start->text().trimmed()), start) &&
           parseNumber(toStdString(m_step->text().trimmed()), step);
}

void FunctionTableWindow::recompute() {
    Number start = 0, step = 0;
    int rows = 0;
    const bool valid = readInput(start, step, rows);
    m_message->setText(valid ? QString() : toQString(kTableInputMessage));
    m_message->setVisible(!valid);
    m_shown = valid ? m_bench.functionTable(start, step, rows) : FunctionTable{};
    showTable();
}

void FunctionTableWindow::showTable() {
    QStringList headers{QStringLiteral("x")};
    for (int k : m_shown.functions)
        headers << toQString(functionColumnName(k));
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(static_cast<int>(m_shown.xs.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(toQString(formatGeneral(m_shown.xs[row]))));
        const auto& values = m_shown.values[row];
        for (int column = 0; column < static_cast<int>(values.size()); ++column)
            m_table->setItem(row, column + 1,
                             new QTableWidgetItem(toQString(functionValueText(values[column]))));
    }
    m_table->resizeColumnsToContents();
}

void FunctionTableWindow::copyToClipboard() {
    QGuiApplication::clipboard()->setText(toQString(functionTableText(m_shown)));
}

}  // namespace kalvor
