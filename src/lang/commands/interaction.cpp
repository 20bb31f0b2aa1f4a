#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/drawing_context.h"
#include "expr/application_title.h"
#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/commands/bigint_operands.h"
#include "lang/commands/characters.h"
#include "lang/commands/families.h"
#include "lang/commands/picture_stamp.h"
#include "lang/lang_messages.h"
#include "lang/run_context.h"
#include "lang/window_services.h"
#include "output/image_files.h"

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
void addSlider(RunContext& ctx) {
    const Number number = std::trunc(ctx.number(0));
    const std::string variable = ctx.text(1);
    const Number min = ctx.number(2);
    const Number max = ctx.number(3);
    // Other numbers bind nothing, but the variable is still created.
    const int slider = number == 1 || number == 2 ? static_cast<int>(number) : 0;
    if (ctx.env.window) ctx.env.window->bindSlider(slider, variable, min, max);
}

void writeText(RunContext& ctx) {
    std::string text = outputText(ctx);
    if (!ctx.finished()) ctx.env.output.append(text);
}
void writeLine(RunContext& ctx) {
    std::string text = outputText(ctx);
    if (!ctx.finished()) ctx.env.output.appendLine(text);
}

// ---- Waiting ----

constexpr int kSliceMs = 10;

// A whole number of milliseconds or pixels from an argument; NaN counts as 0.
long long wholeArgument(Number value, bool rounded) {
    const Number whole = rounded ? std::nearbyint(value) : std::trunc(value);
    if (std::isnan(whole)) return 0;
    return static_cast<long long>(std::clamp<Number>(whole, INT_MIN, INT_MAX));
}

// Sleeps in short slices with the window's events between them, so that Escape (or the
// command line's timeout) ends the wait at once.
void sleepResponsively(RunContext& ctx, long long milliseconds) {
    ctx.processEvents();
    for (long long left = milliseconds; left > 0 && !ctx.samplingAborted(); left -= kSliceMs) {
        ctx.host().sleepMs(static_cast<int>(std::min<long long>(left, kSliceMs)));
        ctx.processEvents();
    }
}

// pauze (milliseconds): waits with the window responsive; a negative value does nothing.
void pauseRun(RunContext& ctx) {
    const Number value = ctx.number(0);
    if (!(value >= 0)) return;
    ctx.env.flags.waiting = true;
    sleepResponsively(ctx, wholeArgument(value, true));
    ctx.env.flags.waiting = false;
}

// stop (caption): shows the continue button and waits for its click (or Escape). Only a
// window that shows the button waits; elsewhere the run goes on at once.
void stop(RunContext& ctx) {
    ProgramControls& controls = ctx.env.controls;
    if (!ctx.arg(0).empty()) controls.continueButton.caption = ctx.arg(0);
    controls.continueButton.visible = true;
    ctx.env.flags.waiting = ctx.env.flags.paused = true;
    while (controls.waitAtStop && controls.continueButton.visible && !ctx.samplingAborted()) {
        ctx.processEvents();
        ctx.host().sleepMs(kSliceMs);
    }
    controls.continueButton.visible = false;
    ctx.env.flags.waiting = ctx.env.flags.paused = false;
    ctx.processEvents();
}

// ---- Window controls ----

// interface (element; x): disables the options menu and moves one control to pixel x.
void interfaceCommand(RunContext& ctx) {
    ProgramControls& controls = ctx.env.controls;
    controls.optionsMenuEnabled = false;
    const std::string element = ctx.text(0);
    const int x = static_cast<int>(wholeArgument(ctx.number(1), false));
    for (int i = 0; i < 2; ++i) {
        if (element == "schuifbalk" + std::to_string(i + 1)) {
            controls.sliderLeft[i] = x;
            controls.sliderLabelLeft[i] = x + 20;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (element != "tekstveld" + std::to_string(i + 1)) continue;
        UserBox& box = controls.boxes[i];
        box.left = x;
        box.label.clear();
        box.labelLeft = x - 10;
        box.enabled = true;
    }
    if (element == "selectievak") controls.selection.left = x;
}

// The user box a program's number selects (1 … 3, truncated), shown with its label; null
// for other numbers and for boxes 2 and 3 before `interface` enabled them.
UserBox* shownBox(RunContext& ctx, const std::string& label, std::string** text) {
    const Number number = std::trunc(ctx.number(0));
    if (!(number >= 1 && number <= 3)) return nullptr;
    const int index = static_cast<int>(number) - 1;
    UserBox& box = ctx.env.controls.boxes[index];
    if (!box.enabled) return nullptr;
    box.visible = true;
    box.label = label;
    *text = ctx.env.window ? ctx.env.window->field("user" + std::to_string(index + 1)) : nullptr;
    return &box;
}

void showInBox(RunContext& ctx, const std::string& value) {
    std::string* text = nullptr;
    if (shownBox(ctx, ctx.arg(2), &text) && text) *text = value == " " ? std::string() : value;
}

// uitvoerveld (number; value; label)
void outputField(RunContext& ctx) {
    showInBox(ctx, formatGeneral(ctx.number(1), 15));
}
// uitvoerveld$ (number; text; label)
void outputFieldText(RunContext& ctx) {
    showInBox(ctx, ctx.text(1));
}

// invoerveld$ (number; $var; default; label): an empty box receives the default; $var gets
// the box's text, so what the person typed survives the redraws.
void inputField(RunContext& ctx) {
    std::string* text = nullptr;
    if (!shownBox(ctx, ctx.text(3), &text)) return;
    std::string value = text && !text->empty() ? *text : ctx.text(2);
    if (text) *text = value;
    ctx.env.texts.set(ctx.arg(1), std::move(value));
}

std::vector<std::string> listItems(const std::string& list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        items.push_back(list.substr(start, comma - start));
    items.push_back(list.substr(start));
    return items;
}

// selectievak ($var; list): the person's choice stays while the list still holds it as an
// item; otherwise the items are rebuilt and the first one is chosen.
void checkBox(RunContext& ctx) {
    SelectionList& selection = ctx.env.controls.selection;
    selection.visible = true;
    const std::vector<std::string> items = listItems(ctx.text(1));
    if (selection.current.empty() ||
        std::find(items.begin(), items.end(), selection.current) == items.end()) {
        selection.items = items;
        selection.current = items.front();
    }
    ctx.env.texts.set(ctx.arg(0), selection.current);
}

// ---- Rich text ----

void appendRichText(RunContext& ctx, const std::string& text) {
    ctx.env.controls.richText += text;
}
void writeRichNumber(RunContext& ctx) {
    appendRichText(ctx, formatGeneral(ctx.number(0), 15));
}
void writeRichText(RunContext& ctx) {
    appendRichText(ctx, ctx.text(0));
}
void writeRichTab(RunContext& ctx) {
    appendRichText(ctx, "\t");
}
void writeRichNewLine(RunContext& ctx) {
    std::string& text = ctx.env.controls.richText;
    text += text.empty() ? " " : "\n ";
}

// ---- Pictures ----

PictureSlot* pictureSlot(RunContext& ctx) {
    const Number number = std::trunc(ctx.number(0));
    if (!(number >= 1 && number <= 3)) return nullptr;
    return &ctx.env.controls.pictures[static_cast<std::size_t>(number) - 1];
}

// laadplaatje (slot; file): a file that is missing or does not decode leaves the slot as
// it was; the same file name again is not read again.
void loadImage(RunContext& ctx) {
    PictureSlot* slot = pictureSlot(ctx);
    const std::string file = ctx.text(1);
    if (!slot || slot->fileName == file) return;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return;
    QImage picture = loadPictureFile(file);
    if (picture.isNull()) return;
    slot->picture = std::move(picture);
    slot->fileName = file;
}

// A filled slot and the canvas, with the picture's corner at world (x, y).
struct StampTarget {
    WorldCanvas* canvas = nullptr;
    const QImage* picture = nullptr;
    QPoint corner;
};

StampTarget stampTarget(RunContext& ctx) {
    const PictureSlot* slot = pictureSlot(ctx);
    const Number x = ctx.number(1), y = ctx.number(2);
    if (!slot || slot->picture.isNull() || !ctx.env.drawing) return {};
    WorldCanvas& canvas = ctx.env.drawing->canvas();
    return {&canvas, &slot->picture, pictureCorner(canvas, slot->picture, x, y)};
}

void stampAndPause(RunContext& ctx, StampMode mode) {
    const StampTarget target = stampTarget(ctx);
    if (!target.canvas) return;
    stampPicture(*target.canvas, *target.picture, target.corner, mode);
    ctx.host().sleepMs(20);
}
void showImage(RunContext& ctx) {
    stampAndPause(ctx, StampMode::And);
}
void clearImage(RunContext& ctx) {
    stampAndPause(ctx, StampMode::White);
}

// toonplaatje2 (slot; x; y; delay): the picture for `delay` milliseconds, then what was
// beneath it again.
void showImageBriefly(RunContext& ctx) {
    const StampTarget target = stampTarget(ctx);
    const long long delay = wholeArgument(ctx.number(3), false);
    if (!target.canvas || ctx.env.flags.waiting) return;
    const QImage beneath = target.canvas->image().copy();
    stampPicture(*target.canvas, *target.picture, target.corner, StampMode::And);
    sleepResponsively(ctx, delay);
    target.canvas->drawImage(0, 0, beneath);
}

// pixel (variable; x; y): the colour of the canvas pixel, red in the low byte.
void pixel(RunContext& ctx) {
    const std::string name = ctx.text(0);
    const Number x = ctx.number(1), y = ctx.number(2);
    if (!ctx.env.drawing) return;
    ctx.setNumber(name, static_cast<Number>(canvasColour(ctx.env.drawing->canvas(), x, y)));
}

// ---- Frames ----

// opslaangif / opslaanjpg / opslaanbmp (name without extension): the canvas as it stands
// into name10.ext … name99.ext; GIF and BMP frames are listed for the animated-GIF builder.
// A file that cannot be written ends the run with its message.
void saveFrame(RunContext& ctx, const char* extension, bool listed) {
    const std::string name = ctx.text(0);
    if (name.find('.') != std::string::npos) {
        ctx.host().messageBox(kWarningCaption, kNameWithoutExtension, Host::Icon::Warning);
        ctx.stop();
        return;
    }
    ProgramControls& controls = ctx.env.controls;
    if (controls.frameCounter >= ProgramControls::kFrameLimit) return;
    if (listed && !controls.listedThisRun) controls.gifInputList.clear();
    const std::string file = name + std::to_string(controls.frameCounter) + extension;
    if (ctx.env.drawing) {
        const ImageSaveOptions options{controls.transparentGifs};
        if (auto problem = saveImageFile(ctx.env.drawing->canvas().image(), file, options)) {
            ctx.host().messageBox(kApplicationTitle, *problem, Host::Icon::None);
            ctx.stop();
            return;
        }
    }
    if (listed) {
        controls.gifInputList.push_back(file);
        controls.listedThisRun = true;
    }
    ++controls.frameCounter;
}
void saveGif(RunContext& ctx) {
    saveFrame(ctx, ".gif", true);
}
void saveJpeg(RunContext& ctx) {
    saveFrame(ctx, ".jpg", false);
}
void saveBmp(RunContext& ctx) {
    saveFrame(ctx, ".bmp", true);
}

}  // namespace

void registerInteractionCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"pauze", 1, pauseRun},
        {"invoerveld$", 4, inputField},
        {"uitvoerveld$", 3, outputFieldText},
        {"rtfuitvoer", 1, writeRichNumber},
        {"rtftekst", 1, writeRichText},
        {"rtfregel", 0, writeRichNewLine},
        {"rtftab", 0, writeRichTab},
        {"schuifbalk", 4, addSlider},
        {"opslaangif", 1, saveGif},
        {"opslaanjpg", 1, saveJpeg},
        {"opslaanbmp", 1, saveBmp},
        {"uitvoerveld", 3, outputField},
        {"selectievak", 2, checkBox},
        {"laadplaatje", 2, loadImage},
        {"toonplaatje", 3, showImage},
        {"toonplaatje2", 4, showImageBriefly},
        {"wisplaatje", 3, clearImage},
        {"interface", 2, interfaceCommand},
        {"stop", 1, stop},
        {"pixel", 3, pixel},
        {"schrijfregel", 2, writeLine},
        {"schrijf", 2, writeText},
    };
    table.add(rows);
}

}  // namespace kalvor
