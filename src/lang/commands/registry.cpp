#include "lang/command_table.h"
#include "lang/commands/families.h"

namespace kalvor {

CommandTable buildCommandTable() {
    CommandTable table;
    registerDraw2dCommands(table);
    registerGeometryCommands(table);
    registerDraw3dCommands(table);
    registerNumericCommands(table);
    registerListCommands(table);
    registerTextCommands(table);
    registerBigIntCommands(table);
    registerInteractionCommands(table);
    registerAxesCommands(table);
    return table;
}

}  // namespace kalvor
