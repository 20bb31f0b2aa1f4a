#pragma once

#include <functional>
#include <map>
#include <memory>
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
        return {picture.lines().begin() + static_cast<std::ptrdiff_t>(pictureStart),
                picture.lines().end()};
    }
    /// The canvas pixel at the world point, as a colour.
    Color pixelAt(Number x, Number y) const {
        const QRgb rgb = canvas.image().pixel(canvas.windowX(x), canvas.windowY(y));
        return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
    }
};

/// Compiles a source program and runs it headless; the output window's lines, the messages
/// and the variables are there to be checked afterwards.
struct ProgramRunner {
    HeadlessHost host;
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

}  // namespace kalvor::test
