#include "lang/source_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <tuple>

#include "lang/command_table.h"
#include "lang/compiler.h"
#include "lang/figure_library.h"
#include "lang/lang_messages.h"
#include "lang/program_library.h"
#include "program_rows.h"

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;

class OneFileResolver : public IncludeResolver {
public:
    std::optional<Lines> readIncludedLines(std::string_view name) override {
        if (name != "deel.txt") return std::nullopt;
        return Lines{"stip", "1", "2", "3"};
    }
};

const SourceVocabulary& vocabulary() {
    static const SourceVocabulary words(buildCommandTable());
    return words;
}

TEST(CompilerLineMap, EveryCompiledLineNamesItsSourceLine) {
    const std::size_t library = figureLibraryLines().size();
    std::vector<std::size_t> callThenLibrary = {0, 0, 0};
    callThenLibrary.resize(3 + library, 2);
    const std::tuple<Lines, std::vector<std::size_t>> rows[] = {
        {{"l:=3", "", "lijn(0;0;1;1) % schuin", "proc init"}, {0, 0, 0, 2, 2, 2, 2, 2, 3, 3, 3}},
        {{"% alleen uitleg", "   ", "eind"}, {2}},
        {{"punten(A;B)", "F=x^2"}, {0, 0, 0, 0, 1}},
        {{"proc init", "", std::string(kFigureLibraryInclude)}, callThenLibrary},
        {{"eind", "&deel.txt", "eind"}, {0, 1, 1, 1, 1, 2}},
        // Compiling stops at a missing include; the map stops with the lines.
        {{"eind", "&weg.txt", "eind"}, {0}},
    };
    for (const auto& [source, expected] : rows) {
        OneFileResolver resolver;
        const CompileResult result = compileProgram(source, resolver);
        ASSERT_EQ(result.sourceLines.size(), result.lines.size()) << source.front();
        EXPECT_EQ(result.sourceLines, expected) << source.front();
    }
}

struct KindRow {
    const char* line;
    SourceLineKind kind;
    const char* name = "";
};

TEST(SourceVocabulary, ClassifiesLinesAsTheCompilerSplitsThem) {
    using K = SourceLineKind;
    const KindRow rows[] = {
        {"", K::Empty},
        {"   % uitleg", K::Empty},
        {"&\\ruimfig\\ruimfigprocs.txt", K::Include},
        {"F=sin(x) % blijft", K::Function},
        {"f=sin(x)", K::Setting},
        {"xmin=-5", K::Setting},
        {"  assen=geen", K::Setting},
        {"l:=3", K::Assignment},
        {"L1(k):=1", K::Assignment},
        {"$punten:=ABC", K::Assignment},
        {"proc hanoi(4;1;2;3)", K::Procedure},
        {"defproc teken", K::Procedure},
        {"lijn(0;0;1;1)", K::Command, "lijn"},
        {"  stip(i;j;1.01) % punt", K::Command, "stip"},
        {"ax+by=c(1;2;3)", K::Command, "ax+by=c"},
        {"eindals", K::Command, "eindals"},
        {"next", K::Command, "next"},
        {"eind", K::Command, "eind"},
        {"veelhoek", K::Command, "veelhoek"},
        {"punten3d(P)", K::Command, "punten3d"},
        {"#", K::Command, "#"},
        {"_(1;2)", K::Command, "_"},
        {"maak$($a;b)", K::Command, "maak$"},
        {"pauze(300)", K::Command, "pauze"},
        {"-1.5", K::Argument},
        {"cirkel(0;0;3)", K::Unknown, "cirkel"},
        {"eindsl", K::Unknown, "eindsl"},
        // The executor does not know a name with a blank before its "(".
        {"lijn (0;0;1;1)", K::Unknown, "lijn "},
        {"Lijn(0;0;1;1)", K::Unknown, "Lijn"},
        {"stip(0;0;1) \\% geen commentaar", K::Command, "stip"},
    };
    for (const KindRow& row : rows) {
        std::string name;
        EXPECT_EQ(vocabulary().classify(row.line, &name), row.kind) << row.line;
        if (row.kind == K::Command || row.kind == K::Unknown) {
            EXPECT_EQ(name, row.name) << row.line;
        }
    }
}

// Spans written as kind letter and the text they cover.
std::string shownSpans(std::string_view line) {
    static const char kLetters[] = {'C', 'S', 'K', 'T', 'N'};
    std::string out;
    for (const SourceSpan& span : vocabulary().spans(line)) {
        if (!out.empty()) out += ' ';
        out += kLetters[static_cast<int>(span.kind)];
        out += ':';
        out += line.substr(span.start, span.length);
    }
    return out;
}

TEST(SourceVocabulary, SpansForColouring) {
    const std::pair<const char*, const char*> rows[] = {
        {"lijn(0;0;x1;1.5E3) % schuin", "C:lijn N:0 N:0 N:1.5E3 K:% schuin"},
        {"  stip(i;j;.5)", "C:stip N:.5"},
        {"xmin=-5 % links", "S:xmin=-5  K:% links"},
        {"F=x^2 % blijft", "S:F=x^2 % blijft"},
        {"$punten:=ABC2", "T:$punten"},
        {"maak$($a;$b)", "C:maak$ T:$a T:$b"},
        {"proc hanoi(no-1;3)", "C:proc N:1 N:3"},
        {"defproc teken", "C:defproc"},
        {"tekst(0;0;L1 en x2)", "C:tekst N:0 N:0"},
        {"cirkel(0;0;3)", "N:0 N:0 N:3"},
        {"% alles commentaar", "K:% alles commentaar"},
        {"schrijf(t;100\\% zeker) % echt", "C:schrijf N:100 K:% echt"},
        {"schrijf(t;é 12)", "C:schrijf N:12"},
        {"&deel.txt", ""},
    };
    for (const auto& [line, expected] : rows)
        EXPECT_EQ(shownSpans(line), expected) << line;
}

TEST(SourceVocabulary, UnknownLinesAndTheirMessages) {
    const Lines source = {"assen=geen",     "",         "cirkel(0;0;3)", "lijn(0;0;1;1)",
                          "lijn (0;0;1;1)", "  herhal", "l:=3"};
    const std::vector<UnknownLine> expected = {{2, "cirkel"}, {4, "lijn "}, {5, "herhal"}};
    const std::vector<UnknownLine> found = vocabulary().unknownLines(source);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(unknownLineMessage(found[0].line + 1, found[0].name),
              "Regel 3: onbekende opdracht 'cirkel'");
}

// Every program shipped with the editor must pass the check: a false alarm there would
// teach people to ignore it.
TEST(SourceVocabulary, ShippedProgramsHaveNoUnknownLines) {
    std::vector<std::pair<std::string, std::string>> programs;
    for (const LibraryGroup& group : programLibrary())
        for (const LibraryProgram& program : group.programs)
            programs.emplace_back(program.file, libraryProgramText(program.file).value_or(""));
    const QDir examples(QString(KALVOR_TEST_DATA) + "/../../resources/examples");
    for (const QString& file : examples.entryList({"*.txt"})) {
        QFile in(examples.filePath(file));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        programs.emplace_back(file.toStdString(), in.readAll().toStdString());
    }
    ASSERT_GT(programs.size(), 30u);
    for (const auto& [file, text] : programs) {
        ASSERT_FALSE(text.empty()) << file;
        for (const UnknownLine& line :
             vocabulary().unknownLines(test::ProgramRunner::splitLines(text)))
            ADD_FAILURE() << file << ": " << unknownLineMessage(line.line + 1, line.name);
    }
}

}  // namespace
}  // namespace kalvor
