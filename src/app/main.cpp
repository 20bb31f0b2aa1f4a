#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/demo_picture.h"
#include "app/eval_command.h"
#include "app/run_command.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/graph_window.h"
#include "ui/qt_host.h"

namespace {

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Windows need a display, or a platform chosen explicitly (offscreen, vnc …).
bool canOpenWindows() {
    return environmentSet("DISPLAY") || environmentSet("WAYLAND_DISPLAY") ||
           environmentSet("QT_QPA_PLATFORM");
}

// Headless modes write only their own results and message boxes to the streams; Qt's
// notes about the environment (a missing runtime folder, font fallbacks) are left out.
void keepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

int startDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvor"));
    QApplication::setApplicationVersion(QStringLiteral(KALVOR_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kalvor.svg")));
    QApplication::setDesktopFileName(QStringLiteral("kalvor"));
    kalvor::installDutchTranslations();  // without them Qt's dialogs stay English
    kalvor::QtDialogs dialogs;
    kalvor::QtHost host(dialogs);
    kalvor::Desktop desktop(host, dialogs);
    host.setMainWindow(&desktop.graphWindow());
    desktop.show();
    return QApplication::exec();
}

}  // namespace

// Entry point: the desktop program, or one of the command-line modes.
int main(int argc, char** argv) {
    const std::vector<std::string> rest(argv + std::min(argc, 2), argv + argc);
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "Kalvor " << KALVOR_VERSION << '\n';
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "eval") == 0)
        return kalvor::evalCommand(rest, std::cout, std::cerr);
    if (argc > 1 && std::strcmp(argv[1], "run") == 0) {
        // The command line never shows a window; fonts and images still need the GUI layer.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        qInstallMessageHandler(keepQtQuiet);
        QGuiApplication app(argc, argv);
        return kalvor::runCommand(rest, std::cout, std::cerr);
    }
    if (argc == 1) {
        if (canOpenWindows()) return startDesktop(argc, argv);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        qInstallMessageHandler(keepQtQuiet);
        QGuiApplication app(argc, argv);
        return kalvor::renderDemoPicture("kalvor-demo.png", std::cout, std::cerr);
    }
    std::cerr << "gebruik: kalvor | kalvor --version | kalvor eval FORMULE ... | "
                 "kalvor run PROGRAMMA ...\n";
    return 2;
}
