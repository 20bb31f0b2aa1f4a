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

void drawText(RunContext& ctx) {
    topLeft(ctx, [&] { return textArgs(ctx); });
}

void drawRotatedText(RunContext& ctx) {
    topLeft(ctx, [&] {
        TextArgs t = textArgs(ctx);
        t.angle = ctx.number(3);
        return t;
    });
}

void drawCentredText(RunContext& ctx) {
    alignedTextAs(ctx, "ct");
}

void drawRightText(RunContext& ctx) {
    alignedTextAs(ctx, "rt");
}

void drawAlignedText(RunContext& ctx) {
    alignedTextAs(ctx, ctx.arg(3).c_str());
}

void drawAlignedTextWithDot(RunContext& ctx) {
    drawAlignedText(ctx);
    dotAt(ctx, 4);
}

void drawNumber(RunContext& ctx) {
    topLeft(ctx, [&] { return numberArgs(ctx); });
}

void drawCentredNumber(RunContext& ctx) {
    alignedNumberAs(ctx, "ct");
}

void drawRightNumber(RunContext& ctx) {
    alignedNumberAs(ctx, "rt");
}

void drawAlignedNumber(RunContext& ctx) {
    alignedNumberAs(ctx, ctx.arg(3).c_str());
}

// The argument continues the text of the canvas font size: "*1.5" after 10 is 10*1.5.
void setFontSize(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const Number size = ctx.evaluate(std::to_string(d->canvas().font().size) + ctx.arg(0));
    d->state().fontHalfPoints = roundedInt(2 * size, 0, 4000);
}

void setFontName(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const std::string& name = ctx.arg(0);
    d->state().fontName = name.empty() ? d->state().defaultFontName : name;
}

// Only the exact words count; any other text changes nothing.
void setFontStyle(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const std::string& word = ctx.arg(0);
    FontStyleSet& style = d->state().fontStyle;
    if (word.empty()) style = {};
    if (word == "vet") style.bold = true;
    if (word == "cursief") style.italic = true;
    if (word == "onderstreept") style.underline = true;
}

void applyFontColor(RunContext& ctx) {
    const Color color = roundedColor(ctx.number(0));
    if (DrawingContext* d = ctx.env.drawing) d->setFontColor(color);
}

}  // namespace
}  // namespace draw2d

void registerDraw2dTextCommands(CommandTable& table) {
    using namespace draw2d;
    static constexpr CommandRow rows[] = {
        {"tekst", 3, drawText},
        {"gedraaidetekst", 4, drawRotatedText},
        {"tekstc", 3, drawCentredText},
        {"tekstr", 3, drawRightText},
        {"tekst2", 4, drawAlignedText},
        {"tekst2+stip", 5, drawAlignedTextWithDot},
        {"uitvoer", 3, drawNumber},
        {"uitvoerc", 3, drawCentredNumber},
        {"uitvoerr", 3, drawRightNumber},
        {"uitvoer2", 4, drawAlignedNumber},
        {"lettertype", 1, setFontName},
        {"lettergrootte", 1, setFontSize},
        {"letterkleur", 1, applyFontColor},
        {"letterstijl", 1, setFontStyle},
    };
    table.add(rows);
}

}  // namespace kalvor
