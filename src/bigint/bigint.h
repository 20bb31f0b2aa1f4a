#pragma once

#include <gmp.h>

#include <compare>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "bigint/progress.h"

namespace kalvor {

/// Source of Miller-Rabin bases for the probable-prime test; each call returns the next base,
/// meant to lie in 2 .. 999998 (values outside are clamped into that range).
using PrimeBases = std::function<std::uint32_t()>;

/// Uniformly random bases from a generator seeded with `seed`, for reproducible tests.
PrimeBases randomPrimeBases(std::uint64_t seed);

/// The separator the program writes between groups of three digits.
inline constexpr std::string_view kThousandsSeparator = ".";

/// An arbitrary-precision signed integer, changed in place: almost every operation acts on
/// the object it is called on (x := x op y), which is how the calculator window and the
/// program registers use it. Division, remainders, roots and the special operations follow
/// the program's own rules (see each function), which differ from plain GMP in places.
/// Owns one GMP integer.
class BigInt {
public:
    /// Results beyond this many bits are refused (x unchanged) instead of exhausting memory.
    static constexpr std::uint64_t kMaxBits = std::uint64_t{1} << 30;
    /// factorial and permutations leave x unchanged from this value on.
    static constexpr std::int64_t kProductLimit = 2147483647;

    BigInt();
    explicit BigInt(std::int64_t value);
    explicit BigInt(std::string_view text);
    BigInt(const BigInt& other);
    BigInt(BigInt&& other) noexcept;
    BigInt& operator=(const BigInt& other);
    BigInt& operator=(BigInt&& other) noexcept;
    ~BigInt();

    void setValue(std::int64_t value);
    /// Lenient decimal reading: every digit counts, every other character is ignored, a "-"
    /// anywhere makes the value negative; a text without digits is 0.
    void setText(std::string_view text);

    /// Decimal text: "0", or an optional "-" and the digits without leading zeros.
    std::string toString() const;
    /// Decimal text with `separator` between groups of three digits counted from the right.
    std::string toString(std::string_view separator) const;
    /// False (value untouched) when |x| > 2^63 - 2.
    bool toInt64(std::int64_t& value) const;

    /// -1, 0 or +1 by signed value.
    int compare(const BigInt& y) const;
    int compare(std::int64_t n) const;
    /// -1, 0 or +1 by magnitude.
    int compareAbs(const BigInt& y) const;
    friend bool operator==(const BigInt& a, const BigInt& b) { return a.compare(b) == 0; }
    friend std::strong_ordering operator<=>(const BigInt& a, const BigInt& b) {
        return a.compare(b) <=> 0;
    }

    int sign() const;
    bool isZero() const;
    /// Whether the magnitude is odd.
    bool isOdd() const;
    /// Number of bits of the magnitude; 0 for zero.
    std::uint64_t bitLength() const;
    void negate();
    void setZero();
    void setOne();

    void add(const BigInt& y);
    void add(std::int64_t n);
    void subtract(const BigInt& y);
    void subtract(std::int64_t n);
    /// False (x unchanged) when the product could exceed kMaxBits.
    bool multiply(const BigInt& y);
    bool multiply(std::int64_t n);
    bool square();

    /// Quotient truncated toward zero. By 0: x unchanged. See divideWithRemainder.
    void divide(const BigInt& y);
    /// The remainder of divideWithRemainder; x mod 0 = 0.
    void modulo(const BigInt& y);
    /// x := quotient, r := remainder. The quotient is truncated toward zero; the remainder
    /// is computed on the magnitudes and takes the quotient's sign. Before that rule:
    /// y = 0 and y = 1 give x unchanged with r = 0; y = +2 halves x keeping its sign with
    /// r = the lowest bit of |x|; |y| > |x| gives 0 with r = x.
    void divideWithRemainder(const BigInt& y, BigInt& r);

    /// x := x^n; n = 0 gives 1, n < 0 gives 0. False (x unchanged) beyond kMaxBits.
    bool power(std::int64_t n);
    /// x := x^e reduced by modulo(m) after every multiplication and squaring. e = 0 gives
    /// 1; e < 0 or m = 0 leave x unchanged.
    void modPower(const BigInt& e, const BigInt& m);
    /// x := gcd(|x|, |y|).
    void gcd(const BigInt& y);
    /// x := the inverse of x modulo |m| in 0 .. |m| - 1, or 0 when none exists (also for
    /// m = 0).
    void modInverse(const BigInt& m);
    /// x := floor of the n-th root of x; 0 when n < 2 or x <= 0.
    void nthRoot(std::int64_t n);
    void squareRoot();

    /// x := x!, 0! = 1; x unchanged (false) when x < 0 or x >= kProductLimit, when the
    /// result would exceed kMaxBits, or when `progress` cancels. `progress` is asked after
    /// every halving step of the computation.
    bool factorial(const Progress& progress = {});
    /// x := x (x - 1) ... (x - r + 1); 1 when r = 0, 0 when x < r. Unchanged (false) when
    /// x < 0, x >= kProductLimit or r < 0, beyond kMaxBits, or when cancelled.
    bool permutations(std::int64_t r, const Progress& progress = {});
    /// x := x! / (r! (x - r)!), through permutations of the smaller of r and x - r; 0 when
    /// r > x. Unchanged (false) in the cases of permutations.
    bool combinations(std::int64_t r, const Progress& progress = {});

    /// Probable-prime test of the program: decimal last-digit rules and small divisors,
    /// trial division below 10^6, above that ten Miller-Rabin rounds with bases from
    /// `bases`. Values <= 0 are not prime.
    bool isProbablePrime(const PrimeBases& bases) const;
    /// As above with the process's own random generator.
    bool isProbablePrime() const;

    /// The underlying GMP value, for the factor searches and GMP-aware callers.
    mpz_srcptr get() const { return m_value; }
    mpz_ptr get() { return m_value; }

private:
    mpz_t m_value;
};

std::ostream& operator<<(std::ostream& out, const BigInt& value);

}  // namespace kalvor
