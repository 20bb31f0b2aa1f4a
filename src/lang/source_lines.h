#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kalvor {

class CommandTable;

/// What a source line is to the compiler and the executor.
enum class SourceLineKind {
    Empty,       // blank or only a comment
    Include,     // "&" and a file name
    Function,    // "F=" … "I=" in the first column
    Setting,     // a window setting such as "xmin=-5"
    Assignment,  // "target:=value"
    Procedure,   // "proc …" or "defproc …"
    Command,     // a name the executor knows, with or without arguments
    Argument,    // a bare line that is no word: an argument of a command above it
    Unknown      // anything else: the executor skips it without a word
};

/// A part of a source line worth showing in its own colour.
enum class SpanKind { Command, Setting, Comment, TextVariable, Number };

/// `length` bytes of the line from byte `start`.
struct SourceSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    SpanKind kind = SpanKind::Command;
    bool operator==(const SourceSpan&) const = default;
};

/// A source line (0-based index) whose command the executor does not know.
struct UnknownLine {
    std::size_t line = 0;
    std::string name;
    bool operator==(const UnknownLine&) const = default;
};

/// The names a program line may start with: the command table's rows, the executor's own
/// keywords and the compiler's ("defproc", "punten", "punten3d", "#"). Classifies source lines
/// the way the compiler splits them, for the editor's colours and its check of unknown lines.
class SourceVocabulary {
public:
    explicit SourceVocabulary(const CommandTable& commands);

    bool knows(std::string_view name) const { return m_names.contains(std::string(name)); }
    /// The names worth completing (all but the one-character "#" and "_"), sorted.
    std::vector<std::string> names() const;
    /// The kind of `line`; for Command and Unknown, `name` receives the command name as the
    /// compiler would emit it.
    SourceLineKind classify(std::string_view line, std::string* name = nullptr) const;
    /// The coloured parts of `line`, left to right, not overlapping.
    std::vector<SourceSpan> spans(std::string_view line) const;
    /// The lines of a program that are no command, setting or assignment.
    std::vector<UnknownLine> unknownLines(const std::vector<std::string>& source) const;

private:
    void commandSpans(std::string_view line, std::size_t from, std::size_t end,
                      std::vector<SourceSpan>& out) const;

    std::unordered_set<std::string> m_names;
};

}  // namespace kalvor
