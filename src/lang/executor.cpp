#include "lang/executor.h"

#include <cmath>
#include <stdexcept>
#include <unordered_map>

#include "expr/application_title.h"
#include "expr/numtext.h"
#include "lang/lang_messages.h"

namespace kalvor {

namespace {

using Kind = CompiledProgram::Kind;

const std::unordered_map<std::string_view, Kind>& controlCommands() {
    static const std::unordered_map<std::string_view, Kind> table = {
        {"herhaal", Kind::Repeat},
        {"snapshot", Kind::Snapshot},
        {"film", Kind::Film},
        {"met", Kind::For},
        {"for", Kind::For},
        {"proc", Kind::Call},
        {"endproc", Kind::EndProc},
        {"eindproc", Kind::EndProc},
        {"local", Kind::Local},
        {"voorelke", Kind::ForEach},
        {"volgende", Kind::Next},
        {"next", Kind::Next},
        {"toonsnapshot", Kind::ShowSnapshot},
        {"totdat", Kind::Until},
        {"maak", Kind::Assign},
        {"inc", Kind::Increment},
        {"als", Kind::If},
        {"anders", Kind::Else},
        {"eind", Kind::End},
    };
    return table;
}

bool startsWith(std::string_view text, char c) {
    return !text.empty() && text.front() == c;
}

}  // namespace

std::vector<std::string_view> executorKeywords() {
    std::vector<std::string_view> words = {"_", "eindals"};
    for (const auto& entry : controlCommands())
        words.push_back(entry.first);
    return words;
}

Executor::Executor(Environment& env, const CommandTable& commands, const CompiledProgram& program,
                   RunOptions options)
    : m_env(env), m_commands(commands), m_program(program), m_ctx(env, program, options) {}

// ---- Run start and end ------------------------------------------------------------------------

void Executor::run(std::uint64_t maxSteps) {
    m_ctx.abortCheck = abortCheck;
    runStart();
    const std::size_t end = m_program.size();
    for (std::uint64_t steps = 1; m_ctx.pc < end; ++steps) {
        if ((steps & 1023) == 0) [[unlikely]] {
            if (steps > maxSteps && maxSteps != 0) break;
            if (abortCheck && abortCheck()) m_env.flags.abort = true;
            if (stopCheck && stopCheck()) break;
        }
        CompiledProgram::LineCache& cache = m_program.cache(m_ctx.pc);
        if (cache.kind == Kind::Unresolved) [[unlikely]]
            resolve(m_ctx.pc, cache);
        m_ctx.commandLine = m_ctx.pc++;
        // The commands of tight loops first, without the general dispatch.
        switch (cache.kind) {
            case Kind::Assign:
                assign();
                break;
            case Kind::Next:
                next();
                break;
            case Kind::If:
                ifBlock();
                break;
            default:
                dispatch(cache.kind, cache.row);
                continue;
        }
        m_previousKind = cache.kind;
        m_previous = nullptr;
    }
    runEnd();
}

void Executor::runStart() {
    m_env.flags.abort = false;
    m_env.flags.expressionError = false;
    m_env.flags.evaluationError = false;
    m_env.flags.paramsFollowSliders = true;
    m_env.setVariable("_toetscode", 0, Environment::kParsers);
    m_env.texts.clear();
    m_env.controls.startRun();
    for (auto& hook : m_env.runStartHooks)
        hook(m_ctx);
    m_ctx.pc = 0;
    if (m_program.empty()) m_ctx.stop();
    for (std::size_t i = 0; i < m_program.size(); ++i) {
        if (m_program.lines()[i] == "eind") {
            m_mainEnd = i;
            break;
        }
    }
}

void Executor::runEnd() {
    m_env.mouse.resetFreePoints = false;
    for (auto& hook : m_env.runEndHooks)
        hook(m_ctx);
}

// ---- Dispatch ---------------------------------------------------------------------------------

void Executor::resolve(std::size_t index, CompiledProgram::LineCache& cache) const {
    const std::string& text = m_program.lines()[index];
    cache.row = nullptr;
    if (text == "eindals" || (text.find('=') != std::string::npos && text != "ax+by=c")) {
        cache.kind = Kind::Nothing;  // setting lines belong to the redraw
    } else if (text == "_") {
        cache.kind = Kind::RepeatPrevious;
    } else if (auto it = controlCommands().find(text); it != controlCommands().end()) {
        cache.kind = it->second;
    } else if ((cache.row = m_commands.find(text)) != nullptr) {
        cache.kind = Kind::Command;
    } else {
        cache.kind = Kind::Unknown;
    }
}

void Executor::dispatch(Kind kind, const CommandRow* row) {
    switch (kind) {
        case Kind::Unresolved:
        case Kind::Nothing:
        case Kind::Unknown:
            return;
        case Kind::RepeatPrevious:
            if (m_previousKind != Kind::Unknown) dispatch(m_previousKind, m_previous);
            return;
        case Kind::Command:
            runCommand(*row);
            break;
        case Kind::Repeat:
            startRepeat();
            break;
        case Kind::Snapshot:
            if (m_env.takeSnapshot) m_env.takeSnapshot();
            break;
        case Kind::ShowSnapshot:
            if (m_env.showSnapshot) m_env.showSnapshot();
            m_ctx.processEvents();
            break;
        case Kind::Film:
            startCounting(LoopKind::Film);
            break;
        case Kind::For:
            startCounting(LoopKind::Counting);
            break;
        case Kind::Call:
            callProcedure();
            break;
        case Kind::EndProc:
            endProc();
            break;
        case Kind::Local:
            declareLocals();
            break;
        case Kind::ForEach:
            startForEach();
            break;
        case Kind::Next:
            next();
            break;
        case Kind::Until:
            until();
            break;
        case Kind::Assign:
            assign();
            break;
        case Kind::Increment:
            increment();
            break;
        case Kind::If:
            ifBlock();
            break;
        case Kind::Else:
            elseBlock();
            break;
        case Kind::End:
            m_ctx.stop();
            break;
    }
    m_previousKind = kind;
    m_previous = row;
}

void Executor::runCommand(const CommandRow& row) {
    const std::size_t start = m_ctx.pc;
    if (row.argLines == CommandRow::kUntilTerminator) {
        if (row.handler) {
            row.handler(m_ctx);
        } else {
            while (!m_ctx.finished() && m_ctx.line(m_ctx.pc) != "#")
                ++m_ctx.pc;
            if (!m_ctx.finished()) ++m_ctx.pc;
        }
        return;
    }
    if (row.handler) row.handler(m_ctx);
    if (!m_ctx.finished()) m_ctx.pc = start + static_cast<std::size_t>(row.argLines);
}

// ---- Loops ------------------------------------------------------------------------------------

// for(v;start;end;step) … next, met(v;start;end;step) … volgende, film(v;start;end;step) … next
void Executor::startCounting(LoopKind kind) {
    if (m_loops.size() >= kMaxLoops) {
        m_ctx.fail(tooManyLoopsMessage(kMaxLoops));
        return;
    }
    if (kind == LoopKind::Film && m_env.takeSnapshot) m_env.takeSnapshot();
    Loop loop;
    loop.kind = kind;
    loop.variable = m_ctx.text(0);
    const Number start = m_ctx.number(1);
    loop.end = m_ctx.number(2);
    loop.step = m_ctx.number(3);
    loop.body = m_ctx.pc + 4;
    setLoopVariable(loop, start);
    m_loops.push_back(std::move(loop));
    m_ctx.pc = m_loops.back().body;
    m_env.flags.pumped = false;
}

void Executor::setLoopVariable(Loop& loop, Number value) {
    loop.current = loop.written = value;
    if (!loop.cells[0]) {
        for (int i = 0; i < 3; ++i)
            loop.cells[i] = m_env.parsers[i].setVariable(loop.variable, value);
        return;
    }
    for (Number* cell : loop.cells)
        *cell = value;
}

// voorelke(v;item,item,…) … next
void Executor::startForEach() {
    if (m_loops.size() >= kMaxLoops) {
        m_ctx.fail(tooManyLoopsMessage(kMaxLoops));
        return;
    }
    Loop loop;
    loop.kind = LoopKind::ForEach;
    loop.variable = m_ctx.text(0);
    loop.remaining = m_ctx.text(1);
    loop.body = m_ctx.pc + 2;
    if (loop.remaining.empty()) {
        m_env.host.messageBox(kErrorCaption, invalidListExpressionMessage(m_ctx.arg(1)),
                              Host::Icon::Error);
        loop.inert = true;
    } else {
        takeNextListValue(loop);
    }
    m_loops.push_back(std::move(loop));
    m_ctx.pc = m_loops.back().body;
    m_env.flags.pumped = false;
}

void Executor::takeNextListValue(Loop& loop) {
    const std::size_t comma = loop.remaining.find(',');
    const std::string item = loop.remaining.substr(0, comma);
    loop.remaining = comma == std::string::npos ? std::string() : loop.remaining.substr(comma + 1);
    setLoopVariable(loop, m_ctx.evaluate(item));
}

// next | volgende: ends a round of the innermost loop
void Executor::next() {
    if (m_loops.empty()) {
        m_ctx.fail(kNextWithoutLoop);
        return;
    }
    Loop& loop = m_loops.back();
    if (loop.inert) {
        m_loops.pop_back();
        return;
    }
    m_ctx.processEventsAtLoopEnd(loop.kind == LoopKind::Film);
    if (m_env.flags.abort) {
        m_loops.pop_back();
        return;
    }
    if (*loop.cells[0] != loop.written) {
        m_env.host.messageBox(kLoopVariableCaption, kLoopVariableAssigned, Host::Icon::Error);
        m_loops.pop_back();
        return;
    }
    if (loop.kind == LoopKind::ForEach) {
        if (loop.remaining.empty()) {
            m_loops.pop_back();
            return;
        }
        takeNextListValue(loop);
    } else {
        const Number value = loop.current + loop.step;
        const bool goOn = loop.step > 0 ? value <= loop.end : loop.step < 0 && value >= loop.end;
        if (!goOn) {
            m_loops.pop_back();
            return;
        }
        setLoopVariable(loop, value);
        if (loop.kind == LoopKind::Film && m_env.showSnapshot) m_env.showSnapshot();
    }
    m_env.flags.pumped = false;
    m_ctx.pc = loop.body;
}

// herhaal … totdat(c)
void Executor::startRepeat() {
    if (m_repeats.size() >= kMaxRepeats) {
        m_ctx.fail(tooManyRepeatsMessage(kMaxRepeats));
        return;
    }
    m_repeats.push_back(m_ctx.pc);
    m_env.flags.pumped = false;
}

// totdat(c): back to the line after herhaal while c is 0
void Executor::until() {
    if (m_repeats.empty()) {
        m_ctx.fail(kUntilWithoutRepeat);
        return;
    }
    m_ctx.processEventsAtLoopEnd(false);
    const Number condition = m_ctx.number(0);
    if (condition == 0 && !m_env.flags.abort) {
        m_ctx.pc = m_repeats.back();
        m_env.flags.pumped = false;
        return;
    }
    m_repeats.pop_back();
    ++m_ctx.pc;
}

// ---- Conditions -------------------------------------------------------------------------------

// als(c) … [anders …] eindals
void Executor::ifBlock() {
    const std::size_t conditionLine = m_ctx.pc;
    const Number condition = m_ctx.number(0);
    ++m_ctx.pc;
    if (condition != 0) return;
    m_ctx.pc = cachedScan(conditionLine, true);
}

// anders … eindals, reached at the end of the true branch: skips the false one
void Executor::elseBlock() {
    m_ctx.pc = cachedScan(m_ctx.pc - 1, false);
}

// The scan of a skipped block starts right after `keyLine`, so its result is that line's.
std::size_t Executor::cachedScan(std::size_t keyLine, bool stopAtElse) const {
    std::uint32_t& jump = m_program.cache(keyLine).jump[stopAtElse ? 0 : 1];
    if (jump != CompiledProgram::kNoJump) return jump;
    const std::size_t target = scanBlock(keyLine + 1, stopAtElse);
    // A program too long for the short form is scanned every time.
    if (target < CompiledProgram::kNoJump) jump = static_cast<std::uint32_t>(target);
    return target;
}

// The index after the line that ends a skipped block: the matching "eindals", an "anders" at
// the outer level (when wanted) or an empty line.
std::size_t Executor::scanBlock(std::size_t from, bool stopAtElse) const {
    int level = 1;
    const auto& lines = m_program.lines();
    for (std::size_t i = from; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (text.empty()) return i + 1;
        if (text == "als") {
            ++level;
        } else if (text == "eindals") {
            if (--level == 0) return i + 1;
        } else if (stopAtElse && level <= 1 && text == "anders") {
            return i + 1;
        }
    }
    return lines.size();
}

// ---- Procedures -------------------------------------------------------------------------------

// proc name[(argument;…)], running defproc name[(parameter;…)] … eindproc
void Executor::callProcedure() {
    if (m_mainEnd == 0) {
        m_ctx.fail(kEndNotFound);
        return;
    }
    if (static_cast<int>(m_frames.size()) + 1 >= kMaxProcedureDepth) {
        m_ctx.fail(tooManyProceduresMessage(kMaxProcedureDepth));
        return;
    }
    const std::string name = m_ctx.arg(0);
    const std::size_t definition = findDefinition(name);
    if (definition == std::string::npos) {
        m_ctx.fail(procedureNotFoundMessage(name));
        return;
    }
    Frame frame;
    bindArguments(frame, definition + 2, m_ctx.pc + 1);
}

std::size_t Executor::findDefinition(const std::string& name) const {
    const auto& lines = m_program.lines();
    for (std::size_t i = m_mainEnd + 1; i + 1 < lines.size(); ++i) {
        if (lines[i].empty()) break;
        if (lines[i] == "defproc" && lines[i + 1] == name) return i;
    }
    return std::string::npos;
}

// Pairs parameter lines with argument lines until either reaches "#" or the frame is full;
// every argument is evaluated before any parameter is written.
void Executor::bindArguments(Frame& frame, std::size_t param, std::size_t arg) {
    Parser& first = m_env.parsers[0];
    std::vector<Number> values;
    while (m_ctx.line(param) != "#" && m_ctx.line(arg) != "#" && param < m_program.size() &&
           arg < m_program.size() && frame.names.size() < kMaxFrameNames) {
        const std::string& parameter = m_ctx.line(param);
        const std::string& argument = m_ctx.line(arg);
        if (startsWith(parameter, '^')) {
            const std::string name = parameter.substr(1);
            if (argument != name) {
                frame.names.push_back({name, BindingKind::Reference, argument, 0});
                values.push_back(first.getVariable(argument));
            }
        } else {
            const Number value = m_ctx.evaluateLine(arg);
            frame.names.push_back({parameter, BindingKind::Value, {}, 0});
            values.push_back(value);
        }
        ++param;
        ++arg;
    }
    for (std::size_t i = 0; i < frame.names.size(); ++i) {
        frame.names[i].saved = first.getVariable(frame.names[i].name);
        m_env.setVariable(frame.names[i].name, values[i], Environment::kParsers);
    }
    frame.returnIndex = arg;
    m_frames.push_back(std::move(frame));
    m_ctx.pc = param;
}

// local(name;…)
void Executor::declareLocals() {
    if (m_frames.empty()) {
        m_ctx.fail(kLocalOutsideProcedure);
        return;
    }
    Frame& frame = m_frames.back();
    for (; !m_ctx.finished() && m_ctx.line(m_ctx.pc) != "#"; ++m_ctx.pc) {
        if (frame.names.size() >= kMaxFrameNames) {
            m_ctx.fail(tooManyFrameNamesMessage(kMaxFrameNames));
            return;
        }
        const std::string& name = m_ctx.line(m_ctx.pc);
        frame.names.push_back({name, BindingKind::Local, {}, m_env.parsers[0].getVariable(name)});
        m_env.setVariable(name, 0, Environment::kParsers);
    }
    if (!m_ctx.finished()) ++m_ctx.pc;
}

// eindproc: restores the names of the frame and writes back the "^" parameters
void Executor::endProc() {
    if (m_frames.empty()) {
        m_ctx.fail(kEndProcWithoutProcedure);
        return;
    }
    Frame frame = std::move(m_frames.back());
    m_frames.pop_back();
    std::vector<Number> values;
    for (const Binding& b : frame.names)
        values.push_back(m_env.parsers[0].getVariable(b.name));
    for (const Binding& b : frame.names)
        m_env.setVariable(b.name, b.saved, Environment::kParsers);
    for (std::size_t i = 0; i < frame.names.size(); ++i) {
        if (frame.names[i].kind == BindingKind::Reference)
            m_env.setVariable(frame.names[i].callerVariable, values[i], Environment::kParsers);
    }
    m_ctx.pc = frame.returnIndex;
}

// ---- Assignments ------------------------------------------------------------------------------

// target := expression, as maak, target, expression
void Executor::assign() {
    const std::size_t targetLine = m_ctx.pc;
    const Number value = m_ctx.evaluateLine(targetLine + 1);
    m_ctx.pc += 2;
    const std::uint64_t generation = m_env.parsers[0].generation() + m_env.parsers[1].generation() +
                                     m_env.parsers[2].generation();
    // Only plain variable targets are cached, so a valid cache needs no look at the text.
    CompiledProgram::LineCache* cache =
        targetLine < m_program.size() ? &m_program.cache(targetLine) : nullptr;
    if (cache && cache->target && cache->target->generation == generation) {
        for (Number* cell : cache->target->cells)
            *cell = value;
        return;
    }
    const std::string& written = m_ctx.line(targetLine);
    if (startsWith(written, '$') || startsWith(written, '?')) {
        const std::string target = m_ctx.preprocess(written);
        if (target.find('(') != std::string::npos)
            assignListElement(target, value);
        else
            m_ctx.setNumber(target, value);
        return;
    }
    if (written.find('(') != std::string::npos) {
        assignListElement(written, value);
        return;
    }
    std::array<Number*, 3> cells{};
    for (int i = 0; i < 3; ++i)
        cells[i] = m_env.parsers[i].setVariable(written, value);
    if (!cache) return;
    if (!cache->target) cache->target = std::make_unique<CompiledProgram::TargetCells>();
    cache->target->cells = cells;
    cache->target->generation = m_env.parsers[0].generation() + m_env.parsers[1].generation() +
                                m_env.parsers[2].generation();
}

void Executor::assignListElement(const std::string& target, Number value) {
    const std::size_t open = target.find('(');
    const std::size_t close = target.rfind(')');
    const std::string name = target.substr(0, open);
    const std::string indexText =
        target.substr(open + 1, close == std::string::npos || close < open ? std::string::npos
                                                                           : close - open - 1);
    const Number index = std::nearbyint(m_ctx.evaluate(indexText));
    const bool inRange = index >= 1 && index <= NumberLists::kSize;
    const char first = name.empty() ? '\0' : name[0];
    const char second = name.size() < 2 ? '\0' : name[1];
    if (inRange && first == 'L' && second >= '1' && second <= '6') {
        m_env.lists.set(second - '0', static_cast<std::int64_t>(index), value);
    } else if (inRange && first == 'L') {
        m_env.host.messageBox(kApplicationTitle, invalidListMessage(std::string("L") + second),
                              Host::Icon::None);
    } else {
        m_env.host.messageBox(
            kApplicationTitle,
            invalidIndexMessage(formatGeneral(index), first ? std::string(1, first) : ""),
            Host::Icon::None);
    }
}

// inc(name;amount)
void Executor::increment() {
    const std::string name = m_ctx.text(0);
    const std::string& amountText = m_ctx.arg(1);
    m_ctx.pc += 2;
    Number amount = 0;
    if (!parseNumber(amountText, amount))
        throw std::runtime_error("'" + amountText + "' is not a valid floating point value");
    m_ctx.setNumber(name, m_env.parsers[0].getVariable(name) + amount);
}

}  // namespace kalvor
