#include <cmath>
#include <string>

#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/commands/bigint_operands.h"
#include "lang/commands/characters.h"
#include "lang/commands/families.h"
#include "lang/run_context.h"
#include "lang/window_services.h"

namespace kalvor {

namespace {

// The text of one character code; codes that are no character give the empty text.
std::string characterText(Number value) {
    const Number rounded = std::nearbyint(value);
    if (!(rounded >= 0 && rounded <= 0x10FFFF) || (rounded >= 0xD800 && rounded <= 0xDFFF))
        return {};
    const char32_t code = static_cast<char32_t>(rounded);
    return encodeCharacters(std::u32string_view(&code, 1));
}

// The text that schrijf and schrijfregel write, by the kind line: t(ekst), u(itvoer), c(har),
// or # (the decimal text of a big-integer register).
std::string outputText(RunContext& ctx) {
    const std::string kind = ctx.text(0);
    if (kind == "t" || kind == "tekst") return ctx.text(1);
    if (kind == "u" || kind == "uitvoer") return formatGeneral(ctx.number(1), 18);
    if (kind == "c" || kind == "char") return characterText(ctx.number(1));
    if (kind == "#") {
        const BigInt* value = namedRegister(ctx, ctx.arg(1));
        return value ? value->toString() : std::string();
    }
    return {};
}

// A register name that names no register has ended the run: nothing is written then.
// schuifbalk (number; variable; min; max): binds slider 1 or 2 of the window to a variable.
void schuifbalk(RunContext& ctx) {
    const Number number = std::trunc(ctx.number(0));
    const std::string variable = ctx.text(1);
    const Number min = ctx.number(2);
    const Number max = ctx.number(3);
    // Other numbers bind nothing, but the variable is still created.
    const int slider = number == 1 || number == 2 ? static_cast<int>(number) : 0;
    if (ctx.env.window) ctx.env.window->bindSlider(slider, variable, min, max);
}

void schrijf(RunContext& ctx) {
    std::string text = outputText(ctx);
    if (!ctx.finished()) ctx.env.output.append(text);
}
void schrijfregel(RunContext& ctx) {
    std::string text = outputText(ctx);
    if (!ctx.finished()) ctx.env.output.appendLine(text);
}

}  // namespace

void registerInteractionCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"pauze", 1},
        {"invoerveld$", 4},
        {"uitvoerveld$", 3},
        {"rtfuitvoer", 1},
        {"rtftekst", 1},
        {"rtfregel", 0},
        {"rtftab", 0},
        {"schuifbalk", 4, schuifbalk},
        {"opslaangif", 1},
        {"opslaanjpg", 1},
        {"opslaanbmp", 1},
        {"uitvoerveld", 3},
        {"selectievak", 2},
        {"laadplaatje", 2},
        {"toonplaatje", 3},
        {"toonplaatje2", 4},
        {"wisplaatje", 3},
        {"interface", 2},
        {"stop", 1},
        {"pixel", 3},
        {"schrijfregel", 2, schrijfregel},
        {"schrijf", 2, schrijf},
    };
    table.add(rows);
}

}  // namespace kalvor
