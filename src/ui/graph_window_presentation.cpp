// Presentations: a lesson text beside the canvas with its program run in the window.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include "expr/application_title.h"
#include "graph/graph_messages.h"
#include "graph/presentation.h"
#include "graph/workbench.h"
#include "output/rtf_reader.h"
#include "ui/data_files.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/graph_window.h"
#include "ui/qt_text.h"
#include "ui/rich_text_pane.h"

namespace kalvor {

QString GraphWindow::presentationFolder() const {
    const QDir startup(toQString(m_bench.environment().startupDirectory));
    if (startup.exists(QStringLiteral("presentaties")))
        return startup.absoluteFilePath(QStringLiteral("presentaties"));
    const QString shipped = findDataFile(QStringLiteral("presentaties/parabolen.rtf"));
    return shipped.isEmpty() ? startup.absolutePath() : QFileInfo(shipped).absolutePath();
}

// The formula boxes make way for the lesson's program; F stays while a run waits in it.
void GraphWindow::clearBoxesForPresentation() {
    GraphSettings& s = m_bench.settings();
    if (!m_bench.environment().flags.waiting) s.functions[0].clear();
    for (std::size_t i = 1; i < s.functions.size(); ++i)
        s.functions[i].clear();
    s.userTexts[0].clear();
    refreshFields();
}

void GraphWindow::openPresentationFromMenu() {
    if (m_bench.isRunning()) return;
    if (m_editor) m_editor->hide();
    clearBoxesForPresentation();
    const auto path = m_dialogs.openFileName(
        this, {QString(), presentationFolder() + QStringLiteral("/*.rtf"),
               QStringLiteral("Presentatie (*.rtf)"), QStringLiteral("rtf")});
    if (path) openPresentation(*path);
}

bool GraphWindow::openPresentation(const QString& path) {
    if (m_bench.isRunning()) return false;
    clearBoxesForPresentation();
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QTextDocument lesson;
    if (!file.isOpen() || !readRtf(std::string_view(bytes.constData(), bytes.size()), lesson)) {
        m_bench.host().messageBox(kPresentationCaption,
                                  presentationFailureMessage(toStdString(path)), Host::Icon::Error);
        return false;
    }
    const std::vector<std::string> program = takeProgramPart(lesson);
    m_presentationFolder = QFileInfo(path).absolutePath();
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - ") +
                   toQString(kApplicationTitle));
    ProgramControls& controls = m_bench.environment().controls;
    controls.richText = toStdString(lesson.toPlainText());
    controls.richTextBase = controls.richText.size();
    m_richText->setLesson(&lesson);
    refreshControls();
    if (m_editor) {
        m_editor->show();
        if (m_editor->replaceSource(toQStringList(program).join(u'\n'))) m_editor->compileAndRun();
    }
    return true;
}

// A click on a line that names a presentation opens it: relative names from the current
// folder, else beside the presentation that is open (where linked lessons lie together).
void GraphWindow::lessonLineClicked(const QString& line) {
    const auto target = linkedPresentation(toStdString(line));
    if (!target) return;
    QFileInfo file(toQString(*target));
    if (file.isRelative() && !file.isFile() && !m_presentationFolder.isEmpty())
        file.setFile(QDir(m_presentationFolder), toQString(*target));
    if (file.isFile()) openPresentation(file.filePath());
}

}  // namespace kalvor
