#include "lang/source_lines.h"

#include <algorithm>

#include "lang/command_table.h"
#include "lang/compiler.h"
#include "lang/executor.h"

namespace kalvor {

namespace {

// Bytes of UTF-8 sequences count as letters, so a name with "é" stays one word.
bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') ||
           (u >= 'A' && u <= 'Z') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t at, std::size_t end) {
    while (at < end && isDigit(text[at]))
        ++at;
    return at;
}

// digits [. digits] [E [+|-] digits], or . digits; returns its end.
std::size_t numberEnd(std::string_view text, std::size_t at, std::size_t end) {
    at = skipDigits(text, at, end);
    if (at < end && text[at] == '.') at = skipDigits(text, at + 1, end);
    if (at < end && (text[at] == 'E' || text[at] == 'e')) {
        std::size_t exponent = at + 1;
        if (exponent < end && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < end && isDigit(text[exponent])) at = skipDigits(text, exponent, end);
    }
    return at;
}

bool startsNumber(std::string_view text, std::size_t at, std::size_t end) {
    if (at > 0 && (isWordChar(text[at - 1]) || text[at - 1] == '$' || text[at - 1] == '.'))
        return false;
    return isDigit(text[at]) || (text[at] == '.' && at + 1 < end && isDigit(text[at + 1]));
}

bool isWord(std::string_view text) {
    for (char c : text)
        if (!isWordChar(c)) return false;
    return !text.empty() && !isDigit(text.front());
}

}  // namespace

SourceVocabulary::SourceVocabulary(const CommandTable& commands) {
    for (std::string_view name : commands.names())
        m_names.emplace(name);
    for (std::string_view name : executorKeywords())
        m_names.emplace(name);
    for (const char* name : {"defproc", "punten", "punten3d", "#"})
        m_names.emplace(name);
}

std::vector<std::string> SourceVocabulary::names() const {
    std::vector<std::string> out;
    for (const std::string& name : m_names)
        if (name.size() > 1) out.push_back(name);
    std::sort(out.begin(), out.end());
    return out;
}

// The compiler's order: include, function line, then the statement without its comment.
SourceLineKind SourceVocabulary::classify(std::string_view line, std::string* name) const {
    if (line.starts_with('&')) return SourceLineKind::Include;
    if (isFunctionLine(line)) return SourceLineKind::Function;
    const std::string text = statementText(line);
    if (text.empty()) return SourceLineKind::Empty;
    if (text.starts_with("proc") || text.starts_with("defproc")) return SourceLineKind::Procedure;
    if (text.find(":=") != std::string::npos) return SourceLineKind::Assignment;
    const std::size_t open = text.find('(');
    const std::string head = text.substr(0, open);
    if (name) *name = head;
    if (knows(head)) return SourceLineKind::Command;
    if (head.find('=') != std::string::npos) return SourceLineKind::Setting;
    if (open == std::string::npos && !isWord(head)) return SourceLineKind::Argument;
    return SourceLineKind::Unknown;
}

std::vector<SourceSpan> SourceVocabulary::spans(std::string_view line) const {
    std::vector<SourceSpan> out;
    const SourceLineKind kind = classify(line);
    if (kind == SourceLineKind::Include) return out;
    if (kind == SourceLineKind::Function) {
        out.push_back({0, line.size(), SpanKind::Setting});
        return out;
    }
    const std::size_t comment = commentStart(line);
    const std::size_t start = std::min(line.find_first_not_of(' '), comment);
    if (kind == SourceLineKind::Setting) {
        out.push_back({start, comment - start, SpanKind::Setting});
    } else if (start < comment) {
        commandSpans(line, start, comment, out);
    }
    if (comment < line.size()) out.push_back({comment, line.size() - comment, SpanKind::Comment});
    return out;
}

// The known command name or keyword at the front, then text variables and numbers.
void SourceVocabulary::commandSpans(std::string_view line, std::size_t from, std::size_t end,
                                    std::vector<SourceSpan>& out) const {
    const std::string_view text = line.substr(0, end);
    std::size_t at = from;
    for (std::string_view keyword : {"defproc", "proc"}) {
        if (text.substr(at).starts_with(keyword)) {
            out.push_back({at, keyword.size(), SpanKind::Command});
            at += keyword.size();
            break;
        }
    }
    const std::size_t head = std::min(text.find('(', at), end);
    if (at == from && text.find(":=", at) == std::string_view::npos &&
        knows(text.substr(at, head - at))) {
        out.push_back({at, head - at, SpanKind::Command});
        at = head;
    }
    while (at < end) {
        if (text[at] == '$' && at + 1 < end && isWordChar(text[at + 1])) {
            std::size_t stop = at + 1;
            while (stop < end && isWordChar(text[stop]))
                ++stop;
            out.push_back({at, stop - at, SpanKind::TextVariable});
            at = stop;
        } else if (startsNumber(text, at, end)) {
            const std::size_t stop = numberEnd(text, at, end);
            out.push_back({at, stop - at, SpanKind::Number});
            at = stop;
        } else {
            ++at;
        }
    }
}

std::vector<UnknownLine> SourceVocabulary::unknownLines(
    const std::vector<std::string>& source) const {
    std::vector<UnknownLine> out;
    for (std::size_t i = 0; i < source.size(); ++i) {
        std::string name;
        if (classify(source[i], &name) == SourceLineKind::Unknown) out.push_back({i, name});
    }
    return out;
}

}  // namespace kalvor
