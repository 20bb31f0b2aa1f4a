#include "ui/output_window.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>

#include "expr/application_title.h"
#include "expr/host.h"
#include "lang/output_log.h"
#include "output/atomic_file.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui/window_fonts.h"
#include "ui/window_placement.h"

namespace kalvor {

namespace {

// Height of a window manager's title bar, as far as we need to know it.
constexpr int kTitleAllowance = 30;

}  // namespace

OutputWindow::OutputWindow(OutputLog& log, Host& host, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_log(log), m_host(host), m_dialogs(dialogs) {
    setWindowTitle(QStringLiteral("uitvoervenster"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("uitvoer"));
    m_text->setFont(fixedPitchFont());
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The lines belong to the log; typing here would make the window and a save disagree.
    m_text->setReadOnly(true);
    setCentralWidget(m_text);
    QAction* saveAction = menuBar()->addAction(QStringLiteral("&Opslaan"));
    saveAction->setObjectName(QStringLiteral("opslaan"));
    connect(saveAction, &QAction::triggered, this, &OutputWindow::save);
    QAction* wipeAction = menuBar()->addAction(QStringLiteral("&Wissen"));
    wipeAction->setObjectName(QStringLiteral("wissen"));
    connect(wipeAction, &QAction::triggered, this, &OutputWindow::wipe);
    resize(480, 360);
    m_log.changed = [this] { logChanged(); };
    mirrorLog();
}

OutputWindow::~OutputWindow() {
    m_log.changed = nullptr;
}

void OutputWindow::logChanged() {
    mirrorLog();
    open();
    raise();
}

void OutputWindow::keepClearOf(QWidget* neighbour, QWidget* keepClear) {
    m_neighbour = neighbour;
    m_keepClear = keepClear;
}

void OutputWindow::open() {
    if (isVisible()) return;
    placeOnScreen();
    show();
}

void OutputWindow::placeOnScreen() {
    const QScreen* screen = m_neighbour ? m_neighbour->screen() : this->screen();
    if (screen == nullptr) return;
    QRect keepClear;
    if (m_keepClear && m_keepClear->isVisible())
        keepClear = QRect(m_keepClear->mapToGlobal(QPoint(0, 0)), m_keepClear->size());
    const QRect neighbour = m_neighbour ? m_neighbour->frameGeometry() : QRect();
    // Before its first showing the frame is not known; leave room for a title bar.
    const QSize frame = frameGeometry().size() == size() ? size() + QSize(0, kTitleAllowance)
                                                         : frameGeometry().size();
    const QRect placed = placeBeside(screen->availableGeometry(), frame, neighbour, keepClear);
    const QSize client = size() - (frame - placed.size());
    if (client != size()) resize(client);
    move(placed.topLeft());
}

namespace {

// A line may hold line breaks of its own (schrijf with a character code); shown one for one
// so that text positions stay countable.
QString shownText(const std::string& line) {
    QString text = toQString(line);
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

}  // namespace

// schrijf extends the last line and schrijfregel adds one, so only the last line and what
// follows it are rewritten: a long output stays cheap to follow line by line.
void OutputWindow::mirrorLog() {
    const auto& lines = m_log.lines();
    QTextCursor cursor(m_text->document());
    std::size_t first = 0;
    if (m_shownLines > 0 && lines.size() >= m_shownLines) {
        first = m_shownLines - 1;
        cursor.setPosition(m_lastLineStart);
    }
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QString tail;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first) tail += QChar('\n');
        if (i + 1 == lines.size()) m_lastLineStart = cursor.selectionStart() + tail.size();
        tail += shownText(lines[i]);
    }
    cursor.insertText(tail);
    m_shownLines = lines.size();
    m_text->moveCursor(QTextCursor::End);
}

void OutputWindow::save() {
    const FileDialogRequest request{QString(), QStringLiteral("uitvoer.txt"),
                                    QStringLiteral("tekst (*.txt)"), QStringLiteral("txt")};
    const auto path = m_dialogs.saveFileName(this, request);
    if (!path) return;
    std::string bytes;
    for (const std::string& line : m_log.lines())
        bytes += line + "\r\n";
    if (!writeFileAtomically(toStdString(*path), bytes))
        m_host.messageBox(kApplicationTitle,
                          "Kan " + toStdString(*path) +
                              " niet opslaan; het vorige bestand is "
                              "ongewijzigd.",
                          Host::Icon::Error);
}

void OutputWindow::wipe() {
    m_log.clear();
}

}  // namespace kalvor
