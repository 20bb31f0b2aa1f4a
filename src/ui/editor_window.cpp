#include "ui/editor_window.h"

#include <QComboBox>
#include <QCompleter>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <filesystem>

#include "expr/application_title.h"
#include "graph/help_pages.h"
#include "graph/workbench.h"
#include "lang/command_table.h"
#include "lang/compiler.h"
#include "lang/lang_messages.h"
#include "lang/program_file.h"
#include "lang/program_library.h"
#include "ui/command_templates.h"
#include "ui/dialogs.h"
#include "ui/documentation.h"
#include "ui/find_bar.h"
#include "ui/formula_tools_panel.h"
#include "ui/qt_text.h"
#include "ui/source_highlighter.h"
#include "ui/swatch_widget.h"
#include "ui/window_fonts.h"

namespace kalvor {

namespace {

const QString kProgramFilter = QStringLiteral("tekstfiles (*.txt);;alle (*)");
constexpr std::string_view kSaveChangesQuestion = "Wijzigingen in het programma opslaan?";

template <class Pane = QPlainTextEdit>
Pane* makePane(const QString& name) {
    auto* pane = new Pane;
    pane->setObjectName(name);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return pane;
}

QPushButton* makeButton(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

// The separator of the person's own locale, which list exports use.
char userDecimalPoint() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? point[0].toLatin1() : '.';
}

}  // namespace

EditorWindow::EditorWindow(Workbench& bench, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_bench(bench),
      m_dialogs(dialogs),
      m_vocabulary(buildCommandTable()),
      m_listClipboard(bench.environment(), userDecimalPoint()) {
    setWindowTitle(QStringLiteral("Meer"));
    m_source = makePane<SourceEditor>(QStringLiteral("bron"));
    m_source->setFont(fixedPitchFont());
    m_compiled = makePane(QStringLiteral("gecompileerd"));
    QFont small = m_compiled->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_compiled->setFont(small);
    connect(m_compiled, &QPlainTextEdit::textChanged, this, &EditorWindow::compiledChanged);

    m_formulaTools = new FormulaToolsPanel(bench);
    connect(m_formulaTools, &FormulaToolsPanel::bigIntCalculatorRequested, this,
            &EditorWindow::bigIntCalculatorRequested);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    auto* sourceColumn = new QVBoxLayout;
    sourceColumn->addWidget(m_source, 1);
    m_findBar = new FindBar(m_source);
    sourceColumn->addWidget(m_findBar);
    m_notes = new QLabel;
    m_notes->setObjectName(QStringLiteral("regelmeldingen"));
    m_notes->setTextFormat(Qt::PlainText);
    m_notes->hide();
    sourceColumn->addWidget(m_notes);
    sourceColumn->addWidget(m_formulaTools);
    layout->addLayout(sourceColumn, 1);
    layout->addWidget(buildSidePanel());
    setCentralWidget(central);
    buildMenus();
    buildHelp();

    resize(860, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void EditorWindow::buildMenus() {
    auto* help =
        new QShortcut(QKeySequence(Qt::Key_F1), m_source, nullptr, nullptr, Qt::WidgetShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        const QString line = m_source->textCursor().block().text();
        emit helpRequested(QString::fromStdString(commandOfLine(line.toStdString())));
    });
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Bestand"));
    file->addAction(QStringLiteral("Programma &Openen"), QKeySequence::Open, this,
                    &EditorWindow::openProgram);
    file->addAction(QStringLiteral("Programma O&pslaan"), QKeySequence::Save, this,
                    &EditorWindow::saveProgram);
    file->addAction(QStringLiteral("Ge&compileerd opslaan"), this, &EditorWindow::saveCompiled);
    file->addSeparator();
    file->addAction(QStringLiteral("&Lijst exporteren naar klembord"), this,
                    [this] { m_listClipboard.exportList(); });
    file->addAction(QStringLiteral("Lijst &importeren van klembord"), this,
                    [this] { m_listClipboard.importList(); });
    buildLibraryMenu();
    QMenu* documents = menuBar()->addMenu(QStringLiteral("&Documentatie"));
    documents->addAction(QStringLiteral("&Introductie programmeren"), this,
                         [this] { openDocumentation(kIntroductionDocument); });
    documents->addAction(QStringLiteral("&Voorbeelden"), this,
                         [this] { openDocumentation(kExamplesDocument); });
}

// Colours, completion with the templates as tooltips, the find bar, and the notes of the
// last compile and run.
void EditorWindow::buildHelp() {
    m_highlighter = new SourceHighlighter(m_vocabulary, this);
    auto* names = new QStandardItemModel(this);
    for (const std::string& name : m_vocabulary.names()) {
        auto* item = new QStandardItem(toQString(name));
        item->setToolTip(withLineFeeds(commandTemplate(name)));
        names->appendRow(item);
    }
    auto* completer = new QCompleter(names, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_source->setCompleter(completer);
    connect(completer, qOverload<const QString&>(&QCompleter::highlighted), this,
            &EditorWindow::showTemplateOf);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, m_findBar, &FindBar::open);
    auto* run = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(run, &QShortcut::activated, this, &EditorWindow::compileAndRun);
    connect(&m_bench, &Workbench::runStoppedOnError, this, &EditorWindow::showStoppedLine);
    connect(&m_bench, &Workbench::fieldsChanged, this, &EditorWindow::applyHelpOptions);
    applyHelpOptions();
}

void EditorWindow::applyHelpOptions() {
    const EditorHelp& help = m_bench.settings().editorHelp;
    if (help.colours != (m_highlighter->document() != nullptr)) {
        m_highlighter->setDocument(help.colours ? m_source->document() : nullptr);
        // Attaching only schedules the colouring; show it at once.
        if (help.colours) m_highlighter->rehighlight();
    }
    m_source->setLineNumbersShown(help.colours);
    m_source->setCompletionEnabled(help.completion);
    if (help.lineChecks) return;
    m_unknownNotes.clear();
    m_stoppedNote.clear();
    m_source->setUnderlinedLines({});
    m_source->setStoppedLine(-1);
    showNotes();
}

// Lines the executor would skip unnoticed: underlined and listed, the program still compiles.
void EditorWindow::checkSource(const std::vector<std::string>& source) {
    m_unknownNotes.clear();
    m_stoppedNote.clear();
    std::vector<int> blocks;
    if (m_bench.settings().editorHelp.lineChecks) {
        for (const UnknownLine& unknown : m_vocabulary.unknownLines(source)) {
            blocks.push_back(static_cast<int>(unknown.line));
            m_unknownNotes.push_back(unknownLineMessage(unknown.line + 1, unknown.name));
        }
    }
    m_source->setUnderlinedLines(blocks);
    m_source->setStoppedLine(-1);
    showNotes();
}

void EditorWindow::showStoppedLine(qulonglong program, qulonglong line) {
    if (!m_bench.settings().editorHelp.lineChecks || program != m_mappedProgram ||
        line >= m_lineMap.size())
        return;
    const int block = static_cast<int>(m_lineMap[line]);
    if (block != m_source->stoppedLine()) m_source->setStoppedLine(block);
    m_stoppedNote = toQString(stoppedLineMessage(m_lineMap[line] + 1));
    showNotes();
}

void EditorWindow::showNotes() {
    constexpr std::size_t kShown = 3;
    QStringList shown;
    if (!m_stoppedNote.isEmpty()) shown << m_stoppedNote;
    for (std::size_t i = 0; i < m_unknownNotes.size() && i < kShown; ++i)
        shown << toQString(m_unknownNotes[i]);
    if (m_unknownNotes.size() > kShown)
        shown << QStringLiteral("en nog %1").arg(m_unknownNotes.size() - kShown);
    m_notes->setText(shown.join(QStringLiteral("; ")));
    m_notes->setToolTip(toQStringList(m_unknownNotes).join(u'\n'));
    m_notes->setVisible(!shown.isEmpty());
}

void EditorWindow::buildLibraryMenu() {
    QMenu* library = menuBar()->addMenu(QStringLiteral("&Programmabibliotheek"));
    for (const LibraryGroup& group : programLibrary()) {
        QMenu* submenu = library->addMenu(toQString(group.caption));
        for (const LibraryProgram& program : group.programs)
            submenu->addAction(toQString(program.caption), this,
                               [this, file = program.file] { showLibraryProgram(file); });
    }
}

QWidget* EditorWindow::buildSidePanel() {
    m_commands = new QComboBox;
    m_commands->setObjectName(QStringLiteral("opdrachten"));
    m_commands->setPlaceholderText(QStringLiteral("Opdrachten"));
    m_commands->setMaxVisibleItems(13);
    for (std::string_view name : editorCommands())
        m_commands->addItem(toQString(name));
    m_commands->setCurrentIndex(-1);
    connect(m_commands, &QComboBox::activated, this, &EditorWindow::showTemplate);
    QPushButton* append = makeButton(QStringLiteral(">"), QStringLiteral("toevoegen"));
    append->setFixedWidth(28);
    connect(append, &QPushButton::clicked, this, &EditorWindow::appendChosenCommand);

    m_template = new QLabel;
    m_template->setObjectName(QStringLiteral("sjabloon"));
    m_template->setTextFormat(Qt::PlainText);
    m_template->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_template->hide();

    QPushButton* compileButton = makeButton(QStringLiteral("Compile"), QStringLiteral("compile"));
    connect(compileButton, &QPushButton::clicked, this, &EditorWindow::compile);
    QPushButton* runButton =
        makeButton(QStringLiteral("Compile+Run"), QStringLiteral("compileRun"));
    connect(runButton, &QPushButton::clicked, this, &EditorWindow::compileAndRun);

    auto* panel = new QWidget;
    panel->setFixedWidth(250);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(m_commands, 1);
    chooser->addWidget(append);
    column->addLayout(chooser);
    column->addWidget(m_template);
    column->addWidget(buildTools());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(compileButton);
    buttons->addWidget(runButton);
    column->addLayout(buttons);
    column->addWidget(m_compiled, 1);
    return panel;
}

QWidget* EditorWindow::buildTools() {
    auto* group = new QGroupBox(QStringLiteral("Gereedschappen"));
    m_colourTool = new SwatchWidget;
    m_colourTool->setObjectName(QStringLiteral("kleurgereedschap"));
    m_colourTool->setColour(kWhite);
    m_colourTool->setToolTip(QStringLiteral("kleur"));
    connect(m_colourTool, &SwatchWidget::pressed, this, [this] { pickColour(); });
    m_fillTool = new SwatchWidget;
    m_fillTool->setObjectName(QStringLiteral("vulstijlgereedschap"));
    m_fillTool->setToolTip(QStringLiteral("vulstijl"));
    connect(m_fillTool, &SwatchWidget::released, this, [this] { nextFillStyle(); });
    m_number = new QLineEdit;
    m_number->setObjectName(QStringLiteral("getal"));
    QPushButton* insert = makeButton(QStringLiteral(">"), QStringLiteral("invoegen"));
    insert->setFixedWidth(28);
    connect(insert, &QPushButton::clicked, this, &EditorWindow::insertNumber);
    auto* row = new QHBoxLayout(group);
    row->addWidget(m_colourTool);
    row->addWidget(m_fillTool);
    row->addWidget(m_number, 1);
    row->addWidget(insert);
    return group;
}

void EditorWindow::showTemplate(int index) {
    if (index >= 0) showTemplateOf(m_commands->itemText(index));
}

void EditorWindow::showTemplateOf(const QString& command) {
    const QString text = withLineFeeds(commandTemplate(toStdString(command)));
    // Long templates wrap at their separators instead of being cut off by the panel.
    const QFontMetrics metrics(m_template->font());
    const int width = m_template->parentWidget()->contentsRect().width();
    m_template->setText(wrapToWidth(text, width, [&metrics](const QString& piece) {
        return metrics.horizontalAdvance(piece);
    }));
    m_template->show();
}

void EditorWindow::appendChosenCommand() {
    // Without a choice the list shows only its caption, which is no command.
    if (m_commands->currentIndex() < 0) return;
    m_source->appendPlainText(m_commands->currentText());
}

void EditorWindow::insertNumber() {
    m_source->insertPlainText(m_number->text());
}

void EditorWindow::pickColour() {
    const auto chosen = m_dialogs.color(
        this, QColor::fromRgb(redOf(m_colourTool->colour()), greenOf(m_colourTool->colour()),
                              blueOf(m_colourTool->colour())));
    if (!chosen) return;
    m_colourTool->setColour(makeColor(chosen->red(), chosen->green(), chosen->blue()));
    m_number->setText(QString::number(m_colourTool->colour()));
}

void EditorWindow::nextFillStyle() {
    const int code = (static_cast<int>(m_fillTool->brushStyle()) + 1) % 8;
    BrushStyle style = BrushStyle::Solid;
    brushStyleOfCode(code, style);
    m_fillTool->setBrushStyle(style);
    m_number->setText(QString::number(code));
}

void EditorWindow::addLateCommands() {
    std::vector<std::string> items;
    for (int i = 0; i < m_commands->count(); ++i)
        items.push_back(toStdString(m_commands->itemText(i)));
    for (std::string_view name : kLateCommands) {
        if (std::find(items.begin(), items.end(), name) != items.end()) continue;
        const std::size_t at = commandInsertPosition(items, name);
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::string(name));
        m_commands->insertItem(static_cast<int>(at), toQString(name));
    }
}

void EditorWindow::compile() {
    FileIncludeResolver resolver(m_bench.environment().startupDirectory, &m_bench.host());
    const std::vector<std::string> source = linesOfText(m_source->toPlainText());
    CompileResult result = compileProgram(source, resolver);
    checkSource(source);
    m_lineMap = std::move(result.sourceLines);
    m_compiling = true;
    m_compiled->setPlainText(toQStringList(result.lines).join(QChar('\n')));
    m_compiling = false;
    if (result.failedInclude)
        m_bench.host().messageBox(kApplicationTitle, includeFailureMessage(*result.failedInclude),
                                  Host::Icon::Error);
}

void EditorWindow::compileAndRun() {
    compile();
    emit runRequested();
}

void EditorWindow::compiledChanged() {
    // Lines typed into the compiled pane come from no source line.
    if (!m_compiling) m_lineMap.clear();
    m_programPending = true;
    handOverProgram();
}

void EditorWindow::handOverProgram() {
    // Given during a run, the Workbench keeps it until the run ends.
    if (!m_programPending) return;
    m_programPending = false;
    const std::uint64_t number = m_bench.setProgram(linesOfText(m_compiled->toPlainText()));
    m_mappedProgram = m_lineMap.empty() ? 0 : number;
}

void EditorWindow::setFileCaption(const QString& path) {
    setWindowTitle(QStringLiteral("Meer ") + path);
}

bool EditorWindow::writeLines(const QString& path, const std::vector<std::string>& lines) {
    if (writeCompiledProgram(toStdString(path), lines)) return true;
    m_bench.host().messageBox(
        kApplicationTitle,
        "Kan " + toStdString(path) + " niet opslaan; het vorige bestand is ongewijzigd.",
        Host::Icon::Error);
    return false;
}

bool EditorWindow::confirmDiscard() {
    if (!m_document.changed(toStdString(m_source->toPlainText()))) return true;
    switch (m_bench.host().messageBox(kApplicationTitle, kSaveChangesQuestion, Host::Icon::Question,
                                      Host::Buttons::YesNoCancel)) {
        case Host::Answer::Yes:
            return saveProgram();
        case Host::Answer::No:
            return true;
        default:
            return false;
    }
}

bool EditorWindow::replaceSource(const QString& text, const QString& file) {
    if (!confirmDiscard()) return false;
    showSource(text, file);
    return true;
}

bool EditorWindow::showLibraryProgram(std::string_view file) {
    const std::optional<std::string> text = libraryProgramText(file);
    if (!text || !replaceSource(toQString(*text))) return false;
    m_source->moveCursor(QTextCursor::Start);
    m_source->ensureCursorVisible();
    return true;
}

void EditorWindow::openDocumentation(const QString& name) {
    const std::optional<QString> path =
        shippedDocument(toQString(m_bench.environment().startupDirectory), name);
    if (!path) {
        m_bench.host().messageBox(kApplicationTitle, documentMissingMessage(toStdString(name)),
                                  Host::Icon::Error);
        return;
    }
    if (!m_bench.host().openDocument(toStdString(*path)))
        m_bench.host().messageBox(kApplicationTitle, noDocumentViewerMessage(toStdString(*path)),
                                  Host::Icon::Warning);
}

void EditorWindow::showSource(const QString& text, const QString& file) {
    m_source->setPlainText(text);
    m_document.loaded(toStdString(m_source->toPlainText()), toStdString(file));
    setWindowTitle(file.isEmpty() ? QStringLiteral("Meer") : QStringLiteral("Meer ") + file);
}

void EditorWindow::openProgram() {
    if (!confirmDiscard()) return;
    const auto path = m_dialogs.openFileName(
        this, {QString(), m_openName, kProgramFilter, QStringLiteral("txt")});
    if (!path) return;
    const auto lines = readProgramLines(toStdString(*path));
    if (!lines) {
        m_bench.host().messageBox(kApplicationTitle, "Kan " + toStdString(*path) + " niet openen",
                                  Host::Icon::Error);
        return;
    }
    QStringList text;
    for (const std::string& line : *lines)
        text << decodeFileLine(line);
    showSource(text.join(QChar('\n')), *path);
    m_openName = *path;
}

bool EditorWindow::saveProgram() {
    const QString proposed =
        m_document.file().empty() ? QStringLiteral("*.txt") : toQString(m_document.file());
    const auto path =
        m_dialogs.saveFileName(this, {QString(), proposed, kProgramFilter, QStringLiteral("txt")});
    if (!path) return false;
    const std::string text = toStdString(m_source->toPlainText());
    if (!writeLines(*path, linesOfText(m_source->toPlainText()))) return false;
    m_document.saved(text, toStdString(*path));
    setFileCaption(*path);
    return true;
}

void EditorWindow::saveCompiled() {
    // Never proposes the source file: the compiled lines would replace the program.
    const auto path = m_dialogs.saveFileName(
        this, {QString(), m_compiledName, kProgramFilter, QStringLiteral("txt")});
    if (!path) return;
    m_compiledName = *path;
    writeLines(*path, linesOfText(m_compiled->toPlainText()));
}

}  // namespace kalvor
