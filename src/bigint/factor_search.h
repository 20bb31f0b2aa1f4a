#pragma once

#include <chrono>

#include "bigint/bigint.h"
#include "bigint/progress.h"

namespace kalvor {

/// How a factor search ended; x is replaced only with Found.
enum class FactorOutcome { Found, ProbablePrime, NotFound, TimedOut, Cancelled };

/// Limits and hooks of findFactor.
struct FactorSearchOptions {
    /// Wall-clock budget of Pollard's rho.
    std::chrono::steady_clock::duration timeBudget = std::chrono::seconds(20);
    /// Asked after every rho step; wrap a costly callback in throttled().
    Progress progress;
    /// Bases for the probable-prime test; empty uses the process's random generator.
    PrimeBases bases;
};

/// Looks for a nontrivial factor of x > 1 and makes it the new x: 2 for an even x, else the
/// first odd trial divisor below 40 000, else whatever Pollard's rho (v^2 + 3, started at 2)
/// finds within the time budget. A probable prime, x < 2, a rho cycle, the time limit or a
/// cancellation leave x unchanged.
FactorOutcome findFactor(BigInt& x, const FactorSearchOptions& options = {});

/// Fermat's method: x := a - b for the first a from isqrt(x) on (at most 50 000 values past
/// it) with a^2 - x = b^2; a perfect square gives its root. The factor can be 1 for a prime.
/// x <= 0, no success or a cancellation (asked every 1000 values) leave x unchanged.
FactorOutcome fermatFactor(BigInt& x, const Progress& progress = {});

}  // namespace kalvor
