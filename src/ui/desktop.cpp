#include "ui/desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/about_box.h"
#include "ui/bigint_window.h"
#include "ui/editor_window.h"
#include "ui/graph_window.h"
#include "ui/help_window.h"
#include "ui/output_window.h"
#include "ui/qt_text.h"

namespace kalvor {

QTranslator* installDutchTranslations() {
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_nl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator.release();
}

Desktop::Desktop(Host& host, Dialogs& dialogs) : m_dialogs(dialogs), m_bench(host) {
    // Included programs are also looked for below the folder the program started in.
    m_bench.environment().startupDirectory = toStdString(QDir::currentPath());
    m_graph = std::make_unique<GraphWindow>(m_bench, m_dialogs);
    m_editor = std::make_unique<EditorWindow>(m_bench, m_dialogs);
    m_graph->setEditor(m_editor.get());
    QObject::connect(m_editor.get(), &EditorWindow::runRequested, m_graph.get(),
                     &GraphWindow::showAndRedraw);
    m_about = std::make_unique<AboutBox>(m_graph.get());
    m_graph->setAboutBox(m_about.get());
    m_help = std::make_unique<HelpWindow>();
    m_help->setAttribute(Qt::WA_QuitOnClose, false);
    m_graph->setHelpWindow(m_help.get());
    QObject::connect(m_editor.get(), &EditorWindow::helpRequested, m_help.get(),
                     &HelpWindow::showCommand);
    m_output = std::make_unique<OutputWindow>(m_bench.environment().output, host, m_dialogs);
    m_output->keepClearOf(m_graph.get(), m_graph->sliderStrip());
    m_bigInts = std::make_unique<BigIntWindow>(host);
    QObject::connect(m_editor.get(), &EditorWindow::bigIntCalculatorRequested, m_bigInts.get(),
                     [this] {
                         m_bigInts->show();
                         m_bigInts->raise();
                     });
    // Only the graph window ends the program when it closes.
    m_editor->setAttribute(Qt::WA_QuitOnClose, false);
    m_output->setAttribute(Qt::WA_QuitOnClose, false);
    m_bigInts->setAttribute(Qt::WA_QuitOnClose, false);
}

Desktop::~Desktop() {
    m_graph->setEditor(nullptr);
}

void Desktop::show() {
    m_graph->show();
}

}  // namespace kalvor
