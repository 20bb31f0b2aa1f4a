#include "graph/workbench.h"

#include "expr/numtext.h"
#include "graph/program_settings.h"
#include "lang/executor.h"

namespace kalvor {

Workbench::Workbench(Host& host) : m_env(host), m_commands(buildCommandTable()) {
    m_canvas.resize(kStartWidth, kStartHeight);
    m_env.drawing = &m_drawing;
    m_env.window = this;
    m_env.runStartHooks.push_back([this](RunContext&) { m_drawing.startRun(m_fontColor); });
    m_env.runEndHooks.push_back([this](RunContext&) { m_drawing.endRun(); });
}

void Workbench::setProgram(std::vector<std::string> compiledLines) {
    m_program = CompiledProgram(std::move(compiledLines));
}

std::string* Workbench::field(std::string_view name) {
    GraphSettings& s = m_settings;
    const std::pair<std::string_view, std::string*> fields[] = {
        {"xmin", &s.xmin},          {"xmax", &s.xmax},         {"ymin", &s.ymin},
        {"ymax", &s.ymax},          {"F", &s.functions[0]},    {"G", &s.functions[1]},
        {"H", &s.functions[2]},     {"I", &s.functions[3]},    {"user1", &s.userTexts[0]},
        {"user2", &s.userTexts[1]}, {"user3", &s.userTexts[2]}};
    for (auto [fieldName, text] : fields)
        if (fieldName == name) return text;
    return nullptr;
}

bool Workbench::publishRange() {
    const std::pair<const char*, const std::string*> fields[] = {{"xmax", &m_settings.xmax},
                                                                 {"xmin", &m_settings.xmin},
                                                                 {"ymax", &m_settings.ymax},
                                                                 {"ymin", &m_settings.ymin}};
    for (auto [name, text] : fields) {
        Number value = 0;
        if (!parseNumber(*text, value)) {
            host().messageBox("Oeps", "'" + *text + "' is geen geldig getal.", Host::Icon::Error);
            return false;
        }
        m_env.setVariable(name, value, 3);
    }
    return true;
}

bool Workbench::runProgram() {
    m_options = applyProgramSettings(m_program.lines(), m_settings);
    if (!publishRange()) return false;
    Executor executor(m_env, m_commands, m_program, m_options);
    executor.abortCheck = abortCheck;
    executor.stopCheck = stopCheck;
    try {
        executor.run();
    } catch (const std::exception&) {
        if (!m_env.flags.expressionError && !m_env.flags.evaluationError)
            host().messageBox("Oeps", kGeneralFailure, Host::Icon::Error);
    }
    return true;
}

}  // namespace kalvor
