#include "lang/compiler.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "lang/figure_library.h"

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;

/// Serves included programs from a table and remembers what was asked.
class TableResolver : public IncludeResolver {
public:
    std::map<std::string, Lines> files;
    std::vector<std::string> requests;

    std::optional<Lines> readIncludedLines(std::string_view name) override {
        requests.emplace_back(name);
        const auto it = files.find(std::string(name));
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
};

Lines compileLine(const std::string& line) {
    TableResolver resolver;
    Lines out;
    EXPECT_TRUE(compileSourceLine(line, resolver, out));
    EXPECT_TRUE(resolver.requests.empty()) << "no file is read for: " << line;
    return out;
}

TEST(CompileSourceLine, ProgramLines) {
    const std::tuple<std::string, Lines> cases[] = {
        {"%Torens van Hanoi (Tekst)", {}},
        {"stip(i;j;1.01)", {"stip", "i", "j", "1.01"}},
        {"l:=3", {"maak", "l", "3"}},
        {"pos:=pos-0.4", {"maak", "pos", "pos-0.4"}},
        {"$punten:=ABCDEFGH", {"maak$", "$punten", "ABCDEFGH"}},
        {"#A:=123456789", {"maak#", "#A", "123456789"}},
        {"proc hanoi(no-1;start;hulp;doel)",
         {"proc", "hanoi", "no-1", "start", "hulp", "doel", "#"}},
        {"defproc move(no;start;doel)", {"defproc", "move", "no", "start", "doel", "#"}},
        {"proc lijnstukken", {"proc", "lijnstukken", "#"}},
        {"proc init", {"proc", "init", "#"}},
        {"als(groter(no,1))", {"als", "groter(no,1)"}},
        {"for(i;x;xmax;x)", {"for", "i", "x", "xmax", "x"}},
        {"lettertype()", {"lettertype", ""}},
        {"eind", {"eind"}},
        {"xmin=-5", {"xmin=-5"}},
        {"assen=geen", {"assen=geen"}},
        // Commands whose arguments end with "#".
        {"veelhoek(0;0;1;0;1;1)", {"veelhoek", "0", "0", "1", "0", "1", "1", "#"}},
        {"pad(0;0;1;1)", {"pad", "0", "0", "1", "1", "#"}},
        {"bezier(0;0)", {"bezier", "0", "0", "#"}},
        {"gebied(f;g)", {"gebied", "f", "g", "#"}},
        {"pad3d(0;0;0)", {"pad3d", "0", "0", "0", "#"}},
        {"veelhoek3d(0;0;0)", {"veelhoek3d", "0", "0", "0", "#"}},
        {"local(a;b)", {"local", "a", "b", "#"}},
        // Point lists give coordinate lines and no command line.
        {"punten3d(P)", {"P1", "P2", "P3"}},
        {"punten(A;B)", {"A1", "A2", "B1", "B2"}},
        {"punten (A)", {"punten ", "A"}},
        // Comments and blanks.
        {"   ", {}},
        {"  % alleen commentaar", {}},
        {"%", {}},
        {"lijn(0;0;1;1) % diagonaal", {"lijn", "0", "0", "1", "1"}},
        {"tekst(1;2;100\\% zeker)", {"tekst", "1", "2", "100% zeker"}},
        {"tekst(1;2;50\\%) % niet meer", {"tekst", "1", "2", "50%"}},
        {"tekst(0;0;a\\\\%b)", {"tekst", "0", "0", "a\\%b"}},
        {"x:=3 % zet x", {"maak", "x", "3 "}},
        // Only spaces are removed in front, and nothing else is trimmed.
        {"   lijn(0;0;1;1)", {"lijn", "0", "0", "1", "1"}},
        {"\tlijn(0;0;1;1)", {"\tlijn", "0", "0", "1", "1"}},
        {"lijn (0;0;1;1)", {"lijn ", "0", "0", "1", "1"}},
        {"tekst(0;0; a b )", {"tekst", "0", "0", " a b "}},
        {"x := 3", {"maak", "x ", " 3"}},
        {"eind  ", {"eind  "}},
        // Assignments win over command syntax.
        {"L1(k):=5", {"maak", "L1(k)", "5"}},
        {"L2(i):=L1(i)*2", {"maak", "L2(i)", "L1(i)*2"}},
        {"a:=b:=c", {"maak", "a", "b:=c"}},
        {":=5", {"maak", "", "5"}},
        // Procedure keywords are matched as letters, not as words.
        {"proc", {"proc", "", "#"}},
        {"procent:=5", {"proc", "ent:=5", "#"}},
        {"proc  x", {"proc", " x", "#"}},
        {"defproc init", {"defproc", "init"}},
        {"defproc", {"defproc"}},
        {"defproc f()", {"defproc", "f", "", "#"}},
        // Malformed lines still give lines.
        {"lijn(1;2", {"lijn", ""}},
        {"lijn(1;2)rest", {"lijn", "1", "2"}},
        {"lijn)1;2(", {"lijn)1;2", ""}},
        {"stip(1;;2)", {"stip", "1", "", "2"}},
        {"lijn(f(1;2))", {"lijn", "f(1", "2)"}},
        {"(1;2)", {"1", "2"}},
        // Function lines: upper case in the first column, copied whole.
        {"F=x^2", {"F=x^2"}},
        {"I=sin(x) % blijft staan", {"I=sin(x) % blijft staan"}},
        {"f=x^2", {"f=x^2"}},
        {"f=x^2 % weg", {"f=x^2 "}},
        {" F=x^2", {"F=x^2"}},
        {"F", {"F"}},
        {"FF=x", {"FF=x"}},
        // An include needs the "&" in the first column.
        {" &prog.txt", {"&prog.txt"}},
    };
    for (const auto& [source, compiled] : cases) {
        EXPECT_EQ(compileLine(source), compiled) << "source: \"" << source << '"';
    }
}

TEST(CompileSourceLine, IncludesAppendCompiledLinesUnchanged) {
    TableResolver resolver;
    resolver.files["prog.txt"] = {"lijn", " 1", "", "x % y", "#"};
    resolver.files["\\map\\b.txt"] = {"eind"};
    Lines out = {"stip"};
    EXPECT_TRUE(compileSourceLine("&prog.txt", resolver, out));
    EXPECT_TRUE(compileSourceLine("&\\map\\b.txt", resolver, out));
    EXPECT_EQ(out, (Lines{"stip", "lijn", " 1", "", "x % y", "#", "eind"}));
    EXPECT_EQ(resolver.requests, (Lines{"prog.txt", "\\map\\b.txt"}));
}

TEST(CompileSourceLine, FigureLibraryLineReadsNoFile) {
    TableResolver resolver;
    Lines out;
    EXPECT_TRUE(compileSourceLine(kFigureLibraryInclude, resolver, out));
    EXPECT_EQ(out, figureLibraryLines());
    EXPECT_TRUE(resolver.requests.empty());

    // Only the exact line names the library; anything else is an ordinary include.
    out.clear();
    EXPECT_FALSE(compileSourceLine("&/ruimfig/ruimfigprocs.txt", resolver, out));
    EXPECT_FALSE(compileSourceLine("&\\ruimfig\\ruimfigprocs.txt ", resolver, out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(resolver.requests.size(), 2u);
}

TEST(CompileProgram, SkipsEmptyLinesAndKeepsOrder) {
    TableResolver resolver;
    const Lines source = {"l:=3", "", "proc init", "", "eind"};
    const CompileResult result = compileProgram(source, resolver);
    EXPECT_EQ(result.lines, (Lines{"maak", "l", "3", "proc", "init", "#", "eind"}));
    EXPECT_FALSE(result.failedInclude);
}

TEST(CompileProgram, FailedIncludeStopsAtThatLineKeepingEarlierLines) {
    TableResolver resolver;
    resolver.files["a.txt"] = {"eindals"};
    const Lines source = {"l:=3", "&a.txt", "&ontbreekt.txt", "eind", "&a.txt"};
    const CompileResult result = compileProgram(source, resolver);
    EXPECT_EQ(result.lines, (Lines{"maak", "l", "3", "eindals"}));
    ASSERT_TRUE(result.failedInclude);
    EXPECT_EQ(*result.failedInclude, "ontbreekt.txt");
    EXPECT_EQ(resolver.requests, (Lines{"a.txt", "ontbreekt.txt"}));
}

TEST(CompileProgram, SampleBoxProgramEndsWithTheLibrary) {
    TableResolver resolver;
    const Lines source = {"assen=geen",
                          "proc init",
                          "$punten:=ABCDEFGH",
                          "proc punt(1;0;0;0;lt)",
                          "proc lijnstukken",
                          "eind",
                          std::string(kFigureLibraryInclude)};
    Lines expected = {"assen=geen", "proc", "init",        "#", "maak$", "$punten", "ABCDEFGH",
                      "proc",       "punt", "1",           "0", "0",     "0",       "lt",
                      "#",          "proc", "lijnstukken", "#", "eind"};
    const Lines& library = figureLibraryLines();
    expected.insert(expected.end(), library.begin(), library.end());
    EXPECT_EQ(compileProgram(source, resolver).lines, expected);
}

}  // namespace
}  // namespace kalvor
