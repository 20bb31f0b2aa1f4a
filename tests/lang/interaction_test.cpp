#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "output/image_files.h"
#include "program_rows.h"

namespace kalvor::test {
namespace {

using Lines = std::vector<std::string>;

// A runner with a 100 × 100 canvas over −5 … 5 and the three user boxes, working in a
// temporary folder (the save commands write there).
struct InteractionRun : ::testing::Test {
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    ProgramRunner runner;
    DrawingSinks* sinks = nullptr;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir::setCurrent(folder.path());
        sinks = &runner.attachCanvas(100, 100, -5, 5, -5, 5);
        for (const char* box : {"user1", "user2", "user3"})
            sinks->fields[box] = "";
    }
    void TearDown() override { QDir::setCurrent(previousFolder); }

    ProgramControls& controls() { return runner.env.controls; }
    bool exists(const std::string& name) const {
        return QFile::exists(QString::fromStdString(name));
    }
    // A picture file of one colour.
    void writePicture(const std::string& name, QColor colour, int size = 10) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_FALSE(saveImageFile(image, name).has_value());
    }
};

class UserBoxes : public InteractionRun, public ::testing::WithParamInterface<ProgramRow> {};

TEST_P(UserBoxes, ShowWhatTheProgramPutsThere) {
    checkRun(GetParam(), runner);
}

// koppel$ reads a box back (and fills an empty one with its default).
const ProgramRow kBoxCases[] = {
    outputRow("ValueAsGeneralText",
              "uitvoerveld(1;7/2;lengte)\nkoppel$(user1;$t;leeg)\nschrijf(t;$t)", {"3.5"}),
    outputRow("ValueHasFifteenDigits", "uitvoerveld(1;1/3;l)\nkoppel$(user1;$t;x)\nschrijf(t;$t)",
              {"0.333333333333333"}),
    {"NumberIsTruncated", "uitvoerveld(1.9;5;l)\nkoppel$(user1;$t;x)\nschrijf(t;$t)", {"5"}},
    {"TextBox", "$w:=hoi\nuitvoerveld$(1;$w;l)\nkoppel$(user1;$t;x)\nschrijf(t;$t)", {"hoi"}},
    {"BoxTwoNeedsInterface", "uitvoerveld(2;5;l)\nkoppel$(user2;$t;leeg)\nschrijf(t;$t)", {"leeg"}},
    outputRow("BoxTwoAfterInterface",
              "interface(tekstveld2;40)\nuitvoerveld(2;5;l)\nkoppel$(user2;$t;leeg)\nschrijf(t;$t)",
              {"5"}),
    {"OtherNumbersIgnored", "uitvoerveld(4;5;l)\nuitvoerveld(0;5;l)\nschrijf(t;klaar)", {"klaar"}},
    {"InputBoxTakesDefault", "invoerveld$(1;$in;x^2;f(x)=)\nschrijf(t;$in)", {"x^2"}},
    outputRow("InputBoxThreeDisabled",
              "invoerveld$(3;$in;x^2;f)\nschrijf(t;[)\nschrijf(t;$in)\nschrijf(t;])", {"[]"}),
};
INSTANTIATE_TEST_SUITE_P(Rows, UserBoxes, ::testing::ValuesIn(kBoxCases), rowName);

TEST_F(InteractionRun, BoxLabelsAndInterfacePositions) {
    runner.run("interface(tekstveld3;50.7)\nuitvoerveld(3;1;breedte)\ninterface(schuifbalk2;8)");
    const auto& box = controls().boxes[2];
    EXPECT_EQ(std::tie(box.label, box.left, box.labelLeft, controls().sliderLabelLeft[1]),
              std::tuple(std::string("breedte"), 50, 40, 28));
    EXPECT_EQ((std::vector<bool>{box.visible, controls().boxes[1].visible,
                                 controls().optionsMenuEnabled}),
              (std::vector<bool>{true, false, false}));
}

TEST_F(InteractionRun, TypedTextSurvivesRedraws) {
    const char* program = "invoerveld$(1;$in;1;f=)\nschrijf(t;$in)";
    EXPECT_EQ(runner.run(program), Lines{"1"});
    sinks->fields["user1"] = "sin(x)";
    EXPECT_EQ(runner.run(program), Lines{"sin(x)"});
    EXPECT_EQ(runner.run("uitvoerveld$(1; ;l)\nkoppel$(user1;$t;leeg)\nschrijf(t;$t)"),
              Lines{"leeg"});
}

TEST_F(InteractionRun, SelectionSurvivesWhileTheListHoldsIt) {
    EXPECT_EQ(runner.run("selectievak($s;rood,groen,blauw)\nschrijf(t;$s)"), Lines{"rood"});
    controls().selection.current = "blauw";  // the person chooses
    EXPECT_EQ(runner.run("selectievak($s;rood,groen,blauw)\nschrijf(t;$s)"), Lines{"blauw"});
    // "blau" is part of an item's text but no item: the list is rebuilt.
    controls().selection.current = "blau";
    EXPECT_EQ(runner.run("selectievak($s;rood,blauw)\nschrijf(t;$s)"), Lines{"rood"});
    EXPECT_EQ(controls().selection.items, (Lines{"rood", "blauw"}));
    controls().selection.current = "blauw";
    EXPECT_EQ(runner.run("selectievak($s;geel,paars)\nschrijf(t;$s)"), Lines{"geel"});
}

TEST_F(InteractionRun, RichTextIsCutBackAtEveryRun) {
    controls().richText = "Presentatie";
    controls().richTextBase = controls().richText.size();
    const char* program = "rtftekst(a=)\nrtfuitvoer(1/4)\nrtftab\nrtfregel\nrtftekst(b)";
    runner.run(program);
    runner.run(program);
    EXPECT_EQ(controls().richText, "Presentatiea=0.25\t\n b");
}

TEST_F(InteractionRun, FilmFramesAreNumberedAndListed) {
    controls().gifInputList = {"oud.gif"};
    runner.run("film(i;1;20;1)\nlijn(0;0;4;i/5)\nopslaangif(beeld)\nnext\nopslaanjpg(foto)");
    ASSERT_EQ(controls().gifInputList.size(), 20u);
    EXPECT_EQ((Lines{controls().gifInputList.front(), controls().gifInputList.back()}),
              (Lines{"beeld10.gif", "beeld29.gif"}));
    EXPECT_EQ((std::vector{exists("beeld29.gif"), exists("beeld30.gif"), exists("foto30.jpg")}),
              (std::vector{true, false, true}));
    // The next run starts again at 10; a JPEG frame leaves the list alone, and the first
    // listed frame of the run still empties it (no stale frames after a JPEG frame).
    runner.run("opslaanjpg(foto)\nopslaanbmp(kaart)");
    EXPECT_TRUE(exists("foto10.jpg"));
    EXPECT_EQ(controls().gifInputList, Lines{"kaart11.bmp"});
}

TEST_F(InteractionRun, AtMostNinetyFramesPerRun) {
    runner.run("for(i;1;95;1)\nopslaanbmp(f)\nnext");
    EXPECT_EQ(controls().gifInputList.size(), 90u);
    EXPECT_TRUE(exists("f99.bmp"));
    EXPECT_FALSE(exists("f100.bmp"));
}

TEST_F(InteractionRun, NameWithExtensionWarnsAndEndsTheRun) {
    EXPECT_EQ(runner.run("schrijf(t;a)\nopslaangif(beeld.gif)\nschrijf(t;b)"), Lines{"a"});
    EXPECT_EQ(runner.captions(), Lines{"Waarschuwing"});
    EXPECT_EQ(runner.texts(), Lines{"Bestandsnaam zonder extensie opgeven"});
    EXPECT_FALSE(exists("beeld.gif10.gif"));
}

TEST_F(InteractionRun, UnwritableFrameEndsTheRunWithAMessage) {
    EXPECT_EQ(runner.run("opslaanjpg(nergens/f)\nschrijf(t;verder)"), Lines{});
    ASSERT_EQ(runner.texts().size(), 1u);
    EXPECT_NE(runner.texts()[0].find("nergens/f10.jpg"), std::string::npos);
}

class PictureCommands : public InteractionRun, public ::testing::WithParamInterface<ProgramRow> {
protected:
    void SetUp() override {
        InteractionRun::SetUp();
        writePicture("geel.png", QColor(255, 255, 0));
        writePicture("cyaan.bmp", QColor(0, 255, 255));
        writePicture("rood.gif", QColor(255, 0, 0));
        writePicture("groot.bmp", QColor(255, 255, 0), 30);
        writePicture("blauw.jpg", QColor(0, 0, 255));
    }
};

TEST_P(PictureCommands, PixelReadsTheCanvasBack) {
    checkRun(GetParam(), runner);
}

constexpr const char* kLoad =
    "laadplaatje(1;geel.png)\nlaadplaatje(2;cyaan.bmp)\nlaadplaatje(3;rood.gif)\n";
const ProgramRow kPixelCases[] = {
    valueRow("WhiteCanvas", "pixel(p;0;0)", {{"p", 0xFFFFFF, 0}}),
    valueRow("OutsideCanvas", "pixel(p;50;0)", {{"p", -1, 0}}),
    valueRow("StampOnWhite", "laadplaatje(1;geel.png)\ntoonplaatje(1;0;0)\npixel(p;0;0)",
             {{"p", 0x00FFFF, 0}}),
    valueRow("StampIsAnd",
             "laadplaatje(1;geel.png)\nlaadplaatje(2;cyaan.bmp)\ntoonplaatje(1;0;0)\ntoonplaatje(2;"
             "0;0)\n"
             "pixel(p;0;0)",
             {{"p", 0x00FF00, 0}}),
    valueRow("JpegPictureLoads",
             "laadplaatje(3;blauw.jpg)\ntoonplaatje(3;0;0)\nlaadplaatje(3;rood.gif)\n"
             "toonplaatje(3;0;0)\npixel(p;0;0)",
             {{"p", 0x000000, 0}}),
    valueRow("GifPicture", "laadplaatje(3;rood.gif)\ntoonplaatje(3;1;1)\npixel(p;1;1)",
             {{"p", 0x0000FF, 0}}),
    // 10 pixels wide, centred on pixel 50: columns 45 … 54 (world −0.5 … 0.4).
    valueRow("CentredLeftEdge", "laadplaatje(1;geel.png)\ntoonplaatje(1;0;0)\npixel(p;-0.5;0)",
             {{"p", 0x00FFFF, 0}}),
    valueRow("CentredPastRightEdge", "laadplaatje(1;geel.png)\ntoonplaatje(1;0;0)\npixel(p;0.7;0)",
             {{"p", 0xFFFFFF, 0}}),
    valueRow("WisWhitens",
             "laadplaatje(1;geel.png)\nlaadplaatje(2;groot.bmp)\ntoonplaatje(2;0;0)\n"
             "wisplaatje(1;0;0)\npixel(p;0;0)",
             {{"p", 0xFFFFFF, 0}}),
    valueRow("WisLeavesTheRest",
             "laadplaatje(1;geel.png)\nlaadplaatje(2;groot.bmp)\ntoonplaatje(2;0;0)\n"
             "wisplaatje(1;0;0)\npixel(p;1;0)",
             {{"p", 0x00FFFF, 0}}),
    valueRow("TemporaryPictureIsRemoved",
             "laadplaatje(1;geel.png)\ntoonplaatje2(1;0;0;100)\npixel(p;0;0)",
             {{"p", 0xFFFFFF, 0}}),
    valueRow("MissingFileKeepsSlot",
             "laadplaatje(1;geel.png)\nlaadplaatje(1;weg.png)\ntoonplaatje(1;0;0)\npixel(p;0;0)",
             {{"p", 0x00FFFF, 0}}),
    valueRow("EmptySlotShowsNothing", "toonplaatje(2;0;0)\npixel(p;0;0)", {{"p", 0xFFFFFF, 0}}),
    valueRow("SlotFourIgnored", "laadplaatje(4;groot.bmp)\ntoonplaatje(4;0;0)\npixel(p;0;0)",
             {{"p", 0xFFFFFF, 0}}),
};
INSTANTIATE_TEST_SUITE_P(Rows, PictureCommands, ::testing::ValuesIn(kPixelCases), rowName);

TEST_F(InteractionRun, PicturesStayLoadedAcrossRuns) {
    writePicture("geel.png", QColor(255, 255, 0));
    runner.run(kLoad);
    QFile::remove("geel.png");
    runner.run("toonplaatje(1;0;0)\npixel(p;0;0)");
    EXPECT_EQ(runner.value("p"), 0x00FFFF);
    EXPECT_EQ(controls().pictures[0].fileName, "geel.png");
}

TEST_F(InteractionRun, NegativePauseDoesNotWait) {
    runner.run("pauze(-5)");
    const int none = runner.host.eventRounds();
    runner.run("pauze(30)");
    EXPECT_EQ(none, 0);
    EXPECT_GE(runner.host.eventRounds(), 3);
}

// Escape during a long pause ends the film at once: the pause stops at its next slice and
// the film at its next end test.
TEST_F(InteractionRun, EscapeEndsAPausingFilm) {
    int checks = 0;
    runner.abortCheck = [&checks] { return ++checks > 5; };
    runner.run("film(i;1;1000;1)\npauze(1000000)\nnext\nschrijf(u;i)");
    EXPECT_LT(checks, 50);
    EXPECT_EQ(runner.value("i"), 1);
}

TEST_F(InteractionRun, StopWaitsOnlyInAWindowUntilTheClick) {
    runner.run("stop(Volgende)\nstop()\nschrijf(t;door)");
    EXPECT_EQ(controls().continueButton.caption, "Volgende");
    EXPECT_FALSE(controls().continueButton.visible);

    controls().waitAtStop = true;
    int rounds = 0;
    runner.abortCheck = [&] {
        EXPECT_TRUE(runner.env.flags.paused);
        if (++rounds == 4) controls().clickContinue();
        return false;
    };
    EXPECT_EQ(runner.run("stop(Verder)\nschrijf(t;door)"), Lines{"door"});
    EXPECT_GE(rounds, 4);
    EXPECT_FALSE(runner.env.flags.paused);
    EXPECT_FALSE(runner.env.flags.waiting);
}

}  // namespace
}  // namespace kalvor::test
