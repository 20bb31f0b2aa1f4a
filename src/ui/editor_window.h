#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/list_clipboard.h"
#include "lang/source_lines.h"
#include "ui/program_document.h"
#include "ui/source_editor.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kalvor {

class Dialogs;
class FindBar;
class FormulaToolsPanel;
class SourceHighlighter;
class SwatchWidget;
class Workbench;

/// The editor window ("Meer"): the program source, its compiled form (which the graph
/// window runs at every redraw), opening and saving programs, the command list with its
/// argument templates, and small tools that insert a colour or fill-style number.
class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    EditorWindow(Workbench& bench, Dialogs& dialogs, QWidget* parent = nullptr);

    SourceEditor* sourcePane() const { return m_source; }
    QPlainTextEdit* compiledPane() const { return m_compiled; }
    QComboBox* commandList() const { return m_commands; }
    QLabel* templateLabel() const { return m_template; }
    QLineEdit* numberBox() const { return m_number; }
    FormulaToolsPanel* formulaTools() const { return m_formulaTools; }
    /// The line under the source that lists unknown lines and where a run stopped.
    QLabel* noteLine() const { return m_notes; }
    FindBar* findBar() const { return m_findBar; }
    SourceHighlighter* highlighter() const { return m_highlighter; }
    /// Follows the editor switches of the graph window's "Opties".
    void applyHelpOptions();

    /// The commands that join the list once the editor is shown from the graph window.
    void addLateCommands();
    /// Gives the compiled pane to the graph window if it changed since it was last given.
    void handOverProgram();
    /// Before the text is replaced or the program ends: when the text changed since it was
    /// last opened, saved or started, asks whether to save it. False when the person
    /// cancelled (or the save did not happen); the text must then stay.
    bool confirmDiscard();
    /// Shows another program (from `file`, or from no file when empty) after confirmDiscard.
    bool replaceSource(const QString& text, const QString& file = QString());
    /// A program of the library (its file name under resources/library) in the source pane,
    /// scrolled to its first line; nothing is compiled. False when the person kept the text.
    bool showLibraryProgram(std::string_view file);
    /// Opens "introductie.doc" or "voorbeelden.doc" from the startup folder with the
    /// desktop's application for it.
    void openDocumentation(const QString& name);

public slots:
    /// "Compile": replaces the compiled pane by the compiled source.
    void compile();
    /// "Compile+Run": compiles, then asks the graph window to show itself and redraw.
    void compileAndRun();
    void openProgram();
    /// "Programma O&pslaan": proposes the file the text came from, if any. False when
    /// nothing was written.
    bool saveProgram();
    void saveCompiled();
    /// ">": the chosen command's name as a new last line of the source.
    void appendChosenCommand();
    /// ">" of the tools: the number box's text at the caret.
    void insertNumber();
    /// Marks the source line of compiled line `line`, when `program` is the one compiled here.
    void showStoppedLine(qulonglong program, qulonglong line);

signals:
    void runRequested();
    /// "start calculator" of the big-integer group.
    void bigIntCalculatorRequested();
    /// F1 in the source: the help of the command on the cursor line.
    void helpRequested(const QString& command);

private:
    void buildMenus();
    void buildHelp();
    void checkSource(const std::vector<std::string>& source);
    void showNotes();
    void buildLibraryMenu();
    QWidget* buildSidePanel();
    QWidget* buildTools();
    void showTemplate(int index);
    void showTemplateOf(const QString& command);
    void pickColour();
    void nextFillStyle();
    void compiledChanged();
    void setFileCaption(const QString& path);
    void showSource(const QString& text, const QString& file);
    bool writeLines(const QString& path, const std::vector<std::string>& lines);

    Workbench& m_bench;
    Dialogs& m_dialogs;
    SourceVocabulary m_vocabulary;
    SourceEditor* m_source;
    SourceHighlighter* m_highlighter;
    QLabel* m_notes;
    FindBar* m_findBar;
    std::vector<std::string> m_unknownNotes;
    QString m_stoppedNote;
    /// The source line of every compiled line of the last compile, and the number the
    /// Workbench gave that program (0: the compiled pane is not that compile's).
    std::vector<std::size_t> m_lineMap;
    std::uint64_t m_mappedProgram = 0;
    bool m_compiling = false;
    QPlainTextEdit* m_compiled;
    QComboBox* m_commands;
    QLabel* m_template;
    QLineEdit* m_number;
    SwatchWidget* m_colourTool;
    SwatchWidget* m_fillTool;
    FormulaToolsPanel* m_formulaTools;
    QString m_openName = QStringLiteral("*.txt");
    QString m_compiledName = QStringLiteral("*.txt");
    ProgramDocument m_document;
    ListClipboard m_listClipboard;
    bool m_programPending = false;
};

}  // namespace kalvor
