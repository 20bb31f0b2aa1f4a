#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "graph/list_clipboard.h"
#include "ui/program_document.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kalvor {

class Dialogs;
class FormulaToolsPanel;
class SwatchWidget;
class Workbench;

/// The editor window ("Meer"): the program source, its compiled form (which the graph
/// window runs at every redraw), opening and saving programs, the command list with its
/// argument templates, and small tools that insert a colour or fill-style number.
class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    EditorWindow(Workbench& bench, Dialogs& dialogs, QWidget* parent = nullptr);

    QPlainTextEdit* sourcePane() const { return m_source; }
    QPlainTextEdit* compiledPane() const { return m_compiled; }
    QComboBox* commandList() const { return m_commands; }
    QLabel* templateLabel() const { return m_template; }
    QLineEdit* numberBox() const { return m_number; }
    FormulaToolsPanel* formulaTools() const { return m_formulaTools; }

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

signals:
    void runRequested();
    /// "start calculator" of the big-integer group.
    void bigIntCalculatorRequested();
    /// F1 in the source: the help of the command on the cursor line.
    void helpRequested(const QString& command);

private:
    void buildMenus();
    void buildLibraryMenu();
    QWidget* buildSidePanel();
    QWidget* buildTools();
    void showTemplate(int index);
    void pickColour();
    void nextFillStyle();
    void compiledChanged();
    void setFileCaption(const QString& path);
    void showSource(const QString& text, const QString& file);
    bool writeLines(const QString& path, const std::vector<std::string>& lines);

    Workbench& m_bench;
    Dialogs& m_dialogs;
    QPlainTextEdit* m_source;
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
