#include <gtest/gtest.h>

#include <optional>

#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

struct StopRow {
    const char* name;
    const char* source;
    std::optional<std::size_t> line;  // compiled line of the error, none for a clean run
};

// A run that stops on an error names the compiled line it stopped on, and the program by the
// number setProgram gave it; a clean run, or a warning the run goes on after, names nothing.
TEST(StoppedLine, RunsNameTheCompiledLineTheyStoppedOn) {
    const StopRow rows[] = {
        {"clean", "l:=1\nlijn(0;0;l;1)", std::nullopt},
        {"unparsable argument", "l:=1\nlijn(0;0;l;(1)", 3},
        {"unknown function", "stip(0;0;1)\nstip(0;0;onbekend(1))", 4},
        {"next without loop", "l:=1\nnext", 3},
        {"inside a procedure", "proc p\neind\ndefproc p\nl:=2\nlijn(0;0;1;+)\neindproc", 9},
        {"unparsable loop bound", "for(i;1;)(;1)\nnext", 0},
        {"skipped unknown line", "cirkel(0;0;3)\nlijn(0;0;1;1)", std::nullopt},
    };
    for (const StopRow& row : rows) {
        BenchFixture f;
        std::vector<std::pair<qulonglong, qulonglong>> reports;
        QObject::connect(&f.bench, &Workbench::runStoppedOnError,
                         [&reports](qulonglong program, qulonglong line) {
                             reports.emplace_back(program, line);
                         });
        const std::uint64_t number = f.bench.setProgram(test::ProgramRunner::compile(row.source));
        f.bench.redraw();
        if (!row.line) {
            EXPECT_TRUE(reports.empty()) << row.name;
            continue;
        }
        ASSERT_EQ(reports.size(), 1u) << row.name;
        EXPECT_EQ(reports[0].first, number) << row.name;
        EXPECT_EQ(reports[0].second, *row.line) << row.name;
    }
}

// A program given during a run keeps its own number once it takes over.
TEST(StoppedLine, NumbersFollowTheProgramThatRuns) {
    BenchFixture f;
    const std::uint64_t first = f.bench.setProgram(test::ProgramRunner::compile("next"));
    const std::uint64_t second = f.bench.setProgram(test::ProgramRunner::compile("l:=1\nnext"));
    EXPECT_NE(first, second);
    std::vector<qulonglong> programs;
    QObject::connect(&f.bench, &Workbench::runStoppedOnError,
                     [&programs](qulonglong program, qulonglong) { programs.push_back(program); });
    f.bench.redraw();
    EXPECT_EQ(programs, std::vector<qulonglong>{second});
}

}  // namespace
}  // namespace kalvor
