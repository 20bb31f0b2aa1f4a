#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "desktop_fixture.h"
#include "ui/bigint_window.h"
#include "ui/formula_tools_panel.h"

namespace kalvor {
namespace {

using test::DesktopFixture;

class FormulaToolsTest : public DesktopFixture {
protected:
    FormulaToolsPanel& panel() { return *editor().formulaTools(); }
    QLineEdit* field(const char* name) { return panel().findChild<QLineEdit*>(name); }
    void click(const char* name) {
        auto* button = panel().findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void fill(const char* formula, const char* x, const char* a = "", const char* b = "") {
        field("expressie")->setText(QString::fromUtf8(formula));
        field("xwaarde")->setText(QString::fromUtf8(x));
        field("ondergrens")->setText(QString::fromUtf8(a));
        field("bovengrens")->setText(QString::fromUtf8(b));
    }
    QString result() { return panel().resultLine()->text(); }
};

TEST_F(FormulaToolsTest, NumericToolsShowTheirResults) {
    const struct Row {
        const char *formula, *x, *a, *b, *button, *result, *xAfter;
    } rows[] = {
        {"x^2", "", "", "", "bereken", "0", "0"},
        {"sin(x)", "pi/2", "", "", "bereken", "1", "pi/2"},
        {"3*x+1", "2", "", "", "bereken", "7", "2"},
        {"x^3", "1", "", "", "helling", "3", "1"},
        {"x/3", "5", "", "", "helling", "0.33333", "5"},
        {"x^2", "", "", "", "helling", "0", "0"},
        {"sqrt(x)", "0.25", "", "", "helling", "1", "0.25"},
        {"x^2", "", "0", "3", "integraal", "9", ""},
        {"x^2", "", "3", "0", "integraal", "-9", ""},
        {"sin(x)", "", "0", "pi", "integraal", "2", ""},
    };
    for (const Row& row : rows) {
        fill(row.formula, row.x, row.a, row.b);
        click(row.button);
        EXPECT_EQ(result().toStdString(), row.result) << row.formula << " " << row.button;
        EXPECT_EQ(field("xwaarde")->text().toStdString(), row.xAfter) << row.formula;
    }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(FormulaToolsTest, ToolsComputeWithTheProgramsVariables) {
    bench().environment().setVariable("k", 4);
    fill("k*x", "3");
    click("bereken");
    EXPECT_EQ(result(), "12");
    fill("k*x", "k");
    click("helling");
    EXPECT_EQ(result(), "4");
}

TEST_F(FormulaToolsTest, FieldErrorsShowTheMessageAndKeepTheResult) {
    panel().resultLine()->setText(QStringLiteral("41"));
    const struct Row {
        const char *formula, *x, *a, *button, *message;
    } rows[] = {
        {"x^", "1", "", "bereken", "Kalvor kan de uitdrukking: \rx^\rniet verwerken."},
        {"x", "2+", "", "bereken", "Kalvor kan de uitdrukking: \r2+\rniet verwerken."},
        {"onbekend*x", "1", "", "helling",
         "Kalvor kan de uitdrukking: \ronbekend*x\rniet verwerken."},
        {"x", "1", "(", "integraal", "Kalvor kan de uitdrukking: \r(\rniet verwerken."},
    };
    for (const Row& row : rows) {
        host.boxes.clear();
        fill(row.formula, row.x, row.a, "1");
        click(row.button);
        EXPECT_EQ(result(), "41") << row.formula;
        ASSERT_EQ(host.boxes.size(), 1u) << row.formula;
        EXPECT_EQ(host.boxes[0].caption, "Oeps");
        EXPECT_EQ(host.boxes[0].text, row.message);
    }
}

TEST_F(FormulaToolsTest, SymbolicButtonsSendTheirCommandTexts) {
    std::vector<std::string> sent;
    panel().tools().setSymbolic([&sent](std::string_view command) {
        sent.emplace_back(command);
        return "antwoord " + std::to_string(sent.size());
    });
    auto* order = panel().findChild<QComboBox*>("orde");
    EXPECT_EQ(order->currentText(), "1e");
    EXPECT_EQ(field("variabele")->text(), "x");
    fill("x^3", "", "0", "pi");
    order->setCurrentText(QStringLiteral("2e"));
    click("afgeleide");
    EXPECT_EQ(result(), "antwoord 1");
    order->setCurrentText(QStringLiteral("5e"));
    field("variabele")->setText(QStringLiteral("t"));
    click("afgeleide");
    click("primitieve");
    click("bepaaldeIntegraal");
    EXPECT_EQ(sent, (std::vector<std::string>{"diff(x^3,x,2)", "diff(x^3,t,5)", "int(x^3,t)",
                                              "int(x^3,t,0,pi)"}));
    click("naarExpressie");
    EXPECT_EQ(field("expressie")->text(), "antwoord 4");
}

TEST_F(FormulaToolsTest, SymbolicLibraryAnswersAreShownAsTheyCome) {
    const struct Row {
        const char *formula, *order, *button, *answer;
    } rows[] = {{"x^3", "2e", "afgeleide", "6*x"}, {"x^3", "1e", "afgeleide", "3*x^2"}};
    for (const Row& row : rows) {
        fill(row.formula, "");
        panel().findChild<QComboBox*>("orde")->setCurrentText(QString::fromLatin1(row.order));
        click(row.button);
        EXPECT_EQ(result().toStdString(), row.answer) << row.formula;
    }
    // The answer compiles as a formula: copied back and evaluated.
    click("naarExpressie");
    field("xwaarde")->setText(QStringLiteral("2"));
    click("bereken");
    EXPECT_EQ(result(), "12");
}

TEST_F(FormulaToolsTest, FunctionButtonsCopyTheGraphFormulas) {
    const char* names[] = {"F", "G", "H", "I"};
    for (int k = 0; k < 4; ++k)
        bench().settings().functions[k] = "x+" + std::to_string(k);
    for (int k = 0; k < 4; ++k) {
        click(names[k]);
        EXPECT_EQ(field("expressie")->text().toStdString(), "x+" + std::to_string(k));
    }
}

TEST_F(FormulaToolsTest, StartCalculatorShowsTheBigIntegerWindow) {
    EXPECT_FALSE(desktop->bigIntWindow().isVisible());
    click("startCalculator");
    EXPECT_TRUE(desktop->bigIntWindow().isVisible());
    EXPECT_EQ(desktop->bigIntWindow().windowTitle(), "Grote gehele getallen");
}

}  // namespace
}  // namespace kalvor
