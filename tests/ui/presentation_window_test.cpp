#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "desktop_fixture.h"
#include "ui/rich_text_pane.h"

namespace kalvor {
namespace {

using test::DesktopFixture;
using test::menuAction;

class PresentationWindow : public DesktopFixture {
protected:
    static QString shipped(const char* name) {
        return QStringLiteral(KALVOR_TEST_DATA "/../../resources/presentaties/") + name;
    }
    QString paneText() const { return desktop->graphWindow().richTextPane()->toPlainText(); }
    /// A press on the line of the pane that holds `text`, where a person would click.
    void clickLine(const QString& text) {
        RichTextPane* pane = graph().richTextPane();
        const QTextCursor found = pane->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->cursorRect(found).center());
        settle();
    }
};

TEST_F(PresentationWindow, MenuOpensTheLessonAndRunsItsProgram) {
    bench().settings().functions = {"x", "x^2", "x^3", "1"};
    dialogs.fileAnswers.push_back(shipped("parabolen.rtf"));
    menuAction(graph(), "&Presentatie openen")->trigger();
    settle();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].filter, "Presentatie (*.rtf)");
    EXPECT_TRUE(QFile::exists(QFileInfo(dialogs.openRequests[0].fileName).path() + "/sinus.rtf"));
    EXPECT_EQ(graph().windowTitle(), "parabolen.rtf - Kalvor 2.1");
    const QString source = editor().sourcePane()->toPlainText();
    EXPECT_TRUE(source.startsWith("<programma>")) << source.toStdString();
    EXPECT_TRUE(source.contains("schuifbalk(1;p;-3;3)"));
    // The lesson's program set F and G; H and I were emptied for it.
    EXPECT_EQ(bench().settings().functions[0], "p*x^2+q");
    EXPECT_EQ(bench().settings().functions[2], "");
    EXPECT_TRUE(paneText().startsWith("Parabolen")) << paneText().toStdString();
    EXPECT_FALSE(paneText().contains("<programma>"));
    EXPECT_TRUE(paneText().endsWith("\n Top van F: (0, 2)")) << paneText().toStdString();
    graph().redraw();
    settle();
    EXPECT_EQ(paneText().count("Top van F"), 1) << "rebuilt at every run, not repeated";
    EXPECT_TRUE(host.boxes.empty()) << host.boxes.front().text;
    // KALVOR_SCREENSHOTS_OUT=folder keeps a picture of the layout to look at.
    const QString out = qEnvironmentVariable("KALVOR_SCREENSHOTS_OUT");
    if (!out.isEmpty()) graph().grab().save(out + "/presentatie.png");
}

TEST_F(PresentationWindow, LinksOpenLessonsAndAnUnreadableOneIsOnlyReported) {
    ASSERT_TRUE(graph().openPresentation(shipped("sinus.rtf")));
    settle();
    const QSize size = graph().size();
    clickLine("De grafiek van");  // no link on this line
    EXPECT_EQ(graph().windowTitle(), "sinus.rtf - Kalvor 2.1");
    clickLine("Terug: parabolen.rtf");
    EXPECT_EQ(graph().windowTitle(), "parabolen.rtf - Kalvor 2.1");
    EXPECT_TRUE(paneText().startsWith("Parabolen"));
    EXPECT_EQ(graph().size(), size) << "the presentation layout stays";

    const QString missing = folder() + "/weg.rtf";
    EXPECT_FALSE(graph().openPresentation(missing));
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().caption, "foutje");
    EXPECT_EQ(host.boxes.back().text, "Kan " + missing.toStdString() +
                                          " niet openen\rMisschien is dit bestand geopend door "
                                          "een ander programma");
    EXPECT_TRUE(graph().isVisible());
    EXPECT_EQ(graph().windowTitle(), "parabolen.rtf - Kalvor 2.1");
}

}  // namespace
}  // namespace kalvor
