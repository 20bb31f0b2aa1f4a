#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "expr/application_title.h"
#include "ui/qt_text.h"

namespace kalvor {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(toQString(kApplicationTitle)));
    auto* text =
        new QLabel(QStringLiteral("Een wiskundige werkbank voor het voortgezet onderwijs:\n"
                                  "functies tekenen met schuifbalken voor a en b,\n"
                                  "en tekenen en rekenen met een eigen programmeertaal."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

}  // namespace kalvor
