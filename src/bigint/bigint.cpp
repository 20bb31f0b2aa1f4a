#include "bigint/bigint.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>

namespace kalvor {

static_assert(sizeof(long) == sizeof(std::int64_t), "GMP's long must hold a 64-bit integer");

namespace {

int unitSign(int value) {
    return (value > 0) - (value < 0);
}

std::uint64_t magnitude(std::int64_t n) {
    return n < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

// Quotient and remainder under the program's division rules; q and r must be distinct
// objects from x and y. The shortcuts for 0, 1 and +2 come first, then |y| > |x|, then the
// general rule: truncated quotient, remainder on the magnitudes with the quotient's sign.
void divideByRules(mpz_ptr q, mpz_ptr r, mpz_srcptr x, mpz_srcptr y) {
    if (mpz_sgn(y) == 0 || mpz_cmp_ui(y, 1) == 0) {
        mpz_set(q, x);
        mpz_set_ui(r, 0);
    } else if (mpz_cmp_ui(y, 2) == 0) {
        mpz_tdiv_q_2exp(q, x, 1);
        mpz_set_ui(r, mpz_odd_p(x) ? 1 : 0);
    } else if (mpz_cmpabs(y, x) > 0) {
        mpz_set_ui(q, 0);
        mpz_set(r, x);
    } else {
        mpz_tdiv_qr(q, r, x, y);
        if (mpz_sgn(r) != mpz_sgn(q)) mpz_neg(r, r);
    }
}

}  // namespace

BigInt::BigInt() {
    mpz_init(m_value);
}

BigInt::BigInt(std::int64_t value) {
    mpz_init_set_si(m_value, value);
}

BigInt::BigInt(std::string_view text) : BigInt() {
    setText(text);
}

BigInt::BigInt(const BigInt& other) {
    mpz_init_set(m_value, other.m_value);
}

// GMP allocates nothing for a freshly initialised integer, so moving cannot fail.
BigInt::BigInt(BigInt&& other) noexcept {
    mpz_init(m_value);
    mpz_swap(m_value, other.m_value);
}

BigInt& BigInt::operator=(const BigInt& other) {
    mpz_set(m_value, other.m_value);
    return *this;
}

BigInt& BigInt::operator=(BigInt&& other) noexcept {
    mpz_swap(m_value, other.m_value);
    return *this;
}

BigInt::~BigInt() {
    mpz_clear(m_value);
}

void BigInt::setValue(std::int64_t value) {
    mpz_set_si(m_value, value);
}

void BigInt::setText(std::string_view text) {
    std::string digits;
    bool negative = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c == '-') {
            negative = true;
        }
    }
    if (digits.empty()) {
        setZero();
        return;
    }
    mpz_set_str(m_value, digits.c_str(), 10);
    if (negative) mpz_neg(m_value, m_value);
}

std::string BigInt::toString() const {
    std::string text(mpz_sizeinbase(m_value, 10) + 2, '\0');
    mpz_get_str(text.data(), 10, m_value);
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string BigInt::toString(std::string_view separator) const {
    const std::string plain = toString();
    const std::size_t start = plain.front() == '-' ? 1 : 0;
    const std::size_t digits = plain.size() - start;
    std::string text = plain.substr(0, start);
    for (std::size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) text += separator;
        text += plain[start + i];
    }
    return text;
}

bool BigInt::toInt64(std::int64_t& value) const {
    constexpr long limit = std::numeric_limits<long>::max() - 1;
    if (!mpz_fits_slong_p(m_value)) return false;
    const long v = mpz_get_si(m_value);
    if (v > limit || v < -limit) return false;
    value = v;
    return true;
}

int BigInt::compare(const BigInt& y) const {
    return unitSign(mpz_cmp(m_value, y.m_value));
}

int BigInt::compare(std::int64_t n) const {
    return unitSign(mpz_cmp_si(m_value, n));
}

int BigInt::compareAbs(const BigInt& y) const {
    return unitSign(mpz_cmpabs(m_value, y.m_value));
}

int BigInt::sign() const {
    return mpz_sgn(m_value);
}

bool BigInt::isZero() const {
    return mpz_sgn(m_value) == 0;
}

bool BigInt::isOdd() const {
    return mpz_odd_p(m_value);
}

std::uint64_t BigInt::bitLength() const {
    return isZero() ? 0 : mpz_sizeinbase(m_value, 2);
}

void BigInt::negate() {
    mpz_neg(m_value, m_value);
}

void BigInt::setZero() {
    mpz_set_ui(m_value, 0);
}

void BigInt::setOne() {
    mpz_set_ui(m_value, 1);
}

void BigInt::add(const BigInt& y) {
    mpz_add(m_value, m_value, y.m_value);
}

void BigInt::add(std::int64_t n) {
    if (n >= 0) {
        mpz_add_ui(m_value, m_value, static_cast<unsigned long>(n));
    } else {
        mpz_sub_ui(m_value, m_value, magnitude(n));
    }
}

void BigInt::subtract(const BigInt& y) {
    mpz_sub(m_value, m_value, y.m_value);
}

void BigInt::subtract(std::int64_t n) {
    if (n >= 0) {
        mpz_sub_ui(m_value, m_value, static_cast<unsigned long>(n));
    } else {
        mpz_add_ui(m_value, m_value, magnitude(n));
    }
}

// A product of a- and b-bit factors has at least a + b - 1 bits.
static bool productTooLarge(std::uint64_t a, std::uint64_t b) {
    return a > 0 && b > 0 && a + b - 1 > BigInt::kMaxBits;
}

bool BigInt::multiply(const BigInt& y) {
    if (productTooLarge(bitLength(), y.bitLength())) return false;
    mpz_mul(m_value, m_value, y.m_value);
    return true;
}

bool BigInt::multiply(std::int64_t n) {
    if (productTooLarge(bitLength(), std::bit_width(magnitude(n)))) return false;
    mpz_mul_si(m_value, m_value, n);
    return true;
}

bool BigInt::square() {
    if (productTooLarge(bitLength(), bitLength())) return false;
    mpz_mul(m_value, m_value, m_value);
    return true;
}

void BigInt::divideWithRemainder(const BigInt& y, BigInt& r) {
    BigInt quotient;
    BigInt remainder;
    divideByRules(quotient.m_value, remainder.m_value, m_value, y.m_value);
    *this = std::move(quotient);
    r = std::move(remainder);
}

void BigInt::divide(const BigInt& y) {
    BigInt remainder;
    divideWithRemainder(y, remainder);
}

void BigInt::modulo(const BigInt& y) {
    BigInt quotient(*this);
    quotient.divideWithRemainder(y, *this);
}

bool BigInt::power(std::int64_t n) {
    if (n < 0) {
        setZero();
        return true;
    }
    if (n == 0) {
        setOne();
        return true;
    }
    if (mpz_cmpabs_ui(m_value, 1) > 0) {
        long exponent = 0;
        const double mantissa = std::fabs(mpz_get_d_2exp(&exponent, m_value));
        const double bits =
            static_cast<double>(n) * (static_cast<double>(exponent) + std::log2(mantissa));
        if (bits > static_cast<double>(kMaxBits)) return false;
    }
    mpz_pow_ui(m_value, m_value, static_cast<unsigned long>(n));
    return true;
}

void BigInt::modPower(const BigInt& e, const BigInt& m) {
    if (e.sign() <= 0) {
        if (e.isZero()) setOne();
        return;
    }
    if (m.isZero()) return;
    if (mpz_cmp_ui(m.m_value, 2) > 0) {
        // For m > 2 every reduction keeps the sign of its operand, so the result is the
        // least non-negative residue with the sign of x^e.
        const bool negative = sign() < 0 && mpz_odd_p(e.m_value);
        mpz_abs(m_value, m_value);
        mpz_powm(m_value, m_value, e.m_value, m.m_value);
        if (negative) negate();
        return;
    }
    // m = 1, 2 or negative: reductions by the division rules can change signs, so follow
    // the binary method step by step.
    BigInt result(1);
    BigInt base(*this);
    const std::size_t bits = mpz_sizeinbase(e.m_value, 2);
    for (std::size_t i = 0; i < bits; ++i) {
        if (mpz_tstbit(e.m_value, i)) {
            mpz_mul(result.m_value, result.m_value, base.m_value);
            result.modulo(m);
        }
        if (i + 1 < bits) {
            mpz_mul(base.m_value, base.m_value, base.m_value);
            base.modulo(m);
        }
    }
    *this = std::move(result);
}

void BigInt::gcd(const BigInt& y) {
    mpz_gcd(m_value, m_value, y.m_value);
}

void BigInt::modInverse(const BigInt& m) {
    if (isZero() || mpz_cmpabs_ui(m.m_value, 1) <= 0 ||
        mpz_invert(m_value, m_value, m.m_value) == 0) {
        setZero();
    }
}

void BigInt::nthRoot(std::int64_t n) {
    if (n < 2 || sign() <= 0) {
        setZero();
    } else if (static_cast<std::uint64_t>(n) >= bitLength()) {
        setOne();  // 0 < x < 2^n
    } else {
        mpz_root(m_value, m_value, static_cast<unsigned long>(n));
    }
}

void BigInt::squareRoot() {
    if (sign() <= 0) {
        setZero();
    } else {
        mpz_sqrt(m_value, m_value);
    }
}

std::ostream& operator<<(std::ostream& out, const BigInt& value) {
    return out << value.toString();
}

}  // namespace kalvor
