#pragma once

#include <QString>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "bigint/bigint.h"
#include "bigint/factorisation.h"
#include "bigint/progress.h"

namespace kalvor {

/// The outside factoring program: msieve when it is on the PATH, else PARI/GP's gp.
struct FactoringProgram {
    enum class Kind { Msieve, Gp };
    Kind kind;
    QString path;
    /// "msieve" or "gp", as the lines name it.
    std::string name() const { return kind == Kind::Msieve ? "msieve" : "gp"; }
};

std::optional<FactoringProgram> findFactoringProgram();

/// A prime power of an outside factorisation.
struct FactorPower {
    BigInt prime;
    int exponent = 1;
};

/// How a run of the outside program ended; factors are set only with Factored, and then
/// multiply to the number.
struct OutsideFactorisation {
    enum class Status { Factored, NoProgram, TimedOut, Cancelled, Failed, WrongResult };
    Status status = Status::Failed;
    std::vector<FactorPower> factors;
    /// The private folder the program ran in (gone afterwards).
    std::string folder;
};

inline constexpr std::chrono::milliseconds kOutsideTimeLimit = std::chrono::minutes(2);

/// Runs `program` on n (> 1) without a shell, the number as data, in a private temporary
/// folder, at most `limit`; `progress` is asked several times a second and may cancel. The
/// program's answer is believed only when every factor is above 1 and their product is n.
OutsideFactorisation factorOutside(const FactoringProgram& program, const BigInt& n,
                                   const Progress& progress,
                                   std::chrono::milliseconds limit = kOutsideTimeLimit);

/// The factors an outside program printed: msieve's "p20: 123…" / "prp45: …" lines, or gp's
/// "prime exponent" lines. Lines of any other form are skipped.
std::vector<FactorPower> parseFactoringOutput(FactoringProgram::Kind kind, const std::string& text);

/// The factorisation's last resort through the program found on this machine: writes the
/// announcement lines, then the factors ("p" or "p^e") or why there are none.
void factorWithOutsideProgram(const BigInt& n, const LineWriter& write, const Progress& progress);

}  // namespace kalvor
