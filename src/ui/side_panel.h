#pragma once

#include <QWidget>
#include <array>

#include "graph/graph_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvor {

class SwatchWidget;

/// The side panel of the graph window: the formula fields F–I with their swatches, the
/// range, the axis labels, the "Assen" group, the fill swatch, "2x zo groot", the size
/// readout and "Weer Tekenen". Typing and ticking write straight into the GraphSettings;
/// refresh() shows them again after the core changed them.
class SidePanel : public QWidget {
    Q_OBJECT

public:
    enum class SwatchKind { Function, Axis, Grid, Fill };

    explicit SidePanel(GraphSettings& settings, QWidget* parent = nullptr);

    /// Shows the settings; fields the person is typing in keep their caret.
    void refresh();
    void setSizeTexts(const QString& width, const QString& height);

    QLineEdit* functionEdit(int index) const { return m_functions[index]; }
    QLineEdit* rangeEdit(int index) const { return m_range[index]; }  // xmin xmax ymin ymax
    SwatchWidget* functionSwatch(int index) const { return m_functionSwatches[index]; }
    SwatchWidget* axisSwatch() const { return m_axisSwatch; }
    SwatchWidget* gridSwatch() const { return m_gridSwatch; }
    SwatchWidget* fillSwatch() const { return m_fillSwatch; }
    QPushButton* redrawButton() const { return m_redraw; }
    QPushButton* fontButton() const { return m_font; }
    QCheckBox* doubleSizeBox() const { return m_doubleSize; }
    QLabel* widthLabel() const { return m_widthLabel; }
    QLabel* heightLabel() const { return m_heightLabel; }

signals:
    void redrawRequested();
    void fontRequested();
    void swatchClicked(SidePanel::SwatchKind kind, int index, Qt::MouseButton button);
    void formulaHelpRequested();

private:
    QWidget* buildFunctions();
    QWidget* buildRange();
    QWidget* buildLabels();
    QWidget* buildAxes();
    QWidget* buildReadout();
    SwatchWidget* makeSwatch(SwatchKind kind, int index, const QString& hint);
    QLineEdit* makeEdit(std::string* text);
    QCheckBox* makeCheck(const QString& caption, bool* value);
    void chooseAxes(AxisStyle style);

    GraphSettings& m_settings;
    std::array<QLineEdit*, 4> m_functions{};
    std::array<SwatchWidget*, 4> m_functionSwatches{};
    std::array<QLineEdit*, 4> m_range{};
    QLineEdit* m_xlabel = nullptr;
    QLineEdit* m_ylabel = nullptr;
    QCheckBox* m_showXLabel = nullptr;
    QCheckBox* m_showYLabel = nullptr;
    std::array<QRadioButton*, 3> m_axes{};  // sides, middle, none
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_ticks = nullptr;
    QCheckBox* m_numbers = nullptr;
    SwatchWidget* m_axisSwatch = nullptr;
    SwatchWidget* m_gridSwatch = nullptr;
    SwatchWidget* m_fillSwatch = nullptr;
    QCheckBox* m_doubleSize = nullptr;
    QLabel* m_widthLabel = nullptr;
    QLabel* m_heightLabel = nullptr;
    QPushButton* m_redraw = nullptr;
    QPushButton* m_font = nullptr;
    // Edit and check box ↔ the settings value it edits, for refresh().
    std::vector<std::pair<QLineEdit*, std::string*>> m_textBindings;
    std::vector<std::pair<QCheckBox*, bool*>> m_checkBindings;
};

}  // namespace kalvor
