#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <cstdlib>

#include "app/eval_command.h"
#include "app/run_command.h"

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
        QGuiApplication app(argc, argv);
        return kalvor::runCommand(rest, std::cout, std::cerr);
    }
    std::cerr << "gebruik: kalvor --version | kalvor eval FORMULE ... | kalvor run PROGRAMMA ...\n";
    return 2;
}
