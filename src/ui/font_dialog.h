#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;

namespace kalvor {

/// A font with the colour its text is drawn in, as the font dialog edits them.
struct FontChoice {
    QFont font;
    QColor colour;
};

/// The font dialog of the graph window: family, the sizes 6 to 24, bold, italic,
/// underlined, and the text colour from the sixteen standard colours (or the colour the
/// font already has), with a sample line.
class FontDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinSize = 6, kMaxSize = 24;

    FontDialog(const FontChoice& initial, QWidget* parent = nullptr);

    FontChoice choice() const;

    QComboBox* sizeBox() const { return m_size; }
    QComboBox* colourBox() const { return m_colour; }

private:
    void selectColour(const QColor& colour);
    void showSample();

    QFontComboBox* m_family;
    QComboBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QComboBox* m_colour;
    QLabel* m_sample;
    QString m_initialFamily, m_shownFamily;
};

}  // namespace kalvor
