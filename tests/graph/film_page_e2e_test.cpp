// A film from program to web page: the program's frames, the animated GIF joined from the
// builder's list, and the page played in a headless browser through its own buttons.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <sstream>

#include "../support/file_checks.h"
#include "output/animated_gif.h"
#include "output/animation_page.h"
#include "output/gif_encoder.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

QString browser() {
    for (const char* name : {"chromium", "chromium-browser"}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found;
    }
    return {};
}

// The lines "phase: picture picture …" that the probe wrote into the page.
std::map<std::string, std::vector<std::string>> probeLines(const std::string& dom) {
    std::map<std::string, std::vector<std::string>> phases;
    const std::size_t start = dom.find("<pre id=\"probe\">");
    if (start == std::string::npos) return phases;
    const std::size_t end = dom.find("</pre>", start);
    std::istringstream lines(dom.substr(start + 16, end - start - 16));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(':');
        std::istringstream words(line.substr(colon + 1));
        std::vector<std::string>& seen = phases[line.substr(0, colon)];
        for (std::string word; words >> word;)
            seen.push_back(word);
    }
    return phases;
}

std::vector<std::string> frames(std::initializer_list<int> numbers) {
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back("beeld" + std::to_string(n) + ".gif");
    return names;
}

class FilmPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir::setCurrent(folder.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }
    QString path(const char* name) const { return folder.path() + "/" + name; }

    QTemporaryDir folder;
    QString previous = QDir::currentPath();
};

TEST_F(FilmPage, FramesBecomeAGifAndAPageThatPlays) {
    test::BenchFixture f;
    f.program("assen=geen\nfilm(i;1;6;1)\nlijn(0;0;4;i-3)\nopslaangif(beeld)\nnext");
    ASSERT_TRUE(f.bench.redraw());
    const std::vector<std::string>& listed = f.bench.environment().controls.gifInputList;
    ASSERT_EQ(listed, frames({10, 11, 12, 13, 14, 15}));

    AnimatedGifRequest request;
    request.inputs = listed;
    request.output = "film.gif";
    request.delayMs = 50;
    const AnimatedGifOutcome outcome = buildAnimatedGif(request);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    const std::string gif = test::readBytes(path("film.gif"));
    EXPECT_NE(gif.find("NETSCAPE2.0"), std::string::npos);
    EXPECT_EQ(decodeGif(gif).size(), QSize(360, 360));

    AnimationPageFields fields;
    fields.pictures = "beeld";
    fields.minNumber = "10";
    fields.maxNumber = "15";
    fields.startPicture = "beeld10.gif";
    ASSERT_TRUE(test::writeBytes(path("mijnfilm.htm"), animationPage(fields)));
    ASSERT_TRUE(QFile::copy(KALVOR_TEST_DATA "/../../resources/film.js", path("film.js")));

    const QString chromium = browser();
    if (chromium.isEmpty()) GTEST_SKIP() << "no chromium or chromium-browser to play the page";
    // The page as saved, with the probe that presses its buttons added at its end.
    std::string page = test::readBytes(path("mijnfilm.htm"));
    page.insert(page.rfind("</BODY>"), "<script src=film_probe.js></script>\r\n");
    ASSERT_TRUE(test::writeBytes(path("probe.htm"), page));
    ASSERT_TRUE(QFile::copy(KALVOR_TEST_DATA "/film_probe.js", path("film_probe.js")));
    std::string dom;
    const int status = test::runProgram(
        chromium,
        {"--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + path("profiel"),
         "--virtual-time-budget=20000", "--dump-dom", "file://" + path("probe.htm")},
        &dom);
    ASSERT_EQ(status, 0) << dom;
    auto phases = probeLines(dom);
    ASSERT_EQ(phases.size(), 3u) << dom;
    // "Heen en weer" turns at the last picture; Stop stops; without it the film starts over.
    const auto play = phases["play"], wrap = phases["wrap"];
    ASSERT_GE(play.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(play.begin(), play.begin() + 12),
              frames({11, 12, 13, 14, 15, 14, 13, 12, 11, 10, 11, 12}));
    EXPECT_TRUE(phases["still"].empty());
    ASSERT_GE(wrap.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(wrap.begin(), wrap.begin() + 9),
              frames({13, 14, 15, 10, 11, 12, 13, 14, 15}));
}

}  // namespace
}  // namespace kalvor
