#pragma once

// The desktop program with scripted dialogs and a recording host, started in an empty
// temporary folder (the preferences file is written there).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "../support/pixels.h"
#include "../support/recording_host.h"
#include "graph/workbench.h"
#include "scripted_dialogs.h"
#include "ui/desktop.h"
#include "ui/editor_window.h"
#include "ui/graph_window.h"

namespace kalvor::test {

/// Records boxes like RecordingHost, lets a running program see window events, and answers
/// requests for missing files from a queue (empty: cancelled).
class EventHost : public RecordingHost {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
    bool chooseFileToOpen(std::string_view, std::string& path) override {
        fileRequests.emplace_back(path);
        if (fileAnswers.empty()) return false;
        path = fileAnswers.front();
        fileAnswers.erase(fileAnswers.begin());
        return true;
    }
    std::vector<std::string> fileRequests, fileAnswers;
};

/// The menu item of `window` with the caption `text` (access key included).
inline QAction* menuAction(QMainWindow& window, const QString& text) {
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text() == text) return action;
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

class DesktopFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QDir::setCurrent(m_folder.path());
        desktop = std::make_unique<Desktop>(host, dialogs);
        desktop->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph()));
        settle();
    }
    void TearDown() override {
        desktop.reset();
        QDir::setCurrent(m_previous);
    }

    GraphWindow& graph() { return desktop->graphWindow(); }
    EditorWindow& editor() { return desktop->editorWindow(); }
    Workbench& bench() { return desktop->workbench(); }
    QString folder() const { return m_folder.path(); }

    /// Puts `source` into the editor and compiles it, as the Compile button does.
    void compileSource(const QString& source) {
        editor().sourcePane()->setPlainText(source);
        editor().compile();
    }

    /// Lets posted events and zero-delay timers run.
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    /// Pixels of exactly `colour` in the canvas rows `fromRow` … `toRow`.
    int pixelsInRows(QRgb colour, int fromRow, int toRow) {
        const QImage& image = bench().canvas().image();
        return pixelsOf(image.copy(0, fromRow, image.width(), toRow - fromRow + 1), colour);
    }

    /// A key as the person types it: to the widget that has the keyboard focus.
    void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : &graph(), key, modifiers);
    }

    EventHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<Desktop> desktop;

private:
    QTemporaryDir m_folder;
    QString m_previous = QDir::currentPath();
};

}  // namespace kalvor::test
