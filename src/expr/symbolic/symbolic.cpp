#include "expr/symbolic/symbolic.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "expr/parser.h"
#include "expr/symbolic/symbolic_command.h"
#include "expr/symbolic/symbolic_formula.h"
#include "expr/symbolic/symbolic_giac.h"
#include "expr/symbolic/symbolic_reader.h"
#include "expr/symbolic/symbolic_runner.h"

namespace kalvor {

namespace {

// How long an interrupted computation gets to stop before we stop waiting for it.
constexpr std::chrono::milliseconds kGrace{1000};

SymbolicAnswer errorAnswer(const std::string& message) {
    return {"fout: " + message, true};
}

std::string secondsText(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " s";
    return std::to_string(ms) + " ms";
}

Number standIn(void*, Number) {
    return 0;
}
Number standIn2(void*, Number, Number) {
    return 0;
}

/// Functions our answers may use beyond the parser's standard set. The workbench's parsers
/// get them from the function library; for checking that an answer compiles, stand-ins do.
constexpr const char* kLibraryFunctions[] = {"ARCSIN", "ARCCOS", "ERF"};
constexpr const char* kLibraryFunctions2[] = {"ROOT"};

void collectVariables(const SymNode& n, std::vector<std::string>& names) {
    if (n.kind == SymNode::Kind::Variable) names.push_back(n.text);
    for (const SymNode& arg : n.args)
        collectVariables(arg, names);
}

/// A parser message short enough for an answer, on one line.
std::string shortMessage(std::string text) {
    constexpr size_t kMaxMessage = 120;
    std::replace(text.begin(), text.end(), '\r', ' ');
    if (text.size() > kMaxMessage) text = text.substr(0, kMaxMessage) + "...";
    return text;
}

/// The outcome of one library evaluation, shared with its thread, which may outlive the call.
struct Evaluation {
    std::optional<SymNode> answer;
    std::string failure;
};

}  // namespace

std::string calculateSymbolic(std::string_view command, const SymbolicLibraryCall& library) {
    std::array<char, kSymbolicAnswerSize> buffer{};
    const std::string text(command);
    const long long count = std::llabs(
        static_cast<long long>(library(text.c_str(), buffer.data(), kSymbolicAnswerSize)));
    return std::string(buffer.data(),
                       static_cast<size_t>(std::min<long long>(count, buffer.size())));
}

struct SymbolicEngine::Impl {
    std::shared_ptr<GiacSession> session = std::make_shared<GiacSession>();
    TimedRunner runner;
    Parser checker;

    explicit Impl(std::chrono::milliseconds timeLimit)
        : runner({timeLimit, kGrace}, &GiacSession::interrupt, &GiacSession::clearInterrupt) {
        for (const char* name : kLibraryFunctions)
            checker.addFunctionOneParam(name, standIn);
        for (const char* name : kLibraryFunctions2)
            checker.addFunctionTwoParam(name, standIn2);
    }

    /// The answer as a formula, refused when our parser would not compile it (too deeply
    /// nested, too many operations on one level).
    SymbolicAnswer formula(const SymNode& answer) {
        const std::string text = toFormulaText(answer);
        // A cut answer would be another formula, not an error.
        if (text.size() > static_cast<size_t>(kSymbolicAnswerSize)) {
            return errorAnswer("het antwoord is langer dan " + std::to_string(kSymbolicAnswerSize) +
                               " tekens");
        }
        std::vector<std::string> names;
        collectVariables(answer, names);
        for (const std::string& name : names) {
            if (!checker.variableExists(name)) checker.setVariable(name, 0);
        }
        try {
            checker.compile(text);
        } catch (const TooManyNestings&) {
            return errorAnswer("het antwoord is te ingewikkeld voor een formule");
        } catch (const ExpressionTooComplex&) {
            return errorAnswer("het antwoord is te ingewikkeld voor een formule");
        } catch (const ParserError& e) {
            return errorAnswer("het antwoord is geen geldige formule: " + shortMessage(e.what()));
        }
        return {text, false};
    }

    SymbolicAnswer evaluate(const std::string& libraryText) {
        auto evaluation = std::make_shared<Evaluation>();
        auto job = [session = session, evaluation, libraryText] {
            try {
                evaluation->answer = session->evaluate(libraryText);
            } catch (const SymbolicFailure& e) {
                evaluation->failure = e.what();
            } catch (const std::exception& e) {
                evaluation->failure = std::string("de berekening lukte niet: ") + e.what();
            }
        };
        switch (runner.run(job)) {
            case TimedRunner::Outcome::Busy:
                return errorAnswer("een eerdere berekening loopt nog; probeer het zo opnieuw");
            case TimedRunner::Outcome::TimedOut:
                return errorAnswer("de berekening duurde langer dan " +
                                   secondsText(runner.limits().time) + " en is afgebroken");
            case TimedRunner::Outcome::Finished:
                break;
        }
        if (!evaluation->answer) return errorAnswer(evaluation->failure);
        return formula(*evaluation->answer);
    }
};

SymbolicEngine::SymbolicEngine(std::chrono::milliseconds timeLimit)
    : m_impl(std::make_unique<Impl>(timeLimit)) {}

SymbolicEngine::~SymbolicEngine() = default;

SymbolicAnswer SymbolicEngine::answer(std::string_view command) {
    try {
        return m_impl->evaluate(toSymbolicLibraryText(readSymbolicCommand(command)));
    } catch (const SymbolicFailure& e) {
        return errorAnswer(e.what());
    } catch (const std::exception& e) {
        return errorAnswer(std::string("de berekening lukte niet: ") + e.what());
    }
}

int SymbolicEngine::calculateInto(const char* command, char* buffer, int size) {
    const SymbolicAnswer a = answer(command != nullptr ? command : "");
    const int count = std::clamp(static_cast<int>(a.text.size()), 0, std::max(size, 0));
    if (count > 0) std::memcpy(buffer, a.text.data(), static_cast<size_t>(count));
    return a.error ? -count : count;
}

std::string SymbolicEngine::calculate(std::string_view command) {
    return calculateSymbolic(command, [this](const char* c, char* buffer, int size) {
        return calculateInto(c, buffer, size);
    });
}

}  // namespace kalvor
