#pragma once

namespace kalvor {

class CommandTable;

// One registration per command family; registry.cpp calls them all.
void registerDraw2dCommands(CommandTable& table);
void registerGeometryCommands(CommandTable& table);
void registerDraw3dCommands(CommandTable& table);
void registerNumericCommands(CommandTable& table);
void registerListCommands(CommandTable& table);
void registerTextCommands(CommandTable& table);
void registerBigIntCommands(CommandTable& table);
void registerInteractionCommands(CommandTable& table);
void registerAxesCommands(CommandTable& table);

// Families spread over several files: each file registers its own rows, and the family's
// registration above calls them.
void registerDraw2dCurveCommands(CommandTable& table);
void registerDraw2dPathCommands(CommandTable& table);
void registerDraw2dTextCommands(CommandTable& table);
void registerGeometryLineCommands(CommandTable& table);
void registerGeometryMarkCommands(CommandTable& table);
void registerDraw3dCurveCommands(CommandTable& table);
void registerNumericCurveCommands(CommandTable& table);

}  // namespace kalvor
