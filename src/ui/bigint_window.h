#pragma once

#include <QMainWindow>
#include <atomic>
#include <memory>
#include <vector>

#include "graph/bigint_calculator.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace kalvor {

class Host;

/// The big-integer calculator ("Grote gehele getallen"): the operand fields x, y and z, the
/// result memo, the operation buttons, and copying answers to the fields or the memory
/// register. The work itself is the BigIntCalculator's and runs on a thread of its own, so
/// that the window keeps repainting; "Afbreken" cancels it.
class BigIntWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit BigIntWindow(Host& host, QWidget* parent = nullptr);
    ~BigIntWindow() override;

    BigIntCalculator& calculator() { return m_calculator; }
    QLineEdit* xField() const { return m_x; }
    QLineEdit* yField() const { return m_y; }
    QLineEdit* zField() const { return m_z; }
    QPlainTextEdit* memo() const { return m_memo; }
    QComboBox* answerTarget() const { return m_answerTarget; }
    QComboBox* memoryTarget() const { return m_memoryTarget; }
    /// A computation is running.
    bool busy() const { return m_worker != nullptr; }

    /// Starts an operation as its button does.
    void start(BigIntOperation operation);
    /// "Afbreken".
    void cancel();

signals:
    /// A computation ended (finished or cancelled) and its result is shown.
    void finished();

private:
    QWidget* buildOperands();
    QWidget* buildButtons();
    QWidget* buildCopying();
    void addOperationButton(std::vector<QPushButton*>& into, const QString& caption,
                            const char* name, BigIntOperation operation);
    void workDone(std::optional<std::string> result, bool appends);
    void appendLine(const QString& line);
    void setBusy(bool busy);
    void copyAnswer();
    void copyMemory();
    QLineEdit* fieldNamed(const QString& name) const;

    Host& m_host;
    BigIntCalculator m_calculator;
    QLineEdit* m_x;
    QLineEdit* m_y;
    QLineEdit* m_z;
    QPlainTextEdit* m_memo;
    QComboBox* m_answerTarget;
    QComboBox* m_memoryTarget;
    QLabel* m_status;
    QPushButton* m_cancel;
    std::vector<QPushButton*> m_operationButtons;
    QThread* m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
};

}  // namespace kalvor
