#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerAxesCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"eigenassen", 2},
        {"eigenassenf", 4},
        {"grafiek", 1},
    };
    table.add(rows);
}

}  // namespace kalvor
