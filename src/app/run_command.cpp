#include "app/run_command.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

#include "expr/application_title.h"
#include "expr/numtext.h"
#include "graph/graph_messages.h"
#include "graph/program_settings.h"
#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "output/image_files.h"

namespace kalvor {

namespace {

constexpr const char* kUsage =
    "gebruik: kalvor run PROGRAMMA [--size BxH] [--set NAAM=WAARDE]... [--export BESTAND] "
    "[--print NAMEN] [--timeout SECONDEN]\n"
    "  --export: .png .bmp .jpg .gif .svg .pdf .tex .tikz\n";

constexpr int kMaxCanvasSide = 16000;

struct RunArguments {
    std::string program;
    int width = Workbench::kStartWidth, height = Workbench::kStartHeight;
    std::vector<std::pair<std::string, std::string>> settings;
    std::string exportFile;
    std::vector<std::string> printNames;
    std::optional<double> timeoutSeconds;
};

// "WxH" with two whole numbers of at least 1.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto w = wholeNumber(text.substr(0, x)), h = wholeNumber(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxCanvasSide || *h > kMaxCanvasSide) return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

std::string lowerExtension(const std::string& file) {
    std::string ext = std::filesystem::path(file).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// An error text when the export file's kind cannot be written (yet).
std::optional<std::string> exportProblem(const std::string& file) {
    const std::string ext = lowerExtension(file);
    if (ext == ".svg" || ext == ".pdf" || ext == ".tex" || ext == ".tikz" || imageFormatFor(file))
        return std::nullopt;
    return "--export kent de soort van " + file +
           " niet; kies .png, .bmp, .jpg, .gif, .svg, .pdf, .tex of .tikz";
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// Reads the options; an error message for the person when they do not make sense.
std::optional<std::string> parseArguments(const std::vector<std::string>& args,
                                          RunArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--size" && hasValue) {
            if (!parseSize(args[++i], parsed.width, parsed.height))
                return "--size verwacht BREEDTExHOOGTE in pixels (1 tot 16000): " + args[i];
        } else if (arg == "--export" && hasValue) {
            parsed.exportFile = args[++i];
            if (auto problem = exportProblem(parsed.exportFile)) return problem;
        } else if (arg == "--set" && hasValue) {
            const std::string& setting = args[++i];
            const std::size_t eq = setting.find('=');
            if (eq == std::string::npos) return "--set verwacht NAAM=WAARDE: " + setting;
            parsed.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
        } else if (arg == "--print" && hasValue) {
            for (auto& name : splitAt(args[++i], ','))
                if (!name.empty()) parsed.printNames.push_back(name);
        } else if (arg == "--timeout" && hasValue) {
            Number seconds = 0;
            if (!parseNumber(args[++i], seconds) || seconds < 0)
                return "--timeout verwacht een aantal seconden: " + args[i];
            parsed.timeoutSeconds = static_cast<double>(seconds);
        } else if (!arg.empty() && arg[0] != '-' && parsed.program.empty()) {
            parsed.program = arg;
        } else {
            return "onbekende of onvolledige optie: " + arg;
        }
    }
    if (parsed.program.empty()) return std::string("geen programma opgegeven");
    return std::nullopt;
}

std::string printedValue(Workbench& bench, const std::string& name) {
    Environment& env = bench.environment();
    if (name[0] == '$') return env.texts.get(name);
    if (name[0] == '#') {
        const BigInt* value = env.bigIntRegister(name);
        return value ? value->toString() : std::string();
    }
    return formatGeneral(env.parser(1).getVariable(name));
}

// The drawing in the file, by the file's extension; false when it was not written.
bool exportDrawing(Workbench& bench, const std::string& file) {
    const std::string ext = lowerExtension(file);
    if (ext == ".pdf") return bench.exportPdf(file);
    if (ext == ".tex") return bench.exportEepic(file);
    if (ext == ".svg") return bench.exportMetafile(file);
    if (ext == ".tikz") return bench.exportTikz(file);
    return !bench.saveCanvasImage(file).has_value();
}

}  // namespace

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    RunArguments parsed;
    if (auto problem = parseArguments(args, parsed)) {
        err << "kalvor: " << *problem << '\n' << kUsage;
        return 2;
    }
    const auto source = readProgramLines(parsed.program);
    if (!source) {
        err << "kalvor: kan het programma " << parsed.program << " niet lezen\n";
        return 2;
    }
    HeadlessHost host(&err);
    Workbench bench(host);
    RunOptions ignored;
    std::vector<SettingError> rejected;
    for (const auto& [name, value] : parsed.settings) {
        if (!applySetting(bench.settings(), ignored, name, value, &rejected)) {
            err << "kalvor: onbekende instelling bij --set: " << name << '\n';
            return 2;
        }
    }
    // A colour or width that is no whole number would otherwise be dropped without a word.
    for (const SettingError& e : rejected)
        err << "kalvor: " << notWholeNumberMessage(e.value, "--set", e.name) << '\n';
    if (!rejected.empty()) return 2;
    FileIncludeResolver resolver(std::filesystem::current_path());
    const CompileResult compiled = compileProgram(*source, resolver);
    if (compiled.failedInclude)
        host.messageBox(kApplicationTitle, includeFailureMessage(*compiled.failedInclude),
                        Host::Icon::Warning);
    bench.setProgram(compiled.lines);
    if (parsed.timeoutSeconds) {
        const auto deadline = std::chrono::steady_clock::now() +
                              std::chrono::duration<double>(*parsed.timeoutSeconds);
        bench.abortCheck = [deadline] { return std::chrono::steady_clock::now() >= deadline; };
        bench.stopCheck = [deadline] {
            return std::chrono::steady_clock::now() >= deadline + std::chrono::seconds(1);
        };
    }
    bench.resizeCanvas(parsed.width, parsed.height);
    const bool drawn = bench.redraw();
    // The output of the run itself; an export's redraws run the program again.
    const std::vector<std::string> output = bench.environment().output.lines();
    bool exported = true;
    if (drawn && !parsed.exportFile.empty()) {
        exported = exportDrawing(bench, parsed.exportFile);
        if (!exported) err << "kalvor: kan " << parsed.exportFile << " niet schrijven\n";
    }
    for (const std::string& line : output)
        out << line << '\n';
    for (const std::string& name : parsed.printNames)
        out << name << '=' << printedValue(bench, name) << '\n';
    if (!drawn || !exported || compiled.failedInclude) return 2;
    return host.errorShown() ? 1 : 0;
}

}  // namespace kalvor
