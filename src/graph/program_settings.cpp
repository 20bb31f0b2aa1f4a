#include "graph/program_settings.h"

#include <charconv>
#include <type_traits>

namespace kalvor {

namespace {

// The names in the order they take effect ("asdikte" after "askleur": its enable state wins).
constexpr std::string_view kNames[] = {
    "xmax",     "xmin",     "ymax",   "ymin",         "F",       "G",
    "H",        "I",        "xlabel", "ylabel",       "reset",   "hint",
    "checking", "asopties", "assen",  "roosterkleur", "askleur", "asdikte",
};

// A colour or width fixed by the program paints the swatch and locks it; without the line
// the swatch is free again. A value that is no whole number leaves the swatch as it is.
template <class Member>
void applySwatch(Swatch& swatch, Member member, std::string_view name,
                 const std::optional<std::string>& value, std::vector<SettingError>* rejected) {
    if (!value) {
        swatch.enabled = true;
        return;
    }
    if (auto v = wholeNumber(*value)) {
        swatch.*member = static_cast<std::remove_reference_t<decltype(swatch.*member)>>(*v);
        swatch.enabled = false;
    } else if (rejected) {
        rejected->push_back({std::string(name), *value});
    }
}

std::string* textField(GraphSettings& s, std::string_view name) {
    if (name == "xmin") return &s.xmin;
    if (name == "xmax") return &s.xmax;
    if (name == "ymin") return &s.ymin;
    if (name == "ymax") return &s.ymax;
    if (name == "F") return &s.functions[0];
    if (name == "G") return &s.functions[1];
    if (name == "H") return &s.functions[2];
    if (name == "I") return &s.functions[3];
    return nullptr;
}

}  // namespace

std::optional<long long> wholeNumber(std::string_view text) {
    long long v = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
    return v;
}

void applyAxisOptionLetters(GraphSettings& s, std::string_view letters) {
    auto has = [&](char c) { return letters.find(c) != std::string_view::npos; };
    if (has('r')) s.grid = false;
    if (has('s')) s.ticks = false;
    if (has('g')) s.numbers = false;
    if (has('R')) s.grid = true;
    if (has('S')) s.ticks = true;
    if (has('G')) s.numbers = true;
}

std::string axisOptionLetters(const GraphSettings& s) {
    return std::string(1, s.grid ? 'R' : 'r') + (s.ticks ? 'S' : 's') + (s.numbers ? 'G' : 'g');
}

void applyAxisStyleName(GraphSettings& s, std::string_view name) {
    for (AxisStyle style : {AxisStyle::Sides, AxisStyle::Middle, AxisStyle::None})
        if (name == axisStyleName(style)) s.axes = style;
}

std::string_view axisStyleName(AxisStyle style) {
    switch (style) {
        case AxisStyle::Sides:
            return "zijden";
        case AxisStyle::Middle:
            return "midden";
        case AxisStyle::None:
            return "geen";
    }
    return {};
}

std::optional<std::string> settingValue(const std::vector<std::string>& lines,
                                        std::string_view name) {
    for (const std::string& line : lines) {
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 &&
            line[name.size()] == '=')
            return line.substr(name.size() + 1);
    }
    return std::nullopt;
}

bool applySetting(GraphSettings& s, RunOptions& options, std::string_view name,
                  const std::optional<std::string>& value, std::vector<SettingError>* rejected) {
    if (std::string* field = textField(s, name)) {
        if (value) *field = *value;
    } else if (name == "xlabel" || name == "ylabel") {
        if (value) {
            (name == "xlabel" ? s.showXLabel : s.showYLabel) = true;
            (name == "xlabel" ? s.xlabel : s.ylabel) = *value;
        }
    } else if (name == "reset" || name == "checking") {
        (name == "reset" ? options.reset : options.checking) = !(value && *value == "nee");
    } else if (name == "hint") {
        s.hint = value.value_or("");
        s.showHints = value.has_value();
    } else if (name == "asopties") {
        if (value) applyAxisOptionLetters(s, *value);
    } else if (name == "assen") {
        if (value) applyAxisStyleName(s, *value);
    } else if (name == "roosterkleur") {
        applySwatch(s.gridSwatch, &Swatch::colour, name, value, rejected);
    } else if (name == "askleur") {
        applySwatch(s.axisSwatch, &Swatch::colour, name, value, rejected);
    } else if (name == "asdikte") {
        applySwatch(s.axisSwatch, &Swatch::width, name, value, rejected);
    } else {
        return false;
    }
    return true;
}

RunOptions applyProgramSettings(const std::vector<std::string>& lines, GraphSettings& settings,
                                std::vector<SettingError>* rejected) {
    RunOptions options;
    for (std::string_view name : kNames)
        applySetting(settings, options, name, settingValue(lines, name), rejected);
    return options;
}

}  // namespace kalvor
