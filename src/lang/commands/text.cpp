#include <algorithm>
#include <cmath>
#include <vector>

#include "expr/numtext.h"
#include "expr/random_source.h"
#include "lang/command_table.h"
#include "lang/commands/characters.h"
#include "lang/commands/families.h"
#include "lang/commands/roman_numerals.h"
#include "lang/run_context.h"
#include "lang/window_services.h"

namespace kalvor {

namespace {

// A result goes to the text variable named by argument line k, taken as written.
void setResult(RunContext& ctx, int k, std::string value) {
    ctx.env.texts.set(ctx.arg(k), std::move(value));
}

// A number given to a text command, already made whole, as an integer: NaN counts as 0 and
// huge values are clamped, so the conversion is never out of range.
std::int64_t wholeNumber(Number whole) {
    if (std::isnan(whole)) return 0;
    constexpr Number kLimit = 0x1p62L;
    return static_cast<std::int64_t>(std::clamp(whole, -kLimit, kLimit));
}

// maak$ ($var; text): the name is taken as written, the value preprocessed.
void assignText(RunContext& ctx) {
    setResult(ctx, 0, ctx.text(1));
}

// samen$ ($var; left; right)
void concatenate(RunContext& ctx) {
    setResult(ctx, 0, ctx.text(1) + ctx.text(2));
}

// mid$ ($var; text; start; count): count characters from the 1-based start; a start before
// the first character counts from the first.
void mid(RunContext& ctx) {
    const std::u32string text = decodeCharacters(ctx.text(1));
    const std::int64_t start =
        std::max<std::int64_t>(wholeNumber(std::floor(ctx.number(2))), 1) - 1;
    const std::int64_t count = wholeNumber(std::floor(ctx.number(3)));
    std::u32string part;
    if (count > 0 && start < static_cast<std::int64_t>(text.size()))
        part = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    setResult(ctx, 0, encodeCharacters(part));
}

// pos$ (var; needle; text): the 1-based character position of the first occurrence, 0 when
// there is none (an empty needle occurs nowhere).
void pos(RunContext& ctx) {
    const std::u32string needle = decodeCharacters(ctx.text(1));
    const std::u32string text = decodeCharacters(ctx.text(2));
    const std::size_t found = needle.empty() ? std::u32string::npos : text.find(needle);
    ctx.setNumberEverywhere(ctx.text(0),
                            found == std::u32string::npos ? 0 : static_cast<Number>(found + 1));
}

// lengte$ (var; text)
void textLength(RunContext& ctx) {
    ctx.setNumberEverywhere(ctx.text(0), static_cast<Number>(characterCount(ctx.text(1))));
}

// The characters strictly between the first `open` and the `close` that balances it, or
// the whole text when there is no such pair. When open and close are the same character
// (quotes), the next one closes.
std::u32string between(const std::u32string& text, char32_t open, char32_t close) {
    const std::size_t start = text.find(open);
    if (start == std::u32string::npos) return text;
    int depth = 1;
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == close) {
            if (--depth == 0) return text.substr(start + 1, i - start - 1);
        } else if (text[i] == open) {
            ++depth;
        }
    }
    return text;
}

// tussen$ ($var; text; open; close): the first character of each delimiter line counts.
void textBetween(RunContext& ctx) {
    const std::string text = ctx.text(1);
    const std::u32string open = decodeCharacters(ctx.text(2));
    const std::u32string close = decodeCharacters(ctx.text(3));
    if (open.empty() || close.empty()) {
        setResult(ctx, 0, text);
        return;
    }
    setResult(ctx, 0, encodeCharacters(between(decodeCharacters(text), open[0], close[0])));
}

// vervang$ ($var; text; search; replacement): every occurrence, case-sensitive; an empty
// search text changes nothing.
void replaceText(RunContext& ctx) {
    std::string text = ctx.text(1);
    const std::string search = ctx.text(2);
    const std::string replacement = ctx.text(3);
    if (!search.empty()) {
        std::string out;
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(search, from)) != std::string::npos;
             from = at + search.size())
            out.append(text, from, at - from).append(replacement);
        text = out.append(text, from, std::string::npos);
    }
    setResult(ctx, 0, std::move(text));
}

// split$ ($head; $rest; text; separator): the head is the text before the first separator,
// the rest starts one character after where the separator begins. Without a separator the
// head is empty and the rest is the whole text.
void split(RunContext& ctx) {
    const std::u32string text = decodeCharacters(ctx.text(2));
    const std::u32string separator = decodeCharacters(ctx.text(3));
    const std::size_t at = separator.empty() ? std::u32string::npos : text.find(separator);
    if (at == std::u32string::npos) {
        setResult(ctx, 0, {});
        setResult(ctx, 1, encodeCharacters(text));
        return;
    }
    setResult(ctx, 0, encodeCharacters(text.substr(0, at)));
    setResult(ctx, 1, encodeCharacters(text.substr(at + 1)));
}

// keus$ ($var; list): one of the comma-separated items of the list line as written, each
// equally likely. Lists of any length are used whole.
void randomChoice(RunContext& ctx) {
    const std::string& list = ctx.arg(1);
    std::vector<std::string_view> items;
    std::size_t from = 0;
    for (std::size_t comma; (comma = list.find(',', from)) != std::string::npos; from = comma + 1)
        items.emplace_back(list.data() + from, comma - from);
    items.emplace_back(list.data() + from, list.size() - from);
    const auto pick = static_cast<std::size_t>(uniformRandom() * static_cast<Number>(items.size()));
    setResult(ctx, 0, std::string(items[std::min(pick, items.size() - 1)]));
}

// +$ -$ *$ /$ ^$ ($var; expr1; expr2): the text (expr1)op(expr2).
template <char op>
void combine(RunContext& ctx) {
    setResult(ctx, 0, "(" + ctx.text(1) + ")" + op + "(" + ctx.text(2) + ")");
}

// getalnaar$ ($var; expression)
void numberToText(RunContext& ctx) {
    setResult(ctx, 0, formatGeneral(ctx.number(1), 15));
}

// getalnaarromeins$ ($var; number), the number truncated toward zero.
void numberToRoman(RunContext& ctx) {
    setResult(ctx, 0, romanNumeral(wholeNumber(std::trunc(ctx.number(1)))));
}

// romeinsnaargetal$ (text; var): an invalid numeral throws and abandons the run.
void romanToNumber(RunContext& ctx) {
    const std::int64_t value = romanValue(ctx.text(0));
    ctx.setNumberEverywhere(ctx.text(1), static_cast<Number>(value));
}

// invoerdialoog$ ($var; caption; prompt; default): the entered text, or empty on Cancel.
void askText(RunContext& ctx) {
    std::string value = ctx.text(3);
    if (!ctx.host().inputDialog(ctx.text(1), ctx.text(2), value)) value.clear();
    setResult(ctx, 0, std::move(value));
}

// The window boxes koppel$ may link: the four function boxes and the three user boxes.
std::string* linkableBox(RunContext& ctx, std::string_view name) {
    static constexpr std::string_view kBoxes[] = {"F", "G", "H", "I", "user1", "user2", "user3"};
    if (!ctx.env.window ||
        std::find(std::begin(kBoxes), std::end(kBoxes), name) == std::end(kBoxes))
        return nullptr;
    return ctx.env.window->field(name);
}

// koppel$ (box; $var; default): an empty box receives the default; $var gets the box's text.
// Without a window (or with an unknown box name) $var gets the default.
void bindField(RunContext& ctx) {
    std::string* box = linkableBox(ctx, ctx.arg(0));
    if (box && !box->empty()) {
        setResult(ctx, 1, *box);
        return;
    }
    std::string value = ctx.text(2);
    if (box) *box = value;
    setResult(ctx, 1, std::move(value));
}

// The symbolic commands store the answer of the symbolic library; an error answer is stored
// like any other, and fails only when the program uses it as a formula.
void storeSymbolic(RunContext& ctx, const std::string& command) {
    setResult(ctx, 0, ctx.env.symbolic().calculate(command));
}

// symb$ ($var; command): any command, passed on unchanged.
void symbolicText(RunContext& ctx) {
    storeSymbolic(ctx, ctx.text(1));
}
// diff$ ($var; expression; variable)
void diff(RunContext& ctx) {
    storeSymbolic(ctx, "diff(" + ctx.text(1) + "," + ctx.text(2) + ")");
}
// diffn$ ($var; expression; variable; n): n as written after preprocessing, not evaluated.
void diffn(RunContext& ctx) {
    storeSymbolic(ctx, "diff(" + ctx.text(1) + "," + ctx.text(2) + "," + ctx.text(3) + ")");
}
// int$ ($var; expression; variable)
void integral(RunContext& ctx) {
    storeSymbolic(ctx, "int(" + ctx.text(1) + "," + ctx.text(2) + ")");
}
// subst$ ($var; expression; search; replacement)
void substitute(RunContext& ctx) {
    storeSymbolic(ctx, "subst(" + ctx.text(1) + "," + ctx.text(2) + "," + ctx.text(3) + ")");
}

}  // namespace

void registerTextCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"maak$", 2, assignText},
        {"keus$", 2, randomChoice},
        {"mid$", 4, mid},
        {"pos$", 3, pos},
        {"lengte$", 2, textLength},
        {"tussen$", 4, textBetween},
        {"*$", 3, combine<'*'>},
        {"/$", 3, combine<'/'>},
        {"+$", 3, combine<'+'>},
        {"-$", 3, combine<'-'>},
        {"^$", 3, combine<'^'>},
        {"samen$", 3, concatenate},
        {"vervang$", 4, replaceText},
        {"koppel$", 3, bindField},
        {"split$", 4, split},
        {"invoerdialoog$", 4, askText},
        {"getalnaar$", 2, numberToText},
        {"getalnaarromeins$", 2, numberToRoman},
        {"romeinsnaargetal$", 2, romanToNumber},
        {"symb$", 2, symbolicText},
        {"diff$", 3, diff},
        {"diffn$", 4, diffn},
        {"int$", 3, integral},
        {"subst$", 4, substitute},
    };
    table.add(rows);
}

}  // namespace kalvor
