// Test entry point for the layers that use Qt: fonts and text metrics need a running
// application object. Runs headless unless a platform is chosen explicitly.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef KALVOR_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
