#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"

namespace kalvor::test {

/// Compiles a source program and runs it headless; the output window's lines, the messages
/// and the variables are there to be checked afterwards.
struct ProgramRunner {
    HeadlessHost host;
    Environment env{host};
    CommandTable table = buildCommandTable();
    CompiledProgram program;
    /// What escaped the run (an argument error, or a failure the redraw would report).
    std::string failure;

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
