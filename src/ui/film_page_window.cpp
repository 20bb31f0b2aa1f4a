#include "ui/film_page_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "expr/host.h"
#include "output/animation_page.h"
#include "output/atomic_file.h"
#include "ui/data_files.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

const QString kScript = QStringLiteral("film.js");
constexpr const char* kCaption = "Beeldrol";

struct FieldRow {
    const char* label;
    std::string AnimationPageFields::*value;
};

constexpr FieldRow kFieldRows[FilmPageWindow::kFieldCount] = {
    {"Pad/Filenaam plaatjes", &AnimationPageFields::pictures},
    {"extensie", &AnimationPageFields::extension},
    {"laagste nummer", &AnimationPageFields::minNumber},
    {"hoogste nummer", &AnimationPageFields::maxNumber},
    {"Pad/Filenaam startplaatje", &AnimationPageFields::startPicture},
    {"pauze tussen plaatjes", &AnimationPageFields::pause},
    {"hoogte plaatjes", &AnimationPageFields::height},
    {"breedte plaatjes", &AnimationPageFields::width},
};

QString scriptBeside(const QString& folder) {
    return QDir(folder).filePath(kScript);
}

}  // namespace

FilmPageWindow::FilmPageWindow(Host& host, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_host(host), m_dialogs(dialogs) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_page = new QPlainTextEdit;
    m_page->setObjectName(QStringLiteral("pagina"));
    m_page->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(buildFields());
    splitter->addWidget(m_page);
    setCentralWidget(splitter);
    buildMenus();
    resize(640, 640);
}

QWidget* FilmPageWindow::buildFields() {
    const AnimationPageFields defaults;
    auto* area = new QWidget;
    auto* column = new QVBoxLayout(area);
    auto* form = new QFormLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        m_fields[i] = new QLineEdit(toQString(defaults.*kFieldRows[i].value));
        m_fields[i]->setObjectName(QString::fromUtf8(kFieldRows[i].label));
        form->addRow(QString::fromUtf8(kFieldRows[i].label), m_fields[i]);
    }
    column->addLayout(form);
    m_textLeft = new QRadioButton(QStringLiteral("tekst links plaatje rechts"));
    m_textRight = new QRadioButton(QStringLiteral("tekst rechts plaatje links"));
    m_textLeft->setChecked(defaults.textLeft);
    m_textRight->setChecked(!defaults.textLeft);
    auto* layout = new QHBoxLayout;
    layout->addWidget(m_textLeft);
    layout->addWidget(m_textRight);
    layout->addStretch(1);
    column->addLayout(layout);
    column->addWidget(new QLabel(QStringLiteral("Paginatekst (Html)")));
    m_text = new QPlainTextEdit(
        toQString(defaults.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_text->setObjectName(QStringLiteral("paginatekst"));
    column->addWidget(m_text, 1);
    return area;
}

void FilmPageWindow::buildMenus() {
    menuBar()->addAction(QStringLiteral("&Animatie Maken"), this, &FilmPageWindow::generate);
    menuBar()->addAction(QStringLiteral("&Bekijken in Browser"), this,
                         &FilmPageWindow::showInBrowser);
    menuBar()->addAction(QStringLiteral("Animatie &Opslaan"), this, &FilmPageWindow::save);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("Over"), this, [this] {
        if (m_about) m_about->show();
    });
    help->addAction(QStringLiteral("Intro"), this,
                    [this] { openHelp(QStringLiteral("help.htm")); });
    help->addAction(QStringLiteral("Programma"), this,
                    [this] { openHelp(QStringLiteral("beeldrolexe.htm")); });
}

AnimationPageFields FilmPageWindow::fields() const {
    AnimationPageFields result;
    for (int i = 0; i < kFieldCount; ++i)
        result.*kFieldRows[i].value = toStdString(m_fields[i]->text());
    result.text = toStdString(m_text->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")));
    result.textLeft = m_textLeft->isChecked();
    return result;
}

void FilmPageWindow::generate() {
    m_page->setPlainText(toQString(animationPage(fields())));
}

void FilmPageWindow::save() {
    if (m_page->toPlainText().isEmpty()) generate();
    const QDir anim(m_generatorFolder + QStringLiteral("/anim"));
    const QString name = QStringLiteral("mijnfilm.htm");
    const auto path = m_dialogs.saveFileName(
        this, {QStringLiteral("Bestandsnaam kiezen"),
               m_generatorFolder.isEmpty() || !anim.exists() ? name : anim.filePath(name),
               QStringLiteral("html (*.htm)"), QStringLiteral("htm")});
    if (!path) return;
    const QFileInfo file(*path);
    QString page = m_page->toPlainText();
    page.replace(QChar('\n'), QStringLiteral("\r\n"));
    if (!page.endsWith(QStringLiteral("\r\n"))) page += QStringLiteral("\r\n");
    if (!writeFileAtomically(toStdString(file.filePath()), toStdString(page))) {
        m_host.messageBox(kCaption,
                          "De pagina " + toStdString(file.filePath()) +
                              " kon niet worden geschreven; er is niets opgeslagen.",
                          Host::Icon::Error);
        return;
    }
    m_folder = file.absolutePath();
    m_name = file.fileName();
    offerScript();
}

// A page without film.js beside it plays nothing; the shipped script is offered.
void FilmPageWindow::offerScript() {
    const QString target = scriptBeside(m_folder);
    const QString shipped = findDataFile(kScript);
    if (QFileInfo::exists(target) || shipped.isEmpty()) return;
    const auto answer = m_host.messageBox(
        kCaption,
        "De pagina heeft film.js nodig in " + toStdString(m_folder) + ". Nu daarheen kopieren?",
        Host::Icon::Question, Host::Buttons::YesNo);
    if (answer != Host::Answer::Yes) return;
    QFile source(shipped);
    if (!source.open(QIODevice::ReadOnly) ||
        !writeFileAtomically(toStdString(target), source.readAll().toStdString()))
        m_host.messageBox(kCaption,
                          "film.js kon niet naar " + toStdString(m_folder) + " worden gekopieerd.",
                          Host::Icon::Error);
}

void FilmPageWindow::showInBrowser() {
    // The script must lie beside the page, wherever the page was saved.
    if (!QFileInfo::exists(scriptBeside(m_folder))) {
        m_host.messageBox("Foutje",
                          "Het script bestand film.js bevindt zich niet in de directory " +
                              toStdString(m_folder) + ", kopieer het daarheen",
                          Host::Icon::None);
        return;
    }
    m_host.openDocument(toStdString(QDir(m_folder).filePath(m_name)));
}

void FilmPageWindow::openHelp(const QString& page) {
    const QString path = findDataFile(page);
    if (path.isEmpty()) {
        m_host.messageBox(kCaption, "De hulppagina " + toStdString(page) + " is niet gevonden.",
                          Host::Icon::Error);
        return;
    }
    m_host.openDocument(toStdString(path));
}

}  // namespace kalvor
