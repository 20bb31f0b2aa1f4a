#pragma once

#include <QDialog>

#include "graph/canvas_navigation.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace kalvor {

class Workbench;

/// "Tabel...": x and the values of the functions drawn for a start, a step and a number of
/// rows, recomputed after every redraw and copyable to the clipboard as tab-separated text.
class FunctionTableWindow : public QDialog {
    Q_OBJECT

public:
    explicit FunctionTableWindow(Workbench& bench, QWidget* parent = nullptr);

    QLineEdit* startEdit() const { return m_start; }
    QLineEdit* stepEdit() const { return m_step; }
    QLineEdit* rowsEdit() const { return m_rows; }
    QTableWidget* table() const { return m_table; }
    /// Start and step from the range fields: eleven rows across the window.
    void startFromWindow();

public slots:
    void recompute();
    void copyToClipboard();

private:
    bool readInput(Number& start, Number& step, int& rows) const;
    void showTable();

    Workbench& m_bench;
    QLineEdit* m_start;
    QLineEdit* m_step;
    QLineEdit* m_rows;
    QLabel* m_message;
    QTableWidget* m_table;
    FunctionTable m_shown;
};

}  // namespace kalvor
