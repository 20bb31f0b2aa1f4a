#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include "../support/file_checks.h"
#include "desktop_fixture.h"
#include "lang/program_file.h"
#include "lang/program_library.h"
#include "ui/qt_text.h"
#include "ui/swatch_widget.h"

namespace kalvor {
namespace {

using test::DesktopFixture;

class EditorWindowTest : public DesktopFixture {
protected:
    void choose(const QString& command) {
        QComboBox* list = editor().commandList();
        const int index = list->findText(command);
        ASSERT_GE(index, 0) << command.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    QPushButton* button(const char* name) { return editor().findChild<QPushButton*>(name); }
    QString source() const { return desktop->editorWindow().sourcePane()->toPlainText(); }
    QString compiled() const { return desktop->editorWindow().compiledPane()->toPlainText(); }
};

TEST_F(EditorWindowTest, AppendButtonAddsOnlyTheCommandName) {
    QTest::mouseClick(button("toevoegen"), Qt::LeftButton);
    EXPECT_EQ(source(), "");  // nothing chosen yet
    editor().sourcePane()->setPlainText("assen=geen");
    choose("lijn");
    QTest::mouseClick(button("toevoegen"), Qt::LeftButton);
    choose("oplossingskromme");
    QTest::mouseClick(button("toevoegen"), Qt::LeftButton);
    EXPECT_EQ(source(), "assen=geen\nlijn\noplossingskromme");
}

TEST_F(EditorWindowTest, ToolsPutColourAndFillStyleNumbersIntoTheSource) {
    auto* colour = editor().findChild<SwatchWidget*>("kleurgereedschap");
    auto* fill = editor().findChild<SwatchWidget*>("vulstijlgereedschap");
    ASSERT_TRUE(colour && fill);
    const std::pair<QColor, const char*> colours[] = {
        {QColor(255, 0, 0), "255"}, {QColor(0, 0, 255), "16711680"}, {QColor(0, 128, 0), "32768"}};
    for (const auto& [chosen, number] : colours) {
        dialogs.colourAnswers.push_back(chosen);
        QTest::mousePress(colour, Qt::LeftButton);
        EXPECT_EQ(editor().numberBox()->text(), number);
    }
    dialogs.colourAnswers.push_back(QColor());  // cancelled: nothing changes
    QTest::mousePress(colour, Qt::LeftButton);
    EXPECT_EQ(editor().numberBox()->text(), "32768");
    // Eight styles, then round again.
    for (const char* expected : {"1", "2", "3", "4", "5", "6", "7", "0", "1"}) {
        QTest::mouseClick(fill, Qt::LeftButton);
        EXPECT_EQ(editor().numberBox()->text(), expected);
    }
    editor().sourcePane()->setPlainText("vulstijl()");
    QTextCursor caret = editor().sourcePane()->textCursor();
    caret.setPosition(9);
    editor().sourcePane()->setTextCursor(caret);
    QTest::mouseClick(button("invoegen"), Qt::LeftButton);
    EXPECT_EQ(source(), "vulstijl(1)");
}

TEST_F(EditorWindowTest, MissingIncludeAsksForTheFileThenReports) {
    compileSource("lijn(0;0;1;1)\n&bestaatniet.txt\nstip(0;0;1)");
    ASSERT_EQ(host.fileRequests.size(), 1u);  // asked for the file, then cancelled
    EXPECT_EQ(host.fileRequests[0], "bestaatniet.txt");
    EXPECT_EQ(compiled(), "lijn\n0\n0\n1\n1");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("bestaatniet.txt"), std::string::npos);
    // A chosen file is included as it stands.
    const QString included = folder() + "/gecompileerd.txt";
    ASSERT_TRUE(writeCompiledProgram(included.toStdString(), {"stip", "1", "2", "3"}));
    host.fileAnswers.push_back(included.toStdString());
    editor().compile();
    EXPECT_EQ(compiled(), "lijn\n0\n0\n1\n1\nstip\n1\n2\n3\nstip\n0\n0\n1");
}

TEST_F(EditorWindowTest, OpenAndSaveKeepTheFileName) {
    const QString path = folder() + "/prog.txt";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("lijn(0;0;1;1)\r\ntekst(0;0;caf\xe9)\r\n");  // an older single-byte file
    file.close();
    dialogs.fileAnswers.push_back(path);
    editor().openProgram();
    EXPECT_EQ(
        (QStringList{dialogs.openRequests.back().fileName, dialogs.openRequests.back().filter}),
        (QStringList{"*.txt", "tekstfiles (*.txt);;alle (*)"}));
    EXPECT_EQ(source(), QString::fromUtf8("lijn(0;0;1;1)\ntekst(0;0;café)"));
    EXPECT_EQ(editor().windowTitle(), "Meer " + path);

    editor().sourcePane()->appendPlainText("stip(0;0;2)");
    const QString copy = folder() + "/kopie.txt";
    dialogs.fileAnswers.push_back(copy);
    editor().saveProgram();
    EXPECT_EQ(dialogs.saveRequests.back().fileName, path);  // proposed: the opened file
    EXPECT_EQ(test::readBytes(copy), "lijn(0;0;1;1)\r\ntekst(0;0;caf\xc3\xa9)\r\nstip(0;0;2)\r\n");
    EXPECT_EQ(editor().windowTitle(), "Meer " + copy);

    editor().compile();
    const QString compiledPath = folder() + "/prog.gec";
    dialogs.fileAnswers.push_back(compiledPath);
    editor().saveCompiled();
    EXPECT_EQ(
        test::readBytes(compiledPath),
        "lijn\r\n0\r\n0\r\n1\r\n1\r\ntekst\r\n0\r\n0\r\ncaf\xc3\xa9\r\nstip\r\n0\r\n0\r\n2\r\n");
    // Cancelling writes nothing and keeps the caption.
    dialogs.fileAnswers.push_back(QString());
    editor().saveProgram();
    EXPECT_EQ(editor().windowTitle(), "Meer " + copy);
}

class ChangedProgramTest : public EditorWindowTest {
protected:
    // The editor showing a freshly opened file, so the text counts as unchanged.
    void startFromFile() {
        writeFile(m_start, "lijn(0;0;1;1)");
        host.answer = Host::Answer::No;
        dialogs.fileAnswers.assign({m_start});
        editor().openProgram();
        host.boxes.clear();
        dialogs.fileAnswers.clear();
    }
    static void writeFile(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    bool asked() const {
        return host.boxes.size() == 1 &&
               host.boxes[0].text == "Wijzigingen in het programma opslaan?" &&
               host.boxes[0].buttons == Host::Buttons::YesNoCancel;
    }
    QString m_start = folder() + "/begin.txt";
};

TEST_F(ChangedProgramTest, OpeningAnotherProgramOffersToSaveTheChangedOne) {
    struct Row {
        const char* what;
        bool edit;
        Host::Answer answer;
        const char* saveAs;  // answer of the save dialog; nullptr: cancelled
        bool asks, saves, opens;
    };
    const Row rows[] = {
        {"unchanged", false, Host::Answer::Yes, nullptr, false, false, true},
        {"changed, Nee", true, Host::Answer::No, nullptr, true, false, true},
        {"changed, Annuleren", true, Host::Answer::Cancel, nullptr, true, false, false},
        {"changed, Ja", true, Host::Answer::Yes, "bewaard.txt", true, true, true},
        {"changed, Ja, save cancelled", true, Host::Answer::Yes, nullptr, true, false, false},
    };
    const QString other = folder() + "/ander.txt";
    writeFile(other, "stip(0;0;1)");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        startFromFile();
        if (row.edit) editor().sourcePane()->appendPlainText("tekst(0;0;nieuw)");
        const QString shown = source();
        const QString saved = row.saveAs ? folder() + "/" + row.saveAs : QString();
        host.answer = row.answer;
        if (row.answer == Host::Answer::Yes && row.edit) dialogs.fileAnswers.push_back(saved);
        dialogs.fileAnswers.push_back(other);
        const std::size_t openRequests = dialogs.openRequests.size();
        editor().openProgram();
        EXPECT_EQ(asked(), row.asks);
        const std::string written = QString(shown).replace("\n", "\r\n").toStdString() + "\r\n";
        EXPECT_EQ(!saved.isEmpty() && test::readBytes(saved) == written, row.saves);
        EXPECT_EQ(dialogs.openRequests.size() > openRequests, row.opens);
        EXPECT_EQ(source(), row.opens ? "stip(0;0;1)" : shown);
        if (!saved.isEmpty()) QFile::remove(saved);
    }
}

TEST_F(ChangedProgramTest, ClosingTheGraphWindowOffersToSaveTheChangedProgram) {
    QApplication::setQuitOnLastWindowClosed(false);
    startFromFile();
    EXPECT_TRUE(graph().close());  // unchanged: closes without a question
    EXPECT_TRUE(host.boxes.empty());
    graph().show();
    editor().sourcePane()->appendPlainText("tekst(0;0;nieuw)");
    host.answer = Host::Answer::Cancel;
    EXPECT_FALSE(graph().close());
    EXPECT_TRUE(asked());
    EXPECT_TRUE(graph().isVisible());
    host.boxes.clear();
    host.answer = Host::Answer::No;
    EXPECT_TRUE(graph().close());
    EXPECT_TRUE(asked());
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(ChangedProgramTest, SaveProposesOnlyTheFileTheTextCameFrom) {
    const auto proposed = [this] {
        dialogs.fileAnswers.push_back(QString());  // cancelled
        editor().saveProgram();
        return dialogs.saveRequests.back().fileName;
    };
    EXPECT_EQ(proposed(), "*.txt");  // a new program came from no file
    startFromFile();
    EXPECT_EQ(proposed(), m_start);
    // Saving the compiled form neither proposes the program's file nor becomes its file.
    dialogs.fileAnswers.push_back(folder() + "/gecompileerd.txt");
    editor().saveCompiled();
    EXPECT_EQ(dialogs.saveRequests.back().fileName, "*.txt");
    EXPECT_EQ(proposed(), m_start);
    // A program that replaces the text without a file (a library program) has none.
    ASSERT_TRUE(editor().replaceSource("stip(0;0;3)"));
    EXPECT_EQ(editor().windowTitle(), "Meer");
    EXPECT_EQ(proposed(), "*.txt");
}

class LibraryMenuTest : public ChangedProgramTest {
protected:
    QMenu* menu(const QString& title) {
        for (QAction* action : editor().menuBar()->actions())
            if (action->text() == title) return action->menu();
        return nullptr;
    }
    QAction* item(const QString& submenu, const QString& caption) {
        QMenu* library = menu("&Programmabibliotheek");
        if (library == nullptr) return nullptr;
        for (QAction* group : library->actions())
            if (group->text() == submenu && group->menu() != nullptr)
                for (QAction* action : group->menu()->actions())
                    if (action->text() == caption) return action;
        return nullptr;
    }
};

// Every item of the menu shows its program from the first line, without compiling it.
TEST_F(LibraryMenuTest, EveryItemShowsItsProgramAtTheTop) {
    editor().sourcePane()->setPlainText(QString("% lang\n").repeated(300));
    editor().sourcePane()->verticalScrollBar()->setValue(200);
    host.answer = Host::Answer::No;
    for (const LibraryGroup& group : programLibrary())
        for (const LibraryProgram& program : group.programs) {
            QAction* action = item(toQString(group.caption), toQString(program.caption));
            ASSERT_NE(action, nullptr) << program.caption;
            editor().sourcePane()->moveCursor(QTextCursor::End);
            action->trigger();
            SCOPED_TRACE(program.file);
            EXPECT_EQ(source().toStdString(), *libraryProgramText(program.file));
            EXPECT_EQ(std::pair(editor().sourcePane()->textCursor().position(),
                                editor().sourcePane()->verticalScrollBar()->value()),
                      std::pair(0, 0));
            EXPECT_EQ((QStringList{editor().windowTitle(), compiled()}), (QStringList{"Meer", ""}));
        }
    EXPECT_EQ(menu("&Programmabibliotheek")->actions().size(), 6);
}

// Unsaved edits are never dropped silently: the item asks as opening a file does.
TEST_F(LibraryMenuTest, ChangedTextIsOfferedForSavingFirst) {
    struct Row {
        const char* what;
        Host::Answer answer;
        const char* saveAs;
        bool replaced;
    };
    const Row rows[] = {
        {"Nee", Host::Answer::No, nullptr, true},
        {"Annuleren", Host::Answer::Cancel, nullptr, false},
        {"Ja", Host::Answer::Yes, "bewaard.txt", true},
        {"Ja, save cancelled", Host::Answer::Yes, nullptr, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        startFromFile();
        editor().sourcePane()->appendPlainText("tekst(0;0;nieuw)");
        const QString typed = source();
        host.answer = row.answer;
        if (row.answer == Host::Answer::Yes)
            dialogs.fileAnswers.push_back(row.saveAs ? folder() + "/" + row.saveAs : QString());
        item("Grote ge&tallen", "fa&culteit")->trigger();
        EXPECT_TRUE(asked());
        EXPECT_EQ(source() == typed, !row.replaced);
        EXPECT_EQ(source().startsWith("% 2002!"), row.replaced);
        if (row.saveAs) {
            EXPECT_TRUE(QFile::exists(folder() + "/" + row.saveAs));
        }
    }
}

// The documents come from the startup folder (written there when missing) and open with
// the desktop's application; without one, a message says so.
TEST_F(LibraryMenuTest, DocumentsOpenFromTheStartupFolder) {
    QMenu* documents = menu("&Documentatie");
    ASSERT_NE(documents, nullptr);
    ASSERT_EQ(documents->actions().size(), 2);
    const std::pair<int, QString> rows[] = {{0, "introductie.doc"}, {1, "voorbeelden.doc"}};
    for (const auto& [index, name] : rows) {
        const QString path = QDir(folder()).filePath(name);
        documents->actions()[index]->trigger();
        ASSERT_FALSE(host.opened.empty());
        EXPECT_EQ(QFileInfo(QString::fromStdString(host.opened.back())), QFileInfo(path));
        EXPECT_TRUE(test::readBytes(path).starts_with("{\\rtf1")) << name.toStdString();
        EXPECT_TRUE(host.boxes.empty());
    }
    // A copy the teacher changed is opened as it is.
    ChangedProgramTest::writeFile(folder() + "/voorbeelden.doc", "{\\rtf1 eigen}");
    documents->actions()[1]->trigger();
    EXPECT_EQ(test::readBytes(folder() + "/voorbeelden.doc"), "{\\rtf1 eigen}");
    host.openSucceeds = false;
    documents->actions()[0]->trigger();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.boxes[0].text.starts_with("Er is geen programma gevonden dat "))
        << host.boxes[0].text;
    EXPECT_NE(host.boxes[0].text.find("introductie.doc"), std::string::npos);
}

}  // namespace
}  // namespace kalvor
