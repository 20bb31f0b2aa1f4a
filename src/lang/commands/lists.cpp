#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

// Handlers arrive with the family's issue; until then each row skips its argument lines.
void registerListCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"stats", 5},
        {"linreg", 5},
        {"regressie", 6},
        {"polyreg", 5},
    };
    table.add(rows);
}

}  // namespace kalvor
