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

std::optional<long long> integerValue(const std::string& text) {
    long long v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return v;
}

void applyAxisOptions(GraphSettings& s, const std::string& letters) {
    if (letters.find('r') != std::string::npos) s.grid = false;
    if (letters.find('s') != std::string::npos) s.ticks = false;
    if (letters.find('g') != std::string::npos) s.numbers = false;
    if (letters.find('R') != std::string::npos) s.grid = true;
    if (letters.find('S') != std::string::npos) s.ticks = true;
    if (letters.find('G') != std::string::npos) s.numbers = true;
}

void applyAxisStyle(GraphSettings& s, const std::string& value) {
    if (value == "geen") s.axes = AxisStyle::None;
    if (value == "midden") s.axes = AxisStyle::Middle;
    if (value == "zijden") s.axes = AxisStyle::Sides;
}

// A colour or width fixed by the program paints the swatch and locks it; without the line
// the swatch is free again. A value that is no whole number leaves the swatch as it is.
template <class Member>
void applySwatch(Swatch& swatch, Member member, const std::optional<std::string>& value) {
    if (!value) {
        swatch.enabled = true;
        return;
    }
    if (auto v = integerValue(*value)) {
        swatch.*member = static_cast<std::remove_reference_t<decltype(swatch.*member)>>(*v);
        swatch.enabled = false;
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
                  const std::optional<std::string>& value) {
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
        if (value) applyAxisOptions(s, *value);
    } else if (name == "assen") {
        if (value) applyAxisStyle(s, *value);
    } else if (name == "roosterkleur") {
        applySwatch(s.gridSwatch, &Swatch::colour, value);
    } else if (name == "askleur") {
        applySwatch(s.axisSwatch, &Swatch::colour, value);
    } else if (name == "asdikte") {
        applySwatch(s.axisSwatch, &Swatch::width, value);
    } else {
        return false;
    }
    return true;
}

RunOptions applyProgramSettings(const std::vector<std::string>& lines, GraphSettings& settings) {
    RunOptions options;
    for (std::string_view name : kNames)
        applySetting(settings, options, name, settingValue(lines, name));
    return options;
}

}  // namespace kalvor
