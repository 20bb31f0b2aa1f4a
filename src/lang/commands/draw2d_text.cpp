#include <string>

#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"

// Text on the drawing and the font state of the program's text commands.

namespace kalvor {
namespace draw2d {
namespace {

// "uitvoer" writes numbers with 18 significant digits.
std::string numberText(Number value) {
    return formatGeneral(value, 18);
}

// Upper-left corner at (x, y) in the program's font.
template <class MakeText>
void topLeft(RunContext& ctx, MakeText&& makeText) {
    DrawingContext* d = ctx.env.drawing;
    std::optional<ProgramFontScope> font;
    if (d) font.emplace(*d);
    drawFigure(ctx, makeText, [](DrawingContext& dc, const ArgSource<TextArgs>& s) { dc.text(s); });
}

// Shifted by the text's pixel size as the two-letter alignment says.
template <class MakeText>
void aligned(RunContext& ctx, MakeText&& makeText) {
    DrawingContext* d = ctx.env.drawing;
    std::optional<ProgramFontScope> font;
    if (d) font.emplace(*d);
    drawFigure(ctx, makeText,
               [](DrawingContext& dc, const ArgSource<AlignedTextArgs>& s) { dc.alignedText(s); });
}

TextArgs textArgs(RunContext& ctx) {
    const Number x = ctx.number(0), y = ctx.number(1);
    return {ctx.text(2), x, y, 0};
}

TextArgs numberArgs(RunContext& ctx) {
    const Number x = ctx.number(0), y = ctx.number(1);
    return {numberText(ctx.number(2)), x, y, 0};
}

void alignedTextAs(RunContext& ctx, const char* alignment) {
    aligned(ctx, [&] {
        const TextArgs t = textArgs(ctx);
        return AlignedTextArgs{t.text, alignment, t.x, t.y};
    });
}

void alignedNumberAs(RunContext& ctx, const char* alignment) {
    aligned(ctx, [&] {
        const TextArgs t = numberArgs(ctx);
        return AlignedTextArgs{t.text, alignment, t.x, t.y};
    });
}

void tekst(RunContext& ctx) {
    topLeft(ctx, [&] { return textArgs(ctx); });
}

void gedraaidetekst(RunContext& ctx) {
    topLeft(ctx, [&] {
        TextArgs t = textArgs(ctx);
        t.angle = ctx.number(3);
        return t;
    });
}

void tekstc(RunContext& ctx) {
    alignedTextAs(ctx, "ct");
}

void tekstr(RunContext& ctx) {
    alignedTextAs(ctx, "rt");
}

void tekst2(RunContext& ctx) {
    alignedTextAs(ctx, ctx.arg(3).c_str());
}

void tekst2Stip(RunContext& ctx) {
    tekst2(ctx);
    dotAt(ctx, 4);
}

void uitvoer(RunContext& ctx) {
    topLeft(ctx, [&] { return numberArgs(ctx); });
}

void uitvoerc(RunContext& ctx) {
    alignedNumberAs(ctx, "ct");
}

void uitvoerr(RunContext& ctx) {
    alignedNumberAs(ctx, "rt");
}

void uitvoer2(RunContext& ctx) {
    alignedNumberAs(ctx, ctx.arg(3).c_str());
}

// The argument continues the text of the canvas font size: "*1.5" after 10 is 10*1.5.
void lettergrootte(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const Number size = ctx.evaluate(std::to_string(d->canvas().font().size) + ctx.arg(0));
    d->state().fontHalfPoints = roundedInt(2 * size, 0, 4000);
}

void lettertype(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const std::string& name = ctx.arg(0);
    d->state().fontName = name.empty() ? d->state().defaultFontName : name;
}

// Only the exact words count; any other text changes nothing.
void letterstijl(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const std::string& word = ctx.arg(0);
    FontStyleSet& style = d->state().fontStyle;
    if (word.empty()) style = {};
    if (word == "vet") style.bold = true;
    if (word == "cursief") style.italic = true;
    if (word == "onderstreept") style.underline = true;
}

void letterkleur(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->setFontColor(color);
}

}  // namespace
}  // namespace draw2d

void registerDraw2dTextCommands(CommandTable& table) {
    using namespace draw2d;
    static constexpr CommandRow rows[] = {
        {"tekst", 3, tekst},
        {"gedraaidetekst", 4, gedraaidetekst},
        {"tekstc", 3, tekstc},
        {"tekstr", 3, tekstr},
        {"tekst2", 4, tekst2},
        {"tekst2+stip", 5, tekst2Stip},
        {"uitvoer", 3, uitvoer},
        {"uitvoerc", 3, uitvoerc},
        {"uitvoerr", 3, uitvoerr},
        {"uitvoer2", 4, uitvoer2},
        {"lettertype", 1, lettertype},
        {"lettergrootte", 1, lettergrootte},
        {"letterkleur", 1, letterkleur},
        {"letterstijl", 1, letterstijl},
    };
    table.add(rows);
}

}  // namespace kalvor
