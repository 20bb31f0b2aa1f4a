#pragma once

// The handlers of the plane drawing family; draw2d.cpp lists them in the command table.

namespace kalvor {

class RunContext;

namespace draw2d {

// draw2d_curves.cpp
void kromme(RunContext& ctx);
void stippelkromme(RunContext& ctx);
void rvraaklijn(RunContext& ctx);
void gebied(RunContext& ctx);
void halfPlaneAbove(RunContext& ctx);
void halfPlaneBelow(RunContext& ctx);
void lineInWindow(RunContext& ctx);

// draw2d_paths.cpp
void pad(RunContext& ctx);
void veelhoek(RunContext& ctx);
void bezier(RunContext& ctx);

// draw2d_text.cpp
void tekst(RunContext& ctx);
void gedraaidetekst(RunContext& ctx);
void tekstc(RunContext& ctx);
void tekstr(RunContext& ctx);
void tekst2(RunContext& ctx);
void tekst2Stip(RunContext& ctx);
void uitvoer(RunContext& ctx);
void uitvoerc(RunContext& ctx);
void uitvoerr(RunContext& ctx);
void uitvoer2(RunContext& ctx);
void lettergrootte(RunContext& ctx);
void lettertype(RunContext& ctx);
void letterstijl(RunContext& ctx);
void letterkleur(RunContext& ctx);

/// stip: a dot of args 0, 1 (position) and `sizeArg` (radius in pixels).
void dotAt(RunContext& ctx, int sizeArg);

}  // namespace draw2d
}  // namespace kalvor
