#include "lang/compiler.h"

#include <algorithm>

#include "lang/command_table.h"
#include "lang/figure_library.h"

namespace kalvor {

namespace {

enum class ProcKind { None, Call, Definition };

// Commands whose argument lines end with a "#" line: the table's rows that read up to it, and
// local, whose names run up to it too.
bool isTerminated(std::string_view name) {
    static const CommandTable commands = buildCommandTable();
    const CommandRow* row = commands.find(name);
    return name == "local" || (row && row->argLines == CommandRow::kUntilTerminator);
}

/// Removes `keyword` from the front of `text`, and then one blank if there is one.
bool takeKeyword(std::string_view& text, std::string_view keyword) {
    if (!text.starts_with(keyword)) return false;
    text.remove_prefix(keyword.size());
    if (text.starts_with(' ')) text.remove_prefix(1);
    return true;
}

/// Argument lines of a command; "punten" and "punten3d" turn each point name into the names
/// of its coordinates.
void emitArguments(std::string_view name, std::string_view arguments,
                   std::vector<std::string>& out) {
    const int coordinates = name == "punten" ? 2 : name == "punten3d" ? 3 : 0;
    size_t start = 0;
    while (true) {
        const size_t end = std::min(arguments.find(';', start), arguments.size());
        const std::string piece(arguments.substr(start, end - start));
        if (coordinates == 0) out.push_back(piece);
        for (int c = 1; c <= coordinates; ++c)
            out.push_back(piece + std::to_string(c));
        if (end == arguments.size()) break;
        start = end + 1;
    }
}

/// command(arguments): the name is the text before the first "(", exactly as written; the
/// arguments are the text between that "(" and the last ")".
void emitCommand(std::string_view text, size_t open, ProcKind kind, std::vector<std::string>& out) {
    const std::string_view name = text.substr(0, open);
    if (!name.empty() && name != "punten" && name != "punten3d") out.emplace_back(name);
    const size_t close = text.rfind(')');
    const std::string_view arguments = close != std::string_view::npos && close > open
                                           ? text.substr(open + 1, close - open - 1)
                                           : std::string_view{};
    emitArguments(name, arguments, out);
    if (isTerminated(name) || kind != ProcKind::None) out.emplace_back("#");
}

}  // namespace

bool isFunctionLine(std::string_view line) {
    return line.size() >= 2 && line[1] == '=' &&
           (line[0] == 'F' || line[0] == 'G' || line[0] == 'H' || line[0] == 'I');
}

std::size_t commentStart(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '%')
            ++i;
        else if (line[i] == '%')
            return i;
    }
    return line.size();
}

std::string statementText(std::string_view line) {
    std::string text;
    const std::size_t end = commentStart(line);
    for (size_t i = 0; i < end; ++i) {
        if (line[i] == '\\' && i + 1 < end && line[i + 1] == '%') continue;
        text += line[i];
    }
    text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

CompileResult compileProgram(const std::vector<std::string>& sourceLines,
                             IncludeResolver& resolver) {
    CompileResult result;
    for (std::size_t i = 0; i < sourceLines.size(); ++i) {
        const std::string& line = sourceLines[i];
        if (line.empty()) continue;
        const bool compiled = compileSourceLine(line, resolver, result.lines);
        result.sourceLines.resize(result.lines.size(), i);
        if (!compiled) {
            result.failedInclude = line.substr(1);
            break;
        }
    }
    return result;
}

bool compileSourceLine(std::string_view line, IncludeResolver& resolver,
                       std::vector<std::string>& out) {
    if (line.starts_with('&')) {
        if (line == kFigureLibraryInclude) {
            const std::vector<std::string>& library = figureLibraryLines();
            out.insert(out.end(), library.begin(), library.end());
            return true;
        }
        std::optional<std::vector<std::string>> included =
            resolver.readIncludedLines(line.substr(1));
        if (!included) return false;
        out.insert(out.end(), std::make_move_iterator(included->begin()),
                   std::make_move_iterator(included->end()));
        return true;
    }
    if (isFunctionLine(line)) {
        out.emplace_back(line);
        return true;
    }
    compileStatement(line, out);
    return true;
}

void compileStatement(std::string_view line, std::vector<std::string>& out) {
    const std::string statement = statementText(line);
    std::string_view text = statement;

    ProcKind kind = ProcKind::None;
    if (takeKeyword(text, "proc")) {
        out.emplace_back("proc");
        kind = ProcKind::Call;
    }
    if (takeKeyword(text, "defproc")) {
        out.emplace_back("defproc");
        kind = ProcKind::Definition;
    }

    const size_t open = text.find('(');
    if (open == std::string_view::npos && kind == ProcKind::Call) {
        // A call without arguments: the name, then the terminator.
        out.emplace_back(text);
        out.emplace_back("#");
        return;
    }
    if (open == std::string_view::npos || text.find(":=") != std::string_view::npos) {
        compileAssignment(text, out);
        return;
    }
    emitCommand(text, open, kind, out);
}

void compileAssignment(std::string_view text, std::vector<std::string>& out) {
    if (text.empty()) return;
    const size_t assign = text.find(":=");
    if (assign == std::string_view::npos) {
        out.emplace_back(text);
        return;
    }
    const std::string_view target = text.substr(0, assign);
    if (target.starts_with('$')) {
        out.emplace_back("maak$");
    } else if (target.starts_with('#')) {
        out.emplace_back("maak#");
    } else {
        out.emplace_back("maak");
    }
    out.emplace_back(target);
    out.emplace_back(text.substr(assign + 2));
}

std::string includeFailureMessage(std::string_view name) {
    return "Het bestand \"" + std::string(name) + "\" kan niet worden geopend.";
}

}  // namespace kalvor
