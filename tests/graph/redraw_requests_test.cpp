#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;

// A program long enough to look at the window twice while it runs.
constexpr const char* kLoop = "for(i;1;5000;1)\nvolgende";

// Runs `during` once, from inside the run of the next redraw (every run gets its own copy
// of the check, so the "done" mark lives outside it).
void duringNextRun(Workbench& bench, std::function<void()> during) {
    auto done = std::make_shared<bool>(false);
    bench.abortCheck = [done, during = std::move(during)] {
        if (!*done) {
            *done = true;
            during();
        }
        return false;
    };
}

TEST(RedrawRequests, AskedForDuringARunAreDoneWhenItEnds) {
    struct Row {
        const char* what;
        std::function<void(Workbench&)> ask;
        std::function<void(Workbench&)> check;
    };
    const Row rows[] = {
        {"range field and Enter",
         [](Workbench& b) {
             b.settings().xmax = "20";
             b.redraw();
         },
         [](Workbench& b) { EXPECT_EQ(b.canvas().d2WorldXW(), 25); }},
        {"slider", [](Workbench& b) { b.setSliderPosition(0, 37); },
         [](Workbench& b) { EXPECT_EQ(b.environment().parser(4).a, 3.7L); }},
        {"program compiled meanwhile",
         [](Workbench& b) {
             b.setProgram(test::ProgramRunner::compile("xmax=8"));
             EXPECT_EQ(b.program().lines().front(), "for");  // the running one stays
             b.redraw();
         },
         [](Workbench& b) { EXPECT_EQ(b.canvas().d2WorldXW(), 13); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BenchFixture f;
        f.program(kLoop);
        f.redraws = 0;
        bool refused = false;
        duringNextRun(f.bench, [&] {
            row.ask(f.bench);
            refused = f.bench.redrawPending();
        });
        EXPECT_TRUE(f.bench.redraw());
        EXPECT_TRUE(refused);
        EXPECT_EQ(f.redraws, 2);  // the asked-for redraw followed the run at once
        EXPECT_FALSE(f.bench.redrawPending());
        row.check(f.bench);
    }
}

TEST(RedrawRequests, SameErrorBoxIsShownOnceWhileOnlyASliderMoves) {
    enum class Step { Enter, Slider, NewFormula, NewProgram };
    struct Row {
        const char* what;
        const char* program;
        const char* formula;
        std::vector<std::pair<Step, std::size_t>> steps;  // step, boxes shown so far
    };
    using enum Step;
    // clang-format off
    const Row rows[] = {
        {"formula F", "", "sin(",
         {{Enter, 1}, {Slider, 1}, {Slider, 1}, {Enter, 2}, {Slider, 2}, {NewFormula, 3},
          {Slider, 3}}},
        {"program", "lijn(0;0;1;2+)", "",
         {{Slider, 1}, {Slider, 1}, {Enter, 2}, {Slider, 2}, {NewProgram, 3}, {Slider, 3}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BenchFixture f;
        f.program(row.program);
        f.bench.settings().functions[0] = row.formula;
        int position = 0;
        for (const auto& [step, boxes] : row.steps) {
            switch (step) {
                case Enter:
                    f.bench.redraw();
                    break;
                case Slider:
                    f.bench.setSliderPosition(0, position += 10);
                    break;
                case NewFormula:
                    f.bench.settings().functions[0] += "(";
                    f.bench.setSliderPosition(0, position += 10);
                    break;
                case NewProgram:
                    f.program(std::string(row.program) + "\nlijn(0;0;1;2+)");
                    f.bench.setSliderPosition(0, position += 10);
                    break;
            }
            EXPECT_EQ(f.host.messages().size(), boxes) << "after step " << int(step);
            // Silent or not, the redraw still stopped on the error.
            EXPECT_TRUE(f.bench.environment().flags.expressionError);
        }
    }
}

TEST(RepeatedErrors, RemembersBoxesPerContextUntilAnotherRedraw) {
    RepeatedErrors memory;
    const std::vector<std::string> one{"x", "lijn"}, other{"x^2", "lijn"};
    memory.redrawStarts(false);
    EXPECT_TRUE(memory.shouldShow(one, "Oeps", "a"));
    EXPECT_TRUE(memory.shouldShow(one, "Oeps", "b"));  // another text
    memory.redrawStarts(true);
    EXPECT_FALSE(memory.shouldShow(one, "Oeps", "a"));
    EXPECT_FALSE(memory.shouldShow(one, "Oeps", "b"));
    EXPECT_TRUE(memory.shouldShow(one, "foutje", "a"));  // another caption
    EXPECT_TRUE(memory.shouldShow(other, "Oeps", "a"));  // other formulas
    EXPECT_FALSE(memory.shouldShow(other, "Oeps", "a"));
    memory.redrawStarts(false);
    EXPECT_TRUE(memory.shouldShow(other, "Oeps", "a"));
}

TEST(Export, RecordsFirstThenAsksForTheFileThenRedrawsOnce) {
    using Export = bool (Workbench::*)(const Workbench::PathChoice&);
    struct Row {
        const char* what;
        Export write;
        bool fullSize;
        int redrawsBefore, redrawsAfter;
    };
    const Row rows[] = {
        {"pdf", &Workbench::exportPdf, true, 2, 1},
        {"eepic", &Workbench::exportEepic, true, 2, 1},
        {"metafile", &Workbench::exportMetafile, true, 1, 0},
        {"halved metafile", &Workbench::exportMetafile, false, 1, 1},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        for (const bool confirm : {true, false}) {
            SCOPED_TRACE(std::string(row.what) + (confirm ? " saved" : " cancelled"));
            BenchFixture f;
            f.program("F=x");
            f.bench.settings().metafileFullSize = row.fullSize;
            int redraws = 0, before = -1;
            bool recordingAtDialog = true;
            QObject::connect(&f.bench, &Workbench::redrawn, [&] { ++redraws; });
            const std::string path = (dir.path() + "/out").toStdString() + row.what;
            const bool saved = (f.bench.*row.write)([&]() -> std::optional<std::string> {
                before = redraws;
                recordingAtDialog =
                    f.bench.drawing().pdfRecording() || f.bench.drawing().eepicRecording();
                if (!confirm) return std::nullopt;
                return path;
            });
            EXPECT_EQ(before, row.redrawsBefore);
            EXPECT_EQ(redraws - before, row.redrawsAfter);
            EXPECT_FALSE(recordingAtDialog);
            EXPECT_EQ(saved, confirm);
            EXPECT_EQ(QFile::exists(QString::fromStdString(path)), confirm);
            EXPECT_FALSE(f.bench.drawing().pdfRecording() || f.bench.drawing().eepicRecording());
            QFile::remove(QString::fromStdString(path));
        }
    }
}

// On the canvas (and so in its SVG mirror) the labels lie over the axis lines.
TEST(MiddleAxes, LabelsArePaintedAfterTheAxisLines) {
    BenchFixture f;
    f.program("xlabel=tijd\nylabel=afstand");
    QTemporaryDir dir;
    const QString path = dir.path() + "/assen.svg";
    ASSERT_TRUE(f.bench.exportMetafile(path.toStdString()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    // Strokes with one pen share a path, so the axes are pieces of path data.
    const qsizetype xAxis = svg.indexOf("M0,360 L719,360");
    const qsizetype yAxis = svg.indexOf("M360,719 L360,0");
    ASSERT_GE(xAxis, 0);
    ASSERT_GE(yAxis, 0);
    EXPECT_LT(xAxis, svg.indexOf(">tijd<"));
    EXPECT_LT(yAxis, svg.indexOf(">afstand<"));
}

}  // namespace
}  // namespace kalvor
