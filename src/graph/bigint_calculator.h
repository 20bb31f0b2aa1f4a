#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bigint/bigint.h"
#include "bigint/factorisation.h"
#include "bigint/progress.h"

namespace kalvor {

/// The buttons of the big-integer calculator that compute.
enum class BigIntOperation {
    Add,
    Subtract,
    Multiply,
    Divide,
    Modulo,
    Factorial,
    Combinations,
    Permutations,
    Power,
    ModPower,
    SquareRoot,
    Square,
    NthRoot,
    Gcd,
    Inverse,
    PrimeTest,
    Factor
};

/// The operand fields x, y and z as typed.
struct BigIntOperands {
    std::string x, y, z;
};

/// A computation read from the fields and ready to run on any thread: it owns its operands.
struct BigIntTask {
    /// Returns the result text for the memo (Factor: writes lines instead and returns
    /// nothing); std::nullopt when cancelled.
    using Work = std::function<std::optional<std::string>(const Progress&, const LineWriter&)>;

    BigIntOperation operation;
    Work work;
    /// What the memo shows while the work runs (may be empty).
    std::string busyText;
    /// Shown in a box before the work starts ("Input truncated to 15000").
    std::string notice;
    /// The lines of "factor" are appended to the memo; the other results replace it.
    bool appends() const { return operation == BigIntOperation::Factor; }
};

/// The limit of "x!" and its message.
inline constexpr std::int64_t kFactorialLimit = 15000;
inline constexpr std::string_view kFactorialTruncated = "Input truncated to 15000";
inline constexpr std::string_view kFactorialHint = "Factorials limited to 3000!";
inline constexpr std::string_view kTooManyDigits =
    "aantal cijfers kan te groot zijn om correct weer te geven";

/// A field that should hold a 32-bit whole number and does not.
struct NotAnInteger {
    std::string message;
};

/// The big-integer calculator without its window: reads the fields into tasks, keeps the
/// memory register (which outlives the window), and copies answers. Operand texts are read
/// leniently (non-digits ignored); the fields read as 32-bit numbers throw NotAnInteger.
class BigIntCalculator {
public:
    /// The last resort of "factor" for a composite; by default the outside program.
    using Outside = std::function<void(const BigInt&, const LineWriter&, const Progress&)>;

    explicit BigIntCalculator(Outside outside = {});

    /// Throws NotAnInteger for a 32-bit field that is no whole number.
    BigIntTask prepare(BigIntOperation operation, const BigIntOperands& operands) const;

    /// "antwoord kopieren naar": only the digits of the answer text remain.
    static std::string answerDigits(std::string_view memoText);
    const std::string& memory() const { return m_memory; }
    void setMemory(std::string text) { m_memory = std::move(text); }

    /// Budget of the first Pollard rho round of "factor".
    std::chrono::seconds firstRhoBudget{20};

private:
    Outside m_outside;
    std::string m_memory;
};

/// The 32-bit reading of a field: optional blanks and sign around decimal digits.
std::optional<std::int32_t> readInt32(std::string_view text);

/// A long product result with separators, as "x nCr y" and "x nPr y" show it: without them
/// past 48 000 digits, and with the warning line past 64 000.
std::string longResultText(const BigInt& value);

}  // namespace kalvor
