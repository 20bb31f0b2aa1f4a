#include "lang/figure_library.h"

#include "lang/command_table.h"
#include "lang/compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;

// Argument lines of the control commands the library uses, as the executor reads them; the
// other commands have theirs in the command table.
const std::map<std::string, int> kControlArgumentCounts = {
    {"maak", 2}, {"maak$", 2},  {"for", 4},     {"next", 0},
    {"als", 1},  {"anders", 0}, {"eindals", 0}, {"eindproc", 0}};

std::optional<int> argumentCount(const std::string& name) {
    static const CommandTable table = buildCommandTable();
    if (const auto control = kControlArgumentCounts.find(name);
        control != kControlArgumentCounts.end())
        return control->second;
    const CommandRow* row = table.find(name);
    if (!row) return std::nullopt;
    return row->argLines;
}

struct Procedure {
    Lines parameters;
    std::vector<std::pair<std::string, size_t>> calls;  // name and argument count
};

/// Reads lines up to the next "#" (skipping it); false when there is none.
bool readUntilTerminator(const Lines& lines, size_t& i, Lines& items) {
    while (i < lines.size() && lines[i] != "#")
        items.push_back(lines[i++]);
    if (i == lines.size()) return false;
    ++i;
    return true;
}

/// Walks the compiled library as the executor would and records every procedure with its
/// parameters and the calls it makes; fails on any line the executor would not understand,
/// on a wrong argument count and on unbalanced blocks.
std::map<std::string, Procedure> walk(const Lines& lines) {
    std::map<std::string, Procedure> procedures;
    Procedure* current = nullptr;
    int openIfs = 0;
    int openLoops = 0;
    size_t i = 0;
    while (i < lines.size()) {
        const std::string& line = lines[i++];
        if (line == "defproc") {
            EXPECT_EQ(current, nullptr) << "definition inside a procedure at line " << i;
            current = &procedures[lines.at(i++)];
            // Parameters follow unless the next line is already a command of the body.
            if (!argumentCount(lines.at(i))) {
                EXPECT_TRUE(readUntilTerminator(lines, i, current->parameters));
            }
            continue;
        }
        EXPECT_NE(current, nullptr) << "line outside a procedure: " << line;
        if (current == nullptr) return procedures;
        if (line == "proc") {
            const std::string name = lines.at(i++);
            Lines arguments;
            EXPECT_TRUE(readUntilTerminator(lines, i, arguments));
            current->calls.emplace_back(name, arguments.size());
            continue;
        }
        const std::optional<int> known = argumentCount(line);
        EXPECT_TRUE(known) << "not a command: \"" << line << "\"";
        if (!known) return procedures;
        EXPECT_GE(*known, 0) << line << " reads up to a terminator";
        for (int a = 0; a < *known; ++a) {
            EXPECT_LT(i, lines.size());
            EXPECT_FALSE(argumentCount(lines.at(i)))
                << line << " has too few arguments at line " << i;
            ++i;
        }
        openIfs += line == "als" ? 1 : line == "eindals" ? -1 : 0;
        openLoops += line == "for" ? 1 : line == "next" ? -1 : 0;
        EXPECT_GE(openIfs, 0);
        EXPECT_GE(openLoops, 0);
        if (line == "eindproc") {
            EXPECT_EQ(openIfs, 0) << "unclosed als";
            EXPECT_EQ(openLoops, 0) << "unclosed for";
            current = nullptr;
        }
    }
    EXPECT_EQ(current, nullptr) << "last procedure has no eindproc";
    return procedures;
}

TEST(FigureLibrary, DefinesTheFiveProceduresWithTheirParameters) {
    const Lines& lines = figureLibraryLines();
    ASSERT_FALSE(lines.empty());
    const std::map<std::string, Procedure> procedures = walk(lines);
    const std::map<std::string, Lines> expected = {{"punt", {"n", "x", "y", "z", "hoe"}},
                                                   {"lijnstukken", {}},
                                                   {"zijden", {"_mode"}},
                                                   {"init", {}},
                                                   {"label", {"x", "y", "z", "hoe"}}};
    ASSERT_EQ(procedures.size(), expected.size());
    for (const auto& [name, parameters] : expected) {
        ASSERT_TRUE(procedures.contains(name)) << name;
        EXPECT_EQ(procedures.at(name).parameters, parameters) << name;
    }
    // Every call names a library procedure with as many arguments as it has parameters.
    for (const auto& [name, procedure] : procedures) {
        for (const auto& [callee, count] : procedure.calls) {
            ASSERT_TRUE(procedures.contains(callee)) << name << " calls " << callee;
            EXPECT_EQ(count, procedures.at(callee).parameters.size())
                << name << " calls " << callee;
        }
    }
}

// The executor's scans for a definition or the end of a block stop at an empty line.
TEST(FigureLibrary, HasNoEmptyLineAndNoEnd) {
    for (const std::string& line : figureLibraryLines()) {
        EXPECT_FALSE(line.empty());
        EXPECT_NE(line, "eind");
    }
}

TEST(FigureLibrary, LabelsEveryPositionCodeThatInitSets) {
    const Lines& lines = figureLibraryLines();
    std::map<std::string, int> codes;  // code -> value set by init
    std::vector<std::string> written;  // alignments of tekst3d2 in label
    for (size_t i = 0; i + 5 < lines.size(); ++i) {
        if (lines[i] == "maak" && lines[i + 1].size() == 2) {
            codes[lines[i + 1]] = std::stoi(lines[i + 2]);
        }
        if (lines[i] == "tekst3d2") {
            EXPECT_EQ(lines[i + 4], "$h");
            written.push_back(lines[i + 5]);
        }
    }
    const std::map<std::string, int> expected = {{"cc", 5}, {"ct", 8}, {"cb", 3},
                                                 {"lc", 4}, {"lt", 7}, {"lb", 1},
                                                 {"rc", 6}, {"rt", 9}, {"rb", 2}};
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(written, (Lines{"cc", "ct", "cb", "lc", "lb", "lt", "rc", "rt", "rb"}));
}

TEST(FigureLibrary, IsTheCompiledSource) {
    class NoFiles : public IncludeResolver {
        std::optional<Lines> readIncludedLines(std::string_view) override { return {}; }
    } noFiles;
    Lines source;
    std::string_view text = figureLibrarySource();
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        source.emplace_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const CompileResult again = compileProgram(source, noFiles);
    EXPECT_EQ(again.lines, figureLibraryLines());
    EXPECT_FALSE(again.failedInclude);
}

}  // namespace
}  // namespace kalvor
