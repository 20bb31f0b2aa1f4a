#include <QAbstractItemView>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <optional>
#include <tuple>

#include "desktop_fixture.h"
#include "lang/program_file.h"
#include "ui/find_bar.h"
#include "ui/source_highlighter.h"

namespace kalvor {
namespace {

using test::DesktopFixture;

class EditorHelpTest : public DesktopFixture {
protected:
    void SetUp() override {
        DesktopFixture::SetUp();
        graph().showEditor();
        focusSource();
    }
    /// Window shortcuts need the editor to be the active window; a run raises the graph.
    void focusSource() {
        editor().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor()));
        source()->setFocus();
    }
    SourceEditor* source() { return editor().sourcePane(); }
    QString notes() { return editor().noteLine()->text(); }
    void setOption(const QString& caption, bool on) {
        QAction* action = test::menuAction(graph(), caption);
        ASSERT_NE(action, nullptr);
        action->setChecked(on);
    }
    /// The foreground the highlighter gave to the first `part` of line `block`; none
    /// when the part is not coloured as one piece.
    std::optional<QColor> colourOf(int block, const QString& part) {
        const QTextBlock line = source()->document()->findBlockByNumber(block);
        const int at = static_cast<int>(line.text().indexOf(part));
        for (const QTextLayout::FormatRange& range : line.layout()->formats())
            if (range.start <= at && at + part.size() <= range.start + range.length)
                return range.format.foreground().color();
        return std::nullopt;
    }
    QColor colourOf(SpanKind kind) {
        return editor().highlighter()->format(kind).foreground().color();
    }
};

TEST_F(EditorHelpTest, SampleProgramIsColouredAndNumbered) {
    source()->setPlainText(
        "xmin=-5 % links\n"
        "lijn(0;0;x1;2.5) % schuin\n"
        "$naam:=tekst\n"
        "proc teken(3)\n"
        "cirkel(0;0;3)");
    const std::tuple<int, const char*, std::optional<SpanKind>> rows[] = {
        {0, "xmin=-5", SpanKind::Setting},
        {0, "% links", SpanKind::Comment},
        {1, "lijn", SpanKind::Command},
        {1, "2.5", SpanKind::Number},
        {1, "x1", std::nullopt},
        {1, "% schuin", SpanKind::Comment},
        {2, "$naam", SpanKind::TextVariable},
        {3, "proc", SpanKind::Command},
        {3, "teken", std::nullopt},
        {4, "cirkel", std::nullopt},
        {4, "3", SpanKind::Number},
    };
    for (const auto& [block, part, kind] : rows) {
        const std::optional<QColor> shown = colourOf(block, part);
        EXPECT_EQ(shown.has_value(), kind.has_value()) << part;
        if (shown && kind) {
            EXPECT_EQ(*shown, colourOf(*kind)) << part;
        }
    }
    EXPECT_GT(source()->lineNumberWidth(), 0);
    // Switched off in "Opties": no colours, no margin; back on, both return.
    setOption("&Kleuren en regelnummers", false);
    EXPECT_FALSE(bench().settings().editorHelp.colours);
    EXPECT_FALSE(colourOf(1, "lijn"));
    EXPECT_EQ(source()->lineNumberWidth(), 0);
    setOption("&Kleuren en regelnummers", true);
    EXPECT_EQ(colourOf(1, "lijn"), colourOf(SpanKind::Command));
}

TEST_F(EditorHelpTest, CompileListsUnknownLinesAndStillRuns) {
    compileSource("assen=geen\ncirkel(0;0;3)\nlijn(-5;-5;5;5)\nlijn (0;0;1;1)");
    EXPECT_EQ(source()->underlinedLines(), (std::vector<int>{1, 3}));
    EXPECT_EQ(notes(), "Regel 2: onbekende opdracht 'cirkel'; Regel 4: onbekende opdracht 'lijn '");
    EXPECT_TRUE(editor().noteLine()->isVisibleTo(&editor()));
    // The program is compiled and runs as ever: the diagonal is drawn, no box shown.
    EXPECT_EQ(editor().compiledPane()->toPlainText().split('\n').first(), "assen=geen");
    graph().showAndRedraw();
    EXPECT_GT(test::inkPixels(bench().canvas().image()), 300);
    EXPECT_TRUE(host.boxes.empty());
    // A clean program clears the list; with the check off nothing is listed.
    compileSource("lijn(0;0;1;1)");
    EXPECT_TRUE(source()->underlinedLines().empty());
    EXPECT_FALSE(editor().noteLine()->isVisibleTo(&editor()));
    setOption("&Onbekende regels en foutregel tonen", false);
    compileSource("cirkel(0;0;3)");
    EXPECT_TRUE(source()->underlinedLines().empty());
    EXPECT_EQ(notes(), "");
}

struct StopRow {
    const char* name;
    QString source;
    int stoppedLine;  // -1: nothing marked
};

TEST_F(EditorHelpTest, FailingRunMarksItsSourceLine) {
    const QString part = folder() + "/deel.txt";
    ASSERT_TRUE(writeCompiledProgram(part.toStdString(), {"lijn", "0", "0", "1", "(1"}));
    const StopRow rows[] = {
        {"own line", "l:=1\n\n% uitleg\nlijn(0;0;l;(1)\nstip(0;0;1)", 3},
        {"in a procedure", "proc p\neind\ndefproc p\n  stip(0;0;+)\neindproc", 3},
        {"from an include", "stip(0;0;1)\n&" + part + "\nstip(1;1;1)", 1},
        {"clean run", "stip(0;0;1)", -1},
    };
    for (const StopRow& row : rows) {
        source()->setPlainText(row.source);
        source()->moveCursor(QTextCursor::End);
        focusSource();
        QTest::keyClick(source(), Qt::Key_F5);  // Compile+Run
        settle();
        EXPECT_EQ(source()->stoppedLine(), row.stoppedLine) << row.name;
        if (row.stoppedLine < 0) continue;
        EXPECT_EQ(source()->textCursor().blockNumber(), row.stoppedLine) << row.name;
        EXPECT_TRUE(notes().startsWith(
            QStringLiteral("Regel %1: hier stopte het programma").arg(row.stoppedLine + 1)))
            << row.name;
    }
    // A program typed into the compiled pane has no source lines to point at.
    compileSource("stip(0;0;1)");
    editor().compiledPane()->setPlainText("lijn\n0\n0\n1\n+");
    graph().redraw();
    EXPECT_EQ(source()->stoppedLine(), -1);
}

TEST_F(EditorHelpTest, CompletionOffersCommandNamesWithTheirTemplates) {
    QCompleter* completer = source()->completer();
    ASSERT_NE(completer, nullptr);
    QTest::keyClicks(source(), "  lijnd");
    EXPECT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(editor().templateLabel()->text(), "lijndikte(lijndikte)");  // the chosen one's
    QStringList offered;
    for (int i = 0; completer->setCurrentRow(i); ++i)
        offered << completer->currentCompletion();
    EXPECT_EQ(offered, QStringList{"lijndikte"});
    EXPECT_EQ(completer->currentIndex().data(Qt::ToolTipRole).toString(), "lijndikte(lijndikte)");
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(source()->toPlainText(), "  lijndikte");
    // A name typed in full keeps Enter for the new line.
    source()->setPlainText("");
    QTest::keyClicks(source(), "eind");
    EXPECT_TRUE(completer->popup()->isVisible());
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(source()->toPlainText(), "eind\n");
    EXPECT_FALSE(completer->popup()->isVisible());
    source()->setPlainText("  lijndikte");
    source()->moveCursor(QTextCursor::End);
    // Inside the arguments, no names are offered; with completion off, none at all.
    QTest::keyClicks(source(), "(lij");
    EXPECT_FALSE(completer->popup()->isVisible());
    setOption("&Aanvullen van opdrachten", false);
    source()->setPlainText("");
    source()->setFocus();
    QTest::keyClicks(source(), "lij");
    EXPECT_FALSE(completer->popup()->isVisible());
}

TEST_F(EditorHelpTest, ShortcutsReachTheirActions) {
    QSignalSpy runs(&editor(), &EditorWindow::runRequested);
    source()->setPlainText("stip(0;0;1)");
    QTest::keyClick(source(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
    QTest::keyClick(source(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    QTest::keyClick(source(), Qt::Key_F5);
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(editor().compiledPane()->toPlainText(), "stip\n0\n0\n1");

    source()->setPlainText("stip(0;0;1)\nlijn(0;0;1;1)\nstip(1;1;1)");
    source()->moveCursor(QTextCursor::End);
    focusSource();
    QTest::keyClick(source(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(editor().findBar()->isVisible());
    QTest::keyClicks(editor().findBar()->field(), "stip");
    QTest::keyClick(editor().findBar()->field(), Qt::Key_Return);  // wraps to the top
    EXPECT_EQ(source()->textCursor().blockNumber(), 0);
    QTest::keyClick(editor().findBar()->field(), Qt::Key_Return);
    EXPECT_EQ(source()->textCursor().blockNumber(), 2);
    EXPECT_EQ(source()->textCursor().selectedText(), "stip");
    editor().findBar()->field()->setText("cirkel");
    EXPECT_FALSE(editor().findBar()->findNext());
    EXPECT_EQ(source()->textCursor().blockNumber(), 2);  // the caret stays
    QTest::keyClick(editor().findBar()->field(), Qt::Key_Escape);
    EXPECT_FALSE(editor().findBar()->isVisible());
}

}  // namespace
}  // namespace kalvor
