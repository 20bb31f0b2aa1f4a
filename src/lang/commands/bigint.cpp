#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerBigIntCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"maak#", 2},      {"telop#", 2},     {"trekaf#", 2},        {"maal#", 2},
        {"div#", 2},       {"mod#", 2},       {"divmod#", 3},        {"ggd#", 2},
        {"invmod#", 2},    {"modpow#", 3},    {"macht#", 2},         {"nwortel#", 2},
        {"nPr#", 2},       {"nCr#", 2},       {"kwadraat#", 1},      {"wortel#", 1},
        {"faculteit#", 1}, {"factor#", 1},    {"volgendepriem#", 1}, {"getalnaar#", 2},
        {"naargetal#", 2}, {"vergelijk#", 3},
    };
    table.add(rows);
}

}  // namespace kalvor
