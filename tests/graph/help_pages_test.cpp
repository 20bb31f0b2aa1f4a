#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <set>

#include "graph/help_pages.h"
#include "lang/command_table.h"
#include "workbench_fixture.h"

namespace kalvor {
namespace {

const std::vector<HelpPage>& shippedPages() {
    static const std::vector<HelpPage> pages = loadHelpPages();
    return pages;
}

TEST(HelpPages, EveryCommandOfTheTableHasAnEntry) {
    const CommandTable table = buildCommandTable();
    std::vector<std::string_view> missing;
    for (const std::string_view name : table.names()) {
        const HelpCommand* entry = findHelpCommand(shippedPages(), name).second;
        if (!entry || entry->name != name || entry->example.empty() || entry->description.empty())
            missing.push_back(name);
    }
    EXPECT_TRUE(missing.empty()) << "zonder volledige hulp: " << ::testing::PrintToString(missing);
}

TEST(HelpPages, EntriesNameOnlyCommandsOfTheTableOnce) {
    const CommandTable table = buildCommandTable();
    std::set<std::string> seen;
    for (const HelpPage& page : shippedPages())
        for (const HelpCommand& c : page.commands) {
            EXPECT_TRUE(table.find(c.name))
                << "onbekende opdracht in " << page.id << ": " << c.name;
            EXPECT_TRUE(seen.insert(c.name).second) << "twee keer beschreven: " << c.name;
        }
}

TEST(HelpPages, EveryExampleRunsWithoutAMessageBox) {
    // Examples that save pictures write into a scratch folder.
    QTemporaryDir scratch;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    for (const HelpPage& page : shippedPages())
        for (const HelpCommand& c : page.commands) {
            test::BenchFixture f;
            f.program(c.example);
            f.bench.redraw();
            EXPECT_TRUE(f.host.messages().empty())
                << c.name << ": " << ::testing::PrintToString(f.texts());
        }
    QDir::setCurrent(before);
}

TEST(HelpPages, ParsesEntriesAndBuildsLinkedHtml) {
    const HelpPage page = parseHelpPage("p",
                                        "titel: T\nkop: K\ntekst: een\ntekst: twee\n"
                                        "# commentaar\nopdracht: a<b\nsjabloon: a<b(x)\n"
                                        "argument: x | het getal\nvoorbeeld: r1\nvoorbeeld: r2\n");
    ASSERT_EQ(page.commands.size(), 1u);
    EXPECT_EQ(page.sections.front().second, "een twee");
    EXPECT_EQ(page.commands[0].example, "r1\nr2");
    const std::string html = helpPageHtml(page);
    EXPECT_NE(html.find("<a name=\"a&lt;b\">"), std::string::npos) << html;
    EXPECT_NE(html.find("<pre>r1\nr2</pre>"), std::string::npos) << html;
}

TEST(HelpPages, IndexLinksEveryDocumentedCommand) {
    const std::string html = helpIndexHtml(shippedPages(), buildCommandTable());
    EXPECT_NE(html.find("href=\"10_tekenen#lijn\""), std::string::npos);
    EXPECT_NE(html.find("href=\"01_formules\""), std::string::npos);
}

TEST(HelpPages, SearchFindsCommandsAndPagesByAWord) {
    const struct {
        const char* word;
        const char* pageId;
        const char* command;
    } rows[] = {
        {"webdiagram", "13_numeriek", "webgrafiek"},
        {"ROMEINSE", "15_tekst", "getalnaarromeins$"},
        {"voorrang", "01_formules", ""},
        {"correlatiecoëfficiënt", "14_lijsten", "linreg"},
    };
    for (const auto& row : rows) {
        const std::vector<HelpHit> hits = searchHelp(shippedPages(), row.word);
        const bool found = std::any_of(hits.begin(), hits.end(), [&](const HelpHit& h) {
            return h.pageId == row.pageId && h.command == row.command;
        });
        EXPECT_TRUE(found) << row.word;
    }
    EXPECT_TRUE(searchHelp(shippedPages(), "  ").empty());
    EXPECT_TRUE(searchHelp(shippedPages(), "qqqzzz").empty());
}

TEST(HelpPages, CommandOfAnEditorLine) {
    const std::pair<const char*, const char*> rows[] = {
        {"  lijn(0;0;1;1)", "lijn"},
        {"tekst2+stip (1;1;P;lb;3)", "tekst2+stip"},
        {"rtfregel", "rtfregel"},
        {"next  % einde", "next"},
        {"", ""},
    };
    for (const auto& [line, command] : rows)
        EXPECT_EQ(commandOfLine(line), command) << line;
    EXPECT_EQ(findHelpCommand(shippedPages(), "LIJNNAAR").second->name, "lijnNaar");
}

}  // namespace
}  // namespace kalvor
