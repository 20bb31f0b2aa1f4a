#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

/// Supplies the lines of a compiled program named by an include line ("&" and a name). The
/// compiler reads no file itself: the desktop program may ask the user for a missing file,
/// headless code may only look on disk.
class IncludeResolver {
public:
    virtual ~IncludeResolver() = default;

    /// The lines of the compiled program `name` (the text after the "&", as written), or
    /// nothing when it cannot be read.
    virtual std::optional<std::vector<std::string>> readIncludedLines(std::string_view name) = 0;
};

/// The include line that stands for the built-in figure library; no file is read for it.
inline constexpr std::string_view kFigureLibraryInclude = "&\\ruimfig\\ruimfigprocs.txt";

/// A compiled program. When an include could not be read, compiling stopped at that line:
/// `lines` holds what was compiled before it and `failedInclude` the name that failed.
/// `sourceLines[k]` is the index of the source line that compiled line k came from (an
/// included file's lines and the figure library come from their include line).
struct CompileResult {
    std::vector<std::string> lines;
    std::vector<std::size_t> sourceLines;
    std::optional<std::string> failedInclude;
};

/// The program compiler: turns source lines into the compiled form the executor walks, one
/// command name, argument, keyword or assignment part per line. It checks nothing; it only
/// splits and reorders text, so every source line yields lines (or none) and never an error.
CompileResult compileProgram(const std::vector<std::string>& sourceLines,
                             IncludeResolver& resolver);

/// One source line: include lines and function lines ("F=" … "I=" in the first column), and
/// everything else through compileStatement. Returns false when an include could not be read.
bool compileSourceLine(std::string_view line, IncludeResolver& resolver,
                       std::vector<std::string>& out);

/// A statement: comment removal ("\%" is a literal "%"), leading blanks, the "proc" and
/// "defproc" keywords, a command with its ";"-separated arguments, the "punten" and "punten3d"
/// expansions and the "#" terminator.
void compileStatement(std::string_view line, std::vector<std::string>& out);

/// An assignment "target:=value" as "maak", "maak$" or "maak#" with target and value;
/// any other non-empty text as one bare line.
void compileAssignment(std::string_view text, std::vector<std::string>& out);

/// "F=" … "I=" in the first column: a formula for the graph window, copied unchanged.
bool isFunctionLine(std::string_view line);
/// Where the comment of a line starts (the first "%" not written as "\%"); the line's size
/// when it has none.
std::size_t commentStart(std::string_view line);
/// The statement of a line as compiled: without its comment, "\%" as "%", no leading blanks.
std::string statementText(std::string_view line);

/// The message shown when an included program cannot be read.
std::string includeFailureMessage(std::string_view name);

}  // namespace kalvor
