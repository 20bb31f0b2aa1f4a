#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/run_context.h"

namespace kalvor {

namespace {

// maak$ ($var; text): the name is taken as written, the value preprocessed.
void maakText(RunContext& ctx) {
    ctx.env.texts.set(ctx.arg(0), ctx.text(1));
}

}  // namespace

// Rows without a handler skip their argument lines until the rest of the family is built.
void registerTextCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"maak$", 2, maakText},
        {"keus$", 2},
        {"mid$", 4},
        {"pos$", 3},
        {"lengte$", 2},
        {"tussen$", 4},
        {"*$", 3},
        {"/$", 3},
        {"+$", 3},
        {"-$", 3},
        {"^$", 3},
        {"samen$", 3},
        {"vervang$", 4},
        {"koppel$", 3},
        {"split$", 4},
        {"invoerdialoog$", 4},
        {"getalnaar$", 2},
        {"getalnaarromeins$", 2},
        {"romeinsnaargetal$", 2},
        {"symb$", 2},
        {"diff$", 3},
        {"diffn$", 4},
        {"int$", 3},
        {"subst$", 4},
    };
    table.add(rows);
}

}  // namespace kalvor
