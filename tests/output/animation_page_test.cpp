#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "../support/file_checks.h"
#include "output/animation_page.h"

namespace kalvor::test {
namespace {

AnimationPageFields with(void (*change)(AnimationPageFields&)) {
    AnimationPageFields fields;
    change(fields);
    return fields;
}

TEST(AnimationPage, FillsTheTemplate) {
    const struct {
        const char* name;
        AnimationPageFields fields;
        std::vector<std::string> contains;  // each followed by CR LF in the page
    } rows[] = {
        {"Defaults",
         {},
         {"var file='../images/tekening'", "var extension='.gif'", "var minnr=10", "var maxnr=39",
          "var pauze=50", "<td valign=top><H3 align=center>De grafiek van y=sin(ax)</H3>",
          "grafiek?</td>",
          "<td rowspan=2><img src=\"../images/start.gif\" name=\"film\" width=360 "
          "height=360></td>"}},
        {"TextRightPictureFirst",
         with([](AnimationPageFields& f) { f.textLeft = false; }),
         {"<tr>\r\n<td rowspan=2><img src=\"../images/start.gif\" name=\"film\" width=360 "
          "height=360></td>\r\n<td valign=top><H3 align=center>De grafiek van y=sin(ax)</H3>"}},
        {"TextKeepsPlaceholders",
         with([](AnimationPageFields& f) { f.text = "kies $ext$ en $minnr$"; }),
         {"<td valign=top>kies $ext$ en $minnr$</td>", "var extension='.gif'"}},
        {"ValuesAsTyped",
         with([](AnimationPageFields& f) {
             f.pictures = "plaatje";
             f.width = "200";
             f.height = "100";
             f.maxNumber = "99";
         }),
         {"var file='plaatje'", "var maxnr=99", "width=200 height=100></td>"}},
    };
    for (const auto& row : rows) {
        const std::string page = animationPage(row.fields);
        for (const std::string& text : row.contains)
            EXPECT_NE(page.find(text + "\r\n"), std::string::npos)
                << row.name << ": " << text << "\n"
                << page;
    }
}

TEST(AnimationPageLayout, HasFortySevenTemplateLinesAndTheScript) {
    const std::string page = animationPage({});
    std::size_t lines = 0;
    for (std::size_t at = page.find("\r\n"); at != std::string::npos;
         at = page.find("\r\n", at + 2))
        ++lines;
    // 47 template lines, the row's extra line and the three extra lines of the page text.
    EXPECT_EQ(lines, 47u + 1 + 3);
    EXPECT_EQ(page.rfind("<HTML>\r\n", 0), 0u);
    for (const char* text : {"<script src=film.js>", "<BODY onLoad=\"klaar()\">", "preload()",
                             "<input type=checkbox id=\"keus\" checked=\"yes\" "
                             "onClick=selec(this)>Heen en weer"})
        EXPECT_NE(page.find(std::string(text) + "\r\n"), std::string::npos) << text;
}

// film.js under node, with the page's variables, its image and a timer that the test ticks.
std::string playFilm(const std::string& actions) {
    const std::string script = readBytes(KALVOR_TEST_DATA "/../../resources/film.js");
    if (script.empty()) return "no film.js";
    const std::string page =
        "var file='b', extension='.gif', minnr=10, maxnr=12, pauze=50;\n"
        "var img = {src: ''}, keus = {checked: true}, ticks = [];\n"
        "var document = {images: {film: img}, getElementById: function() { return keus; }};\n"
        "function Image() {}\n"
        "function setInterval(f) { ticks.push(f); return ticks.length; }\n"
        "function clearInterval() { ticks = []; }\n"
        "function tick(n) { var seen = []; for (var i = 0; i < n && ticks.length; i++) {\n"
        "  ticks[0](); seen.push(img.src.replace('.gif', '')); } return seen.join(' '); }\n";
    QTemporaryDir dir;
    const QString file = dir.path() + "/film_test.js";
    writeBytes(file, page + script + "\n" + actions);
    std::string out;
    if (runProgram("node", {file}, &out) != 0) return "node failed: " + out;
    return out;
}

TEST(FilmScript, PlaysThePictures) {
    if (!haveProgram("node")) GTEST_SKIP() << "node is not installed";
    const struct {
        const char* name;
        const char* actions;
        const char* output;
    } rows[] = {
        {"BackAndForth", "klaar(); preload(); startvertoning(); console.log(tick(6));",
         "b11 b12 b11 b10 b11 b12\n"},
        {"StartsOverWithoutBackAndForth",
         "klaar(); selec({checked: false}); startvertoning(); console.log(tick(6));",
         "b11 b12 b10 b11 b12 b10\n"},
        {"StopStops",
         "klaar(); startvertoning(); tick(1); stopvertoning(); console.log(tick(3) + '|' + "
         "img.src);",
         "|b11.gif\n"},
        {"StepsStayInRange",
         "klaar(); vooruit(200); var a = img.src; achteruit(1); var b = img.src; achteruit(200);\n"
         "console.log(a + ' ' + b + ' ' + img.src);",
         "b12.gif b11.gif b10.gif\n"},
        {"StartTwiceRunsOneTimer",
         "klaar(); startvertoning(); startvertoning(); console.log(ticks.length);", "1\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(playFilm(row.actions), row.output) << row.name;
}

}  // namespace
}  // namespace kalvor::test
