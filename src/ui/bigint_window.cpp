#include "ui/bigint_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <limits>

#include "expr/application_title.h"
#include "expr/host.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

constexpr int kButtonColumns = 4;
// Laying out one paragraph of tens of thousands of characters takes the memo a second;
// lines of this length keep showing a long result quick, and copying reads only digits.
constexpr qsizetype kLongLine = 4096;
constexpr qsizetype kMemoLineLength = 72;
const QString kBusyStatus = QStringLiteral("bezig met rekenen…");

QLineEdit* makeField(const QString& name, const QString& text) {
    auto* field = new QLineEdit(text);
    field->setObjectName(name);
    // The default limit of 32767 characters would cut a copied answer such as 15000!.
    field->setMaxLength(std::numeric_limits<int>::max());
    return field;
}

QComboBox* makeTargets(const QString& name, bool withMemory) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
    if (withMemory) box->addItem(QStringLiteral("mem"));
    return box;
}

QString inShortLines(QString text) {
    if (text.size() <= kLongLine || text.contains(QChar('\n'))) return text;
    QString lines;
    lines.reserve(text.size() + text.size() / kMemoLineLength + 1);
    for (qsizetype at = 0; at < text.size(); at += kMemoLineLength) {
        if (at > 0) lines += QChar('\n');
        lines += QStringView(text).mid(at, kMemoLineLength);
    }
    return lines;
}

}  // namespace

BigIntWindow::BigIntWindow(Host& host, QWidget* parent)
    : QMainWindow(parent), m_host(host), m_cancelled(std::make_shared<std::atomic<bool>>()) {
    setWindowTitle(QStringLiteral("Grote gehele getallen"));
    m_memo = new QPlainTextEdit;
    m_memo->setObjectName(QStringLiteral("uitkomst"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(buildOperands());
    column->addWidget(m_memo, 1);
    column->addWidget(buildButtons());
    column->addWidget(buildCopying());
    setCentralWidget(central);
    resize(560, 560);
}

BigIntWindow::~BigIntWindow() {
    // The work may still hold on to the window's queued lines: end it first.
    if (m_worker == nullptr) return;
    m_cancelled->store(true);
    m_worker->wait();
}

QWidget* BigIntWindow::buildOperands() {
    m_x = makeField(QStringLiteral("x"), QStringLiteral("841089964817326335954941433791"));
    m_y = makeField(QStringLiteral("y"), QStringLiteral("12"));
    m_z = makeField(QStringLiteral("z"), QString());
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QLineEdit*> rows[] = {{"x", m_x}, {"y", m_y}, {"z", m_z}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(label)), row, 0);
        grid->addWidget(field, row++, 1);
    }
    return box;
}

void BigIntWindow::addOperationButton(std::vector<QPushButton*>& into, const QString& caption,
                                      const char* name, BigIntOperation operation) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, [this, operation] { start(operation); });
    into.push_back(button);
}

QWidget* BigIntWindow::buildButtons() {
    using Op = BigIntOperation;
    struct Row {
        const char* caption;
        const char* name;
        Op operation;
    };
    static constexpr Row kRows[] = {
        {"x+y", "add", Op::Add},
        {"x-y", "subtract", Op::Subtract},
        {"x*y", "multiply", Op::Multiply},
        {"x div y", "divide", Op::Divide},
        {"x mod y", "modulo", Op::Modulo},
        {"x!", "factorial", Op::Factorial},
        {"x nCr y", "combinations", Op::Combinations},
        {"x nPr y", "permutations", Op::Permutations},
        {"x^y", "power", Op::Power},
        {"x^y (mod z)", "modPower", Op::ModPower},
        {"wortel", "squareRoot", Op::SquareRoot},
        {"kwadraat", "square", Op::Square},
        {"y-de machtswortel uit x", "nthRoot", Op::NthRoot},
        {"ggd(x,y)", "gcd", Op::Gcd},
        {"inv(x) mod y", "inverse", Op::Inverse},
        {"misschien priem?", "primeTest", Op::PrimeTest},
        {"factor", "factor", Op::Factor},
    };
    for (const Row& row : kRows)
        addOperationButton(m_operationButtons, QString::fromUtf8(row.caption), row.name,
                           row.operation);
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    // The long root caption takes two cells; a button that no longer fits starts a row.
    int row = 0;
    int column = 0;
    for (QPushButton* button : m_operationButtons) {
        const int span = button->objectName() == QStringLiteral("nthRoot") ? 2 : 1;
        if (column + span > kButtonColumns) {
            ++row;
            column = 0;
        }
        grid->addWidget(button, row, column, 1, span);
        column += span;
        if (button->objectName() == QStringLiteral("factorial"))
            button->setToolTip(toQString(kFactorialHint));
    }
    return box;
}

QWidget* BigIntWindow::buildCopying() {
    auto* copy = new QPushButton(QStringLiteral("antwoord kopieren naar"));
    copy->setObjectName(QStringLiteral("copyAnswer"));
    connect(copy, &QPushButton::clicked, this, &BigIntWindow::copyAnswer);
    m_answerTarget = makeTargets(QStringLiteral("answerTarget"), true);
    auto* memory = new QPushButton(QStringLiteral("geheugen kopieren  naar"));
    memory->setObjectName(QStringLiteral("copyMemory"));
    connect(memory, &QPushButton::clicked, this, &BigIntWindow::copyMemory);
    m_memoryTarget = makeTargets(QStringLiteral("memoryTarget"), false);
    auto* wipe = new QPushButton(QStringLiteral("Wis"));
    wipe->setObjectName(QStringLiteral("wipe"));
    connect(wipe, &QPushButton::clicked, m_memo, &QPlainTextEdit::clear);
    m_cancel = new QPushButton(QStringLiteral("Afbreken"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setEnabled(false);
    connect(m_cancel, &QPushButton::clicked, this, &BigIntWindow::cancel);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));

    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(copy, 0, 0);
    grid->addWidget(m_answerTarget, 0, 1);
    grid->addWidget(memory, 1, 0);
    grid->addWidget(m_memoryTarget, 1, 1);
    grid->addWidget(wipe, 0, 2);
    grid->addWidget(m_cancel, 1, 2);
    grid->addWidget(m_status, 2, 0, 1, 3);
    return box;
}

void BigIntWindow::start(BigIntOperation operation) {
    if (busy()) return;
    BigIntTask task;
    try {
        task = m_calculator.prepare(operation, {toStdString(m_x->text()), toStdString(m_y->text()),
                                                toStdString(m_z->text())});
    } catch (const NotAnInteger& error) {
        m_host.messageBox(kApplicationTitle, error.message, Host::Icon::Error);
        return;
    }
    if (!task.notice.empty())
        m_host.messageBox(kApplicationTitle, task.notice, Host::Icon::Information);
    if (!task.appends()) m_memo->setPlainText(toQString(task.busyText));
    m_cancelled->store(false);
    auto result = std::make_shared<std::optional<std::string>>();
    const Progress progress = [flag = m_cancelled] { return !flag->load(); };
    const LineWriter write = [this](const std::string& line) {
        QMetaObject::invokeMethod(
            this, [this, text = toQString(line)] { appendLine(text); }, Qt::QueuedConnection);
    };
    m_worker = QThread::create([work = std::move(task.work), progress, write, result] {
        *result = work(progress, write);
    });
    connect(m_worker, &QThread::finished, this, [this, result, appends = task.appends()] {
        m_worker->deleteLater();
        m_worker = nullptr;
        workDone(*result, appends);
    });
    setBusy(true);
    m_worker->start();
}

void BigIntWindow::cancel() {
    m_cancelled->store(true);
}

void BigIntWindow::workDone(std::optional<std::string> result, bool appends) {
    setBusy(false);
    const QString cancelled = QStringLiteral("afgebroken");
    if (appends) {
        if (!result) appendLine(cancelled);
    } else {
        m_memo->setPlainText(result ? inShortLines(toQString(*result)) : cancelled);
    }
    emit finished();
}

void BigIntWindow::appendLine(const QString& line) {
    m_memo->appendPlainText(line);
}

void BigIntWindow::setBusy(bool busy) {
    for (QPushButton* button : m_operationButtons)
        button->setEnabled(!busy);
    m_cancel->setEnabled(busy);
    m_status->setText(busy ? kBusyStatus : QString());
}

QLineEdit* BigIntWindow::fieldNamed(const QString& name) const {
    if (name == QStringLiteral("y")) return m_y;
    if (name == QStringLiteral("z")) return m_z;
    return m_x;
}

void BigIntWindow::copyAnswer() {
    const std::string digits = BigIntCalculator::answerDigits(toStdString(m_memo->toPlainText()));
    if (m_answerTarget->currentText() == QStringLiteral("mem"))
        m_calculator.setMemory(digits);
    else
        fieldNamed(m_answerTarget->currentText())->setText(toQString(digits));
}

void BigIntWindow::copyMemory() {
    fieldNamed(m_memoryTarget->currentText())->setText(toQString(m_calculator.memory()));
}

}  // namespace kalvor
