#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

#include "ui/desktop.h"
#include "ui/qt_text.h"

namespace kalvor {
namespace {

TEST(WindowPlacement, OnScreenBesideTheGraphWindowAndClearOfItsSliders) {
    struct Row {
        const char* what;
        QRect neighbour, keepClear;
        QSize size;
        QRect expected;
    };
    const QRect screen(0, 0, 1280, 1024);
    const Row rows[] = {
        {"room on the right",
         {100, 100, 700, 500},
         {100, 546, 700, 54},
         {480, 390},
         {800, 100, 480, 390}},
        {"room on the left only",
         {700, 100, 580, 500},
         {700, 546, 580, 54},
         {480, 390},
         {220, 100, 480, 390}},
        {"no room beside: over the canvas",
         {0, 100, 1280, 500},
         {0, 546, 1280, 54},
         {480, 390},
         {0, 100, 480, 390}},
        {"too tall: above the strip, shortened",
         {0, 100, 1280, 500},
         {0, 546, 1280, 54},
         {480, 900},
         {0, 0, 480, 546}},
        {"larger than the screen: below the strip",
         {0, 0, 300, 200},
         {0, 150, 300, 50},
         {2000, 2000},
         {0, 200, 1280, 824}},
        {"graph window partly off screen",
         {1000, 800, 600, 400},
         {1000, 1146, 600, 54},
         {480, 390},
         {800, 634, 480, 390}},
    };
    for (const Row& row : rows) {
        const QRect placed = placeBeside(screen, row.size, row.neighbour, row.keepClear);
        EXPECT_EQ(placed, row.expected) << row.what;
        EXPECT_TRUE(screen.contains(placed)) << row.what;
        EXPECT_FALSE(placed.intersects(row.keepClear)) << row.what;
    }
}

TEST(WrapToWidth, BreaksLongLinesAfterSeparatorsOrAnywhere) {
    const auto chars = [](const QString& piece) { return static_cast<int>(piece.size()); };
    const std::pair<const char*, const char*> rows[] = {
        {"(a;b)", "(a;b)"},                                          // fits
        {"(x1;y1;x2;y2;x3)", "(x1;y1;x2;\ny2;x3)"},                  // after the last ";" that fits
        {"(f|g|h|k,l,mm)", "(f|g|h|k,\nl,mm)"},                      // "|" and "," count too
        {"abcdefghijklmnopqrstuvw", "abcdefghij\nklmnopqrst\nuvw"},  // no separator at all
        {"(ab;\nc;d;e;f;g;h;i)", "(ab;\nc;d;e;f;g;\nh;i)"},          // existing breaks stay
    };
    for (const auto& [text, wrapped] : rows)
        EXPECT_EQ(wrapToWidth(QString::fromUtf8(text), 10, chars), QString::fromUtf8(wrapped))
            << text;
}

TEST(DutchTranslations, QtsOwnButtonsSpeakDutchWhenInstalled) {
    const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(path + "/qtbase_nl.qm")) GTEST_SKIP() << "qt6-translations-l10n missing";
    QTranslator* translator = installDutchTranslations();
    ASSERT_NE(translator, nullptr);
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuleren");
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

}  // namespace
}  // namespace kalvor
