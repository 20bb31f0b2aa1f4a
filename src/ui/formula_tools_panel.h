#pragma once

#include <QWidget>

#include "graph/formula_tools.h"

class QComboBox;
class QLineEdit;

namespace kalvor {

class Workbench;

/// The editor window's calculator strip: the "Calculator" group (formula, x, "=", F … I,
/// "helling", "Integraal" with its bounds), the "symbolisch" group and "start calculator",
/// with the result line under them. The computing is FormulaTools'; this panel only moves
/// texts between the fields and it.
class FormulaToolsPanel : public QWidget {
    Q_OBJECT

public:
    explicit FormulaToolsPanel(Workbench& bench, QWidget* parent = nullptr);

    FormulaTools& tools() { return m_tools; }
    QLineEdit* resultLine() const { return m_result; }

signals:
    /// "start calculator".
    void bigIntCalculatorRequested();

private:
    QWidget* buildCalculator();
    QWidget* buildSymbolic();
    QWidget* buildBigIntegers();
    FormulaToolFields fields() const;
    void run(bool (FormulaTools::*operation)(FormulaToolFields&));
    QWidget* button(const QString& caption, const char* name,
                    bool (FormulaTools::*operation)(FormulaToolFields&));

    Workbench& m_bench;
    FormulaTools m_tools;
    QLineEdit* m_formula;
    QLineEdit* m_x;
    QLineEdit* m_a;
    QLineEdit* m_b;
    QLineEdit* m_variable;
    QComboBox* m_order;
    QLineEdit* m_result;
};

}  // namespace kalvor
