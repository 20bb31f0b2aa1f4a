#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerTextCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"maak$", 2},
        {"keus$", 2},
        {"mid$", 4},
        {"pos$", 3},
        {"lengte$", 2},
        {"tussen$", 4},
        {"*$", 3},
        {"/$", 3},
        {"+$", 3},
        {"-$", 3},
        {"^$", 3},
        {"samen$", 3},
        {"vervang$", 4},
        {"koppel$", 3},
        {"split$", 4},
        {"invoerdialoog$", 4},
        {"getalnaar$", 2},
        {"getalnaarromeins$", 2},
        {"romeinsnaargetal$", 2},
        {"symb$", 2},
        {"diff$", 3},
        {"diffn$", 4},
        {"int$", 3},
        {"subst$", 4},
    };
    table.add(rows);
}

}  // namespace kalvor
