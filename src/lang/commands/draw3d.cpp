#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerDraw3dCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"lijnstukmarkering3d", 8},
        {"stippellijn3d", 6},
        {"stip3d", 4},
        {"tekst3d2", 5},
        {"tekst3d2+stip", 6},
        {"uitvoer3d2", 5},
        {"kromme3d", 6},
        {"stippelkromme3d", 8},
        {"oppervlak3d", 9},
        {"lijnNaar3d", 3},
        {"gaNaar3d", 3},
        {"3d->2d", 5},
        {"maakpunt3d", 4},
        {"hoekmarkering3d", 11},
        {"snijpuntlijnvlak", 13},
        {"vglvlak", 13},
        {"setmat3d", 9},
        {"lijn3d", 6},
        {"rot3d", 2},
        {"spiegel3d", 2},
        {"pad3d", CommandRow::kUntilTerminator},
        {"veelhoek3d", CommandRow::kUntilTerminator},
        {"set3d", 2},
        {"set3dcentraal", 4},
    };
    table.add(rows);
}

}  // namespace kalvor
