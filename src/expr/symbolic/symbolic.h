#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kalvor {

/// Size of the answer buffer of a symbolic library call: longer answers are cut.
inline constexpr int kSymbolicAnswerSize = 1000;

/// A symbolic library call: writes the answer to the command into `buffer` (at most `size`
/// characters, no terminator needed) and returns the number of characters written, negated
/// when the answer reports an error.
using SymbolicLibraryCall = std::function<int(const char* command, char* buffer, int size)>;

/// The binding to a symbolic library: calls it with a buffer of kSymbolicAnswerSize and
/// returns the first |count| characters; the sign is dropped, so an error answer arrives as
/// text like any other.
std::string calculateSymbolic(std::string_view command, const SymbolicLibraryCall& library);

/// An answer with its error flag, for callers that need to tell errors apart.
struct SymbolicAnswer {
    std::string text;
    bool error = false;
};

/// Symbolic derivatives, antiderivatives, substitution and the other commands of the
/// symbolic library, on formula texts in our syntax: "diff(e,v)", "diff(e,v,n)",
/// "int(e,v)", "int(e,v,a,b)", "subst(e,s,r)", and library commands such as "factor(e)".
/// A successful answer is a formula our parser compiles, at most kSymbolicAnswerSize
/// characters; anything else (a command or function it does not know, an answer that is no
/// formula, a computation over the time limit) is an error answer, a short Dutch text that
/// starts with "fout: ". Owns one library context, the workbench's one.
class SymbolicEngine {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{5000};

    explicit SymbolicEngine(std::chrono::milliseconds timeLimit = kDefaultTimeLimit);
    ~SymbolicEngine();
    SymbolicEngine(const SymbolicEngine&) = delete;
    SymbolicEngine& operator=(const SymbolicEngine&) = delete;

    SymbolicAnswer answer(std::string_view command);

    /// The library call for this engine (see SymbolicLibraryCall).
    int calculateInto(const char* command, char* buffer, int size);

    /// calculateSymbolic over this engine: the answer text, an error answer included.
    std::string calculate(std::string_view command);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kalvor
