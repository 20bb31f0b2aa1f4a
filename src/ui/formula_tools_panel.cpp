#include "ui/formula_tools_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "graph/workbench.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

QLineEdit* makeField(const char* name, const QString& text = QString()) {
    auto* field = new QLineEdit(text);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QPushButton* makeButton(const QString& caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* label(const char* text) {
    return new QLabel(QString::fromLatin1(text));
}

}  // namespace

FormulaToolsPanel::FormulaToolsPanel(Workbench& bench, QWidget* parent)
    : QWidget(parent), m_bench(bench), m_tools(bench.environment()) {
    m_result = makeField("resultaat");
    auto* groups = new QHBoxLayout;
    groups->addWidget(buildCalculator(), 1);
    groups->addWidget(buildSymbolic());
    groups->addWidget(buildBigIntegers());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(groups);
    column->addWidget(m_result);
}

QWidget* FormulaToolsPanel::button(const QString& caption, const char* name,
                                   bool (FormulaTools::*operation)(FormulaToolFields&)) {
    QPushButton* made = makeButton(caption, name);
    connect(made, &QPushButton::clicked, this, [this, operation] { run(operation); });
    return made;
}

QWidget* FormulaToolsPanel::buildCalculator() {
    m_formula = makeField("expressie");
    m_x = makeField("xwaarde");
    m_a = makeField("ondergrens");
    m_b = makeField("bovengrens");
    auto* group = new QGroupBox(QStringLiteral("Calculator"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(label("Expressie"), 0, 0);
    grid->addWidget(m_formula, 0, 1, 1, 4);
    grid->addWidget(label("x"), 1, 0);
    grid->addWidget(m_x, 1, 1);
    grid->addWidget(button(QStringLiteral("="), "bereken", &FormulaTools::calculate), 1, 2);
    grid->addWidget(label("helling"), 1, 3);
    grid->addWidget(button(QStringLiteral("="), "helling", &FormulaTools::slope), 1, 4);
    static constexpr const char* kFunctions[] = {"F", "G", "H", "I"};
    auto* functions = new QHBoxLayout;
    for (int k = 0; k < 4; ++k) {
        QPushButton* copy = makeButton(QString::fromLatin1(kFunctions[k]), kFunctions[k]);
        copy->setFixedWidth(28);
        connect(copy, &QPushButton::clicked, this,
                [this, k] { m_formula->setText(toQString(m_bench.settings().functions[k])); });
        functions->addWidget(copy);
    }
    grid->addLayout(functions, 2, 0, 1, 5);
    grid->addWidget(label("a"), 3, 0);
    grid->addWidget(m_a, 3, 1);
    grid->addWidget(label("b"), 3, 2);
    grid->addWidget(m_b, 3, 3);
    grid->addWidget(label("Integraal"), 4, 3);
    grid->addWidget(button(QStringLiteral("="), "integraal", &FormulaTools::integral), 4, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* FormulaToolsPanel::buildSymbolic() {
    m_variable = makeField("variabele", QStringLiteral("x"));
    m_order = new QComboBox;
    m_order->setObjectName(QStringLiteral("orde"));
    m_order->addItems({QStringLiteral("1e"), QStringLiteral("2e"), QStringLiteral("3e"),
                       QStringLiteral("4e"), QStringLiteral("5e")});
    QPushButton* toFormula = makeButton(QStringLiteral("=>expressie"), "naarExpressie");
    connect(toFormula, &QPushButton::clicked, this, [this] {
        FormulaToolFields current = fields();
        FormulaTools::resultToFormula(current);
        m_formula->setText(toQString(current.formula));
    });
    auto* group = new QGroupBox(QStringLiteral("symbolisch"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(label("variabele"), 0, 0);
    grid->addWidget(m_variable, 0, 1);
    grid->addWidget(m_order, 1, 0);
    grid->addWidget(button(QStringLiteral("Afgeleide"), "afgeleide", &FormulaTools::derivative), 1,
                    1);
    grid->addWidget(
        button(QStringLiteral("Primitieve"), "primitieve", &FormulaTools::antiderivative), 2, 1);
    grid->addWidget(
        button(QStringLiteral("Bep. Int."), "bepaaldeIntegraal", &FormulaTools::definiteIntegral),
        3, 1);
    grid->addWidget(toFormula, 4, 1);
    return group;
}

QWidget* FormulaToolsPanel::buildBigIntegers() {
    QPushButton* start = makeButton(QStringLiteral("start calculator"), "startCalculator");
    connect(start, &QPushButton::clicked, this, &FormulaToolsPanel::bigIntCalculatorRequested);
    auto* group = new QGroupBox(QStringLiteral("Grote gehele getallen"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(start);
    column->addStretch(1);
    return group;
}

FormulaToolFields FormulaToolsPanel::fields() const {
    return {toStdString(m_formula->text()),  toStdString(m_x->text()),
            toStdString(m_a->text()),        toStdString(m_b->text()),
            toStdString(m_variable->text()), toStdString(m_order->currentText()),
            toStdString(m_result->text())};
}

void FormulaToolsPanel::run(bool (FormulaTools::*operation)(FormulaToolFields&)) {
    FormulaToolFields current = fields();
    const bool done = (m_tools.*operation)(current);
    // An empty x has become "0" even when the formula then fails.
    m_x->setText(toQString(current.x));
    if (done) m_result->setText(toQString(current.result));
}

}  // namespace kalvor
