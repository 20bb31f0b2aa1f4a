#pragma once

// A headless Workbench with a compiled program, and helpers to look at what a redraw made.

#include <QColor>
#include <QImage>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "../lang/program_rows.h"
#include "../support/pixels.h"
#include "graph/workbench.h"
#include "lang/headless_host.h"

namespace kalvor::test {

struct BenchFixture {
    HeadlessHost host;
    Workbench bench{host};
    int redraws = 0;  // finished redraws, counted from the start

    BenchFixture() {
        QObject::connect(&bench, &Workbench::redrawn, [this] { ++redraws; });
    }

    void program(std::string_view source) { bench.setProgram(ProgramRunner::compile(source)); }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages())
            out.push_back(m.text);
        return out;
    }
    /// The picture text of one recording redraw (as the eepic export makes it).
    std::vector<std::string> recordedPicture() {
        DrawingContext& d = bench.drawing();
        d.picture().clear();
        d.setEepicRecording(true);
        bench.redraw();
        d.setEepicRecording(false);
        return d.picture().lines();
    }
    /// Pixels of the canvas that are not white.
    int inkPixels() const { return test::inkPixels(bench.canvas().image()); }
    QColor pixel(int x, int y) const { return QColor(bench.canvas().image().pixel(x, y)); }
};

/// Index of the first line equal to `line` (or starting with it when `prefix`), or -1.
inline int indexOf(const std::vector<std::string>& lines, std::string_view line,
                   bool prefix = false) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (prefix ? lines[i].rfind(line, 0) == 0 : lines[i] == line) return static_cast<int>(i);
    return -1;
}

inline long countOf(const std::vector<std::string>& lines, std::string_view prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

}  // namespace kalvor::test
