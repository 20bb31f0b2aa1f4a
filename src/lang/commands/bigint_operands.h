#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "bigint/bigint.h"
#include "bigint/progress.h"

namespace kalvor {

class RunContext;

// How the big-integer commands, the "#" test forms and schrijf read their arguments. A
// function that returns nothing has shown a Dutch message and ended the run.

/// The register named by `line`: "#" and a letter, in either case, anything after ignored.
BigInt* namedRegister(RunContext& ctx, std::string_view line);

/// An operand of a command: the register when the line contains "#", else the preprocessed
/// line read leniently as decimal text (every digit counts, a "-" makes it negative).
std::optional<BigInt> commandOperand(RunContext& ctx, std::string_view line);

/// An operand of a test form: a register only when the text begins with "#".
std::optional<BigInt> testOperand(RunContext& ctx, std::string_view text);

/// Argument line `k` evaluated and truncated toward zero; NaN, infinities and values outside
/// the 64-bit range end the run with a message.
std::optional<std::int64_t> wholeArgument(RunContext& ctx, int k);

/// Ends the run with the message that the result in `registerLine` would grow too large.
void refuseTooLarge(RunContext& ctx, std::string_view registerLine);

/// The progress of one long operation: processes the window's events now and then and
/// cancels once Escape has set the abort flag.
class RunProgress {
public:
    explicit RunProgress(RunContext& ctx);
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;
    const Progress& progress() const { return m_progress; }
    bool cancelled() const { return m_cancelled; }

private:
    bool m_cancelled = false;
    Progress m_progress;
};

}  // namespace kalvor
