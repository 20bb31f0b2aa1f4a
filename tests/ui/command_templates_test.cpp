#include "ui/command_templates.h"

#include <gtest/gtest.h>

#include <set>

namespace kalvor {
namespace {

TEST(CommandTemplates, LabelsJoinNameAndTemplateUnlessTheTemplateStandsAlone) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"lijn", "lijn(x1;y1;x2;y2)"},
        {"vector", "vector(x1;y1;x2;y2)"},
        {"tekst2+stip", "tekst2+stip(x1;y1;tekst;uitlijnstring;grootte)"},
        {"3d->2d", "3d->2d(x;y;z;var a;var b)"},
        {"+$", "+$($var;expr;expr)"},
        {"^$", "^$($var;expr;expr)"},
        {"diffn$", "diffn$($var;expressie;variabele;n)"},
        {"opslaangif", "opslaangif(bestandsnaam)"},
        {"lettertype", "lettertype(lettertype)\rlettertype() om te herstellen"},
        {"integraal",
         "integraal(f(x);a;b;tolerantie;trapezium|\rsimpson|romberg|gauss|\rkronrod;var uitkomst)"},
        {"getalnaarromeins$", "getalnaarromeins$($var,getal)"},
        // These show only their template.
        {"oplossingskromme", "(d.v.;x0;y0;stap;aantal;euler|impeuler|runge)"},
        {"oplossingskromme2", "(x';y';x0;y0;stap;aantal;euler|impeuler)"},
        {"projectie", "zie help"},
        {"snijpuntcircir", "zie help"},
        {"afbeelding2", "zie help"},
        // And these only their name.
        {"proc", "proc"},
        {"_", "_"},
        {"volgende", "volgende"},
        {"toonsnapshot", "toonsnapshot"},
        // A name that merely contains a listed name has no template.
        {"lijnstuk", "lijnstuk"},
    };
    for (const auto& [name, label] : rows)
        EXPECT_EQ(commandTemplate(name), label) << name;
}

TEST(CommandTemplates, ListHoldsEveryCommandOnceInListOrder) {
    const auto& commands = editorCommands();
    EXPECT_EQ(commands.size(), 151u);
    EXPECT_EQ(std::set<std::string_view>(commands.begin(), commands.end()).size(), 151u);
    // From the first name that starts with a digit or letter on, the list follows its order.
    auto first = std::find(commands.begin(), commands.end(), "3d->2d");
    ASSERT_NE(first, commands.end());
    for (auto it = first; it + 1 != commands.end(); ++it)
        EXPECT_TRUE(commandListLess(*it, *(it + 1))) << *it << " before " << *(it + 1);
}

TEST(CommandTemplates, LateCommandsJoinBetweenTheirNeighbours) {
    std::vector<std::string> items(editorCommands().begin(), editorCommands().end());
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"diff$", "draaivermenigvuldig"},
        {"diffn$", "draaivermenigvuldig"},
        {"int$", "integraal"},
        {"opslaangif", "opslaanjpg"},
        {"subst$", "symb$"},
        {"symb$", "tekenkleur"},
    };
    for (std::string_view name : kLateCommands)
        items.insert(
            items.begin() + static_cast<std::ptrdiff_t>(commandInsertPosition(items, name)),
            std::string(name));
    for (const auto& [name, next] : rows) {
        auto at = std::find(items.begin(), items.end(), name);
        ASSERT_NE(at, items.end()) << name;
        if (name == "diff$") {
            EXPECT_EQ(*(at + 1), "diffn$");
            EXPECT_EQ(*(at - 1), "conflictlijn");
        } else {
            EXPECT_EQ(*(at + 1), next) << name;
        }
    }
    EXPECT_EQ(items.size(), 157u);
}

}  // namespace
}  // namespace kalvor
