// Any bytes as a program: compiling and running (with a bounded number of executed lines)
// must end in an orderly way. Includes are never read from disk here.
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "canvas/drawing_context.h"
#include "canvas/world_canvas.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"

namespace {

class NoFiles : public kalvor::IncludeResolver {
public:
    std::optional<std::vector<std::string>> readIncludedLines(std::string_view) override {
        return std::nullopt;
    }
};

std::vector<std::string> splitLines(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kalvor::CommandTable table = kalvor::buildCommandTable();
    static kalvor::WorldCanvas canvas;
    static kalvor::PdfRecorder pdf;
    static kalvor::PictureText picture;
    static kalvor::DrawingContext drawing(canvas, pdf, picture);
    static bool sized = false;
    if (!sized) {
        canvas.resize(64, 64);
        sized = true;
    }
    NoFiles resolver;
    const kalvor::CompiledProgram program(
        kalvor::compileProgram(splitLines(data, size), resolver).lines);
    kalvor::HeadlessHost host;
    kalvor::Environment env(host);
    env.drawing = &drawing;
    env.runStartHooks.push_back([](kalvor::RunContext&) { drawing.startRun(kalvor::kBlack); });
    env.runEndHooks.push_back([](kalvor::RunContext&) { drawing.endRun(); });
    kalvor::Executor executor(env, table, program);
    try {
        executor.run(20'000);
    } catch (const std::exception&) {
        // Failures the redraw reports with its general message.
    }
    return 0;
}
