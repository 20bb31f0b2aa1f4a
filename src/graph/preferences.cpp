#include "graph/preferences.h"

#include <functional>
#include <string_view>
#include <utility>

#include "graph/program_settings.h"

namespace kalvor {

namespace {

constexpr const char* kFunctionNames[] = {"F", "G", "H", "I"};

// The text settings in the order of the file, for reading and for writing.
template <class Settings>
auto textFields(Settings& s) {
    using Field = decltype(&s.xmin);
    return std::vector<std::pair<std::string, Field>>{
        {"xmin", &s.xmin},      {"xmax", &s.xmax},      {"ymin", &s.ymin},
        {"ymax", &s.ymax},      {"F", &s.functions[0]}, {"G", &s.functions[1]},
        {"H", &s.functions[2]}, {"I", &s.functions[3]}, {"xlabel", &s.xlabel},
        {"ylabel", &s.ylabel}};
}

// The whole-number settings in the order of the file.
std::vector<std::pair<std::string, std::function<void(long long)>>> numberFields(GraphSettings& s) {
    std::vector<std::pair<std::string, std::function<void(long long)>>> fields = {
        {"roosterkleur", [&s](long long v) { s.gridSwatch.colour = static_cast<Color>(v); }},
        {"askleur", [&s](long long v) { s.axisSwatch.colour = static_cast<Color>(v); }},
        {"asdikte", [&s](long long v) { s.axisSwatch.width = static_cast<int>(v); }},
    };
    for (int k = 0; k < 4; ++k)
        fields.emplace_back(std::string(kFunctionNames[k]) + "kleur", [&s, k](long long v) {
            s.functionSwatches[k].colour = static_cast<Color>(v);
        });
    for (int k = 0; k < 4; ++k)
        fields.emplace_back(std::string(kFunctionNames[k]) + "dikte", [&s, k](long long v) {
            s.functionSwatches[k].width = static_cast<int>(v);
        });
    fields.emplace_back("formulierbreedte",
                        [&s](long long v) { s.formWidth = static_cast<int>(v); });
    fields.emplace_back("formulierhoogte",
                        [&s](long long v) { s.formHeight = static_cast<int>(v); });
    return fields;
}

std::string yesNo(bool on) {
    return on ? "ja" : "nee";
}

// Switches added after the file's first version; files without them leave them as they are.
template <class Settings>
auto laterSwitches(Settings& s) {
    using Switch = decltype(&s.editorHelp.colours);
    return std::vector<std::pair<std::string, Switch>>{
        {"editorkleuren", &s.editorHelp.colours},
        {"editorcontrole", &s.editorHelp.lineChecks},
        {"editoraanvullen", &s.editorHelp.completion},
        {"muisnavigatie", &s.mouseNavigation},
        {"volgen", &s.trace},
        {"gladdelijnen", &s.smoothLines}};
}

}  // namespace

std::vector<std::string> preferenceLines(const GraphSettings& s) {
    std::vector<std::string> lines;
    for (const auto& [name, text] : textFields(s))
        lines.push_back(name + "=" + *text);
    lines.push_back("toonxlabel=" + yesNo(s.showXLabel));
    lines.push_back("toonylabel=" + yesNo(s.showYLabel));
    lines.push_back("asopties=" + axisOptionLetters(s));
    lines.push_back("assen=" + std::string(axisStyleName(s.axes)));
    lines.push_back("roosterkleur=" + std::to_string(s.gridSwatch.colour));
    lines.push_back("askleur=" + std::to_string(s.axisSwatch.colour));
    lines.push_back("asdikte=" + std::to_string(s.axisSwatch.width));
    for (int k = 0; k < 4; ++k)
        lines.push_back(std::string(kFunctionNames[k]) +
                        "kleur=" + std::to_string(s.functionSwatches[k].colour));
    for (int k = 0; k < 4; ++k)
        lines.push_back(std::string(kFunctionNames[k]) +
                        "dikte=" + std::to_string(s.functionSwatches[k].width));
    lines.push_back("formulierbreedte=" + std::to_string(s.formWidth));
    lines.push_back("formulierhoogte=" + std::to_string(s.formHeight));
    lines.push_back("transparantegifs=" + yesNo(s.transparentGifs));
    for (const auto& [name, on] : laterSwitches(s))
        lines.push_back(name + "=" + yesNo(*on));
    return lines;
}

std::optional<PreferenceError> applyPreferenceLines(const std::vector<std::string>& lines,
                                                    GraphSettings& s) {
    auto value = [&](std::string_view name) -> std::optional<std::string> {
        auto v = settingValue(lines, name);
        if (v && v->empty()) return std::nullopt;
        return v;
    };
    for (const auto& [name, text] : textFields(s))
        if (auto v = value(name)) *text = *v;
    // Only "ja" checks a label box; nothing here unchecks one.
    if (value("toonxlabel") == "ja") s.showXLabel = true;
    if (value("toonylabel") == "ja") s.showYLabel = true;
    if (auto v = value("asopties")) applyAxisOptionLetters(s, *v);
    if (auto v = value("assen")) applyAxisStyleName(s, *v);
    for (const auto& [name, set] : numberFields(s)) {
        // Without a colour line the swatch is free again and keeps its colour.
        if (!settingValue(lines, name)) {
            if (name == "roosterkleur") s.gridSwatch.enabled = true;
            if (name == "askleur") s.axisSwatch.enabled = true;
            continue;
        }
        const auto v = value(name);
        if (!v) continue;
        const auto number = wholeNumber(*v);
        if (!number) return PreferenceError{name, *v};
        set(*number);
    }
    auto readSwitch = [&](std::string_view name, bool& on) {
        if (const auto v = value(name)) {
            if (*v == "ja") on = true;
            if (*v == "nee") on = false;
        }
    };
    readSwitch("transparantegifs", s.transparentGifs);
    for (const auto& [name, on] : laterSwitches(s))
        readSwitch(name, *on);
    return std::nullopt;
}

}  // namespace kalvor
