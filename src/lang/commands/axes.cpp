#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/lang_messages.h"
#include "lang/run_context.h"
#include "lang/window_services.h"

// The commands that draw through the graph window: axes with steps of the program's choice
// and function graphs sampled like the window's own F … I.

namespace kalvor {

namespace {

void drawOwnAxes(RunContext& ctx, std::string_view command, std::string_view xFormat,
                 std::string_view yFormat) {
    const Number xStep = ctx.number(0), yStep = ctx.number(1);
    if (ctx.env.window && !ctx.env.window->drawOwnAxes(ctx, xFormat, yFormat, xStep, yStep))
        ctx.host().messageBox(kWarningCaption, tooManyTicksMessage(command, kMaxOwnAxisTicks),
                              Host::Icon::Warning);
}

// eigenassen (xstap; ystap)
void ownAxes(RunContext& ctx) {
    drawOwnAxes(ctx, "eigenassen", "", "");
}

// eigenassenf (xstap; ystap; xformat; yformat): the formats as written, not evaluated.
void ownAxesFormatted(RunContext& ctx) {
    drawOwnAxes(ctx, "eigenassenf", ctx.arg(2), ctx.arg(3));
}

// grafiek, followed by the formula on the next line, evaluated in Parser1.
void graphOf(RunContext& ctx) {
    if (ctx.env.window) ctx.env.window->plotFunction(ctx, ctx.arg(0), ctx.parser(1));
}

}  // namespace

void registerAxesCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"eigenassen", 2, ownAxes},
        {"eigenassenf", 4, ownAxesFormatted},
        {"grafiek", 1, graphOf},
    };
    table.add(rows);
}

}  // namespace kalvor
