#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerNumericCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"impliciet", 1},   {"impliciet2", 6},       {"impliciet3", 4},        {"iteratie", 4},
        {"integraal", 6},   {"nulpunt", 6},          {"helling", 4},           {"lijnelveld", 3},
        {"lijnelveld2", 4}, {"oplossingskromme", 6}, {"oplossingskromme2", 7}, {"webgrafiek", 4},
        {"afbeelding2", 7},
    };
    table.add(rows);
}

}  // namespace kalvor
