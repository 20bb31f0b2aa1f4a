#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvor {

struct ProgramControls;
class Workbench;

/// The row below the sliders with what programs put on the graph window: the three user
/// boxes with their labels, the selection list and the continue button of `stop`. It shows
/// the program's controls and writes what the person types or chooses back into them, so
/// that the texts and the choice survive the redraws.
class ProgramControlsView : public QWidget {
    Q_OBJECT

public:
    explicit ProgramControlsView(Workbench& bench, QWidget* parent = nullptr);

    QLineEdit* box(int index) const { return m_boxes[index]; }
    QLabel* boxLabel(int index) const { return m_labels[index]; }
    QComboBox* selectionList() const { return m_selection; }
    QPushButton* continueButton() const { return m_continue; }

public slots:
    /// Shows the controls as the program left them.
    void refresh();

private:
    void refreshBoxes();
    void refreshSelection();

    Workbench& m_bench;
    ProgramControls& m_controls;
    std::array<QLineEdit*, 3> m_boxes{};
    std::array<QLabel*, 3> m_labels{};
    QComboBox* m_selection = nullptr;
    QPushButton* m_continue = nullptr;
};

}  // namespace kalvor
