#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "../support/file_checks.h"
#include "desktop_fixture.h"
#include "lang/program_controls.h"
#include "ui/film_page_window.h"
#include "ui/gif_builder_window.h"
#include "ui/output_window.h"
#include "ui/program_controls_view.h"
#include "ui/rich_text_pane.h"

namespace kalvor {
namespace {

using test::DesktopFixture;
using test::menuAction;

// The flags byte of a GIF's first graphic control block says whether it has a transparent
// colour (bit 0).
bool gifHasTransparency(const std::string& bytes) {
    const std::size_t block = bytes.find("\x21\xF9\x04");
    return block != std::string::npos && (bytes[block + 3] & 1) != 0;
}

class ImageWindowsTest : public DesktopFixture {
protected:
    void run(const QString& program) {
        editor().sourcePane()->setPlainText(program);
        QTest::mouseClick(editor().findChild<QPushButton*>("compileRun"), Qt::LeftButton);
        settle();
    }
    ProgramControlsView& controls() { return *graph().controlsView(); }
    QString path(const char* name) const { return folder() + "/" + name; }
    /// The first box, the chosen item and the rich text pane show these.
    void expectShown(const char* box, const char* item, const char* richText) {
        EXPECT_EQ((QStringList{controls().box(0)->text(), controls().selectionList()->currentText(),
                               graph().richTextPane()->toPlainText()}),
                  (QStringList{box, item, richText}));
    }
};

TEST_F(ImageWindowsTest, TransparentGifsFollowTheMenuAndThePreferences) {
    QAction* transparent = graph().transparentGifsAction();
    EXPECT_TRUE(transparent->isChecked());
    for (const bool checked : {true, false}) {
        transparent->setChecked(checked);
        dialogs.fileAnswers.push_back(path("t.gif"));
        menuAction(graph(), "Opslaan als &Gif")->trigger();
        EXPECT_EQ(gifHasTransparency(test::readBytes(path("t.gif"))), checked);
    }
    menuAction(graph(), "&Voorkeuren opslaan")->trigger();
    EXPECT_NE(test::readBytes(path("voorkeuren.txt")).find("transparantegifs=nee"),
              std::string::npos);
    transparent->setChecked(true);
    menuAction(graph(), "Voorkeuren &laden")->trigger();
    EXPECT_FALSE(transparent->isChecked());
}

TEST_F(ImageWindowsTest, AFailedSaveTellsWhyAndLeavesNothing) {
    const QString file = path("nergens/a.jpg");
    dialogs.fileAnswers.push_back(file);
    menuAction(graph(), "Opslaan als &JPG")->trigger();
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_NE(host.boxes.back().text.find("kon niet worden geschreven"), std::string::npos);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(ImageWindowsTest, CopyPutsTheCanvasOnTheClipboard) {
    menuAction(graph(), "&Kopieren als Bitmap")->trigger();
    EXPECT_EQ(host.clipboardImage, bench().canvas().image());
}

TEST_F(ImageWindowsTest, BoxesListAndRichTextSurviveRedraws) {
    run("interface(tekstveld2;150)\n"
        "invoerveld$(1;$naam;Piet;Naam)\n"
        "uitvoerveld(2;2.5;uit)\n"
        "uitvoerveld(3;7;nooit)\n"
        "selectievak($kleur;rood,groen,blauw)\n"
        "rtftekst($kleur)\n"
        "rtfregel\n"
        "rtftekst($naam)");
    // Box 3 was never enabled.
    EXPECT_EQ((std::vector<bool>{controls().box(0)->isVisible(), controls().box(2)->isVisible(),
                                 graph().richTextPane()->isVisible()}),
              (std::vector<bool>{true, false, true}));
    EXPECT_EQ((QStringList{controls().boxLabel(0)->text(), controls().box(1)->text()}),
              (QStringList{"Naam", "2.5"}));
    EXPECT_EQ(controls().box(1)->x(), 150);
    EXPECT_EQ(controls().selectionList()->count(), 3);
    expectShown("Piet", "rood", "rood\n Piet");

    // What the person types and chooses is what the next runs read.
    controls().box(0)->clear();
    QTest::keyClicks(controls().box(0), "Jan");
    controls().selectionList()->setCurrentIndex(2);
    emit controls().selectionList()->activated(2);
    for (int run = 0; run < 2; ++run) {
        graph().redraw();
        settle();
    }
    expectShown("Jan", "blauw", "blauw\n Jan");
}

TEST_F(ImageWindowsTest, StopWaitsForTheContinueButton) {
    QString captionSeen, hintSeen;
    bool visibleSeen = false;
    QTimer::singleShot(200, [&] {
        QPushButton* button = controls().continueButton();
        captionSeen = button->text();
        hintSeen = button->toolTip();
        visibleSeen = button->isVisible();
        QTest::mouseClick(button, Qt::LeftButton);
    });
    run("stop(Door)\nschrijfregel(t;verder)");
    EXPECT_TRUE(visibleSeen);
    EXPECT_EQ((QStringList{captionSeen, hintSeen}), (QStringList{"Door", "Klik mij"}));
    EXPECT_FALSE(controls().continueButton()->isVisible());
    EXPECT_FALSE(bench().isRunning());
    EXPECT_EQ(desktop->outputWindow().textArea()->toPlainText(), "verder");
}

TEST_F(ImageWindowsTest, BuilderJoinsTheFramesOfARun) {
    run("assen=geen\nfilm(i;1;4;1)\nlijn(0;0;4;i)\nopslaangif(beeld)\nnext");
    menuAction(graph(), "&Animated Gif maken")->trigger();
    GifBuilderWindow& builder = *graph().gifBuilder();
    ASSERT_TRUE(builder.isVisible());
    ASSERT_EQ(builder.inputList()->count(), 4);
    EXPECT_EQ((QStringList{builder.inputList()->item(3)->text(), builder.delayEdit()->text()}),
              (QStringList{"beeld13.gif", "10"}));
    EXPECT_TRUE(builder.transparentBox()->isChecked());
    EXPECT_FALSE(builder.progressLabel()->isVisible());

    // Removing, sorting and adding act on the list that programs fill.
    builder.inputList()->setCurrentRow(0);
    builder.button("&Verwijderen")->click();
    dialogs.fileAnswers.push_back("beeld10.gif");
    builder.button("&Toevoegen...")->click();
    const std::vector<std::string>& list = bench().environment().controls.gifInputList;
    EXPECT_EQ((std::pair{list.front(), list.back()}),
              (std::pair<std::string, std::string>{"beeld11.gif", "beeld10.gif"}));
    builder.button("&Sorteren")->click();
    EXPECT_EQ(list, (std::vector<std::string>{"beeld10.gif", "beeld11.gif", "beeld12.gif",
                                              "beeld13.gif"}));
    EXPECT_EQ(builder.inputList()->item(0)->text(), "beeld10.gif");

    dialogs.fileAnswers.push_back(path("film.gif"));
    builder.button("&Browse...")->click();
    EXPECT_EQ(dialogs.saveRequests.back().defaultSuffix, "gif");
    builder.delayEdit()->setText("500");
    builder.button("GO!")->click();
    EXPECT_EQ(host.boxes.back().text, "Animation saved using a global palette. Success!");
    const std::string bytes = test::readBytes(path("film.gif"));
    EXPECT_NE(bytes.find("NETSCAPE2.0"), std::string::npos);
    EXPECT_NE(bytes.find("\x21\xF9\x04\x09\x32"), std::string::npos);  // disposal 2, 0.50 s
    EXPECT_FALSE(builder.progressLabel()->isVisible());

    builder.delayEdit()->setText("tien");
    builder.button("&Wissen")->click();
    builder.button("GO!")->click();
    EXPECT_NE(host.boxes.back().text.find("geen geheel getal"), std::string::npos);
    EXPECT_TRUE(bench().environment().controls.gifInputList.empty());
}

class FilmPageTest : public ImageWindowsTest {
protected:
    FilmPageWindow& page() {
        menuAction(graph(), "&Beeldrol (javascript)")->trigger();
        return *graph().filmPageWindow();
    }
};

TEST_F(FilmPageTest, SavesThePageAndShowsItOnlyWithItsScript) {
    FilmPageWindow& window = page();
    // Not saved and no film.js: the message, nothing opened.
    menuAction(window, "&Bekijken in Browser")->trigger();
    EXPECT_EQ((std::pair{host.boxes.back().caption, host.boxes.back().text}),
              (std::pair<std::string, std::string>{
                  "Foutje",
                  "Het script bestand film.js bevindt zich niet in de directory ., kopieer het "
                  "daarheen"}));
    EXPECT_TRUE(host.opened.empty());

    for (const bool copy : {false, true}) {
        host.answer = copy ? Host::Answer::Yes : Host::Answer::No;
        dialogs.fileAnswers.push_back(path("film.htm"));
        menuAction(window, "Animatie &Opslaan")->trigger();
        EXPECT_EQ((QStringList{dialogs.saveRequests.back().fileName,
                               dialogs.saveRequests.back().caption}),
                  (QStringList{"mijnfilm.htm", "Bestandsnaam kiezen"}));
        EXPECT_EQ(QFile::exists(path("film.js")), copy);
    }
    const std::string saved = test::readBytes(path("film.htm"));
    EXPECT_EQ(saved.substr(0, 8), "<HTML>\r\n");
    EXPECT_NE(saved.find("var minnr=10\r\n"), std::string::npos);
    EXPECT_NE(test::readBytes(path("film.js")).find("function startvertoning"), std::string::npos);
    menuAction(window, "&Bekijken in Browser")->trigger();
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(QString::fromStdString(host.opened.back()), path("film.htm"));
}

TEST_F(FilmPageTest, HelpPagesAreFound) {
    FilmPageWindow& window = page();
    for (const char* item : {"Intro", "Programma"})
        menuAction(window, item)->trigger();
    ASSERT_EQ(host.opened.size(), 2u);
    EXPECT_TRUE(QString::fromStdString(host.opened[0]).endsWith("/help.htm"));
    EXPECT_TRUE(QString::fromStdString(host.opened[1]).endsWith("/beeldrolexe.htm"));
}

}  // namespace
}  // namespace kalvor
