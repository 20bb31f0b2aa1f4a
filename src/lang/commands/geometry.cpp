#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerGeometryCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"lijnstukmarkering", 6},
        {"vectorvoorstelling", 6},
        {"maakpunt", 3},
        {"vrijpunt", 4},
        {"draaivermenigvuldig", 8},
        {"projectie", 8},
        {"spiegelbeeld", 8},
        {"hoek", 7},
        {"hoekmarkering", 8},
        {"snijpuntmll", 8},
        {"snijpuntbis", 8},
        {"snijpuntlijnlijn", 10},
        {"snijpuntlijncir", 10},
        {"snijpuntcircir", 10},
        {"conflictlijn", 7},
        {"middelloodlijn", 6},
        {"bissectrice", 8},
        {"loodlijn", 8},
        {"hoogtelijn", 6},
        {"hoogtepunt", 8},
        {"puntinveelhoek?", 6},
    };
    table.add(rows);
}

}  // namespace kalvor
