#include "graph/list_clipboard.h"

#include <gtest/gtest.h>

#include "../support/recording_host.h"
#include "graph/workbench.h"

namespace kalvor {
namespace {

// A person who types `input` into the dialog and answers the closing question with `confirm`.
struct ClipboardHost : test::RecordingHost {
    std::string input;
    std::string clipboard;
    Answer confirm = Answer::Ok;

    Answer messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override {
        test::RecordingHost::messageBox(caption, text, icon, buttons);
        return buttons == Buttons::OkCancel ? confirm : Answer::Ok;
    }
    bool inputDialog(std::string_view, std::string_view, std::string& value) override {
        value = input;
        return true;
    }
    void setClipboardText(std::string_view text) override { clipboard = text; }
    std::string clipboardText() override { return clipboard; }
};

struct ListFixture {
    ClipboardHost host;
    Workbench bench{host};
    Environment& env = bench.environment();

    ListFixture() {
        env.lists.set(1, 1, 1);
        env.lists.set(1, 2, 2.5L);
        env.lists.set(1, 3, 3);
    }
};

TEST(ListClipboard, Export) {
    struct Row {
        const char* answer;
        char decimalPoint;
        const char* clipboard;
    };
    const Row rows[] = {
        {"L1;1;3;rij", '.', "1 2.5 3"},
        {"l1;1;3;RIJ", ',', "1 2,5 3"},
        {"L1;1;3;kolom", '.', "1\n2.5\n3\n"},
        {"L1;99;102;rij", '.', "0 0"},  // beyond element 100 there is nothing
        {"L1;3;1;rij", '.', ""},
    };
    for (const Row& row : rows) {
        ListFixture f;
        f.host.input = row.answer;
        ListClipboard(f.env, row.decimalPoint).exportList();
        EXPECT_EQ(f.host.clipboard, row.clipboard) << row.answer;
        EXPECT_TRUE(f.host.boxes.empty()) << row.answer;
    }
}

TEST(ListClipboard, ExportOfAnAnswerNotOfTheFormSaysSo) {
    for (const char* answer : {"L7;1;3;rij", "L1;1;x;rij", "L1;1;3", "L1;1;3;diagonaal", ""}) {
        ListFixture f;
        f.host.input = answer;
        f.host.clipboard = "kept";
        ListClipboard(f.env, '.').exportList();
        EXPECT_EQ(f.host.clipboard, "kept") << answer;
        ASSERT_EQ(f.host.boxes.size(), 1u) << answer;
        EXPECT_EQ(f.host.boxes[0].text, "Ongeldige invoer: " + std::string(answer) +
                                            "\rSyntax: lijstnaam;start;eind;kolom/rij");
    }
}

TEST(ListClipboard, Import) {
    struct Row {
        const char* list;
        std::string clipboard;
        std::vector<Number> expected;  // the list's first elements afterwards
        const char* count;             // in the question; empty: the import ended early
    };
    std::string hundredAndFifty;
    for (int i = 1; i <= 150; ++i)
        hundredAndFifty += std::to_string(i) + "\n";
    const Row rows[] = {
        {"L1", "1,5 2,5", {1.5L, 2.5L, 3}, "2"},
        {"l2", "3\r\n4\r\n\r\n5\r\n", {3, 4, 0}, "2"},
        {"L3", "7\t8  9", {7, 8, 9}, "3"},
        {"L4", hundredAndFifty, {1, 2, 3}, "100 (of meer)"},
        {"L5", "6\nzes\n8", {6, 0, 0}, ""},
    };
    for (const Row& row : rows) {
        ListFixture f;
        f.host.input = row.list;
        f.host.clipboard = row.clipboard;
        ListClipboard(f.env, ',').importList();
        const int list = row.list[1] - '0';
        for (std::size_t i = 0; i < row.expected.size(); ++i)
            EXPECT_EQ(f.env.lists.get(list, static_cast<int>(i) + 1), row.expected[i]) << row.list;
        ASSERT_EQ(f.host.boxes.size(), 1u) << row.list;
        if (*row.count) {
            EXPECT_EQ(f.host.boxes[0].caption, "Succes");
            EXPECT_EQ(f.host.boxes[0].text,
                      std::string("De ingelezen lijst bevatte ") + row.count +
                          " elementen. \rZal ik dit aantal in de variabele L" + row.list[1] +
                          "max plaatsen?");
        } else {
            EXPECT_EQ(f.host.boxes[0].text, "'zes' is geen geldig getal.");
        }
    }
    ListFixture f;
    f.host.input = "L4";
    f.host.clipboard = hundredAndFifty;
    ListClipboard(f.env, '.').importList();
    EXPECT_EQ(f.env.lists.get(4, 100), 100);
}

TEST(ListClipboard, TheCountGoesToEveryParserOnlyOnOk) {
    for (auto [confirm, stored] :
         {std::pair{Host::Answer::Ok, true}, {Host::Answer::Cancel, false}}) {
        ListFixture f;
        f.host.input = "L1";
        f.host.clipboard = "4 5";
        f.host.confirm = confirm;
        ListClipboard(f.env, '.').importList();
        for (Parser& parser : f.env.parsers) {
            Number* cell = parser.variableCell("L1max");
            ASSERT_EQ(cell != nullptr, stored);
            if (cell) {
                EXPECT_EQ(*cell, 2);
            }
        }
    }
}

TEST(ListClipboard, ImportIntoAnUnknownListSaysSo) {
    ListFixture f;
    f.host.input = "L9";
    f.host.clipboard = "1";
    ListClipboard(f.env, '.').importList();
    ASSERT_EQ(f.host.boxes.size(), 1u);
    EXPECT_EQ(f.host.boxes[0].text, "Ongeldige lijst: L9");
}

}  // namespace
}  // namespace kalvor
