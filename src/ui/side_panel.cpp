#include "ui/side_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/swatch_widget.h"

namespace kalvor {

namespace {

const QString kFunctionSwatchHint = QStringLiteral("Linkermuisknop:Kleur; Rechtermuisknop: dikte");
const QString kAxisSwatchHint = QStringLiteral("Linkermuisknop: Kleur; Rechtermuisknop: dikte");

void showSwatch(SwatchWidget* widget, const Swatch& swatch) {
    widget->setColour(swatch.colour);
    widget->setLineWidth(swatch.width);
    widget->setEnabled(swatch.enabled);
}

// A part of the panel: a widget with a grid that has no margins of its own.
QGridLayout* newPart(QWidget*& part) {
    part = new QWidget;
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    return grid;
}

QLabel* captionLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

}  // namespace

SidePanel::SidePanel(GraphSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    setObjectName(QStringLiteral("zijpaneel"));
    // Two columns, so that the panel is no taller than the canvas at its start size.
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 4, 6, 4);
    auto* formulas = new QVBoxLayout;
    formulas->addWidget(buildFunctions());
    formulas->addWidget(buildRange());
    formulas->addWidget(buildLabels());
    formulas->addStretch(1);
    auto* drawing = new QVBoxLayout;
    drawing->addWidget(buildAxes());
    drawing->addWidget(buildReadout());
    drawing->addStretch(1);
    m_redraw = new QPushButton(QStringLiteral("Weer Tekenen"));
    m_redraw->setObjectName(QStringLiteral("weerTekenen"));
    m_redraw->setDefault(true);
    connect(m_redraw, &QPushButton::clicked, this, &SidePanel::redrawRequested);
    m_font = new QPushButton(QStringLiteral("font"));
    m_font->setObjectName(QStringLiteral("lettertype"));
    connect(m_font, &QPushButton::clicked, this, &SidePanel::fontRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_font);
    buttons->addWidget(m_redraw, 1);
    drawing->addLayout(buttons);
    columns->addLayout(formulas, 3);
    columns->addSpacing(8);
    columns->addLayout(drawing, 2);
    refresh();
}

QLineEdit* SidePanel::makeEdit(std::string* text) {
    auto* edit = new QLineEdit;
    connect(edit, &QLineEdit::textEdited, this,
            [text](const QString& typed) { *text = toStdString(typed); });
    m_textBindings.emplace_back(edit, text);
    return edit;
}

QCheckBox* SidePanel::makeCheck(const QString& caption, bool* value) {
    auto* box = new QCheckBox(caption);
    connect(box, &QCheckBox::clicked, this, [value](bool checked) { *value = checked; });
    m_checkBindings.emplace_back(box, value);
    return box;
}

SwatchWidget* SidePanel::makeSwatch(SwatchKind kind, int index, const QString& hint) {
    auto* swatch = new SwatchWidget;
    swatch->setToolTip(hint);
    connect(swatch, &SwatchWidget::released, this, [this, kind, index](Qt::MouseButton button) {
        emit swatchClicked(kind, index, button);
    });
    return swatch;
}

QWidget* SidePanel::buildFunctions() {
    QWidget* box = nullptr;
    QGridLayout* grid = newPart(box);
    const char* names[] = {"F", "G", "H", "I"};
    for (int i = 0; i < 4; ++i) {
        m_functions[i] = makeEdit(&m_settings.functions[i]);
        m_functions[i]->setObjectName(QStringLiteral("functie") + names[i]);
        m_functionSwatches[i] = makeSwatch(SwatchKind::Function, i, kFunctionSwatchHint);
        m_functionSwatches[i]->setObjectName(QStringLiteral("kleur") + names[i]);
        grid->addWidget(captionLabel(QString(names[i]) + QStringLiteral("(x)=")), i, 0);
        grid->addWidget(m_functions[i], i, 1);
        grid->addWidget(m_functionSwatches[i], i, 2);
        connect(m_functions[i], &QLineEdit::returnPressed, this, &SidePanel::redrawRequested);
    }
    m_functions[0]->setToolTip(QStringLiteral("B.v. 3*x^2 (zonder y=)"));
    auto* help = new QLabel(QStringLiteral("<a href=\"#\">Hoe voer je een functie in?</a>"));
    help->setObjectName(QStringLiteral("functieHulp"));
    help->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(help, &QLabel::linkActivated, this, &SidePanel::formulaHelpRequested);
    grid->addWidget(help, 4, 0, 1, 3);
    return box;
}

QWidget* SidePanel::buildRange() {
    QWidget* box = nullptr;
    QGridLayout* grid = newPart(box);
    const char* names[] = {"xmin", "xmax", "ymin", "ymax"};
    std::string* texts[] = {&m_settings.xmin, &m_settings.xmax, &m_settings.ymin, &m_settings.ymax};
    for (int i = 0; i < 4; ++i) {
        m_range[i] = makeEdit(texts[i]);
        m_range[i]->setObjectName(names[i]);
        connect(m_range[i], &QLineEdit::returnPressed, this, &SidePanel::redrawRequested);
        grid->addWidget(captionLabel(names[i]), i / 2, (i % 2) * 2);
        grid->addWidget(m_range[i], i / 2, (i % 2) * 2 + 1);
    }
    return box;
}

QWidget* SidePanel::buildLabels() {
    QWidget* box = nullptr;
    QGridLayout* grid = newPart(box);
    m_showXLabel = makeCheck(QStringLiteral("label x-as"), &m_settings.showXLabel);
    m_showXLabel->setObjectName(QStringLiteral("toonxlabel"));
    m_xlabel = makeEdit(&m_settings.xlabel);
    m_xlabel->setObjectName(QStringLiteral("xlabel"));
    m_showYLabel = makeCheck(QStringLiteral("label y-as"), &m_settings.showYLabel);
    m_showYLabel->setObjectName(QStringLiteral("toonylabel"));
    m_ylabel = makeEdit(&m_settings.ylabel);
    m_ylabel->setObjectName(QStringLiteral("ylabel"));
    grid->addWidget(m_showXLabel, 0, 0);
    grid->addWidget(m_xlabel, 0, 1);
    grid->addWidget(m_showYLabel, 1, 0);
    grid->addWidget(m_ylabel, 1, 1);
    return box;
}

QWidget* SidePanel::buildAxes() {
    auto* group = new QGroupBox(QStringLiteral("Assen"));
    auto* grid = new QGridLayout(group);
    const QString captions[] = {QStringLiteral("aan de zijden"), QStringLiteral("in het midden"),
                                QStringLiteral("geen")};
    const AxisStyle styles[] = {AxisStyle::Sides, AxisStyle::Middle, AxisStyle::None};
    auto* buttons = new QButtonGroup(group);
    for (int i = 0; i < 3; ++i) {
        m_axes[i] = new QRadioButton(captions[i]);
        buttons->addButton(m_axes[i]);
        connect(m_axes[i], &QRadioButton::clicked, this,
                [this, style = styles[i]] { chooseAxes(style); });
        grid->addWidget(m_axes[i], i, 0, 1, 2);
    }
    m_grid = makeCheck(QStringLiteral("rooster"), &m_settings.grid);
    m_ticks = makeCheck(QStringLiteral("streepjes"), &m_settings.ticks);
    m_numbers = makeCheck(QStringLiteral("getallen"), &m_settings.numbers);
    grid->addWidget(m_grid, 0, 2);
    grid->addWidget(m_ticks, 1, 2);
    grid->addWidget(m_numbers, 2, 2);
    m_axisSwatch = makeSwatch(SwatchKind::Axis, 0, kAxisSwatchHint);
    m_axisSwatch->setObjectName(QStringLiteral("askleur"));
    m_gridSwatch = makeSwatch(SwatchKind::Grid, 0, QStringLiteral("Roosterkleur"));
    m_gridSwatch->setObjectName(QStringLiteral("roosterkleur"));
    auto* swatches = new QHBoxLayout;
    swatches->addWidget(new QLabel(QStringLiteral("as")));
    swatches->addWidget(m_axisSwatch);
    swatches->addSpacing(12);
    swatches->addWidget(new QLabel(QStringLiteral("rooster")));
    swatches->addWidget(m_gridSwatch);
    swatches->addStretch(1);
    grid->addLayout(swatches, 3, 0, 1, 3);
    return group;
}

QWidget* SidePanel::buildReadout() {
    QWidget* box = nullptr;
    QGridLayout* grid = newPart(box);
    m_fillSwatch = makeSwatch(SwatchKind::Fill, 0,
                              QStringLiteral("Linker muisknop:Vulpatroon; rechtermuisknop:kleur"));
    m_fillSwatch->setObjectName(QStringLiteral("vulkleur"));
    auto* fillCaption = new QLabel(QStringLiteral("vulpatroon"));
    fillCaption->setToolTip(QStringLiteral("Rechtermuisknop op de tekening vult een gebied"));
    auto* fill = new QHBoxLayout;
    fill->addWidget(fillCaption);
    fill->addWidget(m_fillSwatch);
    fill->addStretch(1);
    grid->addLayout(fill, 0, 0, 1, 2);
    m_doubleSize = makeCheck(QStringLiteral("2x zo groot"), &m_settings.metafileFullSize);
    m_doubleSize->setObjectName(QStringLiteral("dubbel"));
    m_doubleSize->setToolTip(QStringLiteral("Metafile op volle grootte"));
    grid->addWidget(m_doubleSize, 1, 0, 1, 2);
    m_widthLabel = new QLabel;
    m_widthLabel->setObjectName(QStringLiteral("breedte"));
    m_heightLabel = new QLabel;
    m_heightLabel->setObjectName(QStringLiteral("hoogte"));
    grid->addWidget(m_widthLabel, 2, 0, 1, 2);
    grid->addWidget(m_heightLabel, 3, 0, 1, 2);
    return box;
}

void SidePanel::chooseAxes(AxisStyle style) {
    m_settings.axes = style;
    refresh();
}

void SidePanel::refresh() {
    for (auto [edit, text] : m_textBindings) {
        const QString shown = toQString(*text);
        if (edit->text() != shown) edit->setText(shown);
    }
    for (auto [box, value] : m_checkBindings)
        box->setChecked(*value);
    const AxisStyle styles[] = {AxisStyle::Sides, AxisStyle::Middle, AxisStyle::None};
    for (int i = 0; i < 3; ++i)
        m_axes[i]->setChecked(m_settings.axes == styles[i]);
    // Grid, ticks and numbers belong to the axes through the origin only.
    const bool middle = m_settings.axes == AxisStyle::Middle;
    for (QCheckBox* box : {m_grid, m_ticks, m_numbers})
        box->setEnabled(middle);
    for (int i = 0; i < 4; ++i)
        showSwatch(m_functionSwatches[i], m_settings.functionSwatches[i]);
    showSwatch(m_axisSwatch, m_settings.axisSwatch);
    showSwatch(m_gridSwatch, m_settings.gridSwatch);
    m_fillSwatch->setColour(m_settings.fillSwatch.colour);
    m_fillSwatch->setBrushStyle(m_settings.fillSwatch.pattern);
}

void SidePanel::setSizeTexts(const QString& width, const QString& height) {
    m_widthLabel->setText(width);
    m_heightLabel->setText(height);
}

}  // namespace kalvor
