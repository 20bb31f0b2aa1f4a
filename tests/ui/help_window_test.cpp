#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include "desktop_fixture.h"
#include "ui/help_window.h"

namespace kalvor {
namespace {

using test::DesktopFixture;

class HelpWindowTest : public DesktopFixture {
protected:
    HelpWindow& help() { return desktop->helpWindow(); }
    QString shown() { return help().browser()->toPlainText(); }
    QAction* helpAction(const QString& text) {
        for (QAction* menu : graph().menuBar()->actions())
            if (menu->menu() && menu->text() == QStringLiteral("&Help"))
                for (QAction* a : menu->menu()->actions())
                    if (a->text() == text) return a;
        return nullptr;
    }
};

TEST_F(HelpWindowTest, HelpMenuOpensContentsOnF1AndKeepsInfo) {
    QAction* contents = helpAction(QStringLiteral("&Inhoud"));
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->shortcut(), QKeySequence(Qt::Key_F1));
    ASSERT_TRUE(helpAction(QStringLiteral("&Zoeken")));
    ASSERT_TRUE(helpAction(QStringLiteral("&Info...")));
    contents->trigger();
    EXPECT_TRUE(help().isVisible());
    EXPECT_TRUE(shown().contains(QStringLiteral("Alle opdrachten")));
}

TEST_F(HelpWindowTest, F1InTheEditorOpensThePageOfTheCommandOnTheCursorLine) {
    editor().show();
    QPlainTextEdit* source = editor().sourcePane();
    source->setPlainText(QStringLiteral("lijn(0;0;1;1)\n  hoogtelijn(-3;0;3;0;1;2)\n"));
    QTextCursor cursor(source->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 4);
    source->setTextCursor(cursor);
    source->setFocus();
    QTest::keyClick(source, Qt::Key_F1);
    settle();
    EXPECT_TRUE(help().isVisible());
    EXPECT_TRUE(shown().contains(QStringLiteral("Meetkundige constructies")))
        << shown().toStdString();
}

TEST_F(HelpWindowTest, SearchListsHitsThatLeadToTheEntry) {
    help().search(QStringLiteral("webdiagram"));
    EXPECT_TRUE(shown().contains(QStringLiteral("webgrafiek (Numerieke analyse)")));
    emit help().browser()->anchorClicked(QUrl(QStringLiteral("13_numeriek#webgrafiek")));
    EXPECT_TRUE(shown().startsWith(QStringLiteral("Numerieke analyse")));
}

}  // namespace
}  // namespace kalvor
