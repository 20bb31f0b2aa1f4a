#include "ui/output_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <tuple>

#include "../support/file_checks.h"
#include "../support/recording_host.h"
#include "lang/output_log.h"
#include "scripted_dialogs.h"

namespace kalvor {
namespace {

struct OutputFixture : ::testing::Test {
    OutputLog log;
    test::RecordingHost host;
    test::ScriptedDialogs dialogs;
    OutputWindow window{log, host, dialogs};
    QTemporaryDir folder;
    QString text() const { return window.textArea()->toPlainText(); }
};

TEST_F(OutputFixture, FollowsWritesAndComesForward) {
    EXPECT_FALSE(window.isVisible());
    const std::tuple<bool, const char*, const char*> steps[] = {
        {false, "a", "a"},  // schrijf with no line yet starts the first line
        {false, "b", "ab"},
        {true, "c", "ab\nc"},
        {true, "", "ab\nc\n"},
        {false, "d", "ab\nc\nd"},
        {true, "x\ry", "ab\nc\nd\nx\ny"},  // a written line break shows as one
        {false, "z", "ab\nc\nd\nx\nyz"},
        {true, "e", "ab\nc\nd\nx\nyz\ne"},
    };
    for (const auto& [newLine, textText, shown] : steps) {
        newLine ? log.appendLine(textText) : log.append(textText);
        EXPECT_EQ(text().toStdString(), shown) << textText;
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "uitvoervenster");
}

TEST_F(OutputFixture, SavesEveryLineWithLineEnds) {
    log.appendLine("1");
    log.appendLine("2.5");
    const QString path = folder.filePath("uit.txt");
    dialogs.fileAnswers.push_back(path);
    window.save();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].fileName, "uitvoer.txt");
    EXPECT_EQ(dialogs.saveRequests[0].filter, "tekst (*.txt)");
    EXPECT_EQ(test::readBytes(path), "1\r\n2.5\r\n");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(OutputFixture, CancelledOrFailedSaveKeepsTheOldFile) {
    log.appendLine("nieuw");
    const QString path = folder.filePath("uit.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud\r\n");
    old.close();
    dialogs.fileAnswers.push_back(QString());
    window.save();
    EXPECT_EQ(test::readBytes(path), "oud\r\n");
    EXPECT_TRUE(host.boxes.empty());

    // A folder that does not exist cannot take the file: a message, nothing lost.
    dialogs.fileAnswers.push_back(folder.filePath("geen/map/uit.txt"));
    window.save();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find("niet opslaan"), std::string::npos);
    EXPECT_EQ(test::readBytes(path), "oud\r\n");
}

TEST_F(OutputFixture, WipeEmptiesLogAndWindow) {
    log.appendLine("een");
    log.appendLine("twee");
    window.wipe();
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(text(), "");
    log.append("drie");
    EXPECT_EQ(text(), "drie");
}

}  // namespace
}  // namespace kalvor
