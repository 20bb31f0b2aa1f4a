#pragma once

#include <memory>

#include "graph/workbench.h"

class QTranslator;

namespace kalvor {

class AboutBox;
class BigIntWindow;
class Dialogs;
class EditorWindow;
class GraphWindow;
class HelpWindow;
class OutputWindow;

/// Qt's own texts (file, colour and input dialogs, standard buttons) in Dutch, from Qt's
/// translations when they are installed: the installed translator (owned by the
/// application), or nullptr (and English) when they are not.
QTranslator* installDutchTranslations();

/// The desktop program: the Workbench and the windows, created in their fixed order (graph
/// window, editor, about box, output window, big-integer calculator) and wired together. Only the
/// graph window is shown at start; closing it ends the program. The Host and the dialogs come from
/// outside (real dialogs on the desktop, scripted ones in tests).
class Desktop {
public:
    Desktop(Host& host, Dialogs& dialogs);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    void show();

    Workbench& workbench() { return m_bench; }
    GraphWindow& graphWindow() { return *m_graph; }
    EditorWindow& editorWindow() { return *m_editor; }
    OutputWindow& outputWindow() { return *m_output; }
    BigIntWindow& bigIntWindow() { return *m_bigInts; }
    HelpWindow& helpWindow() { return *m_help; }

private:
    Dialogs& m_dialogs;
    Workbench m_bench;
    std::unique_ptr<GraphWindow> m_graph;
    std::unique_ptr<EditorWindow> m_editor;
    std::unique_ptr<AboutBox> m_about;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<OutputWindow> m_output;
    std::unique_ptr<BigIntWindow> m_bigInts;
};

}  // namespace kalvor
