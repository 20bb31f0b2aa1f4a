#include <gtest/gtest.h>

#include <optional>

#include "workbench_fixture.h"

namespace kalvor {
namespace {

using test::BenchFixture;
using test::countOf;
using Lines = std::vector<std::string>;

const std::string kCause =
    "\rDe oorzaak kan deze uitdrukking zelf zijn, maar ook een fout in een voorafgaande "
    "programmaregel.";

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

}  // namespace
}  // namespace kalvor
