#include "ui/font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>

namespace kalvor {

namespace {

struct NamedColour {
    const char* name;
    QRgb rgb;
};

constexpr NamedColour kStandardColours[] = {
    {"Zwart", 0x000000},      {"Kastanjebruin", 0x800000}, {"Groen", 0x008000},
    {"Olijfgroen", 0x808000}, {"Marineblauw", 0x000080},   {"Paars", 0x800080},
    {"Groenblauw", 0x008080}, {"Grijs", 0x808080},         {"Zilver", 0xC0C0C0},
    {"Rood", 0xFF0000},       {"Limoen", 0x00FF00},        {"Geel", 0xFFFF00},
    {"Blauw", 0x0000FF},      {"Fuchsia", 0xFF00FF},       {"Aqua", 0x00FFFF},
    {"Wit", 0xFFFFFF},
};

QIcon swatchIcon(const QColor& colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

}  // namespace

FontDialog::FontDialog(const FontChoice& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Lettertype"));
    m_family = new QFontComboBox;
    m_family->setCurrentFont(initial.font);
    m_initialFamily = initial.font.family();
    m_shownFamily = m_family->currentFont().family();
    m_size = new QComboBox;
    for (int size = kMinSize; size <= kMaxSize; ++size)
        m_size->addItem(QString::number(size), size);
    const int size = std::clamp(initial.font.pointSize(), kMinSize, kMaxSize);
    m_size->setCurrentIndex(size - kMinSize);
    m_bold = new QCheckBox(QStringLiteral("Vet"));
    m_bold->setChecked(initial.font.bold());
    m_italic = new QCheckBox(QStringLiteral("Cursief"));
    m_italic->setChecked(initial.font.italic());
    m_underline = new QCheckBox(QStringLiteral("Onderstreept"));
    m_underline->setChecked(initial.font.underline());
    m_colour = new QComboBox;
    for (const NamedColour& c : kStandardColours)
        m_colour->addItem(swatchIcon(QColor(c.rgb)), QString::fromUtf8(c.name), QColor(c.rgb));
    selectColour(initial.colour);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz 123"));
    m_sample->setMinimumHeight(48);
    m_sample->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Lettertype:"), m_family);
    form->addRow(QStringLiteral("Grootte:"), m_size);
    form->addRow(QStringLiteral("Stijl:"), m_bold);
    form->addRow(QString(), m_italic);
    form->addRow(QString(), m_underline);
    form->addRow(QStringLiteral("Kleur:"), m_colour);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_sample);
    column->addWidget(buttons);

    connect(m_family, &QFontComboBox::currentFontChanged, this, &FontDialog::showSample);
    connect(m_size, &QComboBox::currentIndexChanged, this, &FontDialog::showSample);
    connect(m_colour, &QComboBox::currentIndexChanged, this, &FontDialog::showSample);
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, &FontDialog::showSample);
    showSample();
}

// A colour outside the standard ones stays on offer, so that OK never changes it unasked.
void FontDialog::selectColour(const QColor& colour) {
    const QColor wanted = colour.isValid() ? colour : QColor(Qt::black);
    for (int i = 0; i < m_colour->count(); ++i) {
        if (m_colour->itemData(i).value<QColor>().rgb() == wanted.rgb()) {
            m_colour->setCurrentIndex(i);
            return;
        }
    }
    m_colour->addItem(swatchIcon(wanted), QStringLiteral("Eigen kleur"), wanted);
    m_colour->setCurrentIndex(m_colour->count() - 1);
}

FontChoice FontDialog::choice() const {
    QFont font = m_family->currentFont();
    // A family the combo shows under another name ("Arial" as its metric twin) stays as
    // it was named unless another one is chosen.
    if (font.family() == m_shownFamily) font.setFamily(m_initialFamily);
    font.setPointSize(m_size->currentData().toInt());
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    return {font, m_colour->currentData().value<QColor>()};
}

void FontDialog::showSample() {
    const FontChoice chosen = choice();
    m_sample->setFont(chosen.font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, chosen.colour);
    m_sample->setPalette(palette);
}

}  // namespace kalvor
