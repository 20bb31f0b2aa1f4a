#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <optional>

#include "../support/file_checks.h"
#include "desktop_fixture.h"
#include "graph/swatches.h"
#include "ui/canvas_view.h"
#include "ui/font_dialog.h"
#include "ui/output_window.h"
#include "ui/swatch_widget.h"

namespace kalvor {
namespace {

using test::DesktopFixture;
using test::menuAction;

constexpr QRgb kBlackPixel = 0x000000;
constexpr QRgb kRedPixel = 0xFF0000;

// The canvas row of world height y on the start canvas (−5 … 5 over 360 pixels).
int rowOf(double y) {
    return static_cast<int>((5 - y) / 10 * 360);
}

class GraphWindowTest : public DesktopFixture {
protected:
    SidePanel& panel() { return *graph().sidePanel(); }
    void typeFormula(int index, const QString& text) {
        panel().functionEdit(index)->clear();
        QTest::keyClicks(panel().functionEdit(index), text);
    }
    void clickRedraw() { QTest::mouseClick(panel().redrawButton(), Qt::LeftButton); }
    /// The canvas view, the workbench canvas and the side panel's size labels agree.
    void expectCanvasSize(int width, int height, const char* widthText, const char* heightText) {
        EXPECT_EQ(graph().canvasView()->size(), QSize(width, height));
        EXPECT_EQ(canvasSize(), QSize(width, height));
        EXPECT_EQ((QStringList{panel().widthLabel()->text(), panel().heightLabel()->text()}),
                  (QStringList{widthText, heightText}));
    }
    /// The workbench canvas has the size of the canvas view.
    void expectCanvasFollowsTheView() { EXPECT_EQ(canvasSize(), graph().canvasView()->size()); }
    QSize canvasSize() { return {bench().canvas().width(), bench().canvas().height()}; }
};

TEST_F(GraphWindowTest, SliderDrivesTheParameterAndRedraws) {
    typeFormula(0, "a");
    menuAction(graph(), "Sch&uifbalken")->trigger();
    EXPECT_EQ(
        (std::vector<bool>{graph().slidersAction()->isChecked(), graph().slider(0)->isVisible(),
                           graph().slider(1)->isVisible(), graph().sliderReadout(0)->isVisible()}),
        std::vector<bool>(4, true));
    graph().slider(0)->setValue(37);
    EXPECT_EQ(graph().sliderReadout(0)->text(), "a=3.7");
    EXPECT_GT(pixelsInRows(kBlackPixel, rowOf(3.7) - 2, rowOf(3.7) + 2), 300);
    graph().slider(1)->setValue(-100);
    EXPECT_EQ(graph().sliderReadout(1)->text(), "b=-10");
    // The menu item hides them again.
    menuAction(graph(), "Sch&uifbalken")->trigger();
    EXPECT_FALSE(graph().slider(0)->isVisible());
    EXPECT_FALSE(graph().slidersAction()->isChecked());
}

TEST_F(GraphWindowTest, LineWidthBoxClampsAndRefusesNonNumbers) {
    struct Row {
        QString answer;  // null: the box is cancelled
        int width;
        bool message;
    };
    // The answers themselves are the workbench's to judge; here the box and its wiring.
    const Row rows[] = {{"7", 3, false}, {QString(), 3, false}, {"abc", 3, true}};
    SwatchWidget* swatch = panel().functionSwatch(1);
    for (const Row& row : rows) {
        host.boxes.clear();
        dialogs.textAnswers.push_back(row.answer);
        QTest::mouseClick(swatch, Qt::RightButton);
        const auto& asked = dialogs.textRequests.back();
        EXPECT_EQ(asked.caption, "Lijndikte");
        EXPECT_EQ(asked.prompt, "voer in: 1,2 of 3");
        EXPECT_EQ(bench().settings().functionSwatches[1].width, row.width)
            << row.answer.toStdString();
        EXPECT_EQ(swatch->lineWidth(), row.width);
        EXPECT_EQ(!host.boxes.empty(), row.message) << row.answer.toStdString();
    }
    // The box is pre-filled with the current width; the axes take one as well, the grid none.
    dialogs.textAnswers.push_back("3");
    QTest::mouseClick(panel().axisSwatch(), Qt::RightButton);
    EXPECT_EQ(dialogs.textRequests.back().value, "1");
    EXPECT_EQ(bench().settings().axisSwatch.width, 3);
    const std::size_t asked = dialogs.textRequests.size();
    QTest::mouseClick(panel().gridSwatch(), Qt::RightButton);
    EXPECT_EQ(dialogs.textRequests.size(), asked);
}

TEST_F(GraphWindowTest, SwatchColoursAndFillPattern) {
    typeFormula(0, "2");
    dialogs.colourAnswers.push_back(QColor(255, 0, 0));
    QTest::mouseClick(panel().functionSwatch(0), Qt::LeftButton);
    EXPECT_EQ(bench().settings().functionSwatches[0].colour, 0x0000FFu);
    EXPECT_EQ(panel().functionSwatch(0)->colour(), 0x0000FFu);
    // The function swatches redraw at once.
    EXPECT_GT(pixelsInRows(kRedPixel, rowOf(2) - 2, rowOf(2) + 2), 300);

    dialogs.colourAnswers.push_back(QColor());  // cancelled: the grid keeps its colour
    QTest::mouseClick(panel().gridSwatch(), Qt::LeftButton);
    EXPECT_EQ(bench().settings().gridSwatch.colour, 0xE6E6E6u);
    dialogs.colourAnswers.push_back(QColor(0, 0, 255));
    QTest::mouseClick(panel().axisSwatch(), Qt::LeftButton);
    EXPECT_EQ(bench().settings().axisSwatch.colour, 0xFF0000u);

    const BrushStyle before = bench().settings().fillSwatch.pattern;
    QTest::mouseClick(panel().fillSwatch(), Qt::LeftButton);
    EXPECT_EQ(bench().settings().fillSwatch.pattern, nextFillPattern(before));
    EXPECT_EQ(panel().fillSwatch()->brushStyle(), nextFillPattern(before));
    dialogs.colourAnswers.push_back(QColor(0, 255, 0));
    QTest::mouseClick(panel().fillSwatch(), Qt::RightButton);
    EXPECT_EQ(bench().settings().fillSwatch.colour, 0x00FF00u);
}

TEST_F(GraphWindowTest, EveryKeyReachesThePrograms) {
    panel().functionEdit(0)->setFocus();
    graph().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&graph()));
    const std::pair<Qt::Key, double> keys[] = {
        {Qt::Key_A, 65}, {Qt::Key_Left, 37}, {Qt::Key_5, 53}, {Qt::Key_Escape, 27}};
    for (const auto& [key, code] : keys) {
        typeKey(key);
        for (int p = 1; p <= 4; ++p)
            EXPECT_EQ(bench().environment().parser(p).getVariable("_toetscode"), code)
                << "parser " << p << " key " << key;
    }
    // Keys still do their ordinary work in the fields.
    EXPECT_EQ(panel().functionEdit(0)->text(), "5a");
}

TEST_F(GraphWindowTest, LongRunShowsThatItIsBusyUntilItEnds) {
    compileSource("herhaal\ntotdat(0)");
    bool busyAtOnce = true, busyLater = false;
    const Qt::CursorShape none = Qt::ArrowCursor;
    Qt::CursorShape cursorLater = none;
    QSize canvasBefore, canvasLater;
    const auto cursor = [none] {
        return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : none;
    };
    QTimer::singleShot(100, [&] {
        busyAtOnce = graph().busyLabel()->isVisible();
        canvasBefore = graph().canvasView()->size();
    });
    QTimer::singleShot(900, [&] {
        busyLater = graph().busyLabel()->isVisible();
        cursorLater = cursor();
        canvasLater = graph().canvasView()->size();
        typeKey(Qt::Key_Escape);
    });
    graph().showAndRedraw();
    settle();
    EXPECT_FALSE(busyAtOnce);
    EXPECT_TRUE(busyLater);
    EXPECT_EQ(graph().busyLabel()->text(), QString::fromUtf8("Bezig \u2026 (Esc stopt)"));
    EXPECT_EQ(cursorLater, Qt::BusyCursor);
    EXPECT_EQ(canvasLater, canvasBefore);  // the text takes no room from the canvas
    EXPECT_FALSE(graph().busyLabel()->isVisible());
    EXPECT_EQ(cursor(), none);
}

TEST_F(GraphWindowTest, CanvasFollowsTheWindowSize) {
    graph().resize(graph().size() + QSize(100, 40));
    settle();
    expectCanvasSize(460, 400, "breedte 12.2 cm (460 pix)", "hoogte 10.6 cm (400 pix)");
    // The picture is redrawn at the new size: the x-axis in the new middle row.
    EXPECT_GT(pixelsInRows(kBlackPixel, 200, 200), 440);
}

TEST_F(GraphWindowTest, FontButtonSetsTheCanvasFontAndColourWithinItsSizes) {
    struct Row {
        std::optional<FontChoice> answer;
        const char* name;
        int size;
        bool bold;
        Color colour;
    };
    QFont big(QStringLiteral("Times New Roman"), 40);
    big.setBold(true);
    const Row rows[] = {
        {FontChoice{QFont(QStringLiteral("Courier New"), 12), Qt::red}, "Courier New", 12, false,
         makeColor(255, 0, 0)},
        {FontChoice{big, Qt::blue}, "Times New Roman", 24, true, makeColor(0, 0, 255)},
        {FontChoice{QFont(QStringLiteral("Arial"), 3), QColor()}, "Arial", 6, false,
         makeColor(0, 0, 255)},                                   // no colour chosen: kept
        {std::nullopt, "Arial", 6, false, makeColor(0, 0, 255)},  // cancelled: unchanged
    };
    for (const Row& row : rows) {
        dialogs.fontAnswers.push_back(row.answer);
        QTest::mouseClick(panel().fontButton(), Qt::LeftButton);
        const CanvasFont& font = bench().windowFont();
        EXPECT_EQ(std::tie(font.name, font.size, font.bold, font.color),
                  std::tie(row.name, row.size, row.bold, row.colour));
    }
    // The dialog opens on the current font and colour.
    const FontChoice& asked = dialogs.fontRequests.back();
    EXPECT_EQ(std::tuple(asked.font.family(), asked.font.pointSize(), asked.colour),
              std::tuple(QString("Arial"), 6, QColor(Qt::blue)));
    // A program's texts start in the chosen colour.
    compileSource("tekst(0;0;WWWW)");
    clickRedraw();
    EXPECT_GT(pixelsInRows(0x0000FF, rowOf(0), rowOf(-1)), 5);
}

TEST(FontDialog, OffersTheSizesSixToTwentyFourAndTheColour) {
    QFont font(QStringLiteral("Arial"), 40);
    FontDialog large({font, QColor(0x12, 0x34, 0x56)});
    QComboBox* sizes = large.sizeBox();
    ASSERT_EQ(sizes->count(), 19);
    EXPECT_EQ(sizes->itemText(0), "6");
    EXPECT_EQ(sizes->itemText(18), "24");
    EXPECT_EQ(large.choice().font.pointSize(), 24);  // a size beyond the list shows its end
    // A colour outside the standard sixteen is kept on offer and comes back unchanged.
    EXPECT_EQ(large.colourBox()->count(), 17);
    EXPECT_EQ(large.choice().colour, QColor(0x12, 0x34, 0x56));

    font.setPointSize(11);
    font.setItalic(true);
    FontDialog standard({font, Qt::red});
    EXPECT_EQ(standard.colourBox()->count(), 16);
    EXPECT_EQ(standard.colourBox()->currentText(), "Rood");
    EXPECT_EQ(standard.choice().font.pointSize(), 11);
    EXPECT_EQ(standard.choice().font.family(), "Arial");  // not the name of its stand-in
    EXPECT_TRUE(standard.choice().font.italic());
    standard.colourBox()->setCurrentIndex(standard.colourBox()->findText("Groen"));
    standard.sizeBox()->setCurrentIndex(standard.sizeBox()->findText("8"));
    EXPECT_EQ(standard.choice().colour, QColor(0, 128, 0));
    EXPECT_EQ(standard.choice().font.pointSize(), 8);
}

TEST_F(GraphWindowTest, MouseOnTheCanvasDragsResetsAndFills) {
    CanvasView* canvas = graph().canvasView();
    MouseState& mouse = bench().environment().mouse;
    typeFormula(0, "2");  // typed, not yet drawn
    const int row = rowOf(2);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_LT(pixelsInRows(kBlackPixel, row - 2, row + 2), 50);  // a click alone draws nothing
    // A press in the lower-right corner redraws (with the free points back at their start).
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(355, 355));
    EXPECT_GT(pixelsInRows(kBlackPixel, row - 2, row + 2), 300);
    // Dragging follows the mouse in world coordinates.
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(270, 90));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(270, 90));
    EXPECT_NEAR(static_cast<double>(mouse.x), 2.5, 0.05);
    EXPECT_NEAR(static_cast<double>(mouse.y), 2.5, 0.05);
    typeFormula(0, "");
    clickRedraw();

    // A right click fills the clicked quarter (the axes close it) with the fill swatch.
    const auto redInQuarter = [&](int left, int top) {
        return test::pixelsOf(bench().canvas().image().copy(left, top, 170, 170), kRedPixel);
    };
    EXPECT_EQ(redInQuarter(190, 190), 0);
    QTest::mouseClick(canvas, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    EXPECT_GT(redInQuarter(190, 190), 1000);
    EXPECT_EQ(redInQuarter(0, 0), 0);
    clickRedraw();  // the fill is not part of the picture
    EXPECT_EQ(redInQuarter(190, 190), 0);
}

TEST_F(GraphWindowTest, StartTakesThePreferencesFile) {
    desktop.reset();
    QFile file(folder() + "/voorkeuren.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("F=x/2\r\nymin=-2\r\nformulierbreedte=820\r\nformulierhoogte=600\r\n");
    file.close();
    desktop = std::make_unique<Desktop>(host, dialogs);
    desktop->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph()));
    settle();
    EXPECT_EQ((QStringList{panel().functionEdit(0)->text(), panel().rangeEdit(2)->text()}),
              (QStringList{"x/2", "-2"}));
    EXPECT_EQ(graph().size(), QSize(820, 600));
    expectCanvasFollowsTheView();
}

TEST_F(GraphWindowTest, FormulaHelpLinkExplainsEntry) {
    auto* link = graph().findChild<QLabel*>("functieHulp");
    ASSERT_NE(link, nullptr);
    emit link->linkActivated("#");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(
        std::tie(host.boxes[0].caption, host.boxes[0].text, host.boxes[0].icon),
        std::tuple(std::string("Kalvor 2.1"), std::string(kFunctionEntryHelp), Host::Icon::None));
}

TEST_F(GraphWindowTest, CompileAndRunShowsAndRunsTheProgram) {
    graph().hide();
    editor().show();
    editor().sourcePane()->setPlainText("F=1\nymax=10\nschrijfregel(t;klaar)");
    auto* run = editor().findChild<QPushButton*>("compileRun");
    ASSERT_NE(run, nullptr);
    QTest::mouseClick(run, Qt::LeftButton);
    settle();
    EXPECT_TRUE(graph().isVisible());
    EXPECT_EQ((QStringList{panel().functionEdit(0)->text(), panel().rangeEdit(3)->text()}),
              (QStringList{"1", "10"}));
    const int row = static_cast<int>((10 - 1) / 15.0 * 360);
    EXPECT_GT(pixelsInRows(kBlackPixel, row - 2, row + 2), 300);
    // What the program writes brings the output window up.
    EXPECT_TRUE(desktop->outputWindow().isVisible());
    EXPECT_EQ(desktop->outputWindow().textArea()->toPlainText(), "klaar");
}

TEST_F(GraphWindowTest, ExportsAskForTheirFileAndWriteIt) {
    struct Row {
        const char *item, *fileName, *filter, *contains;
    };
    const Row rows[] = {
        {"Opslaan als Eepi&c", "eepic.tex", "texfile (*.tex)", "\\begin{picture}"},
        {"Opslaan als &Metafile", "met.svg", "Metafile (*.svg)", "<svg"},
        {"Opslaan als P&df", "tekening.pdf", "pdf (*.pdf)", "%PDF"},
        {"Opslaan als &JPG", "jpeg.jpg", "JPG (*.jpg)", "\xFF\xD8\xFF"},
        {"Opslaan als &Gif", "gif.gif", "Gif (*.gif)", "GIF89a"},
        {"Opslaan als Bi&tmap", "bitmap.bmp", "Bitmap (*.bmp)", "BM"},
        {"Opslaan als &PNG", "png.png", "PNG (*.png)", "\x89PNG"},
    };
    typeFormula(0, "x");
    for (const Row& row : rows) {
        // Cancelled: nothing is written.
        dialogs.fileAnswers.push_back(QString());
        menuAction(graph(), row.item)->trigger();
        EXPECT_FALSE(QFile::exists(folder() + "/" + row.fileName));
        const QString path = folder() + "/" + row.fileName;
        dialogs.fileAnswers.push_back(path);
        host.answer = Host::Answer::No;  // no preview of the PDF
        menuAction(graph(), row.item)->trigger();
        EXPECT_EQ(
            (QStringList{dialogs.saveRequests.back().fileName, dialogs.saveRequests.back().filter}),
            (QStringList{row.fileName, row.filter}));
        EXPECT_NE(test::readBytes(path).find(row.contains), std::string::npos) << row.item;
    }
}

}  // namespace
}  // namespace kalvor
