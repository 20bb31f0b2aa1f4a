#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "desktop_fixture.h"
#include "ui/bigint_window.h"

namespace kalvor {
namespace {

using test::DesktopFixture;

class BigIntWindowTest : public DesktopFixture {
protected:
    void SetUp() override {
        DesktopFixture::SetUp();
        window().show();
    }
    BigIntWindow& window() { return desktop->bigIntWindow(); }
    QPushButton* button(const char* name) { return window().findChild<QPushButton*>(name); }
    // Clicks and waits for the work to end, the window repainting meanwhile.
    void press(const char* name) {
        QPushButton* pressed = button(name);
        ASSERT_NE(pressed, nullptr) << name;
        pressed->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window().busy(), 30000);
        settle();
    }
    void operands(const char* x, const char* y = "", const char* z = "") {
        window().xField()->setText(QString::fromUtf8(x));
        window().yField()->setText(QString::fromUtf8(y));
        window().zField()->setText(QString::fromUtf8(z));
    }
    std::string memo() { return window().memo()->toPlainText().toStdString(); }
};

TEST_F(BigIntWindowTest, StartsWithItsFieldsAndTargets) {
    EXPECT_EQ(
        (QStringList{window().windowTitle(), window().xField()->text(), window().yField()->text(),
                     window().zField()->text(), window().answerTarget()->currentText(),
                     window().memoryTarget()->currentText(), button("factorial")->toolTip()}),
        (QStringList{"Grote gehele getallen", "841089964817326335954941433791", "12", "", "x", "x",
                     "Factorials limited to 3000!"}));
    EXPECT_EQ(std::pair(window().answerTarget()->count(), window().memoryTarget()->count()),
              std::pair(4, 3));
    EXPECT_FALSE(button("cancel")->isEnabled());
}

TEST_F(BigIntWindowTest, ButtonsShowResults) {
    const struct Row {
        const char *button, *x, *y, *z, *memo;
    } rows[] = {
        {"add", "1", "2", "", "3"},
        {"combinations", "5", "7", "", "0"},
        {"combinations", "5", "0", "", "1"},
        {"combinations", "52", "5", "", "2.598.960"},
        {"inverse", "2", "4", "", "0"},
        {"modPower", "4", "13", "497", "445"},
        {"primeTest", "1000003", "", "", "misschien priem"},
    };
    for (const Row& row : rows) {
        operands(row.x, row.y, row.z);
        press(row.button);
        EXPECT_EQ(memo(), row.memo) << row.button << " " << row.x;
    }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(BigIntWindowTest, FactorialAboveTheLimitSaysSoAndComputes15000) {
    operands("20000");
    press("factorial");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Input truncated to 15000");
    BigInt expected;
    mpz_fac_ui(expected.get(), 15000);
    // Shown in lines, which copying the answer ignores.
    EXPECT_EQ(window().memo()->toPlainText().remove('\n').toStdString(), expected.toString("."));
    EXPECT_GT(window().memo()->blockCount(), 1000);
    window().answerTarget()->setCurrentText(QStringLiteral("y"));
    button("copyAnswer")->click();
    EXPECT_EQ(window().yField()->text().toStdString(), expected.toString());
}

TEST_F(BigIntWindowTest, FactorLinesAreAppended) {
    window().memo()->setPlainText(QStringLiteral("eerder"));
    operands("360");
    press("factor");
    EXPECT_EQ(memo(), "eerder\nkleine factoren uitdelen\n2^3\n3^2\n5^1\nklaar");
    button("wipe")->click();
    operands("8000000056");  // 8 * 1000000007
    press("factor");
    EXPECT_EQ(memo(), "kleine factoren uitdelen\n2^3\n1000000007\nklaar");
}

TEST_F(BigIntWindowTest, NonNumericIntegerFieldShowsAnErrorAndNoResult) {
    window().memo()->setPlainText(QStringLiteral("vorig"));
    operands("5", "twee");
    button("combinations")->click();
    EXPECT_FALSE(window().busy());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "'twee' is geen geldig geheel getal.");
    EXPECT_EQ(memo(), "vorig");
}

TEST_F(BigIntWindowTest, AnswersGoToFieldsAndMemory) {
    window().memo()->setPlainText(QStringLiteral("-1.234"));
    window().answerTarget()->setCurrentText(QStringLiteral("mem"));
    button("copyAnswer")->click();
    EXPECT_EQ(window().calculator().memory(), "1234");
    window().answerTarget()->setCurrentText(QStringLiteral("z"));
    button("copyAnswer")->click();
    EXPECT_EQ(window().zField()->text(), "1234");
    window().memoryTarget()->setCurrentText(QStringLiteral("y"));
    button("copyMemory")->click();
    EXPECT_EQ(window().yField()->text(), "1234");
    // The register outlives closing the window.
    window().close();
    window().show();
    EXPECT_EQ(window().calculator().memory(), "1234");
}

TEST_F(BigIntWindowTest, LongWorkCanBeCancelledWhileTheWindowResponds) {
    // The primes after 10^25 and 10^40: rho needs far longer than the test.
    operands("100000000000000000000000130000000000001210000000000000000000001573");
    button("factor")->click();
    EXPECT_TRUE(window().busy());
    EXPECT_TRUE(button("cancel")->isEnabled());
    EXPECT_FALSE(button("add")->isEnabled());
    QTest::qWait(200);
    EXPECT_TRUE(window().busy());
    button("cancel")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window().busy(), 10000);
    EXPECT_EQ(window().memo()->toPlainText().split('\n').last(), "afgebroken");
    EXPECT_TRUE(button("add")->isEnabled());
}

}  // namespace
}  // namespace kalvor
