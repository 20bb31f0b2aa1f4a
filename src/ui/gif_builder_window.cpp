#include "ui/gif_builder_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "expr/host.h"
#include "output/animated_gif.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

const QString kCaption = QStringLiteral("Animated Gif maken");

Color colourOf(const QColor& colour) {
    return makeColor(colour.red(), colour.green(), colour.blue());
}

}  // namespace

GifBuilderWindow::GifBuilderWindow(std::vector<std::string>& inputs, Host& host, Dialogs& dialogs,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_list(inputs), m_host(host), m_dialogs(dialogs) {
    setWindowTitle(kCaption);
    m_output = new QLineEdit;
    m_output->setObjectName(QStringLiteral("editOutput"));
    m_inputs = new QListWidget;
    m_inputs->setObjectName(QStringLiteral("lbInput"));
    m_delay = new QLineEdit(QStringLiteral("10"));
    m_delay->setObjectName(QStringLiteral("delay"));
    m_transparent = new QCheckBox(QStringLiteral("Transparent"));
    m_transparent->setChecked(true);
    m_colourSwatch = new QPushButton;
    m_colourSwatch->setObjectName(QStringLiteral("transparentcolor"));
    m_colourSwatch->setFixedSize(40, 20);
    m_colourSwatch->setFlat(true);
    m_colourSwatch->setAutoFillBackground(true);
    connect(m_colourSwatch, &QPushButton::clicked, this, &GifBuilderWindow::chooseColour);
    paintSwatch();
    m_progress = new QLabel(QStringLiteral("0% Compleet"));
    m_progress->setObjectName(QStringLiteral("lblProgress"));
    m_progress->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Output File:")), 0, 0);
    grid->addWidget(m_output, 0, 1);
    grid->addWidget(addButton(QStringLiteral("&Browse..."), &GifBuilderWindow::browse), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Input Files (gif or bmp):")), 1, 0, 1, 2);
    grid->addWidget(m_inputs, 2, 0, 5, 2);
    grid->addWidget(addButton(QStringLiteral("&Toevoegen..."), &GifBuilderWindow::addInputs), 2, 2);
    grid->addWidget(addButton(QStringLiteral("&Verwijderen"), &GifBuilderWindow::removeInput), 3,
                    2);
    grid->addWidget(addButton(QStringLiteral("&Wissen"), &GifBuilderWindow::clearInputs), 4, 2);
    grid->addWidget(addButton(QStringLiteral("&Sorteren"), &GifBuilderWindow::sortInputs), 5, 2);
    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("delay")));
    options->addWidget(m_delay);
    options->addWidget(m_transparent);
    options->addWidget(new QLabel(QStringLiteral("transparentcolor")));
    options->addWidget(m_colourSwatch);
    options->addStretch(1);
    grid->addLayout(options, 7, 0, 1, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_progress);
    bottom->addStretch(1);
    QPushButton* go = addButton(QStringLiteral("GO!"), &GifBuilderWindow::go);
    go->setDefault(true);
    bottom->addWidget(go);
    QPushButton* exit = addButton(QStringLiteral("Exit"), nullptr);
    exit->setShortcut(Qt::Key_Escape);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(exit);
    grid->addLayout(bottom, 8, 0, 1, 3);
    refreshInputs();
}

QPushButton* GifBuilderWindow::addButton(const QString& caption, void (GifBuilderWindow::*slot)()) {
    auto* button = new QPushButton(caption);
    if (slot) connect(button, &QPushButton::clicked, this, slot);
    m_buttons.push_back(button);
    return button;
}

QPushButton* GifBuilderWindow::button(const QString& caption) const {
    for (QPushButton* b : m_buttons)
        if (b->text() == caption) return b;
    return nullptr;
}

void GifBuilderWindow::refreshInputs() {
    m_inputs->clear();
    for (const std::string& name : m_list)
        m_inputs->addItem(toQString(name));
}

void GifBuilderWindow::browse() {
    const auto path = m_dialogs.saveFileName(
        this, {QString(), m_output->text(), QStringLiteral("GIF Files (*.gif);;All Files (*)"),
               QStringLiteral("gif")});
    if (path) m_output->setText(*path);
}

void GifBuilderWindow::addInputs() {
    const auto names = m_dialogs.openFileNames(
        this, {QString(), QString(),
               QStringLiteral("Bitmap Files (*.bmp);;Gif Files (*.gif);;All Files (*)"),
               QStringLiteral("bmp")});
    for (const QString& name : names)
        m_list.push_back(toStdString(name));
    refreshInputs();
}

void GifBuilderWindow::removeInput() {
    const int row = m_inputs->currentRow();
    if (row < 0 || row >= static_cast<int>(m_list.size())) return;
    m_list.erase(m_list.begin() + row);
    refreshInputs();
}

void GifBuilderWindow::clearInputs() {
    m_list.clear();
    refreshInputs();
}

void GifBuilderWindow::sortInputs() {
    std::sort(m_list.begin(), m_list.end());
    refreshInputs();
}

void GifBuilderWindow::chooseColour() {
    if (const auto colour = m_dialogs.color(this, m_colour)) {
        m_colour = *colour;
        paintSwatch();
    }
}

void GifBuilderWindow::paintSwatch() {
    QPalette palette = m_colourSwatch->palette();
    palette.setColor(QPalette::Button, m_colour);
    palette.setColor(QPalette::Window, m_colour);
    m_colourSwatch->setPalette(palette);
}

void GifBuilderWindow::showProgress(int percent) {
    m_progress->setText(QStringLiteral("%1% Complete").arg(percent));
    m_progress->setVisible(percent < 100);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GifBuilderWindow::go() {
    bool whole = false;
    const int delay = m_delay->text().trimmed().toInt(&whole);
    if (!whole) {
        m_host.messageBox(toStdString(kCaption),
                          "'" + toStdString(m_delay->text()) + "' is geen geheel getal",
                          Host::Icon::Error);
        return;
    }
    AnimatedGifRequest request;
    request.inputs = m_list;
    request.output = toStdString(m_output->text());
    request.delayMs = delay;
    request.transparent = m_transparent->isChecked();
    request.transparentColor = colourOf(m_colour);
    request.progress = [this](int percent) { showProgress(percent); };
    const AnimatedGifOutcome outcome = buildAnimatedGif(request);
    m_progress->hide();
    m_host.messageBox(toStdString(kCaption), outcome.message, Host::Icon::None);
}

}  // namespace kalvor
