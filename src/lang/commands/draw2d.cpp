#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerDraw2dCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"lijn", 4},
        {"stippellijn", 4},
        {"stip", 3},
        {"ellips", 4},
        {"tekst", 3},
        {"gedraaidetekst", 4},
        {"tekstc", 3},
        {"tekstr", 3},
        {"tekst2", 4},
        {"tekst2+stip", 5},
        {"uitvoer", 3},
        {"uitvoerc", 3},
        {"uitvoerr", 3},
        {"uitvoer2", 4},
        {"lettertype", 1},
        {"rechthoek", 4},
        {"kromme", 5},
        {"stippelkromme", 7},
        {"rvraaklijn", 5},
        {"vector", 4},
        {"cirkelmppunt", 4},
        {"cirkelboog", 5},
        {"cirkelsegment", 5},
        {"cirkelsector", 5},
        {"gaNaar", 2},
        {"lijnNaar", 2},
        {"tekenkleur", 1},
        {"lijndikte", 1},
        {"vulkleur", 1},
        {"lettergrootte", 1},
        {"letterkleur", 1},
        {"letterstijl", 1},
        {"vulstijl", 1},
        {"pad", CommandRow::kUntilTerminator},
        {"veelhoek", CommandRow::kUntilTerminator},
        {"bezier", CommandRow::kUntilTerminator},
        {"gebied", CommandRow::kUntilTerminator},
        {"ax+by>c", 3},
        {"ax+by<c", 3},
        {"ax+by=c", 3},
        {"gedraaideellips", 5},
    };
    table.add(rows);
}

}  // namespace kalvor
