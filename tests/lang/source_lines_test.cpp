#include "lang/source_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "lang/command_table.h"
#include "lang/compiler.h"
#include "lang/figure_library.h"
#include "lang/lang_messages.h"
#include "lang/program_library.h"
#include "program_rows.h"

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;

const SourceVocabulary& vocabulary() {
    static const SourceVocabulary words(buildCommandTable());
    return words;
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
