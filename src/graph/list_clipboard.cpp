#include "graph/list_clipboard.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "expr/application_title.h"
#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "lang/commands/figure_support.h"
#include "lang/environment.h"

namespace kalvor {

namespace {

constexpr int kListSize = NumberLists::kSize;
// Exponent digits of the export's number text, at least four.
constexpr int kExportExponentDigits = 12;

std::string upperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::optional<int> wholeNumber(const std::string& text) {
    Number value = 0;
    if (!parseNumber(text, value) || value != std::trunc(value) || std::fabs(value) > 1e9L) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

struct ExportRequest {
    int list = 0;
    int start = 0;
    int end = 0;
    bool row = false;

    // "lijstnaam;start;eind;kolom/rij", any case.
    static std::optional<ExportRequest> read(const std::string& answer) {
        const std::vector<std::string> parts = split(upperCase(answer), ';');
        if (parts.size() != 4 || (parts[3] != "KOLOM" && parts[3] != "RIJ")) return std::nullopt;
        const std::optional<int> start = wholeNumber(parts[1]);
        const std::optional<int> end = wholeNumber(parts[2]);
        const int list = listNumber(parts[0]);
        if (!start || !end || list == 0) return std::nullopt;
        return ExportRequest{list, *start, *end, parts[3] == "RIJ"};
    }
};

// The clipboard's numbers one per line: decimal commas become points, and a text with a
// space is a row of numbers (a tab, as spreadsheets separate a row, counts as a space). A
// trailing line break ends the last line, it adds none.
std::vector<std::string> importLines(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    std::erase(text, '\r');
    if (text.find_first_of(" \t") == std::string::npos) {
        std::vector<std::string> lines = split(text, '\n');
        if (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }
    std::vector<std::string> numbers;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        numbers.push_back(word);
    return numbers;
}

}  // namespace

ListClipboard::ListClipboard(Environment& env, char userDecimalPoint)
    : m_env(env), m_decimalPoint(userDecimalPoint) {}

void ListClipboard::exportList() {
    std::string answer = m_exportAnswer;
    if (!m_env.host.inputDialog(kListExportCaption, kListExportPrompt, answer)) return;
    m_exportAnswer = answer;
    const std::optional<ExportRequest> request = ExportRequest::read(answer);
    if (!request) {
        m_env.host.messageBox(kApplicationTitle, badListExportMessage(answer), Host::Icon::Warning);
        return;
    }
    std::string text;
    for (int i = std::max(request->start, 1); i <= std::min(request->end, kListSize); ++i) {
        std::string number =
            formatGeneral(m_env.lists.get(request->list, i), 15, kExportExponentDigits);
        std::replace(number.begin(), number.end(), '.', m_decimalPoint);
        if (!text.empty()) text += request->row ? " " : "\n";
        text += number;
    }
    if (!request->row && !text.empty()) text += "\n";
    m_env.host.setClipboardText(text);
}

void ListClipboard::importList() {
    std::string answer = "L1";
    if (!m_env.host.inputDialog(kListImportCaption, kListImportPrompt, answer)) return;
    const std::string name = upperCase(answer);
    const int list = listNumber(name);
    if (list == 0) {
        m_env.host.messageBox(kApplicationTitle, invalidListMessage(name), Host::Icon::Warning);
        return;
    }
    const std::vector<std::string> lines = importLines(m_env.host.clipboardText());
    const int count = std::min(static_cast<int>(lines.size()), kListSize);
    int imported = 0;
    for (int i = 0; i < count && !lines[i].empty(); ++i) {
        Number value = 0;
        if (!parseNumber(lines[i], value)) {
            m_env.host.messageBox(kApplicationTitle, notANumberMessage(lines[i]),
                                  Host::Icon::Error);
            return;
        }
        m_env.lists.set(list, i + 1, value);
        ++imported;
    }
    const Host::Answer confirm =
        m_env.host.messageBox(kListImportDoneCaption, listImportQuestion(imported, kListSize, name),
                              Host::Icon::Question, Host::Buttons::OkCancel);
    if (confirm == Host::Answer::Ok)
        m_env.setVariable(name + "max", imported, Environment::kParsers);
}

}  // namespace kalvor
