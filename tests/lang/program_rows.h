#pragma once

#include <gtest/gtest.h>
#include <functional>

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/drawing_context.h"
#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "lang/window_services.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace kalvor::test {

/// A canvas with the PDF recorder and the picture text behind one drawing layer, and the
/// graph window's range fields, for runs that draw.
struct DrawingSinks : WindowServices {
    WorldCanvas canvas;
    PdfRecorder pdf;
    PictureText picture;
    DrawingContext context{canvas, pdf, picture};
    std::map<std::string, std::string, std::less<>> fields;
    std::size_t pdfStart = 0;      // the first content line of the drawing
    std::size_t pictureStart = 0;  // the first line after the picture's frame

    std::string* field(std::string_view name) override {
        auto it = fields.find(name);
        return it == fields.end() ? nullptr : &it->second;
    }
    /// The PDF content lines and the picture text lines the runs added.
    std::vector<std::string> pdfLines() const {
        return {pdf.lines().begin() + static_cast<std::ptrdiff_t>(pdfStart), pdf.lines().end()};
    }
    std::vector<std::string> pictureLines() const {
        const std::vector<std::string> all = picture.lines();
        return {all.begin() + static_cast<std::ptrdiff_t>(pictureStart), all.end()};
    }
    /// The canvas pixel at the world point, as a colour.
    Color pixelAt(Number x, Number y) const {
        const QRgb rgb = canvas.image().pixel(canvas.windowX(x), canvas.windowY(y));
        return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
    }
};

/// A headless host that lets a test act whenever a run processes events (press Escape, say).
struct EventHookHost : HeadlessHost {
    std::function<void()> onEvents;
    void processEvents() override {
        HeadlessHost::processEvents();
        if (onEvents) onEvents();
    }
};

/// Compiles a source program and runs it headless; the output window's lines, the messages
/// and the variables are there to be checked afterwards.
struct ProgramRunner {
    EventHookHost host;
    Environment env{host};
    CommandTable table = buildCommandTable();
    CompiledProgram program;
    /// What escaped the run (an argument error, or a failure the redraw would report).
    std::string failure;
    std::unique_ptr<DrawingSinks> drawing;
    /// Handed to every run's executor: true acts as the Escape key.
    std::function<bool()> abortCheck;

    /// Gives the runs a white canvas of width × height pixels showing the world x1 … x2 ×
    /// y1 … y2 (and the same range fields); with `pdf` or `eepic` they also record, as during
    /// an export. Every run starts and ends the drawing state as the redraw does.
    DrawingSinks& attachCanvas(int width, int height, Number x1, Number x2, Number y1, Number y2,
                               bool pdf = false, bool eepic = false) {
        drawing = std::make_unique<DrawingSinks>();
        DrawingSinks& d = *drawing;
        d.canvas.resize(width, height);
        d.canvas.setWorld(x1, y1, x2, y2);
        d.canvas.clear();
        const std::pair<const char*, Number> range[] = {
            {"xmin", x1}, {"xmax", x2}, {"ymin", y1}, {"ymax", y2}};
        for (auto [name, value] : range)
            d.fields[name] = formatGeneral(value);
        d.pdf.setClock([] { return std::string("20240102030405"); });
        d.pdf.beginDoc(width, height, x1, x2, y1, y2);
        d.pdfStart = d.pdf.lines().size();
        d.picture.beginPicture(x1, x2 - x1, y1, y2 - y1);
        d.pictureStart = d.picture.lines().size();
        d.context.setPdfRecording(pdf);
        d.context.setEepicRecording(eepic);
        env.drawing = &d.context;
        env.window = &d;
        env.runStartHooks = {[&d](RunContext&) { d.context.startRun(kBlack); }};
        env.runEndHooks = {[&d](RunContext&) { d.context.endRun(); }};
        return d;
    }

    static std::vector<std::string> splitLines(std::string_view source) {
        std::vector<std::string> lines;
        std::string line;
        std::istringstream in{std::string(source)};
        while (std::getline(in, line))
            lines.push_back(line);
        return lines;
    }

    static std::vector<std::string> compile(std::string_view source) {
        FileIncludeResolver resolver(".");
        return compileProgram(splitLines(source), resolver).lines;
    }

    std::vector<std::string> run(std::string_view source, RunOptions options = {},
                                 std::uint64_t maxSteps = 1'000'000) {
        program = CompiledProgram(compile(source));
        return runCompiled(options, maxSteps);
    }

    std::vector<std::string> runCompiled(RunOptions options = {},
                                         std::uint64_t maxSteps = 1'000'000) {
        env.output.clear();
        failure.clear();
        Executor executor(env, table, program, options);
        executor.abortCheck = abortCheck;
        try {
            executor.run(maxSteps);
        } catch (const std::exception& e) {
            failure = e.what();
        }
        return env.output.lines();
    }

    Number value(std::string_view name, int parser = 1) {
        return env.parser(parser).getVariable(name);
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages())
            out.push_back(m.caption);
        return out;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages())
            out.push_back(m.text);
        return out;
    }
};

/// A message box as the run showed it.
struct Box {
    std::string caption, text;
    bool operator==(const Box&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& b) {
        return out << b.caption << ": " << b.text;
    }
};

/// A variable the run leaves behind: in Parser1 … `parsers`, within `tolerance`.
struct Value {
    const char* name;
    Number expected;
    double tolerance = 1e-12;
    int parsers = 1;
};

/// A program and what its run must give. Output, boxes and failure are always checked (empty:
/// none); the picture text or PDF operators only when given, recorded during an export on the
/// world -5 … 5 both ways (254 pixels, so one world unit is 20 PDF units).
struct ProgramRow {
    const char* name;
    std::string source;
    std::vector<std::string> output = {};
    std::vector<Box> boxes = {};
    std::string failure = {};  // what escaped the run
    std::vector<Value> values = {};
    std::optional<std::vector<std::string>> picture = {};
    std::optional<std::vector<std::string>> pdf = {};
};

inline void PrintTo(const ProgramRow& row, std::ostream* os) {
    *os << row.name;
}

inline std::string rowName(const ::testing::TestParamInfo<ProgramRow>& info) {
    return info.param.name;
}

/// Rows of output, with the message boxes and what escaped the run where given.
inline ProgramRow outputRow(const char* name, std::string source, std::vector<std::string> output,
                            std::vector<Box> boxes = {}, std::string failure = {}) {
    return {name, std::move(source), std::move(output), std::move(boxes), std::move(failure)};
}
/// Rows whose only column is the picture text or the PDF.
inline ProgramRow pictureRow(const char* name, std::string source,
                             std::vector<std::string> picture) {
    return {name, std::move(source), {}, {}, {}, {}, std::move(picture)};
}
inline ProgramRow pdfRow(const char* name, std::string source, std::vector<std::string> pdf) {
    return {name, std::move(source), {}, {}, {}, {}, std::nullopt, std::move(pdf)};
}
/// With `parsers`, every value is checked in Parser1 … that one.
inline ProgramRow valueRow(const char* name, std::string source, std::vector<Value> values,
                           int parsers = 0) {
    if (parsers > 0)
        for (Value& v : values)
            v.parsers = parsers;
    return {name, std::move(source), {}, {}, {}, std::move(values)};
}

/// The canvas of an export on the world -5 … 5 both ways, 254 pixels wide and high.
inline DrawingSinks& exportCanvas(ProgramRunner& r, bool pdf, bool eepic) {
    return r.attachCanvas(254, 254, -5, 5, -5, 5, pdf, eepic);
}

inline std::vector<Box> boxesOf(const HeadlessHost& host) {
    std::vector<Box> boxes;
    for (const auto& m : host.messages())
        boxes.push_back({m.caption, m.text});
    return boxes;
}

/// Runs the row's program with `r` and checks every column it gives.
inline void checkRun(const ProgramRow& row, ProgramRunner& r) {
    SCOPED_TRACE(row.source);
    DrawingSinks* d = r.drawing.get();
    if (row.picture || row.pdf) d = &exportCanvas(r, row.pdf.has_value(), row.picture.has_value());
    EXPECT_EQ(r.run(row.source), row.output);
    EXPECT_EQ(boxesOf(r.host), row.boxes);
    EXPECT_EQ(r.failure, row.failure);
    for (const Value& v : row.values)
        for (int p = 1; p <= v.parsers; ++p)
            EXPECT_NEAR(static_cast<double>(r.value(v.name, p)), static_cast<double>(v.expected),
                        v.tolerance)
                << v.name << " in Parser" << p;
    if (row.picture) {
        EXPECT_EQ(d->pictureLines(), *row.picture);
    }
    if (row.pdf) {
        EXPECT_EQ(d->pdfLines(), *row.pdf);
    }
}

inline void checkRow(const ProgramRow& row) {
    ProgramRunner r;
    checkRun(row, r);
}

/// A program run on the export canvas, recording as asked; runner and sinks stay for the checks.
struct ExportRun {
    ProgramRunner r;
    DrawingSinks& d;
    std::vector<std::string> output;
    explicit ExportRun(const std::string& source, bool pdf = false, bool eepic = false)
        : d(exportCanvas(r, pdf, eepic)), output(r.run(source)) {}
};

/// What a row's program records during an export, for tests that compare two programs.
inline std::vector<std::string> recordedBy(const std::string& source, bool pdf) {
    ProgramRunner r;
    DrawingSinks& d = exportCanvas(r, pdf, !pdf);
    r.run(source);
    EXPECT_EQ(r.failure, "") << source;
    EXPECT_TRUE(r.host.messages().empty()) << source;
    return pdf ? d.pdfLines() : d.pictureLines();
}
inline std::vector<std::string> pictureOf(const std::string& source) {
    return recordedBy(source, false);
}
inline std::vector<std::string> pdfOf(const std::string& source) {
    return recordedBy(source, true);
}

/// Runs `command` with every argument list of `argumentSets` while recording both exports: each
/// run ends in an orderly way and nothing drawn carries a coordinate that is not a number.
template <std::size_t N>
void expectOrderlyRuns(const std::string& command, const char* const (&argumentSets)[N]) {
    const auto numbersOnly = [](const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            if (line.find("NAN") != std::string::npos || line.find("INF") != std::string::npos)
                return false;
        return true;
    };
    for (const char* args : argumentSets) {
        ProgramRunner r;
        DrawingSinks& d = r.attachCanvas(200, 200, -5, 5, -5, 5, true, true);
        r.run(command + args);
        EXPECT_TRUE(numbersOnly(d.pdfLines())) << command << args;
        EXPECT_TRUE(numbersOnly(d.pictureLines())) << command << args;
    }
}

/// The one test of program rows; each file instantiates it with its own rows.
class ProgramRows : public ::testing::TestWithParam<ProgramRow> {};

}  // namespace kalvor::test
