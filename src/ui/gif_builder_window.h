#pragma once

#include <QColor>
#include <QWidget>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalvor {

class Dialogs;
class Host;

/// The animated-GIF builder: joins the listed GIF and BMP files into one looping GIF. The
/// input list is the one that opslaangif and opslaanbmp fill, so that a program's frames
/// are listed here after its run.
class GifBuilderWindow : public QWidget {
    Q_OBJECT

public:
    GifBuilderWindow(std::vector<std::string>& inputs, Host& host, Dialogs& dialogs,
                     QWidget* parent = nullptr);

    QLineEdit* outputEdit() const { return m_output; }
    QListWidget* inputList() const { return m_inputs; }
    QLineEdit* delayEdit() const { return m_delay; }
    QCheckBox* transparentBox() const { return m_transparent; }
    QPushButton* colourSwatch() const { return m_colourSwatch; }
    QLabel* progressLabel() const { return m_progress; }
    QColor transparentColour() const { return m_colour; }
    /// The button with this caption ("&Browse...", "GO!", "Exit" …).
    QPushButton* button(const QString& caption) const;

public slots:
    /// Shows the input list as the programs and the person left it.
    void refreshInputs();
    void browse();
    void addInputs();
    void removeInput();
    void clearInputs();
    void sortInputs();
    void chooseColour();
    /// "GO!": builds the file and shows the result message.
    void go();

private:
    QPushButton* addButton(const QString& caption, void (GifBuilderWindow::*slot)());
    void showProgress(int percent);
    void paintSwatch();

    std::vector<std::string>& m_list;
    Host& m_host;
    Dialogs& m_dialogs;
    QLineEdit* m_output;
    QListWidget* m_inputs;
    QLineEdit* m_delay;
    QCheckBox* m_transparent;
    QPushButton* m_colourSwatch;
    QLabel* m_progress;
    QColor m_colour = Qt::white;
    std::vector<QPushButton*> m_buttons;
};

}  // namespace kalvor
