#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "bigint/bigint.h"
#include "bigint/progress.h"

namespace kalvor {

/// The lines the factorisation writes, one call per line.
using LineWriter = std::function<void(const std::string& line)>;

/// What the factorisation needs from outside: where its lines go, whether to go on, and the
/// last resort for a composite that its own searches cannot split.
struct FactorisationHooks {
    LineWriter write;
    /// Asked often; false ends the factorisation where it stands.
    Progress progress;
    /// Hands a composite to an outside factoring program, which writes its own lines.
    /// Empty: the composite is written as not factored.
    std::function<void(const BigInt& composite, const LineWriter& write)> outside;
    /// Budget of the first Pollard rho round; every later round has 5 seconds less.
    std::chrono::seconds firstRhoBudget{20};
    /// Bases of the probable-prime tests; empty uses a generator of its own.
    PrimeBases bases;
};

/// The calculator's "factor": small divisors up to 200 000 written as "d^e", a perfect power
/// of what remains as "r^e" (a composite r is then split further), then Fermat's method, Pollard's
/// rho with shrinking time budgets and at last the outside program for what remains; probable
/// primes are written as they are found, "klaar" at the end. A negative number is written as "-1"
/// and its magnitude. False when cancelled (no "klaar" then).
bool factorise(const BigInt& x, FactorisationHooks hooks);

/// The line of a composite that remained unsplit.
std::string unfactoredLine(const BigInt& composite);

}  // namespace kalvor
