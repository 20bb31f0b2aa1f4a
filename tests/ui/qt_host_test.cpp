#include "ui/qt_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "scripted_dialogs.h"
#include "ui/dialogs.h"

namespace kalvor {
namespace {

// Runs `act` on the first modal dialog as soon as it is open.
void whenDialogOpens(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

struct BoxRow {
    Host::Buttons buttons;
    QMessageBox::StandardButton click;  // NoButton: the box is closed with Escape
    Host::Answer answer;
};

TEST(QtHost, MessageBoxButtonsGiveTheirAnswers) {
    const BoxRow rows[] = {
        {Host::Buttons::Ok, QMessageBox::Ok, Host::Answer::Ok},
        {Host::Buttons::Ok, QMessageBox::NoButton, Host::Answer::Ok},
        {Host::Buttons::OkCancel, QMessageBox::Ok, Host::Answer::Ok},
        {Host::Buttons::OkCancel, QMessageBox::Cancel, Host::Answer::Cancel},
        {Host::Buttons::OkCancel, QMessageBox::NoButton, Host::Answer::Cancel},
        {Host::Buttons::YesNo, QMessageBox::Yes, Host::Answer::Yes},
        {Host::Buttons::YesNo, QMessageBox::No, Host::Answer::No},
        {Host::Buttons::YesNo, QMessageBox::NoButton, Host::Answer::No},
        {Host::Buttons::YesNoCancel, QMessageBox::Yes, Host::Answer::Yes},
        {Host::Buttons::YesNoCancel, QMessageBox::No, Host::Answer::No},
        {Host::Buttons::YesNoCancel, QMessageBox::Cancel, Host::Answer::Cancel},
        {Host::Buttons::YesNoCancel, QMessageBox::NoButton, Host::Answer::Cancel},
    };
    QtDialogs dialogs;
    QtHost host(dialogs);
    QStringList captions;
    for (const BoxRow& row : rows) {
        whenDialogOpens([click = row.click, &captions](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons())
                captions << button->text();
            if (click == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(click)->click();
        });
        EXPECT_EQ(host.messageBox("vraag", "tekst", Host::Icon::Question, row.buttons), row.answer)
            << "buttons " << static_cast<int>(row.buttons) << " click " << row.click;
    }
    // The buttons speak Dutch, with or without Qt's own translations.
    captions.removeDuplicates();
    captions.sort();
    EXPECT_EQ(captions, QStringList({"Annuleren", "Ja", "Nee", "OK"}));
}

TEST(QtHost, MessageBoxShowsCaptionIconAndCarriageReturnsAsLines) {
    const std::pair<Host::Icon, QMessageBox::Icon> icons[] = {
        {Host::Icon::None, QMessageBox::NoIcon},
        {Host::Icon::Information, QMessageBox::Information},
        {Host::Icon::Warning, QMessageBox::Warning},
        {Host::Icon::Error, QMessageBox::Critical},
        {Host::Icon::Question, QMessageBox::Question},
    };
    QtDialogs dialogs;
    QtHost host(dialogs);
    for (const auto& [icon, shown] : icons) {
        QString caption, text;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        whenDialogOpens([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            seenIcon = box->icon();
            box->accept();
        });
        host.messageBox("Oeps", "Kalvor kan de uitdrukking: \r3*\rniet verwerken.", icon);
        EXPECT_EQ(caption, "Oeps");
        EXPECT_EQ(text, "Kalvor kan de uitdrukking: \n3*\nniet verwerken.");
        EXPECT_EQ(seenIcon, shown);
    }
}

TEST(QtHost, InputDialogReturnsTheAnswerOrKeepsTheDefault) {
    QtDialogs dialogs;
    QtHost host(dialogs);
    const struct {
        bool accept;
        const char* typed;
        bool result;
        const char* value;
    } rows[] = {{true, "2", true, "2"}, {false, "3", false, "1"}, {true, "", true, ""}};
    for (const auto& row : rows) {
        QString caption, prompt, shownDefault;
        whenDialogOpens([&](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            ASSERT_NE(input, nullptr);
            caption = input->windowTitle();
            prompt = input->labelText();
            shownDefault = input->textValue();
            input->setTextValue(row.typed);
            row.accept ? input->accept() : input->reject();
        });
        std::string value = "1";
        EXPECT_EQ(host.inputDialog("Lijndikte", "voer in: 1,2 of 3", value), row.result);
        EXPECT_EQ(value, row.value);
        EXPECT_EQ((QStringList{caption, prompt, shownDefault}),
                  (QStringList{"Lijndikte", "voer in: 1,2 of 3", "1"}));
    }
}

TEST(QtHost, MissingFileIsAskedForWithTheProgramFilter) {
    test::ScriptedDialogs dialogs;
    QtHost host(dialogs);
    dialogs.fileAnswers = {QString(), QStringLiteral("/tmp/gekozen.txt")};
    std::string path = "sub/bestand.txt";
    EXPECT_FALSE(host.chooseFileToOpen("Openen", path));
    EXPECT_EQ(path, "sub/bestand.txt");
    EXPECT_TRUE(host.chooseFileToOpen("Openen", path));
    EXPECT_EQ(path, "/tmp/gekozen.txt");
    ASSERT_EQ(dialogs.openRequests.size(), 2u);
    const auto& asked = dialogs.openRequests[0];
    EXPECT_EQ((QStringList{asked.caption, asked.fileName, asked.filter}),
              (QStringList{"Openen", "sub/bestand.txt", "tekstfiles (*.txt);;alle (*)"}));
}

TEST(QtHost, ProcessEventsDeliversWaitingEvents) {
    QtDialogs dialogs;
    QtHost host(dialogs);
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    host.processEvents();
    EXPECT_TRUE(delivered);
}

TEST(QtHost, ClipboardTextRoundTrips) {
    QtDialogs dialogs;
    QtHost host(dialogs);
    host.setClipboardText("1\n2.5\n-3");
    EXPECT_EQ(host.clipboardText(), "1\n2.5\n-3");
}

}  // namespace
}  // namespace kalvor
