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

}  // namespace kalvor
