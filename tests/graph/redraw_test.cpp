#include <gtest/gtest.h>

#include <optional>

#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;
using test::countOf;
using test::indexOf;
using Lines = std::vector<std::string>;

const std::string kCause =
    "\rDe oorzaak kan deze uitdrukking zelf zijn, maar ook een fout in een voorafgaande "
    "programmaregel.";
constexpr const char* kXAxis = "\\path(-5.000,0.000)(5.000,0.000)";

// eigenassen draws its own axis lines; with those the program's figure is recognisable.
TEST(Redraw, ProgramThenAxesThenFunctionsThenThinLines) {
    BenchFixture f;
    f.program("F=x\neigenassen(10;10)\nassen=midden");
    auto lines = f.recordedPicture();
    // The window's axes are left out while a program draws its own, before the functions.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kXAxis), 1);
    EXPECT_LT(indexOf(lines, kXAxis), indexOf(lines, "\\path(-5.250,-5.250)", true));
    EXPECT_EQ(lines.back(), "\\thinlines");

    f.program("F=x\nassen=midden");
    lines = f.recordedPicture();
    const int axis = indexOf(lines, kXAxis);
    const int graph = indexOf(lines, "\\path(-5.250,-5.250)", true);
    ASSERT_NE(axis, -1);
    ASSERT_NE(graph, -1);
    EXPECT_LT(axis, graph);
    // The first axes pass is not recorded.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kXAxis), 1);
    EXPECT_EQ(lines.back(), "\\thinlines");
}

TEST(Redraw, FunctionWidthsInThePictureText) {
    BenchFixture f;
    f.program("F=1\nG=2\nH=3");
    f.bench.settings().functionSwatches[0].width = 2;
    f.bench.settings().functionSwatches[1].width = 2;
    f.bench.settings().functionSwatches[2].width = 3;
    const auto lines = f.recordedPicture();
    const int thick = indexOf(lines, "\\thicklines");
    const int f1 = indexOf(lines, "\\path(-5.250,1.000)", true);
    const int f2 = indexOf(lines, "\\path(-5.250,2.000)", true);
    const int thicker = indexOf(lines, "\\Thicklines");
    ASSERT_NE(thick, -1);
    EXPECT_EQ(thick + 1, f1);
    EXPECT_EQ(countOf(lines, "\\thicklines"), 1);  // G keeps F's width
    EXPECT_LT(f2, thicker);
    EXPECT_EQ(lines.back(), "\\thinlines");
}

TEST(Redraw, FunctionCurvesAreOnePointPerLine) {
    BenchFixture f;
    f.program("F=x/2");
    const auto lines = f.recordedPicture();
    const int first = indexOf(lines, "\\path(-5.250,-2.625)", true);
    ASSERT_NE(first, -1);
    EXPECT_EQ(lines[first + 1], "(-5.222,-2.611)");
    EXPECT_EQ(countOf(lines, "\\path"), 1 + 2 + 20);  // the graph, the axes, the ticks
}

TEST(Redraw, SettingLinesReachTheFieldsAndTheFirstThreeParsers) {
    BenchFixture f;
    f.program("xmin=-2\nxmax=8\nymax=4\nschrijfregel(u;xmax-xmin)");
    int fieldSignals = 0;
    QObject::connect(&f.bench, &Workbench::fieldsChanged, [&] { ++fieldSignals; });
    ASSERT_TRUE(f.bench.redraw());
    EXPECT_EQ(f.bench.settings().xmin, "-2");
    EXPECT_EQ(f.bench.environment().output.lines(), std::vector<std::string>{"10"});
    EXPECT_EQ(f.bench.environment().parser(3).getVariable("ymax"), 4);
    EXPECT_FALSE(f.bench.environment().parser(4).variableExists("ymax"));
    EXPECT_EQ(f.bench.canvas().d2WorldXW(), 10);
    EXPECT_EQ(f.bench.plotBand().upper, 8);
    EXPECT_EQ(fieldSignals, 1);
    f.bench.redraw();
    EXPECT_EQ(fieldSignals, 1);
}

struct RangeCase {
    const char* field;
    const char* value;
    const char* message;
};

TEST(Redraw, UnusableRangeStopsWithAMessage) {
    const RangeCase cases[] = {
        {"xmin", "abc", "xmin: 'abc' is geen geldig getal."},
        {"ymax", "", "ymax: '' is geen geldig getal."},
        {"xmax", "-6", "xmax moet groter zijn dan xmin."},
        {"ymin", "5", "ymax moet groter zijn dan ymin."},
    };
    for (const RangeCase& c : cases) {
        BenchFixture f;
        f.program("schrijfregel(t;gelopen)");
        *f.bench.field(c.field) = c.value;
        EXPECT_FALSE(f.bench.redraw()) << c.field;
        EXPECT_EQ(f.texts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(f.bench.environment().output.lines().empty());
    }
}

TEST(Redraw, NothingWhileAProgramWaitsAtStop) {
    BenchFixture f;
    f.program("F=x\nschrijfregel(t;gelopen)");
    f.bench.environment().flags.paused = true;
    const QImage before = f.bench.canvas().image();
    EXPECT_FALSE(f.bench.redraw());
    EXPECT_TRUE(f.bench.environment().output.lines().empty());
    EXPECT_EQ(f.bench.canvas().image(), before);
    EXPECT_FALSE(f.bench.exportPng("/nonexistent/dir/x.png"));
}

// A host that asks for a redraw whenever the first run lets events through.
struct NestingHost : HeadlessHost {
    Workbench* bench = nullptr;
    std::vector<bool> answers;
    std::vector<bool> running;
    int redraws = 0;
    void processEvents() override {
        if (redraws > 0) return;
        running.push_back(bench->isRunning());
        answers.push_back(bench->redraw());
    }
};

TEST(Redraw, RequestsDuringARunWaitForItsEnd) {
    NestingHost host;
    Workbench bench(host);
    host.bench = &bench;
    QObject::connect(&bench, &Workbench::redrawn, [&host] { ++host.redraws; });
    bench.setProgram(test::ProgramRunner::compile("for(i;1;3;1)\nschrijf(u;i)\nnext"));
    ASSERT_TRUE(bench.redraw());
    ASSERT_FALSE(host.answers.empty());
    for (bool answer : host.answers)
        EXPECT_FALSE(answer);
    for (bool running : host.running)
        EXPECT_TRUE(running);
    EXPECT_FALSE(bench.isRunning());
    // However many requests came, one more run followed the first.
    EXPECT_EQ(host.redraws, 2);
    EXPECT_EQ(bench.environment().output.lines(), std::vector<std::string>{"123123"});
}

// Failures of a redraw, and what still gets drawn and written after them: the message boxes
// as "caption: text", the output lines, and a function's line found at its height y.
TEST(Redraw, MessagesAndWhatGoesOnAfterThem) {
    struct Row {
        const char* name;
        const char* program;
        Lines boxes, output;
        std::optional<Number> blackAt;
    };
    // clang-format off
    const Row rows[] = {
        {"failed run: the general message once, F still plotted", "F=1\na :=3",
         {"Oeps: Hier heb ik het moeilijk mee! Controleer even of alles wel klopt."}, {}, 1},
        {"argument error: no general message besides", "schrijfregel(u;1+)",
         {"Oeps: Kalvor kan de uitdrukking: \r1+\rniet verwerken." + kCause}, {}, {}},
        {"formula that does not compile skips only its function", "F=3*\nG=2",
         {"Oeps: Kalvor kan de uitdrukking: \r3*\rniet verwerken."}, {}, 2},
        {"formula that preprocessing empties is zero", "F=$f\nassen=geen", {}, {}, 0},
        {"grafiek plots in parser 1", "q:=2\ngrafiek(q)\nschrijfregel(t;na)", {}, {"na"}, 2},
        {"settings that are no whole numbers, and the run goes on",
         "askleur=rood\nroosterkleur=1e3\nasdikte=2.5\nschrijfregel(t;verder)",
         {"Oeps: '1e3' is geen geldig geheel getal (programma, roosterkleur).",
          "Oeps: 'rood' is geen geldig geheel getal (programma, askleur).",
          "Oeps: '2.5' is geen geldig geheel getal (programma, asdikte)."},
         {"verder"}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BenchFixture f;
        f.program(row.program);
        EXPECT_TRUE(f.bench.redraw());
        Lines boxes;
        for (const auto& m : f.host.messages())
            boxes.push_back(m.caption + ": " + m.text);
        EXPECT_EQ(boxes, row.boxes);
        EXPECT_EQ(f.bench.environment().output.lines(), row.output);
        if (row.blackAt) {
            EXPECT_EQ(f.pixel(100, f.bench.canvas().windowY(*row.blackAt)), QColor(Qt::black));
        }
    }
}

// Own axes with a tick every 0.0005 (some 20000 on the x axis); Escape ends the ticks early.
TEST(Redraw, OwnAxesDrawManyTicksAndWarnBeyondTheLimit) {
    BenchFixture f;
    f.program("eigenassen(0.0005;100)\nassen=geen\nasopties=g");
    EXPECT_GT(countOf(f.recordedPicture(), "\\path"), 19000);
    EXPECT_TRUE(f.texts().empty());

    f.bench.abortCheck = [] { return true; };
    EXPECT_LT(countOf(f.recordedPicture(), "\\path"), 10000);
    f.bench.abortCheck = nullptr;

    f.program("eigenassenf(1;1E-9;0;0)\nschrijfregel(t;na)");
    const auto lines = f.recordedPicture();
    EXPECT_EQ(f.texts(),
              std::vector<std::string>{"eigenassenf: een as vraagt meer dan 1000000 streepjes en "
                                       "krijgt daarom geen streepjes."});
    EXPECT_EQ(f.bench.environment().output.lines(), std::vector<std::string>{"na"});
    EXPECT_GT(countOf(lines, "\\path"), 2);  // the axis lines and the x ticks
}

TEST(Redraw, GrafiekNamesTheProgramWhenItsFormulaFails) {
    BenchFixture f;
    f.program("grafiek(x+)\nschrijfregel(t;niet)");
    f.bench.redraw();
    EXPECT_EQ(f.texts().back(), "Kalvor kan de uitdrukking: \rx+\rniet verwerken." + kCause);
    EXPECT_EQ(f.texts().size(), 1u);  // no general message besides
    EXPECT_TRUE(f.bench.environment().output.lines().empty());
}

TEST(Redraw, ProgramPenDoesNotInheritTheLastFunctionsColour) {
    BenchFixture f;
    f.program("grafiek(1)\nI=100\nassen=geen");
    f.bench.settings().functionSwatches[3] = {0x0000FF, 3, true};
    for (int redraw = 0; redraw < 2; ++redraw) {
        f.bench.redraw();
        const int row = f.bench.canvas().windowY(1);
        EXPECT_EQ(f.pixel(100, row), QColor(Qt::black)) << redraw;
        EXPECT_EQ(f.pixel(100, row + 1), QColor(Qt::white)) << redraw;
    }
}

TEST(Redraw, SideAxesFixTheMappingTheProgramDrawsIn) {
    BenchFixture f;
    f.program("assen=zijden");
    f.bench.redraw();
    EXPECT_TRUE(f.bench.canvas().clipped());
    EXPECT_GT(f.bench.canvas().windowX(-5), 0);  // room for the labels

    f.program("assen=geen");
    f.bench.redraw();
    EXPECT_FALSE(f.bench.canvas().clipped());
    EXPECT_EQ(f.inkPixels(), 0);
}

TEST(Redraw, AFollowsTheSliderInTheFunctions) {
    BenchFixture f;
    f.program("F=a\nassen=geen");
    f.bench.setSliderPosition(0, 20);
    EXPECT_EQ(f.pixel(100, f.bench.canvas().windowY(2)), QColor(Qt::black));
    EXPECT_EQ(f.pixel(100, f.bench.canvas().windowY(0)), QColor(Qt::white));
}

// A film starts every pass from the picture taken when it began, so only the last pass's
// figure is left; toonsnapshot brings back what snapshot kept.
TEST(Redraw, FilmPassesStartFromTheSnapshot) {
    test::BenchFixture f;
    f.program("assen=geen\nfilm(i;1;3;1)\nlijn(i;-4;i;4)\nnext");
    ASSERT_TRUE(f.bench.redraw());
    const WorldCanvas& canvas = f.bench.canvas();
    const int row = canvas.windowY(0);
    EXPECT_EQ(f.pixel(canvas.windowX(1), row), QColor(Qt::white));
    EXPECT_EQ(f.pixel(canvas.windowX(2), row), QColor(Qt::white));
    EXPECT_EQ(f.pixel(canvas.windowX(3), row), QColor(Qt::black));

    f.program("assen=geen\nsnapshot\nlijn(1;-4;1;4)\ntoonsnapshot\nlijn(2;-4;2;4)");
    ASSERT_TRUE(f.bench.redraw());
    EXPECT_EQ(f.pixel(canvas.windowX(1), row), QColor(Qt::white));
    EXPECT_EQ(f.pixel(canvas.windowX(2), row), QColor(Qt::black));
}

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
