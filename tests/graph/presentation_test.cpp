#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include "graph/presentation.h"
#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "output/rtf_reader.h"

namespace kalvor {
namespace {

const QString kShipped = QStringLiteral(KALVOR_TEST_DATA "/../../resources/presentaties/");

struct NoIncludes : IncludeResolver {
    std::optional<std::vector<std::string>> readIncludedLines(std::string_view) override {
        return std::nullopt;
    }
};

QString shownText(const QTextDocument& d) {
    QString text = d.toRawText();
    return text.replace(QChar::ParagraphSeparator, u'\n');
}

TEST(Presentation, ProgramPartIsCutFromTheMarkerOn) {
    const struct {
        const char* rtf;
        const char* lesson;
        std::vector<std::string> program;
    } rows[] = {
        {R"({\rtf1 Les\par {\b vet}\par <programma>\par F=x^2\par\par xmin=-3\par})",
         "Les\nvet",
         {"<programma>", "F=x^2", "", "xmin=-3"}},
        {R"({\rtf1 Les <programma> lijn(0;0;1;1)\line stip(0;0;2)})",
         "Les ",
         {"<programma> lijn(0;0;1;1)", "stip(0;0;2)"}},
        {R"({\rtf1 alleen tekst\par <Programma>})", "alleen tekst\n<Programma>", {}},
        {R"({\rtf1 <programma>\par a\par <programma>\par b})",
         "",
         {"<programma>", "a", "<programma>", "b"}},
    };
    for (const auto& row : rows) {
        QTextDocument d;
        ASSERT_TRUE(readRtf(row.rtf, d));
        EXPECT_EQ(takeProgramPart(d), row.program) << row.rtf;
        EXPECT_EQ(shownText(d), QString::fromUtf8(row.lesson)) << row.rtf;
    }
}

TEST(Presentation, LinkIsTheWordBeforeTheFirstRtf) {
    const struct {
        const char* line;
        std::optional<std::string> target;
    } rows[] = {
        {"Volgende les: sinus.rtf", "sinus.rtf"},
        {"  cirkel.rtf  ", "cirkel.rtf"},
        {"eerst a.rtf en dan b.rtf", "a.rtf"},
        {"map/les 2.rtf", "2.rtf"},
        {"klik op lesx.rtfz hier", "lesx.rtf"},
        {"geen verwijzing hier", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(linkedPresentation(row.line), row.target) << row.line;
}

// The shipped lessons: each reads, runs without a message, rebuilds its rich text on every
// redraw instead of repeating it, and links on to lessons that exist.
TEST(Presentation, ShippedLessonsRunAndLinkToEachOther) {
    const struct {
        const char* name;
        const char* added;  // by the rtf commands, with the sliders in the middle
    } lessons[] = {
        {"parabolen.rtf", "\n Top van F: (0, 2)"},
        {"sinus.rtf", "\n Amplitude: 1.5\tperiode: 2.79252680319093"},
        {"cirkel.rtf", "\n Straal: 2.5\tomtrek: 15.707963267949"},
    };
    for (const auto& [name, expectedAdded] : lessons) {
        QFile file(kShipped + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        QTextDocument d;
        ASSERT_TRUE(readRtf(std::string_view(bytes.constData(), bytes.size()), d)) << name;
        const std::vector<std::string> program = takeProgramPart(d);
        ASSERT_GT(program.size(), 5u) << name;

        HeadlessHost host;
        Workbench bench(host);
        NoIncludes includes;
        bench.setProgram(compileProgram(program, includes).lines);
        auto& controls = bench.environment().controls;
        controls.richText = shownText(d).toStdString();
        controls.richTextBase = controls.richText.size();
        ASSERT_TRUE(bench.redraw()) << name;
        ASSERT_TRUE(bench.redraw()) << name;
        EXPECT_TRUE(host.messages().empty()) << name << ": " << host.messages().front().text;
        EXPECT_EQ(controls.richText.substr(controls.richTextBase), expectedAdded) << name;

        int links = 0;
        for (const QString& line : shownText(d).split(u'\n'))
            if (const auto target = linkedPresentation(line.toStdString())) {
                ++links;
                EXPECT_TRUE(QFileInfo::exists(kShipped + QString::fromStdString(*target)))
                    << name << " -> " << *target;
            }
        EXPECT_GE(links, 1) << name;
    }
}

}  // namespace
}  // namespace kalvor
