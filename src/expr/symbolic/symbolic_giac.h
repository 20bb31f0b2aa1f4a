#pragma once

#include <memory>
#include <string>

#include "expr/symbolic/symbolic_tree.h"

namespace kalvor {

/// One context of the symbolic library (Giac): evaluates command texts in the library's
/// syntax and returns the answers as trees. The only file that includes the library's
/// headers. Evaluations run one at a time; the library writes nothing to our streams.
class GiacSession {
public:
    GiacSession();
    ~GiacSession();
    GiacSession(const GiacSession&) = delete;
    GiacSession& operator=(const GiacSession&) = delete;

    /// The evaluated answer; variables lose kSymbolicVariablePrefix, and a name without it
    /// (one the library made up) is refused. Throws SymbolicFailure when the library fails,
    /// is interrupted, or answers with something that is not an expression (a list, a
    /// complex number, an error text).
    SymNode evaluate(const std::string& libraryText);

    /// Asks the evaluation running on another thread to stop as soon as it can. The library
    /// does not look at this flag inside every algorithm, so it may finish much later.
    static void interrupt();
    /// Clears the stop request; done before every evaluation and after an interrupted one.
    static void clearInterrupt();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kalvor
